// What a printed text becomes in a spreadsheet cell: the amounts of the
// reports' masks as numbers whose format prints them again, dates as dates,
// codes and classifications as text.
#include <gtest/gtest.h>

#include <cmath>

#include "host/core/format.h"
#include "host/report/render/sheet_cell.h"

namespace vireo {
namespace {

TnSheetValue Parse(const std::string& text) { return ParseSheetValue(text, TFormatSettings{}); }

void ExpectNumber(const std::string& text, double value, const std::string& format) {
  SCOPED_TRACE(text);
  const TnSheetValue v = Parse(text);
  ASSERT_EQ(v.kind, TnSheetKind::kNumber);
  EXPECT_DOUBLE_EQ(v.number, value);
  EXPECT_EQ(v.format, format);
}

void ExpectText(const std::string& text) {
  SCOPED_TRACE(text);
  const TnSheetValue v = Parse(text);
  EXPECT_EQ(v.kind, TnSheetKind::kText);
  EXPECT_EQ(v.text, text);
}

TEST(SheetValueTest, AmountsOfTheMasksBecomeSignedNumbersWithTheirFormat) {
  ExpectNumber("1.500,00", 1500, "#,##0.00");
  ExpectNumber("-1.500,50", -1500.5, "#,##0.00");
  ExpectNumber("12,50", 12.5, "#,##0.00");
  ExpectNumber("1234567,891", 1234567.891, "0.000");  // no grouping in the mask
  // Debit positive, credit negative, whatever the nature of the account.
  ExpectNumber("1.500,00D", 1500, "#,##0.00\"D\";#,##0.00\"C\"");
  ExpectNumber("1.500,00C", -1500, "#,##0.00\"D\";#,##0.00\"C\"");
  // Zero keeps the letter the report printed.
  ExpectNumber("0,00C", 0, "#,##0.00\"D\";#,##0.00\"C\";#,##0.00\"C\"");
  // Parentheses: negative; the blank of a positive amount of that mask
  // gives the same format.
  ExpectNumber("(250,00)", -250, "#,##0.00_);(#,##0.00)");
  ExpectNumber("1.234.567,89 ", 1234567.89, "#,##0.00_);(#,##0.00)");
  ExpectNumber("0,00 ", 0, "#,##0.00_);(#,##0.00)");
  EXPECT_FALSE(std::signbit(Parse("(0,00)").number));
  // Percentages are fractions.
  ExpectNumber("12,50%", 0.125, "#,##0.00%");
  ExpectNumber("-3,125%", -0.03125, "#,##0.000%");
  // Whole numbers without leading zeros.
  ExpectNumber("76", 76, "#,##0");
  ExpectNumber("0", 0, "#,##0");
  ExpectNumber("12345", 12345, "0");
}

TEST(SheetValueTest, CodesClassificationsAndOtherTextsStayText) {
  ExpectText("0001");  // a code with leading zeros
  ExpectText("0001 Empresa Um Ltda");
  ExpectText("1.100");  // grouped digits without decimals: a classification
  ExpectText("1.1.01");
  ExpectText("1.1.01.001");
  ExpectText("11.111.111/0001-11");
  ExpectText("1.50,00");      // a group of two digits
  ExpectText("1,500.00");     // other locale's separators
  ExpectText("(1.500,00D)");  // letters and parentheses do not mix
  ExpectText("-1.500,00C");
  ExpectText("1234567890123456");  // more digits than a double keeps
  ExpectText("12,5a");
  ExpectText("D");
  ExpectText("-");
  ExpectText("()");
  ExpectText("Saldo anterior");
  EXPECT_EQ(Parse("").kind, TnSheetKind::kEmpty);
  EXPECT_EQ(Parse("   ").kind, TnSheetKind::kEmpty);
}

TEST(SheetValueTest, DatesThatExistBecomeDates) {
  TnSheetValue v = Parse("29/02/2024");
  ASSERT_EQ(v.kind, TnSheetKind::kDate);
  EXPECT_EQ(v.year, 2024);
  EXPECT_EQ(v.month, 2);
  EXPECT_EQ(v.day, 29);
  EXPECT_EQ(v.format, "dd/mm/yyyy");
  ExpectText("29/02/2023");  // no such day
  ExpectText("31/12/1899");  // before the first date a spreadsheet holds
  ExpectText("1/2/2024");
  ExpectText("01/2024");
  ExpectText("01/01/2025 a 31/12/2025");
}

TEST(SheetValueTest, FollowsTheLocaleSeparators) {
  TFormatSettings us;
  us.ThousandSeparator = ',';
  us.DecimalSeparator = '.';
  const TnSheetValue v = ParseSheetValue("1,500.25C", us);
  ASSERT_EQ(v.kind, TnSheetKind::kNumber);
  EXPECT_DOUBLE_EQ(v.number, -1500.25);
  EXPECT_EQ(ParseSheetValue("1.500,00", us).kind, TnSheetKind::kText);
}

}  // namespace
}  // namespace vireo
