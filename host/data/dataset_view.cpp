// TnClientDataSet: the view (index order, range, filter) and the cursor.
//
// order_ holds the live rows sorted by the index (ties by stored row, which
// is insertion order); view_ is the slice of order_ inside the range, minus
// the rows the filter rejects.  Changes only mark them stale: a posted row
// joins pending_ and is merged in at the next read, so a loop of Append/Post
// costs no sorting until someone looks at the data.
#include <algorithm>

#include "host/core/exception.h"
#include "host/core/text.h"
#include "host/data/column.h"
#include "host/data/dataset.h"
#include "host/data/filter_parser.h"

namespace vireo {

namespace {

// Sorting (key, row) pairs keeps the work in one contiguous vector instead of
// chasing each row into the column on every comparison.  Nulls go first, in
// the order they had.
void StableSortBy(const TnClientDataSet::Column& column, std::vector<int>& rows) {
  // Texts that all start alike (codes, classifications) are keyed by the
  // bytes after what they share.
  const size_t skip = column.kind == StorageKind::Text ? column.CommonPrefix(rows) : 0;
  std::vector<std::pair<uint64_t, int>> keyed;
  keyed.reserve(rows.size());
  auto out = rows.begin();
  for (int row : rows) {
    if (column.IsNull(row)) {
      *out++ = row;  // never overtakes the reading, which is ahead or level
    } else {
      keyed.emplace_back(column.SortKey(row, skip), row);
    }
  }
  if (column.kind == StorageKind::Text) {
    std::stable_sort(keyed.begin(), keyed.end(), [&column, skip](const auto& a, const auto& b) {
      if (a.first != b.first) return a.first < b.first;
      const std::string& ta = column.texts[a.second];
      return ta.compare(skip, std::string::npos, column.texts[b.second], skip) < 0;
    });
  } else {
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  for (const auto& k : keyed) *out++ = k.second;
}

}  // namespace

// --- index -----------------------------------------------------------------

void TnClientDataSet::ResolveIndex() {
  std::vector<int> fields;
  for (const std::string& part : StrToStrArray(index_names_, ";")) {
    const std::string name = Trim(part);
    if (name.empty()) continue;
    const TField* f = FindField(name);
    if (!f) {
      throw Exception("Índice '" + index_names_ + "': campo '" + name +
                      "' não encontrado no conjunto de dados.");
    }
    fields.push_back(f->Index());
  }
  index_fields_ = std::move(fields);
  range_on_ = false;
  order_stale_ = view_stale_ = true;
}

void TnClientDataSet::SetIndexFieldNames(const std::string& names) {
  if (!active_) {
    index_names_ = names;
    return;
  }
  CheckBrowseMode();
  std::string old = std::move(index_names_);
  index_names_ = names;
  try {
    ResolveIndex();
  } catch (...) {
    index_names_ = std::move(old);
    throw;
  }
  First();
}

void TnClientDataSet::CheckIndex(const char* operation) const {
  CheckActive(operation);
  if (index_fields_.empty()) {
    throw Exception(std::string(operation) +
                    ": o conjunto de dados não tem índice (defina SetIndexFieldNames antes).");
  }
}

std::vector<Cell> TnClientDataSet::KeyCells(const std::vector<Variant>& key) const {
  if (key.size() > index_fields_.size()) {
    throw Exception("A chave tem " + std::to_string(key.size()) + " valores, mas o índice '" +
                    index_names_ + "' tem só " + std::to_string(index_fields_.size()) +
                    " campo(s).");
  }
  std::vector<Cell> cells;
  cells.reserve(key.size());
  for (size_t i = 0; i < key.size(); ++i) {
    const int f = index_fields_[i];
    try {
      cells.push_back(columns_[f]->ToCell(key[i]));
    } catch (const EConvertError& e) {
      throw EConvertError("Chave do índice '" + index_names_ + "', campo '" + defs_[f].name +
                          "': " + e.what());
    }
  }
  return cells;
}

int TnClientDataSet::CompareRows(int a, int b) const {
  for (int f : index_fields_) {
    if (int c = columns_[f]->Compare(a, b)) return c;
  }
  return 0;
}

bool TnClientDataSet::RowLess(int a, int b) const {
  const int c = CompareRows(a, b);
  return c < 0 || (c == 0 && a < b);
}

int TnClientDataSet::CompareKey(int row, const std::vector<Cell>& key) const {
  for (size_t i = 0; i < key.size(); ++i) {
    if (int c = columns_[index_fields_[i]]->Compare(row, key[i])) return c;
  }
  return 0;
}

// --- range, search ---------------------------------------------------------

void TnClientDataSet::SetRange(const std::vector<Variant>& start, const std::vector<Variant>& end) {
  CheckIndex("SetRange");
  CheckBrowseMode();
  std::vector<Cell> from = KeyCells(start);
  std::vector<Cell> to = KeyCells(end);
  range_start_ = std::move(from);
  range_end_ = std::move(to);
  range_on_ = true;
  view_stale_ = true;
  First();
}

void TnClientDataSet::CancelRange() {
  if (!range_on_) return;
  CheckBrowseMode();
  range_on_ = false;
  view_stale_ = true;
  First();
}

bool TnClientDataSet::FindKey(const std::vector<Variant>& key) {
  CheckIndex("FindKey");
  CheckBrowseMode();
  const std::vector<Cell> cells = KeyCells(key);
  EnsureView();
  auto it = std::partition_point(view_.begin(), view_.end(),
                                 [&](int row) { return CompareKey(row, cells) < 0; });
  if (it == view_.end() || CompareKey(*it, cells) != 0) return false;
  MoveTo(static_cast<int>(it - view_.begin()));
  return true;
}

// --- filter ----------------------------------------------------------------

void TnClientDataSet::ResolveFilter(const std::string& text) {
  std::vector<FilterTerm> terms;
  for (FilterEquality& eq : ParseFilterText(text)) {
    const TField* f = FindField(eq.field);
    if (!f) {
      throw Exception("Filtro \"" + text + "\": campo '" + eq.field +
                      "' não encontrado no conjunto de dados.");
    }
    try {
      terms.push_back(FilterTerm{f->Index(), columns_[f->Index()]->ToCell(eq.value)});
    } catch (const EConvertError& e) {
      throw EConvertError("Filtro \"" + text + "\", campo '" + eq.field + "': " + e.what());
    }
  }
  filter_terms_ = std::move(terms);
}

void TnClientDataSet::SetFilter(const std::string& filter) {
  if (!active_) {
    filter_text_ = filter;
    return;
  }
  CheckBrowseMode();
  ResolveFilter(filter);
  filter_text_ = filter;
  if (filtered_) {
    view_stale_ = true;
    First();
  }
}

void TnClientDataSet::SetFiltered(bool on) {
  filtered_ = on;
  if (!active_) return;
  CheckBrowseMode();
  view_stale_ = true;
  First();
}

bool TnClientDataSet::PassesFilter(int row) const {
  for (const FilterTerm& t : filter_terms_) {
    if (columns_[t.field]->Compare(row, t.value) != 0) return false;
  }
  return true;
}

// --- keeping the view up to date -------------------------------------------

void TnClientDataSet::EnsureView() const {
  if (order_stale_) {
    RebuildOrder();
  } else if (!pending_.empty()) {
    MergePending();
  }
  if (view_stale_) RebuildView();
}

void TnClientDataSet::RebuildOrder() const {
  order_.clear();
  for (int row = 0; row < row_count_; ++row) {
    if (!deleted_[row]) order_.push_back(row);
  }
  // Rows start in insertion order; one stable sort per index field, the
  // last field first, leaves them in index order with ties kept that way.
  for (auto f = index_fields_.rbegin(); f != index_fields_.rend(); ++f) {
    StableSortBy(*columns_[*f], order_);
  }
  pending_.clear();
  order_stale_ = false;
  view_stale_ = true;
}

void TnClientDataSet::MergePending() const {
  auto less = [this](int a, int b) { return RowLess(a, b); };
  if (pending_.size() == 1) {
    order_.insert(std::upper_bound(order_.begin(), order_.end(), pending_[0], less), pending_[0]);
  } else {
    std::sort(pending_.begin(), pending_.end(), less);
    const auto mid = static_cast<std::ptrdiff_t>(order_.size());
    order_.insert(order_.end(), pending_.begin(), pending_.end());
    std::inplace_merge(order_.begin(), order_.begin() + mid, order_.end(), less);
  }
  pending_.clear();
  view_stale_ = true;
}

void TnClientDataSet::RebuildView() const {
  auto first = order_.begin(), last = order_.end();
  if (range_on_) {
    first = std::partition_point(first, last,
                                 [&](int row) { return CompareKey(row, range_start_) < 0; });
    last = std::partition_point(first, last,
                                [&](int row) { return CompareKey(row, range_end_) <= 0; });
  }
  if (FilterOn()) {
    view_.clear();
    std::copy_if(first, last, std::back_inserter(view_),
                 [this](int row) { return PassesFilter(row); });
  } else {
    view_.assign(first, last);
  }
  view_stale_ = false;

  const int land = land_row_;
  land_row_ = -1;
  if (land >= 0) {
    auto it = std::lower_bound(view_.begin(), view_.end(), land,
                               [this](int a, int b) { return RowLess(a, b); });
    if (it != view_.end() && *it == land) {
      MoveTo(static_cast<int>(it - view_.begin()));
      return;
    }
  }
  const int size = static_cast<int>(view_.size());
  if (size == 0) {
    pos_ = 0;
    bof_ = eof_ = true;
  } else if (pos_ >= size) {
    pos_ = size - 1;
  }
}

// A posted row takes its place in the order; without an index or range or
// filter that is simply the end, and the cursor follows it at once.
void TnClientDataSet::PlacePosted(int row) {
  land_row_ = row;
  if (!order_stale_) {
    if (!index_fields_.empty()) {
      pending_.push_back(row);
    } else {
      order_.push_back(row);  // a new row is the last in insertion order
      if (!view_stale_ && !range_on_ && !FilterOn()) {
        view_.push_back(row);
        land_row_ = -1;
        MoveTo(static_cast<int>(view_.size()) - 1);
        return;
      }
    }
  }
  view_stale_ = true;
}

void TnClientDataSet::ForgetRow(int row) {
  if (order_stale_) return;
  auto p = std::find(pending_.begin(), pending_.end(), row);
  if (p != pending_.end()) {
    pending_.erase(p);
    return;
  }
  auto o = std::find(order_.begin(), order_.end(), row);
  if (o != order_.end()) order_.erase(o);
}

// --- cursor ----------------------------------------------------------------

void TnClientDataSet::MoveTo(int pos) const {
  pos_ = pos;
  bof_ = eof_ = false;
}

void TnClientDataSet::First() {
  CheckActive("First");
  CheckBrowseMode();
  EnsureView();
  pos_ = 0;
  bof_ = true;
  eof_ = view_.empty();
}

void TnClientDataSet::Last() {
  CheckActive("Last");
  CheckBrowseMode();
  EnsureView();
  pos_ = std::max(0, static_cast<int>(view_.size()) - 1);
  eof_ = true;
  bof_ = view_.empty();
}

void TnClientDataSet::Next() {
  CheckActive("Next");
  CheckBrowseMode();
  EnsureView();
  if (eof_) return;
  bof_ = false;
  if (pos_ + 1 < static_cast<int>(view_.size())) {
    ++pos_;
  } else {
    eof_ = true;
  }
}

void TnClientDataSet::Prior() {
  CheckActive("Prior");
  CheckBrowseMode();
  EnsureView();
  if (bof_) return;
  eof_ = false;
  if (pos_ > 0) {
    --pos_;
  } else {
    bof_ = true;
  }
}

bool TnClientDataSet::Eof() const {
  if (!active_) return true;
  EnsureView();
  return eof_;
}

bool TnClientDataSet::Bof() const {
  if (!active_) return true;
  EnsureView();
  return bof_;
}

int TnClientDataSet::RecordCount() const {
  if (!active_) return 0;
  EnsureView();
  return static_cast<int>(view_.size());
}

int TnClientDataSet::RecNo() const {
  if (!active_) return 0;
  EnsureView();
  return view_.empty() ? 0 : pos_ + 1;
}

void TnClientDataSet::SetRecNo(int recno) {
  CheckActive("RecNo");
  CheckBrowseMode();
  EnsureView();
  if (recno < 1 || recno > static_cast<int>(view_.size())) {
    throw Exception("RecNo " + std::to_string(recno) +
                    " fora dos limites: o conjunto de dados tem " + std::to_string(view_.size()) +
                    " registro(s) visíveis.");
  }
  MoveTo(recno - 1);
}

int TnClientDataSet::CurrentRow() const {
  if (state_ != State::Browse) return edit_row_;
  if (!active_) return -1;
  EnsureView();
  return view_.empty() ? -1 : view_[pos_];
}

}  // namespace vireo
