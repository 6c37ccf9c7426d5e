#include "host/scheduler/event_storage.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "host/core/exception.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"

namespace vireo {
namespace {

// Series IDs per exception query, well under the database's limit of
// values in one "in" list.
constexpr size_t kIdsPerQuery = 500;

TField* Find(const TnClientDataSet* ds, const std::string& name) {
  return name.empty() ? nullptr : ds->FindField(name);
}

std::optional<int> OptInt(const TField* f) {
  if (f == nullptr || f->IsNull()) return std::nullopt;
  return static_cast<int>(f->AsInteger());
}

std::string Text(const TField* f) { return f == nullptr ? std::string() : f->AsString(); }

// An all-day appointment runs from 00:00 of its first day to 00:00 after
// its last.
void NormaliseAllDay(TcxSchedulerEvent& e) {
  if (!e.AllDay()) return;
  e.Start = DateOf(e.Start);
  TDateTime finish = DateOf(e.Finish) < e.Finish ? DateOf(e.Finish) + 1 : DateOf(e.Finish);
  e.Finish = std::max(finish, e.Start + 1);
}

bool Overlaps(TDateTime start, TDateTime finish, TDateTime first, TDateTime end) {
  if (start >= end) return false;
  return finish > first || start >= first;
}

}  // namespace

std::string AgendamentoMsg(int id, const std::string& what) {
  return "Agendamento " + std::to_string(id) + ": " + what;
}

TDataSource::TDataSource() = default;
TDataSource::~TDataSource() noexcept = default;

TcxSchedulerDBStorage::TcxSchedulerDBStorage() = default;
TcxSchedulerDBStorage::~TcxSchedulerDBStorage() noexcept = default;

void TcxSchedulerDBStorage::Assign(const TcxSchedulerDBStorage& source) {
  settings_ = source.settings_;
}

bool TcxSchedulerDBStorage::HasCustomField(const std::string& name) const {
  return custom_present_.count(UpperCase(name)) != 0;
}

void TcxSchedulerDBStorage::FullRefresh() {
  events_.clear();
  custom_present_.clear();
  TnClientDataSet* ds = data_source_ != nullptr ? data_source_->DataSet() : nullptr;
  if (ds == nullptr) throw Exception("Armazenamento da agenda sem fonte de dados");
  const TcxSchedulerDBStorageFieldNames& n = settings_.FieldNames;
  TField* id = ds->FieldByName(n.ID);
  TField *parent = Find(ds, n.ParentID), *start = Find(ds, n.Start), *finish = Find(ds, n.Finish);
  TField *caption = Find(ds, n.Caption), *message = Find(ds, n.Message);
  TField *location = Find(ds, n.Location), *type = Find(ds, n.EventType);
  TField *state = Find(ds, n.State), *options = Find(ds, n.Options);
  TField *label = Find(ds, n.LabelColor), *resource = Find(ds, n.ResourceID);
  TField *rindex = Find(ds, n.RecurrenceIndex), *rinfo = Find(ds, n.RecurrenceInfo);
  TField* reminder = Find(ds, n.ReminderMinutes);
  std::vector<std::pair<std::string, TField*>> custom;
  for (const std::string& name : settings_.CustomFields) {
    if (TField* f = ds->FindField(name)) {
      custom.emplace_back(UpperCase(name), f);
      custom_present_.insert(UpperCase(name));
    }
  }
  events_.reserve(static_cast<size_t>(ds->RecordCount()));
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TcxSchedulerEvent e;
    e.ID = static_cast<int>(id->AsInteger());
    e.ParentID = OptInt(parent);
    e.Start = start != nullptr ? start->AsDateTime() : 0;
    e.Finish = finish != nullptr ? finish->AsDateTime() : e.Start;
    e.Caption = Text(caption);
    e.Message = Text(message);
    e.Location = Text(location);
    e.EventType = OptInt(type).value_or(etNone);
    e.State = OptInt(state).value_or(tlsFree);
    e.Options = OptInt(options).value_or(0);
    e.LabelColor = OptInt(label);
    e.ResourceID = OptInt(resource);
    e.RecurrenceIndex = OptInt(rindex);
    e.RecurrenceInfo = Text(rinfo);
    e.ReminderMinutes = OptInt(reminder);
    for (const auto& [name, f] : custom) e.Custom[name] = f->Value();
    events_.push_back(std::move(e));
  }
  Index();
  ReadSeriesExceptions();
}

void TcxSchedulerDBStorage::SetEvents(std::vector<TcxSchedulerEvent> events) {
  events_ = std::move(events);
  custom_present_.clear();
  for (const std::string& name : settings_.CustomFields) custom_present_.insert(UpperCase(name));
  Index();
}

void TcxSchedulerDBStorage::Index() {
  rules_.clear();
  replaced_.clear();
  for (TcxSchedulerEvent& e : events_) {
    NormaliseAllDay(e);
    switch (e.EventType) {
      case etNone:
        break;
      case etPattern:
        try {
          rules_.emplace(e.ID, TcxRecurrence::Parse(e.RecurrenceInfo));
        } catch (const Exception& error) {
          throw Exception(AgendamentoMsg(e.ID, error.Message()));
        }
        break;
      case etCustom:
      case etException:
        if (e.ParentID && e.RecurrenceIndex) replaced_.emplace(*e.ParentID, *e.RecurrenceIndex);
        break;
      default:
        throw Exception(AgendamentoMsg(
            e.ID, "tipo de agendamento desconhecido " + std::to_string(e.EventType)));
    }
  }
}

void TcxSchedulerDBStorage::ReadSeriesExceptions() {
  const TcxSchedulerDBStorageFieldNames& n = settings_.FieldNames;
  if (settings_.TableName.empty() || rules_.empty()) return;
  std::vector<int> ids;
  for (const auto& [id, rule] : rules_) ids.push_back(id);
  for (size_t from = 0; from < ids.size(); from += kIdsPerQuery) {
    std::string list;
    for (size_t i = from; i < std::min(ids.size(), from + kIdsPerQuery); ++i) {
      list += (list.empty() ? "" : ", ") + ValorParaSQL(ids[i]);
    }
    TnClientDataSet* rows = ExecutarSQL(
        "select " + n.ParentID + ", " + n.RecurrenceIndex + " from " + settings_.TableName +
        " where " + n.ParentID + " in (" + list + ") and " + n.RecurrenceIndex + " is not null");
    TnSQLGuard guard(rows);
    TField* parent = rows->Fields(0);
    TField* index = rows->Fields(1);
    for (rows->First(); !rows->Eof(); rows->Next()) {
      replaced_.emplace(static_cast<int>(parent->AsInteger()),
                        static_cast<int>(index->AsInteger()));
    }
  }
}

void TcxSchedulerDBStorage::AddSeriesOccurrences(const TcxSchedulerEvent& series, TDateTime first,
                                                 TDateTime end,
                                                 std::vector<TcxSchedulerOccurrence>& out) const {
  const TDateTime length = series.Finish - series.Start;
  rules_.at(series.ID).Expand(series.Start, end, [&](int index, TDateTime at) {
    if (replaced_.count({series.ID, index}) != 0) return true;
    if (Overlaps(at, at + length, first, end)) out.push_back({&series, at, at + length, index});
    return true;
  });
}

std::vector<TcxSchedulerOccurrence> TcxSchedulerDBStorage::GetOccurrences(TDateTime first,
                                                                          TDateTime end) const {
  std::vector<TcxSchedulerOccurrence> out;
  for (const TcxSchedulerEvent& e : events_) {
    if (e.EventType == etPattern) {
      AddSeriesOccurrences(e, first, end, out);
    } else if (e.EventType != etException && Overlaps(e.Start, e.Finish, first, end)) {
      out.push_back({&e, e.Start, e.Finish, e.RecurrenceIndex.value_or(0)});
    }
  }
  std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
    if (a.Start != b.Start) return a.Start < b.Start;
    if (a.Event->ID != b.Event->ID) return a.Event->ID < b.Event->ID;
    return a.Index < b.Index;
  });
  return out;
}

}  // namespace vireo
