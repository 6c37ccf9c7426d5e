#include "host/report/render/sheet_xlsx.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/report/render/sheet_cell.h"

namespace vireo {

namespace {

constexpr size_t kMaxCellBytes = 32767;  // the longest text a cell holds
long g_row_limit = LXW_ROW_MAX;

// A workbook not closed (the print failed) is freed without being written.
struct WorkbookFree {
  void operator()(lxw_workbook* w) const { lxw_workbook_free(w); }
};
using WorkbookPtr = std::unique_ptr<lxw_workbook, WorkbookFree>;

// Sheet names: at most 31 characters, none of []:*?/\ and unique in the
// workbook.
std::string SheetNameFrom(const std::string& wanted) {
  std::string name;
  for (char c : wanted) {
    const bool refused = std::string_view("[]:*?/\\").find(c) != std::string_view::npos ||
                         static_cast<unsigned char>(c) < 0x20;
    name += refused ? '-' : c;
  }
  name = Trim(name);
  while (!name.empty() && name.front() == '\'') name.erase(0, 1);
  while (!name.empty() && name.back() == '\'') name.pop_back();
  return name.empty() ? "Planilha" : name;
}

// The text a cell can hold: control characters (that XML refuses) as
// blanks, at most the cell's length, cut between characters.
std::string CellText(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 && c != '\n' && c != '\t') c = ' ';
  }
  if (out.size() > kMaxCellBytes) {
    size_t cut = kMaxCellBytes;
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
    out.resize(cut);
  }
  return out;
}

class XlsxSink : public TnSheetSink {
 public:
  XlsxSink(const std::string& path, const TnSheetPlan& plan) : path_(path), plan_(plan) {
    const char* tmp = std::getenv("TMPDIR");
    tmpdir_ = tmp != nullptr && *tmp != '\0' ? tmp : "";
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = tmpdir_.empty() ? nullptr : tmpdir_.data();
    workbook_.reset(workbook_new_opt(path_.c_str(), &options));
    if (!workbook_) throw Exception("Não foi possível criar a planilha " + path_ + ".");
  }

  void BeginSheet(const std::vector<std::string>&) override {
    header_.clear();
    const int last = plan_.SheetCount() - 1;
    base_name_ = SheetNameFrom(plan_.SheetName(std::min(sheet_index_++, last)));
    OpenWorksheet();
  }

  void Row(const TnSheetRow& row) override {
    if (worksheet_ == nullptr) BeginSheet({});
    if (row.Header() && !body_started_) {
      header_.push_back(row);
    } else if (!body_started_) {
      body_started_ = true;
      if (row_ > 0) worksheet_freeze_panes(worksheet_, static_cast<lxw_row_t>(row_), 0);
    }
    if (row_ >= g_row_limit) ContinueSheet();
    WriteRow(row);
  }

  void EndDocument() override {
    lxw_workbook* workbook = workbook_.release();
    const lxw_error error = workbook_close(workbook);  // writes and frees
    if (error != LXW_NO_ERROR) {
      throw Exception("Não foi possível gravar a planilha " + path_ + ": " + lxw_strerror(error));
    }
  }

 private:
  void OpenWorksheet() {
    std::string name = Utf8Substr(base_name_, 0, LXW_SHEETNAME_MAX);
    for (int n = 2; used_names_.count(name) > 0; ++n) {
      const std::string suffix = " (" + std::to_string(n) + ")";
      name = Utf8Substr(base_name_, 0, LXW_SHEETNAME_MAX - suffix.size()) + suffix;
    }
    used_names_.insert(name);
    worksheet_ = workbook_add_worksheet(workbook_.get(), name.c_str());
    if (worksheet_ == nullptr) {
      throw Exception("Não foi possível criar a folha \"" + name + "\" da planilha " + path_ + ".");
    }
    for (int c = 0; c < plan_.ColumnCount(); ++c) {
      Check(worksheet_set_column(worksheet_, c, c, plan_.Width(c), nullptr));
    }
    row_ = 0;
    body_started_ = false;
  }

  // A sheet full to the program's limit goes on in another under the same
  // header.
  void ContinueSheet() {
    OpenWorksheet();
    for (const TnSheetRow& h : header_) WriteRow(h);
    body_started_ = true;
    if (row_ > 0) worksheet_freeze_panes(worksheet_, static_cast<lxw_row_t>(row_), 0);
  }

  void WriteRow(const TnSheetRow& row) {
    const auto r = static_cast<lxw_row_t>(row_++);
    for (const TnSheetCell& cell : plan_.Cells(row)) {
      const TnSheetValue value = ParseSheetValue(cell.text, FormatSettings);
      const auto c = static_cast<lxw_col_t>(cell.column);
      switch (value.kind) {
        case TnSheetKind::kEmpty:
          break;
        case TnSheetKind::kNumber:
          Check(worksheet_write_number(worksheet_, r, c, value.number,
                                       Format(value.format, cell.bold, cell.italic)));
          break;
        case TnSheetKind::kDate: {
          lxw_datetime date{value.year, value.month, value.day, 0, 0, 0};
          Check(worksheet_write_datetime(worksheet_, r, c, &date,
                                         Format(value.format, cell.bold, cell.italic)));
          break;
        }
        case TnSheetKind::kText:
          Check(worksheet_write_string(worksheet_, r, c, CellText(value.text).c_str(),
                                       Format("", cell.bold, cell.italic)));
          break;
      }
    }
  }

  lxw_format* Format(const std::string& number_format, bool bold, bool italic) {
    if (number_format.empty() && !bold && !italic) return nullptr;
    auto key = std::make_tuple(number_format, bold, italic);
    auto it = formats_.find(key);
    if (it != formats_.end()) return it->second;
    lxw_format* format = workbook_add_format(workbook_.get());
    if (!number_format.empty()) format_set_num_format(format, number_format.c_str());
    if (bold) format_set_bold(format);
    if (italic) format_set_italic(format);
    formats_.emplace(std::move(key), format);
    return format;
  }

  void Check(lxw_error error) const {
    if (error != LXW_NO_ERROR) {
      throw Exception("Não foi possível escrever a planilha " + path_ + " (linha " +
                      std::to_string(row_) + "): " + lxw_strerror(error));
    }
  }

  std::string path_;
  const TnSheetPlan plan_;
  std::string tmpdir_;
  WorkbookPtr workbook_;
  lxw_worksheet* worksheet_ = nullptr;                                  // owned by the workbook
  std::map<std::tuple<std::string, bool, bool>, lxw_format*> formats_;  // owned by the workbook
  std::set<std::string> used_names_;
  std::vector<TnSheetRow> header_;  // of the current sheet, for its continuations
  std::string base_name_;
  int sheet_index_ = 0;
  long row_ = 0;
  bool body_started_ = false;
};

}  // namespace

std::unique_ptr<TnCanvas> MakeXlsxCanvas(const std::string& path, const TnSheetPlan& plan) {
  return std::make_unique<TnSheetCanvas>(std::make_unique<XlsxSink>(path, plan));
}

void SetXlsxRowLimitForTests(long rows) { g_row_limit = rows; }

}  // namespace vireo
