#include "host/core/convert.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"

namespace vireo {
namespace {

// Expects EConvertError with exactly the given message.
template <class F>
void ExpectConvertError(F f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "no error; expected: " << message;
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

TEST(StrToDate, ShortDateFormat) {
  EXPECT_EQ(StrToDate("05/03/2024"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate("5/3/2024"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate("31/12/99"), EncodeDate(1999, 12, 31));
  EXPECT_EQ(StrToDate("01/01/24"), EncodeDate(2024, 1, 1));
  EXPECT_EQ(StrToDate(" 29/02/2024 "), EncodeDate(2024, 2, 29));
}

TEST(StrToDate, Iso) {
  EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate("2024-3-5"), EncodeDate(2024, 3, 5));
}

TEST(StrToDate, RefusesOtherTexts) {
  for (const char* text :
       {"", "abc", "31/02/2024", "29/02/2023", "05/03", "05/03/2024x", "005/03/2024", "05/03/202",
        "2024/03/05", "05-03-2024", "05/03-2024", "05/13/2024", "2024-03-05 10:00"}) {
    TDateTime out = 0;
    EXPECT_FALSE(TryStrToDate(text, out)) << text;
  }
  ExpectConvertError([] { StrToDate("31/02/2024"); }, "'31/02/2024' não é uma data válida");
  EXPECT_EQ(StrToDateDef("nada", 7), 7);
}

TEST(StrToDate, FollowsTheLocaleOrder) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings.ShortDateFormat = "mm/dd/yyyy";
  EXPECT_EQ(StrToDate("03/05/2024"), EncodeDate(2024, 3, 5));
  FormatSettings = saved;
}

TEST(StrToDateTime, DateWithOptionalTime) {
  EXPECT_EQ(StrToDateTime("05/03/2024"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDateTime("05/03/2024 14:30"), EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0));
  EXPECT_EQ(StrToDateTime("2024-03-05T14:30:15.5"),
            EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 15, 500));
  EXPECT_EQ(StrToTime("8:05:01"), EncodeTime(8, 5, 1));
  ExpectConvertError([] { StrToDateTime("05/03/2024 25:00"); },
                     "'05/03/2024 25:00' não é uma data e hora válida");
  ExpectConvertError([] { StrToTime("14:3"); }, "'14:3' não é uma hora válida");
}

TEST(StrToInt, SignsBlanksAndHex) {
  EXPECT_EQ(StrToInt(" 42 "), 42);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("-12"), -12);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt("0x1a"), 26);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483648LL);
  EXPECT_EQ(StrToInt64("9223372036854775807"), 9223372036854775807LL);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), -9223372036854775807LL - 1);
}

TEST(StrToInt, RefusesMalformedAndOverflowingTexts) {
  for (const char* text : {"", " ", "-", "12a", "1 2", "1,0", "1.000", "0x", "$"}) {
    int64_t out = 0;
    EXPECT_FALSE(TryStrToInt64(text, out)) << text;
  }
  ExpectConvertError([] { StrToInt("12a"); }, "'12a' não é um valor inteiro válido");
  ExpectConvertError([] { StrToInt("2147483648"); }, "'2147483648' não é um valor inteiro válido");
  EXPECT_EQ(StrToInt64("2147483648"), 2147483648LL);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_THROW(StrToInt64("-9223372036854775809"), EConvertError);
  EXPECT_THROW(StrToInt64("99999999999999999999"), EConvertError);
  EXPECT_EQ(StrToIntDef("x", -1), -1);
  EXPECT_EQ(StrToInt64Def("5", -1), 5);
}

TEST(StrToFloat, UsesOnlyTheLocaleDecimalSeparator) {
  EXPECT_EQ(StrToFloat("1234,5"), 1234.5);
  EXPECT_EQ(StrToFloat(" -0,25 "), -0.25);
  EXPECT_EQ(StrToFloat(",5"), 0.5);
  EXPECT_EQ(StrToFloat("5,"), 5);
  EXPECT_EQ(StrToFloat("1e3"), 1000);
  EXPECT_EQ(StrToFloat("1,5E-2"), 0.015);
  for (const char* text : {"", ",", "-", "1.5", "1.234,5", "1,2,3", "1e", "abc", "1e+", "inf"}) {
    double out = 0;
    EXPECT_FALSE(TryStrToFloat(text, out)) << text;
  }
  ExpectConvertError([] { StrToFloat("1.5"); }, "'1.5' não é um valor de ponto flutuante válido");
  EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5);
  TFormatSettings us;
  us.DecimalSeparator = '.';
  double out = 0;
  EXPECT_TRUE(TryStrToFloat("1.5", out, us));
  EXPECT_EQ(out, 1.5);
}

TEST(StrToBool, WordsOfBothLanguagesAndWholeNumbers) {
  for (const char* text : {"True", "true", " TRUE ", "Sim", "SIM", "1", "-3", "12"})
    EXPECT_TRUE(StrToBool(text)) << text;
  for (const char* text : {"False", "false", "Não", "NÃO", "nao", "0", " 0 "})
    EXPECT_FALSE(StrToBool(text)) << text;
  for (const char* text : {"", "yes", "S", "1,5", "verdadeiro", "True1"}) {
    bool out = true;
    EXPECT_FALSE(TryStrToBool(text, out)) << text;
  }
  ExpectConvertError([] { StrToBool("talvez"); }, "'talvez' não é um valor booleano válido");
  EXPECT_TRUE(StrToBoolDef("x", true));
  EXPECT_FALSE(StrToBoolDef("false", true));
}

TEST(IntToHex, UpperCaseZeroPadded) {
  EXPECT_EQ(IntToHex(255, 2), "FF");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x1234abc, 2), "1234ABC");
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(IntToHex(-1, 4), "FFFFFFFFFFFFFFFF");
}

}  // namespace
}  // namespace vireo
