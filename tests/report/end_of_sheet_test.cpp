// Closing the rest of a sheet (InvalidarFinalFolha).
#include "host/report/end_of_sheet.h"

#include <gtest/gtest.h>

#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

TEST(EndOfSheet, FillsTheRestWithADiagonalThenEndsThePage) {
  TnrwReport engine(test::TestLayout());
  test::TestReport report(&engine);
  test::PrintRun run;
  std::vector<std::string> r9;
  engine.OnSectionPrint = [&](TObject*, int section) {
    if (section == 15) r9.push_back(engine.GetValues("R9"));
  };
  report.body = [&](test::TestReport&) {
    for (int i = 0; i < 5; ++i) engine.RepPrintSection(10);  // 200 pixels left
    engine.SetValues("R9", "antes");
    InvalidarFinalFolha(&engine, 15, 17, "R9");
    EXPECT_EQ(engine.GetValues("R9"), "antes");
    engine.RepPrintSection(10);
  };
  test::Print(engine, report, run);

  // 9 lines of section 15 and the closing section 17 fill the 200 pixels.
  ASSERT_EQ(r9.size(), 9u);
  EXPECT_EQ(r9.front(), "**");
  EXPECT_EQ(r9.back(), std::string(78, ' ') + "**");  // label of 80 columns
  for (size_t i = 1; i < r9.size(); ++i) EXPECT_GT(r9[i].size(), r9[i - 1].size());
  std::vector<std::pair<int, int>> expected = {{1, 1}};
  for (int i = 0; i < 5; ++i) expected.emplace_back(1, 10);
  for (int i = 0; i < 9; ++i) expected.emplace_back(1, 15);
  expected.insert(expected.end(), {{1, 17}, {1, 3}, {2, 1}, {2, 10}, {2, 3}});
  EXPECT_EQ(test::Sections(run.trace), expected);
}

TEST(EndOfSheet, DoesNothingWithoutAnOpenPage) {
  TnrwReport engine(test::TestLayout());
  engine.BeginPrint();
  InvalidarFinalFolha(&engine, 15, 17, "R9");
  EXPECT_EQ(engine.PageNumber(), 0);
  engine.RepPrintSection(10);
  engine.RepEndOfPage(true);
  InvalidarFinalFolha(&engine, 15, 17, "R9");  // the page already ended
  EXPECT_DOUBLE_EQ(engine.RemainingHeight(), 300 - 20);
}

}  // namespace
}  // namespace vireo
