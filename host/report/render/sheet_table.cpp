#include "host/report/render/sheet_table.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "host/core/text.h"

namespace vireo {

namespace {

constexpr double kRowTolerance = 8;  // half a text line: tops closer share a row
constexpr int kColumnSnap = 8;       // about a character: lefts closer share a column
constexpr double kMinWidth = 6;      // characters
constexpr double kMaxWidth = 60;     // longer texts wrap or run over in the program
constexpr double kWidthPadding = 1;

bool Blank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

int Rounded(double left) { return static_cast<int>(std::lround(left)); }

}  // namespace

TnSheetSink::~TnSheetSink() = default;

// --- the canvas ----------------------------------------------------------------------

TnSheetCanvas::TnSheetCanvas(std::unique_ptr<TnSheetSink> sink) : sink_(std::move(sink)) {}

TnSheetCanvas::~TnSheetCanvas() = default;

void TnSheetCanvas::BeginDocument(const TnPageSetup&, int) {}

void TnSheetCanvas::BeginPage(int page) {
  FlushSection();
  if (page > 1) first_page_ = false;  // unless its header starts a new sheet
  kind_ = TnSheetRowKind::kBody;
  keep_ = true;
}

void TnSheetCanvas::StartSheet(const std::vector<std::string>& key) {
  key_ = key;
  started_ = true;
  first_page_ = true;
  sheet_has_body_ = false;
  sink_->BeginSheet(key_);
}

void TnSheetCanvas::BeginSection(const TnSectionMark& mark) {
  FlushSection();
  if (mark.role == TnSectionRole::kPageHeader) {
    if (!started_ || (mark.forced_page && sheet_has_body_ && mark.values != key_)) {
      StartSheet(mark.values);
    }
  }
  switch (mark.role) {
    case TnSectionRole::kPageHeader:
    case TnSectionRole::kTitle:
      kind_ = TnSheetRowKind::kPageHeader;
      keep_ = first_page_;
      break;
    case TnSectionRole::kHeading:
      kind_ = TnSheetRowKind::kHeading;
      keep_ = first_page_;
      break;
    case TnSectionRole::kBody:
      kind_ = TnSheetRowKind::kBody;
      keep_ = true;
      break;
    case TnSectionRole::kFooter:
      keep_ = false;
      break;
  }
}

void TnSheetCanvas::Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign,
                         bool) {
  if (!keep_ || Blank(text)) return;
  pending_.push_back({box.top, TnSheetText{box.left, std::string(text), font.bold, font.italic}});
}

void TnSheetCanvas::EndPage() { FlushSection(); }

void TnSheetCanvas::EndDocument() {
  FlushSection();
  if (!started_) StartSheet({});
  sink_->EndDocument();
}

void TnSheetCanvas::FlushSection() {
  if (pending_.empty()) return;
  if (!started_) StartSheet({});
  std::stable_sort(pending_.begin(), pending_.end(),
                   [](const Pending& a, const Pending& b) { return a.top < b.top; });
  TnSheetRow row;
  row.kind = kind_;
  size_t begin = 0;
  while (begin < pending_.size()) {
    size_t end = begin + 1;
    while (end < pending_.size() && pending_[end].top < pending_[begin].top + kRowTolerance) ++end;
    row.texts.clear();
    for (size_t i = begin; i < end; ++i) row.texts.push_back(std::move(pending_[i].text));
    std::stable_sort(row.texts.begin(), row.texts.end(),
                     [](const TnSheetText& a, const TnSheetText& b) { return a.left < b.left; });
    sink_->Row(row);
    begin = end;
  }
  if (kind_ == TnSheetRowKind::kBody) sheet_has_body_ = true;
  pending_.clear();
}

// --- the plan --------------------------------------------------------------------------

int TnSheetPlan::ColumnOf(double left) const {
  const int at = Rounded(left);
  // The last column that starts at or before the text (within the snap).
  auto it = std::upper_bound(starts_.begin(), starts_.end(), at + kColumnSnap);
  if (it == starts_.begin()) return 0;
  return static_cast<int>(it - starts_.begin()) - 1;
}

std::vector<TnSheetCell> TnSheetPlan::Cells(const TnSheetRow& row) const {
  std::vector<TnSheetCell> cells;
  for (const TnSheetText& t : row.texts) {
    const int column = ColumnOf(t.left);
    if (!cells.empty() && cells.back().column == column) {
      cells.back().text += " " + t.text;
      cells.back().bold |= t.bold;
      cells.back().italic |= t.italic;
    } else {
      cells.push_back({column, t.text, t.bold, t.italic});
    }
  }
  return cells;
}

TnSheetPlanner::TnSheetPlanner(std::string report_name) : report_name_(std::move(report_name)) {}

void TnSheetPlanner::BeginSheet(const std::vector<std::string>& key) { keys_.push_back(key); }

void TnSheetPlanner::Row(const TnSheetRow& row) {
  auto& lefts = row.kind == TnSheetRowKind::kPageHeader ? header_lefts_ : body_lefts_;
  for (const TnSheetText& t : row.texts) {
    // Blanks around a text do not widen its column: they only push it
    // along inside the cell.
    size_t& longest = lefts[Rounded(t.left)];
    longest = std::max(longest, Utf8Length(Trim(t.text)));
  }
}

TnSheetPlan TnSheetPlanner::Plan() const {
  TnSheetPlan plan;
  // Columns from the body and the headings; a print of page headers only
  // takes them from there.
  const auto& lefts = body_lefts_.empty() ? header_lefts_ : body_lefts_;
  for (const auto& [left, longest] : lefts) {
    if (plan.starts_.empty() || left > plan.starts_.back() + kColumnSnap) {
      plan.starts_.push_back(left);
      plan.widths_.push_back(kMinWidth);
    }
    double& width = plan.widths_.back();
    width = std::max(width, std::min(kMaxWidth, longest + kWidthPadding));
  }
  if (plan.starts_.empty()) plan.starts_.push_back(0), plan.widths_.push_back(kMinWidth);

  // Sheets are named after the first value of their page header that
  // differs between them.
  size_t differs = 0;
  if (keys_.size() > 1) {
    size_t longest = 0;
    for (const auto& k : keys_) longest = std::max(longest, k.size());
    for (differs = 0; differs < longest; ++differs) {
      auto value = [&](const std::vector<std::string>& k) {
        return differs < k.size() ? k[differs] : std::string();
      };
      const bool same = std::all_of(keys_.begin(), keys_.end(),
                                    [&](const auto& k) { return value(k) == value(keys_[0]); });
      if (!same) break;
    }
  }
  for (size_t i = 0; i < keys_.size(); ++i) {
    std::string name = keys_.size() > 1 && differs < keys_[i].size() ? Trim(keys_[i][differs]) : "";
    plan.names_.push_back(name.empty() ? report_name_ : name);
  }
  if (plan.names_.empty()) plan.names_.push_back(report_name_);
  return plan;
}

}  // namespace vireo
