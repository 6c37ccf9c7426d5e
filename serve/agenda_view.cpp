#include "serve/agenda_view.h"

#include <cstdio>
#include <memory>

#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/scheduler/agenda_module.h"
#include "host/scheduler/event_labels.h"
#include "host/scheduler/event_storage.h"

namespace vireo::serve {
namespace {

using nlohmann::json;

std::string IsoDateTime(TDateTime at) {
  TDateParts d = DecodeDate(at);
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(at, h, m, s, ms);
  char out[32];
  std::snprintf(out, sizeof out, "%04d-%02d-%02dT%02d:%02d", d.year, d.month, d.day, h, m);
  return out;
}

json Labels() {
  json out = json::array();
  const TcxEventLabels& labels = EventLabels();
  for (int i = 0; i < labels.Count(); ++i) {
    const TcxEventLabel& l = labels.Items(i);
    out.push_back({{"color", l.Color == kSemLabel ? json() : json(CssColor(l.Color))},
                   {"caption", l.Caption}});
  }
  return out;
}

json Item(const TcxSchedulerOccurrence& o) {
  const TcxSchedulerEvent& e = *o.Event;
  const bool occurrence_of_series = e.EventType == etPattern;
  json label;
  if (e.HasLabel()) {
    int at = EventLabels().IndexOfColor(*e.LabelColor);
    if (at >= 0) label = EventLabels().Items(at).Caption;
  }
  return {
      {"seq", e.ID},
      {"series", occurrence_of_series ? json(e.ID) : json(e.ParentID ? json(*e.ParentID) : json())},
      {"index", occurrence_of_series ? json(o.Index) : json()},
      {"start", IsoDateTime(o.Start)},
      {"finish", IsoDateTime(e.AllDay() ? o.Finish - 1 : o.Finish)},
      {"allDay", e.AllDay()},
      {"caption", e.Caption},
      {"location", e.Location},
      {"message", e.Message},
      {"color", e.HasLabel() ? json(CssColor(*e.LabelColor)) : json()},
      {"label", label},
      {"completed", e.GetCustomFieldValueByName("CONCLUIDA").AsString() == "1"}};
}

}  // namespace

std::string CssColor(int bgr) {
  char out[8];
  std::snprintf(out, sizeof out, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF,
                (bgr >> 16) & 0xFF);
  return out;
}

json AgendaOccurrences(TnConnection& db, int user, TDateTime first, TDateTime last) {
  const TDateTime end = IncDay(DateOf(last));
  // A series that started before the days asked for may still have
  // occurrences in them: every series of the user is read, single
  // appointments only where they overlap.
  std::unique_ptr<TnClientDataSet> rows(
      db.Query("select * from AGENDAUSUARIO where CODIGOUSUARIODEST = ? and (TIPOTAREFA = 1 or "
               "(DATAHORAINICIO < ? and DATAHORAFIM >= ?))",
               {user, Variant::FromDateTime(end), Variant::FromDateTime(DateOf(first))}));
  TnOrgDMAgendaUsuario module;
  TDataSource source;
  source.SetDataSet(rows.get());
  TcxSchedulerDBStorage storage;
  storage.Assign(*module.Storage());
  storage.SetDataSource(&source);
  storage.FullRefresh();
  json items = json::array();
  for (const TcxSchedulerOccurrence& o : storage.GetOccurrences(DateOf(first), end))
    items.push_back(Item(o));
  return {{"user", user}, {"labels", Labels()}, {"items", items}};
}

}  // namespace vireo::serve
