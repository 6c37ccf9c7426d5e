#include <gtest/gtest.h>

#include <cmath>

#include "host/core/format.h"

namespace vireo {
namespace {

TEST(FormatFloat, GroupsThousandsWithLocaleSeparators) {
  EXPECT_EQ(FormatFloat("#,##0.00", 0), "0,00");
  EXPECT_EQ(FormatFloat("#,##0.00", 999), "999,00");
  EXPECT_EQ(FormatFloat("#,##0.00", 1000), "1.000,00");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1.234.567,89");
  EXPECT_EQ(FormatFloat("#,##0.00", 0.5), "0,50");
  EXPECT_EQ(FormatFloat("#,##0.00", -1234.5), "-1.234,50");
  // More digits than the mask has placeholders all go in front.
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567890123.0), "1.234.567.890.123,00");
  EXPECT_EQ(FormatFloat("##,###,##0.00", 1234.5), "1.234,50");
  EXPECT_EQ(FormatFloat("##,###,##0.00", 123456789.5), "123.456.789,50");
}

TEST(FormatFloat, RoundsHalfAwayFromZeroOnDecimalDigits) {
  EXPECT_EQ(FormatFloat("#,##0.00", 0.125), "0,13");
  EXPECT_EQ(FormatFloat("#,##0.00", 2.675), "2,68");
  EXPECT_EQ(FormatFloat("0.00", 1.005), "1,01");
  EXPECT_EQ(FormatFloat("#,##0.00", -0.125), "-0,13");
  EXPECT_EQ(FormatFloat("#,##0.00", 999.995), "1.000,00");
  EXPECT_EQ(FormatFloat("0.00", 0.994), "0,99");
  EXPECT_EQ(FormatFloat("0000", 7.5), "0008");
  EXPECT_EQ(FormatFloat("#,##0.00", 0.1 + 0.2), "0,30");
}

TEST(FormatFloat, NegativeSectionGetsValueWithoutSign) {
  EXPECT_EQ(FormatFloat("#,##0.00;(#,##0.00)", -1234.5), "(1.234,50)");
  EXPECT_EQ(FormatFloat("#,##0.00;(#,##0.00)", 1234.5), "1.234,50");
  EXPECT_EQ(FormatFloat("#,##0.00;(#,##0.00)", -0.005), "(0,01)");
  EXPECT_EQ(FormatFloat("(#,##0.00);#,##0.00", 1234.5), "(1.234,50)");
  EXPECT_EQ(FormatFloat("(#,##0.00);#,##0.00", -1234.5), "1.234,50");
  EXPECT_EQ(FormatFloat("##0.000;-##0.000", -0.5), "-0,500");
  EXPECT_EQ(FormatFloat("##0.000;-##0.000", -1234.5678), "-1234,568");
  EXPECT_EQ(FormatFloat("##0.000;-##0.000", 0.5), "0,500");
}

TEST(FormatFloat, DebitCreditLetters) {
  EXPECT_EQ(FormatFloat("#,##0.00D;#,##0.00C", -10), "10,00C");
  EXPECT_EQ(FormatFloat("#,##0.00D;#,##0.00C", 10), "10,00D");
  EXPECT_EQ(FormatFloat("#,##0.00D;#,##0.00C", 0), "0,00D");
  EXPECT_EQ(FormatFloat("#,##0.00D;#,##0.00C", -98765.432), "98.765,43C");
  EXPECT_EQ(FormatFloat("#,##0.00C;#,##0.00D", -10), "10,00D");
}

TEST(FormatFloat, ValueRoundingToZeroShowsNoSign) {
  EXPECT_EQ(FormatFloat("#,##0.00", -0.004), "0,00");
  EXPECT_EQ(FormatFloat("#,##0.00;(#,##0.00)", -0.004), "0,00");
  EXPECT_EQ(FormatFloat("##0.000;-##0.000", -0.0004), "0,000");
  EXPECT_EQ(FormatFloat("#,##0.00D;#,##0.00C", -0.001), "0,00D");
  EXPECT_EQ(FormatFloat("#,##0.00", -0.0), "0,00");
}

TEST(FormatFloat, ZeroSection) {
  EXPECT_EQ(FormatFloat("0.00;(0.00);'zero'", 0), "zero");
  EXPECT_EQ(FormatFloat("0.00;(0.00);'zero'", -0.001), "zero");
  EXPECT_EQ(FormatFloat("0.00;(0.00);'zero'", 2), "2,00");
  // An empty section falls back to the first one, with a sign if negative.
  EXPECT_EQ(FormatFloat("0.00;;'zero'", -2), "-2,00");
}

TEST(FormatFloat, PercentAndLiteralsStayInPlace) {
  EXPECT_EQ(FormatFloat("##,###,##0.00%", 12.345), "12,35%");
  EXPECT_EQ(FormatFloat("##,###,##0.00%", 1234.5), "1.234,50%");
  EXPECT_EQ(FormatFloat("'R$ '#,##0.00", 5), "R$ 5,00");
  EXPECT_EQ(FormatFloat("\"total: \"0", 12), "total: 12");
  EXPECT_EQ(FormatFloat("0.00 'un;id'", 1), "1,00 un;id");
}

TEST(FormatFloat, ZeroPaddedIntegers) {
  EXPECT_EQ(FormatFloat("0000", 7), "0007");
  EXPECT_EQ(FormatFloat("0000", 0), "0000");
  EXPECT_EQ(FormatFloat("0000", 12345), "12345");
  EXPECT_EQ(FormatFloat("0000", -7), "-0007");
  EXPECT_EQ(FormatFloat("00000", 42), "00042");
}

TEST(FormatFloat, OptionalDecimals) {
  EXPECT_EQ(FormatFloat("0.##", 1.5), "1,5");
  EXPECT_EQ(FormatFloat("0.##", 1), "1");
  EXPECT_EQ(FormatFloat("0.0#", 1.25), "1,25");
  EXPECT_EQ(FormatFloat("0.0#", 1), "1,0");
  EXPECT_EQ(FormatFloat("#.00", 0.5), ",50");
}

TEST(FormatFloat, ExplicitSettings) {
  TFormatSettings us;
  us.ThousandSeparator = ',';
  us.DecimalSeparator = '.';
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, us), "1,234,567.89");
  EXPECT_EQ(FormatFloat("#,##0.00;(#,##0.00)", -1234.5, us), "(1,234.50)");
}

TEST(FormatFloat, EmptyMaskAndNonFiniteValues) {
  EXPECT_EQ(FormatFloat("", 1234.5), "1234,5");
  EXPECT_EQ(FormatFloat("0.00", std::nan("")), "NAN");
  EXPECT_EQ(FormatFloat("0.00", -INFINITY), "-INF");
}

TEST(FloatToStr, ShortestTextWithLocaleSeparator) {
  EXPECT_EQ(FloatToStr(1234.5), "1234,5");
  EXPECT_EQ(FloatToStr(0.1), "0,1");
  EXPECT_EQ(FloatToStr(-3), "-3");
  EXPECT_EQ(FloatToStr(0), "0");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0,333333333333333");
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStr(-1.5e-6), "-1,5E-6");
  EXPECT_EQ(CurrToStr(2.00004), "2");
  EXPECT_EQ(CurrToStr(-1.23456), "-1,2346");
  EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
}

}  // namespace
}  // namespace vireo
