// The composed pages read as a table: header once per sheet, no footers, a
// sheet per company where the report breaks pages by company, rows from
// the tops of the texts, columns from their lefts.
#include "host/report/render/sheet_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/sheets/sheet_pages.h"

namespace vireo {
namespace {

// What the sink was given, as lines "sheet:<key>" and "<kind>|text@left|...".
struct Recorder : TnSheetSink {
  std::vector<std::string>* out;
  explicit Recorder(std::vector<std::string>* o) : out(o) {}
  void BeginSheet(const std::vector<std::string>& key) override {
    out->push_back("sheet:" + (key.empty() ? std::string() : key.front()));
  }
  void Row(const TnSheetRow& row) override {
    std::string line = row.kind == TnSheetRowKind::kPageHeader ? "P"
                       : row.kind == TnSheetRowKind::kHeading  ? "H"
                                                               : "B";
    for (const TnSheetText& t : row.texts) {
      line += "|" + t.text + "@" + std::to_string(static_cast<int>(t.left));
    }
    out->push_back(line);
  }
  void EndDocument() override { out->push_back("end"); }
};

TEST(SheetTableTest, HeaderOncePerSheetNoFootersAndASheetPerCompanyBreak) {
  std::vector<std::string> rows;
  TnSheetCanvas canvas(std::make_unique<Recorder>(&rows));
  Pages p(canvas);
  p.Page("0001 Um", true);
  p.Line(60, "1", "10,00 ");
  p.Footer();
  p.Page("0001 Um", false);  // ran full: same sheet, header left out
  p.Line(60, "2", "20,00 ");
  p.Footer();
  p.Page("0001 Um", true);  // a group break of the same company
  p.Line(60, "3", "30,00 ");
  p.Footer();
  p.Page("0002 Dois", true);  // the next company
  p.Line(60, "1", "(5,00)");
  p.Footer();
  p.End();
  const std::vector<std::string> expected = {"sheet:0001 Um",
                                             "P|Balancete@0",
                                             "P|0001 Um@0",
                                             "H|Conta@0|Saldo@100",
                                             "B|1@0|10,00 @100",
                                             "B|2@0|20,00 @100",
                                             "B|3@0|30,00 @100",
                                             "sheet:0002 Dois",
                                             "P|Balancete@0",
                                             "P|0002 Dois@0",
                                             "H|Conta@0|Saldo@100",
                                             "B|1@0|(5,00)@100",
                                             "end"};
  EXPECT_EQ(rows, expected);
}

TEST(SheetTableTest, ADifferentHeaderOnAPageThatRanFullStaysOnTheSheet) {
  std::vector<std::string> rows;
  TnSheetCanvas canvas(std::make_unique<Recorder>(&rows));
  Pages p(canvas);
  p.Page("A", true);
  p.Line(60, "1", "1,00 ");
  p.Page("B", false);
  p.Line(60, "2", "2,00 ");
  p.End();
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                          [](const std::string& r) { return r.rfind("sheet:", 0) == 0; }),
            1);
}

TEST(SheetTableTest, TextsOfASectionShareARowWithinHalfALineAndGoInLeftOrder) {
  std::vector<std::string> rows;
  TnSheetCanvas canvas(std::make_unique<Recorder>(&rows));
  Pages p(canvas);
  p.Section(13, TnSectionRole::kBody);
  p.Text(200, 105, "c");
  p.Text(0, 100, "a");
  p.Text(100, 120, "second row");
  p.Text(50, 103, "b");
  p.Text(300, 101, "   ");  // blank: no cell
  p.End();
  const std::vector<std::string> expected = {"sheet:", "B|a@0|b@50|c@200", "B|second row@100",
                                             "end"};
  EXPECT_EQ(rows, expected);
}

TEST(SheetTableTest, ColumnsFromBodyLeftsJoinNearOnesAndPlaceHeaderTextsAtOrBefore) {
  TnSheetPlanner planner("rptX");
  TnSheetRow header{TnSheetRowKind::kPageHeader, {{0, "Período:"}, {56, "01/01/2025"}, {132, "a"}}};
  TnSheetRow heading{TnSheetRowKind::kHeading, {{0, "Data"}, {55, "Histórico"}, {572, "Débito"}}};
  TnSheetRow body{TnSheetRowKind::kBody,
                  {{4, "Conta: 6"}, {106, "1.1.01.001"}, {574, std::string(100, 'x')}}};
  planner.BeginSheet({"", "01/01/2025"});
  for (const TnSheetRow* r : {&header, &heading, &body}) planner.Row(*r);
  const TnSheetPlan plan = planner.Plan();
  ASSERT_EQ(plan.ColumnCount(), 4);  // 0/4, 55, 106, 572/574
  EXPECT_EQ(plan.ColumnOf(56), 1);
  EXPECT_EQ(plan.ColumnOf(132), 2);
  EXPECT_EQ(plan.ColumnOf(-10), 0);
  EXPECT_EQ(plan.Width(3), 60);  // capped
  EXPECT_EQ(plan.SheetCount(), 1);
  EXPECT_EQ(plan.SheetName(0), "rptX");

  // Texts of one row in one column are joined.
  TnSheetRow two{TnSheetRowKind::kBody, {{55, "a"}, {60, "b", true}, {572, "c"}}};
  const std::vector<TnSheetCell> cells = plan.Cells(two);
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0].column, 1);
  EXPECT_EQ(cells[0].text, "a b");
  EXPECT_TRUE(cells[0].bold);
  EXPECT_EQ(cells[1].column, 3);
}

TEST(SheetTableTest, SheetsAreNamedAfterTheHeaderValueThatTellsThemApart) {
  TnSheetPlanner planner("rptX");
  planner.BeginSheet({"Balancete", "0001 Um", "01/03/2024"});
  planner.BeginSheet({"Balancete", "0002 Dois", "01/03/2024"});
  planner.BeginSheet({"Balancete", "", "01/03/2024"});
  const TnSheetPlan plan = planner.Plan();
  ASSERT_EQ(plan.SheetCount(), 3);
  EXPECT_EQ(plan.SheetName(0), "0001 Um");
  EXPECT_EQ(plan.SheetName(1), "0002 Dois");
  EXPECT_EQ(plan.SheetName(2), "rptX");
}

}  // namespace
}  // namespace vireo
