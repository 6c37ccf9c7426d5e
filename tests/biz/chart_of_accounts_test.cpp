// The chart helpers of the balance entities: the tree test, the account
// selection and the compact selection text.
#include "host/biz/balance/chart_of_accounts.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"

namespace vireo::biz {
namespace {

ChartAccount Account(int64_t code, bool synthetic, const std::string& classification) {
  ChartAccount account;
  account.code = code;
  account.synthetic = synthetic;
  account.classification = classification;
  return account;
}

TEST(ChartOfAccountsTest, BelowMeansUnderTheAncestorAtASegmentBoundary) {
  EXPECT_TRUE(IsBelow("1", "1.1.01"));
  EXPECT_TRUE(IsBelow("1.1", "1.1.01.001"));
  EXPECT_FALSE(IsBelow("1.1", "1.10.01"));
  EXPECT_FALSE(IsBelow("1.1", "1.1"));
  EXPECT_FALSE(IsBelow("1.1.01", "1.1"));
  EXPECT_FALSE(IsBelow("", "1.1"));
  EXPECT_FALSE(IsBelow("2", "1.2"));
  // Classifications written without separators nest by prefix.
  EXPECT_TRUE(IsBelow("11", "1101"));
  EXPECT_FALSE(IsBelow("12", "1101"));
}

TEST(ChartOfAccountsTest, KeepsClassificationOrderAndGroupNatures) {
  const int natures[10] = {0, 1, -1};
  ChartOfAccounts chart(
      {Account(5, false, "2.1.01"), Account(3, false, "1.1.02"), Account(1, true, "1"),
       Account(2, true, "1.1"), Account(4, false, "1.1.01"), Account(6, false, "X.1")},
      natures);
  std::vector<int64_t> codes;
  for (const ChartAccount& account : chart.Accounts()) codes.push_back(account.code);
  EXPECT_EQ(codes, (std::vector<int64_t>{1, 2, 4, 3, 5, 6}));
  EXPECT_EQ(chart.Accounts()[chart.IndexOf(5)].nature, -1);
  EXPECT_EQ(chart.Accounts()[chart.IndexOf(4)].nature, 1);
  EXPECT_EQ(chart.Accounts()[chart.IndexOf(6)].group, 0);
  EXPECT_EQ(chart.IndexOf(99), -1);
  EXPECT_EQ(chart.AnalyticsBelow(chart.IndexOf(1)).size(), 2u);
  Notes notes;
  NoteUnknownNature(chart, chart.Accounts()[chart.IndexOf(6)], notes);
  EXPECT_NE(notes.Text().find("\"X.1\""), std::string::npos) << notes.Text();
}

TEST(ChartOfAccountsTest, ASelectionPicksAnalyticAccountsAndTheSubtreesOfSyntheticOnes) {
  const int natures[10] = {0, 1, -1};
  ChartOfAccounts chart(
      {Account(1, true, "1"), Account(2, true, "1.1"), Account(3, false, "1.1.01"),
       Account(4, false, "1.1.02"), Account(5, true, "2"), Account(6, false, "2.1.01")},
      natures);
  auto picked = [&](const std::string& selection, Notes& notes) {
    std::vector<bool> chosen = ChosenAnalytics(chart, selection, "pCodigoConta", notes);
    std::vector<int64_t> codes;
    for (size_t i = 0; i < chosen.size(); ++i) {
      if (chosen[i]) codes.push_back(chart.Accounts()[i].code);
    }
    return codes;
  };
  Notes notes;
  EXPECT_EQ(picked("", notes), (std::vector<int64_t>{3, 4, 6}));
  EXPECT_EQ(picked("2", notes), (std::vector<int64_t>{3, 4}));
  EXPECT_EQ(picked("4..6", notes), (std::vector<int64_t>{4, 6}));
  EXPECT_TRUE(notes.Empty());
  EXPECT_EQ(picked("6;40;50..60", notes), (std::vector<int64_t>{6}));
  EXPECT_EQ(notes.Text(),
            "A conta 40 da seleção não existe no plano de contas.\n"
            "Nenhuma conta do plano de contas no intervalo 50..60 da seleção.");
  EXPECT_THROW(picked("3..1", notes), EnParam);
}

TEST(ChartOfAccountsTest, SelectionTextIsCompactAndExact) {
  EXPECT_EQ(SelectionOf({}), "");
  EXPECT_EQ(SelectionOf({7}), "7");
  EXPECT_EQ(SelectionOf({4, 1, 2, 3, 3, 9, 11, 10}), "1..4;9..11");
  EXPECT_EQ(SelectionOf({5, 7}), "5;7");
}

}  // namespace
}  // namespace vireo::biz
