// TnSheetCanvas: the composed pages read as a table, for the spreadsheet
// renderers.
//
// A spreadsheet wants rows and columns, not pages.  The canvas takes the
// texts of each section (the section marks of the page spool say which
// section is which) and hands them on as rows: the texts of a section whose
// tops lie within half a line share a row.  The page header, the title and
// the column headings printed at the top of a page come once, at the top of
// a sheet; on later pages they are left out, and page footers always are.
// A page the report asked for whose header shows other values (the next
// company) starts a new sheet.  Lines, boxes, pictures and charts are not
// part of the table.
//
// Columns come from the left positions of the texts across the whole print:
// a first pass over the pages (TnSheetPlanner) finds them and the widths
// they need, the second writes.  Lefts a few pixels apart are one column;
// texts of the page header go to the column at or before their left.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/report/render/canvas.h"

namespace vireo {

enum class TnSheetRowKind { kPageHeader, kHeading, kBody };

struct TnSheetText {
  double left = 0;
  std::string text;
  bool bold = false;
  bool italic = false;
};

struct TnSheetRow {
  TnSheetRowKind kind = TnSheetRowKind::kBody;
  std::vector<TnSheetText> texts;  // by left
  bool Header() const { return kind != TnSheetRowKind::kBody; }
};

// Where the rows of the canvas go.
class TnSheetSink {
 public:
  virtual ~TnSheetSink();
  // `key`: the values of the page header of the sheet's first page.
  virtual void BeginSheet(const std::vector<std::string>& key) = 0;
  virtual void Row(const TnSheetRow& row) = 0;
  virtual void EndDocument() = 0;
};

class TnSheetCanvas : public TnCanvas {
 public:
  explicit TnSheetCanvas(std::unique_ptr<TnSheetSink> sink);
  ~TnSheetCanvas() override;

  TnSheetSink& Sink() { return *sink_; }

  void BeginDocument(const TnPageSetup& setup, int page_count) override;
  void BeginPage(int page) override;
  void BeginSection(const TnSectionMark& mark) override;
  void Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign align,
            bool wrap) override;
  void FillRect(const TnRect&, uint32_t) override {}
  void Line(double, double, double, double, double, uint32_t) override {}
  void FrameRect(const TnRect&, double, uint32_t) override {}
  void Image(const TnRect&, std::string_view) override {}
  void Chart(const TnRect&, const TnChartData&) override {}
  void EndPage() override;
  void EndDocument() override;

 private:
  struct Pending {
    double top;
    TnSheetText text;
  };
  void StartSheet(const std::vector<std::string>& key);
  void FlushSection();

  std::unique_ptr<TnSheetSink> sink_;
  std::vector<Pending> pending_;
  std::vector<std::string> key_;
  TnSheetRowKind kind_ = TnSheetRowKind::kBody;
  bool keep_ = true;  // the texts of the current section go into the table
  bool started_ = false;
  bool first_page_ = true;  // the current page is its sheet's first
  bool sheet_has_body_ = false;
};

// A column of a cell, and what it holds: texts of one row that fall in the
// same column are joined with a blank.
struct TnSheetCell {
  int column = 0;
  std::string text;
  bool bold = false;
  bool italic = false;
};

// What the first pass found: the columns, their widths and the sheets.
class TnSheetPlan {
 public:
  int ColumnOf(double left) const;
  int ColumnCount() const { return static_cast<int>(starts_.size()); }
  // In characters.
  double Width(int column) const { return widths_.at(column); }
  int SheetCount() const { return static_cast<int>(names_.size()); }
  // The name of a sheet: the report's when it is alone, else the value of
  // the page header that tells the sheets apart (the company).
  const std::string& SheetName(int sheet) const { return names_.at(sheet); }

  // The cells of a row, by column.
  std::vector<TnSheetCell> Cells(const TnSheetRow& row) const;

 private:
  friend class TnSheetPlanner;
  std::vector<int> starts_;  // left of each column, ascending
  std::vector<double> widths_;
  std::vector<std::string> names_;
};

// The first pass: a sink that only looks.
class TnSheetPlanner : public TnSheetSink {
 public:
  explicit TnSheetPlanner(std::string report_name);
  void BeginSheet(const std::vector<std::string>& key) override;
  void Row(const TnSheetRow& row) override;
  void EndDocument() override {}
  TnSheetPlan Plan() const;

 private:
  std::string report_name_;
  std::map<int, size_t> body_lefts_;    // left -> longest text, in characters
  std::map<int, size_t> header_lefts_;  // the same for the page header
  std::vector<std::vector<std::string>> keys_;
};

}  // namespace vireo
