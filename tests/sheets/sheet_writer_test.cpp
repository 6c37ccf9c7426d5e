// The XLSX and CSV writers on pages drawn by hand: a sheet that reaches the
// row limit goes on under the same header, texts a cell cannot hold are
// mended, a CSV text a spreadsheet would run as a formula is defused, and a
// workbook that cannot be written says where.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "host/core/exception.h"
#include "host/report/render/sheet_csv.h"
#include "host/report/render/sheet_table.h"
#include "host/report/render/sheet_xlsx.h"
#include "tests/sheets/sheet_pages.h"
#include "tests/support/xlsx_reader.h"

namespace vireo {
namespace {

namespace fs = std::filesystem;
using test::ReadXlsx;
using test::XlsxSheet;

class SheetWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vireo-sheets-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    SetXlsxRowLimitForTests(kXlsxRows);
    fs::remove_all(dir_);
  }
  static constexpr long kXlsxRows = 1048576;

  // Both passes over the same pages, as the engine makes them.
  template <class Draw>
  TnSheetPlan Plan(const Draw& draw) {
    auto planner = std::make_unique<TnSheetPlanner>("rptX");
    TnSheetPlanner* p = planner.get();
    TnSheetCanvas scan(std::move(planner));
    draw(scan);
    return p->Plan();
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string dir_;
};

TEST_F(SheetWriterTest, ASheetAtTheRowLimitGoesOnUnderTheSameHeader) {
  auto draw = [](TnCanvas& c) {
    Pages p(c);
    p.Page("0001 Um", true);
    for (int i = 0; i < 10; ++i) p.Line(60 + 14 * i, std::to_string(i + 1), "1,00 ");
    p.Footer();
    p.End();
  };
  const TnSheetPlan plan = Plan(draw);
  SetXlsxRowLimitForTests(6);
  const std::string path = dir_ + "/x.xlsx";
  draw(*MakeXlsxCanvas(path, plan));
  const std::vector<XlsxSheet> sheets = ReadXlsx(path);
  ASSERT_EQ(sheets.size(), 4u);
  EXPECT_EQ(sheets[0].name, "rptX");
  EXPECT_EQ(sheets[1].name, "rptX (2)");
  int body = 0;
  double sum = 0;
  for (const XlsxSheet& s : sheets) {
    EXPECT_EQ(s.frozen_rows, 3);
    EXPECT_EQ(s.Text(0, 0), "Balancete");
    EXPECT_EQ(s.Text(2, 1), "Saldo");
    for (int r = 3; s.rows.count(r); ++r, ++body) sum += s.At(r, 1)->value;
  }
  EXPECT_EQ(body, 10);
  EXPECT_DOUBLE_EQ(sum, 10);
}

TEST_F(SheetWriterTest, TextsACellCannotHoldAreMendedAndStylesKept) {
  const std::string longo(40000, 'x');
  auto draw = [&](TnCanvas& c) {
    Pages p(c);
    p.Section(8, TnSectionRole::kBody);
    p.Text(0, 10,
           "a\x01"
           "b",
           true);
    p.Text(100, 10, longo);
    p.Text(200, 10, "Conta [1/2]: *?");
    p.End();
  };
  const TnSheetPlan plan = Plan(draw);
  const std::string path = dir_ + "/x.xlsx";
  draw(*MakeXlsxCanvas(path, plan));
  const std::vector<XlsxSheet> sheets = ReadXlsx(path);
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0].Text(0, 0), "a b");
  EXPECT_TRUE(sheets[0].At(0, 0)->bold);
  EXPECT_EQ(sheets[0].Text(0, 1).size(), 32767u);
  EXPECT_EQ(sheets[0].Text(0, 2), "Conta [1/2]: *?");
  EXPECT_EQ(sheets[0].frozen_rows, 0);
}

TEST_F(SheetWriterTest, SheetNamesLoseWhatTheProgramRefusesAndStayUnique) {
  auto draw = [](TnCanvas& c) {
    Pages p(c);
    for (const char* company :
         {"A/B: [1]", "A/B: [2]", "Uma empresa de nome muito mais longo que 31"}) {
      p.Page(company, true);
      p.Line(60, "1", "1,00 ");
      p.Footer();
    }
    p.End();
  };
  const TnSheetPlan plan = Plan(draw);
  const std::string path = dir_ + "/x.xlsx";
  draw(*MakeXlsxCanvas(path, plan));
  const std::vector<XlsxSheet> sheets = ReadXlsx(path);
  ASSERT_EQ(sheets.size(), 3u);
  EXPECT_EQ(sheets[0].name, "A-B- -1-");
  EXPECT_EQ(sheets[1].name, "A-B- -2-");
  EXPECT_EQ(sheets[2].name, "Uma empresa de nome muito mais ");
}

TEST_F(SheetWriterTest, CsvQuotesSeparatorsAndDefusesFormulas) {
  auto draw = [](TnCanvas& c) {
    Pages p(c);
    p.Page("0001 Um", true);
    p.Line(60, "=HYPERLINK(\"x\")", "(1.500,25)");
    p.Line(80, "a;b", "-2,50");
    p.Footer();
    p.Page("0002 Dois", true);
    p.Line(60, "+1", "3,00C");
    p.End();
  };
  const TnSheetPlan plan = Plan(draw);
  const std::string path = dir_ + "/x.csv";
  draw(*MakeCsvCanvas(path, plan, ','));
  const std::string csv = Read(path);
  const std::string expected =
      "\xEF\xBB\xBF"
      "Balancete;\r\n0001 Um;\r\nConta;Saldo\r\n"
      "\"'=HYPERLINK(\"\"x\"\")\";-1500,25\r\n\"a;b\";-2,5\r\n"
      "\r\n"
      "Balancete;\r\n0002 Dois;\r\nConta;Saldo\r\n'+1;-3\r\n";
  EXPECT_EQ(csv, expected);
}

TEST_F(SheetWriterTest, AWorkbookThatCannotBeWrittenNamesItsPath) {
  auto draw = [](TnCanvas& c) {
    Pages p(c);
    p.Line(60, "1", "1,00 ");
    p.End();
  };
  const TnSheetPlan plan = Plan(draw);
  const std::string path = dir_ + "/missing/x.xlsx";
  try {
    draw(*MakeXlsxCanvas(path, plan));
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(path));
}

}  // namespace
}  // namespace vireo
