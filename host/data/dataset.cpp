// TnClientDataSet: structure, editing and copies.  Ordering, ranges, filters
// and the cursor live in dataset_view.cpp.
#include "host/data/dataset.h"

#include <algorithm>

#include "host/core/exception.h"
#include "host/core/text.h"
#include "host/data/column.h"

namespace vireo {

TnClientDataSet::TnClientDataSet() = default;
TnClientDataSet::~TnClientDataSet() noexcept = default;

void TnClientDataSet::AddFieldDef(const std::string& name, TFieldType type, int size) {
  defs_.push_back(TFieldDef{name, type, size});
}

void TnClientDataSet::CreateDataSet() {
  if (defs_.empty()) {
    throw Exception("Não é possível criar o conjunto de dados: nenhum campo foi definido.");
  }
  std::map<std::string, int> names;
  for (size_t i = 0; i < defs_.size(); ++i) {
    if (!names.emplace(UpperCase(defs_[i].name), static_cast<int>(i)).second) {
      throw Exception("Não é possível criar o conjunto de dados: o campo '" + defs_[i].name +
                      "' foi definido mais de uma vez.");
    }
  }
  mappers_.clear();  // they point at the fields about to be replaced
  fields_.clear();
  columns_.clear();
  for (size_t i = 0; i < defs_.size(); ++i) {
    fields_.push_back(std::make_unique<TField>(this, static_cast<int>(i), defs_[i]));
    columns_.push_back(std::make_unique<Column>(defs_[i].type));
  }
  field_index_ = std::move(names);
  active_ = true;
  index_fields_.clear();
  filter_terms_.clear();
  range_on_ = false;
  EmptyDataSet();
  ResolveIndex();
  ResolveFilter(filter_text_);
  First();
}

TField* TnClientDataSet::Fields(int i) const {
  if (i < 0 || i >= FieldCount()) {
    throw Exception("Campo de número " + std::to_string(i) +
                    " inexistente: o conjunto de dados tem " + std::to_string(FieldCount()) +
                    " campos.");
  }
  return fields_[i].get();
}

TField* TnClientDataSet::FindField(const std::string& name) const {
  auto it = field_index_.find(UpperCase(name));
  return it == field_index_.end() ? nullptr : fields_[it->second].get();
}

TField* TnClientDataSet::FieldByName(const std::string& name) const {
  if (TField* f = FindField(name)) return f;
  std::string known;
  for (const auto& f : fields_) known += (known.empty() ? "" : ", ") + f->FieldName();
  throw Exception(
      "Campo '" + name + "' não encontrado no conjunto de dados" +
      (known.empty() ? std::string(" (nenhum campo definido).") : " (campos: " + known + ")."));
}

void TnClientDataSet::CheckActive(const char* operation) const {
  if (!active_) {
    throw Exception(std::string(operation) +
                    ": o conjunto de dados não está aberto (defina os campos e chame "
                    "CreateDataSet).");
  }
}

void TnClientDataSet::Reserve(int rows) {
  const int total = row_count_ + rows;
  for (auto& c : columns_) c->Reserve(total + 1);  // one more for the row being appended
  deleted_.reserve(total);
  order_.reserve(total);
  view_.reserve(total);
}

// --- editing ---------------------------------------------------------------

void TnClientDataSet::CheckBrowseMode() {
  if (state_ == State::Browse) return;
  if (modified_) {
    Post();
  } else {
    Cancel();
  }
}

void TnClientDataSet::Append() {
  CheckActive("Append");
  CheckBrowseMode();
  for (auto& c : columns_) c->PushNull();
  edit_row_ = row_count_;
  state_ = State::Insert;
  modified_ = false;
}

void TnClientDataSet::Edit() {
  CheckActive("Edit");
  if (state_ != State::Browse) return;
  const int row = CurrentRow();
  if (row < 0) {
    Append();
    return;
  }
  saved_row_.resize(columns_.size());
  for (size_t i = 0; i < columns_.size(); ++i) columns_[i]->Save(row, saved_row_[i]);
  edit_row_ = row;
  state_ = State::Edit;
  modified_ = false;
}

void TnClientDataSet::Post() {
  if (state_ == State::Browse) return;
  const int row = edit_row_;
  const State was = state_;
  state_ = State::Browse;
  edit_row_ = -1;
  if (was == State::Insert) {
    ++row_count_;
    deleted_.push_back(0);
    PlacePosted(row);
  } else if (IndexFieldsChanged(row)) {
    ForgetRow(row);
    PlacePosted(row);
  } else if (range_on_ || FilterOn()) {
    view_stale_ = true;  // the row may have left the range or the filter
    land_row_ = row;
  }
}

void TnClientDataSet::Cancel() {
  if (state_ == State::Insert) {
    for (auto& c : columns_) c->PopBack();
  } else if (state_ == State::Edit) {
    for (size_t i = 0; i < columns_.size(); ++i) columns_[i]->Restore(edit_row_, saved_row_[i]);
  }
  state_ = State::Browse;
  edit_row_ = -1;
}

bool TnClientDataSet::IndexFieldsChanged(int row) const {
  for (int f : index_fields_) {
    if (columns_[f]->Compare(row, saved_row_[f]) != 0) return true;
  }
  return false;
}

void TnClientDataSet::Delete() {
  CheckActive("Delete");
  if (state_ == State::Insert) {
    Cancel();  // the new row was never stored
    return;
  }
  Cancel();
  EnsureView();
  if (view_.empty()) {
    throw Exception("Delete: não há registro a excluir, o conjunto de dados está vazio.");
  }
  const int row = view_[pos_];
  deleted_[row] = 1;
  ForgetRow(row);
  view_.erase(view_.begin() + pos_);
  const int size = static_cast<int>(view_.size());
  eof_ = pos_ >= size;  // the last row went: rest on the new last one, at the end
  bof_ = size == 0;
  if (pos_ >= size) pos_ = std::max(0, size - 1);
}

void TnClientDataSet::EmptyDataSet() {
  CheckActive("EmptyDataSet");
  for (auto& c : columns_) c->Clear();
  state_ = State::Browse;
  edit_row_ = -1;
  row_count_ = 0;
  deleted_.clear();
  order_.clear();
  pending_.clear();
  view_.clear();
  order_stale_ = view_stale_ = false;
  land_row_ = -1;
  pos_ = 0;
  bof_ = eof_ = true;
}

TnClientDataSet* TnClientDataSet::CloneCDS() const {
  auto copy = std::make_unique<TnClientDataSet>();
  copy->defs_ = defs_;
  copy->log_changes_ = log_changes_;
  copy->command_text_ = command_text_;
  if (!active_) return copy.release();
  copy->CreateDataSet();
  copy->Reserve(row_count_);
  for (int row = 0; row < row_count_; ++row) {
    if (deleted_[row]) continue;
    for (size_t i = 0; i < columns_.size(); ++i) copy->columns_[i]->AppendFrom(*columns_[i], row);
    copy->deleted_.push_back(0);
    ++copy->row_count_;
  }
  copy->order_stale_ = copy->view_stale_ = true;
  copy->First();
  return copy.release();
}

}  // namespace vireo
