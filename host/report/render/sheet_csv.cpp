#include "host/report/render/sheet_csv.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/report/render/file_handle.h"
#include "host/report/render/sheet_cell.h"

namespace vireo {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr int kNumberDigits = 15;  // what a double holds exactly

// A number as a spreadsheet reads it back: no grouping, the sign in front.
std::string PlainNumber(double value, char decimal_mark) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", kNumberDigits, value);
  std::string text = buffer;
  for (char& c : text) {
    if (c == '.') c = decimal_mark;
  }
  return text;
}

bool LooksLikeFormula(const std::string& text) {
  return !text.empty() && std::strchr("=+-@\t\r", text.front()) != nullptr;
}

class CsvSink : public TnSheetSink {
 public:
  CsvSink(const std::string& path, const TnSheetPlan& plan, char decimal_mark)
      : path_(path),
        plan_(plan),
        decimal_(decimal_mark == '.' ? '.' : ','),
        separator_(decimal_ == ',' ? ';' : ','),
        file_(std::fopen(path.c_str(), "wb")) {
    if (!file_) {
      throw Exception("Não foi possível criar o arquivo CSV " + path + ": " + std::strerror(errno));
    }
    Write(kByteOrderMark);
  }

  void BeginSheet(const std::vector<std::string>&) override {
    if (sheets_++ > 0) Write("\r\n");
  }

  void Row(const TnSheetRow& row) override {
    std::vector<std::string> fields(plan_.ColumnCount());
    for (const TnSheetCell& cell : plan_.Cells(row)) fields.at(cell.column) = Field(cell.text);
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) line += separator_;
      line += fields[i];
    }
    Write(line + "\r\n");
  }

  void EndDocument() override {
    if (std::fclose(file_.release()) != 0 || failed_) {
      throw Exception("Não foi possível gravar o arquivo CSV " + path_ + ": " +
                      std::strerror(errno));
    }
  }

 private:
  std::string Field(const std::string& printed) const {
    const TnSheetValue value = ParseSheetValue(printed, FormatSettings);
    switch (value.kind) {
      case TnSheetKind::kEmpty:
        return "";
      case TnSheetKind::kNumber:
        return PlainNumber(value.number, decimal_);
      case TnSheetKind::kDate:
      case TnSheetKind::kText:
        break;
    }
    std::string text = value.kind == TnSheetKind::kDate ? Trim(value.text) : value.text;
    if (value.kind == TnSheetKind::kText && LooksLikeFormula(text)) text = "'" + text;
    if (text.find_first_of(std::string("\"\r\n") + separator_) == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
      if (c == '"') quoted += '"';
      quoted += c;
    }
    return quoted + "\"";
  }

  void Write(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size()) failed_ = true;
  }

  std::string path_;
  const TnSheetPlan plan_;
  char decimal_;
  char separator_;
  TnFile file_;
  int sheets_ = 0;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<TnCanvas> MakeCsvCanvas(const std::string& path, const TnSheetPlan& plan,
                                        char decimal_mark) {
  return std::make_unique<TnSheetCanvas>(std::make_unique<CsvSink>(path, plan, decimal_mark));
}

}  // namespace vireo
