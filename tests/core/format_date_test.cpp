#include <gtest/gtest.h>

#include "host/core/format.h"

namespace vireo {
namespace {

// Tuesday 05/03/2024 14:07:09.045
const TDateTime kMoment = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);

TEST(FormatDateTime, NumericTokens) {
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy", kMoment), "05/03/2024");
  EXPECT_EQ(FormatDateTime("d/m/yy", kMoment), "5/3/24");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", kMoment), "2024-03-05");
  EXPECT_EQ(FormatDateTime("hh:nn:ss", kMoment), "14:07:09");
  EXPECT_EQ(FormatDateTime("h:n:s.zzz", kMoment), "14:7:9.045");
  EXPECT_EQ(FormatDateTime("z", kMoment), "45");
}

TEST(FormatDateTime, TokensIgnoreCase) {
  EXPECT_EQ(FormatDateTime("dd/MM/yyyy", kMoment), "05/03/2024");
  EXPECT_EQ(FormatDateTime("DD/MM/YYYY HH:NN", kMoment), "05/03/2024 14:07");
}

TEST(FormatDateTime, MonthTokenAfterHourMeansMinutes) {
  EXPECT_EQ(FormatDateTime("hh:mm", kMoment), "14:07");
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:mm", kMoment), "05/03/2024 14:07");
  EXPECT_EQ(FormatDateTime("hh'h'mm", kMoment), "14h07");
  EXPECT_EQ(FormatDateTime("mm hh", kMoment), "03 14");
}

TEST(FormatDateTime, PortugueseNames) {
  EXPECT_EQ(FormatDateTime("mmmm", kMoment), "março");
  EXPECT_EQ(FormatDateTime("mmm/yyyy", kMoment), "mar/2024");
  EXPECT_EQ(FormatDateTime("ddd", kMoment), "ter");
  EXPECT_EQ(FormatDateTime("dddd", kMoment), "terça-feira");
  EXPECT_EQ(FormatDateTime("dddddd", kMoment), "terça-feira, 5 de março de 2024");
  EXPECT_EQ(FormatDateTime("mmmm", EncodeDate(2024, 12, 1)), "dezembro");
}

TEST(FormatDateTime, QuotedTextIsLiteral) {
  EXPECT_EQ(FormatDateTime("'Emitido em' dd/mm", kMoment), "Emitido em 05/03");
  EXPECT_EQ(FormatDateTime("\"dia\" d", kMoment), "dia 5");
}

TEST(FormatDateTime, SeparatorsComeFromSettings) {
  TFormatSettings fs;
  fs.DateSeparator = '-';
  fs.TimeSeparator = '.';
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", kMoment, fs), "05-03-2024 14.07");
  EXPECT_EQ(FormatDateTime("ddddd", kMoment, fs), "05-03-2024");
}

TEST(FormatDateTime, CompositeTokens) {
  EXPECT_EQ(FormatDateTime("c", kMoment), "05/03/2024 14:07:09");
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "05/03/2024");
  EXPECT_EQ(FormatDateTime("", EncodeDate(2024, 3, 5)), "05/03/2024");
  EXPECT_EQ(FormatDateTime("ddddd", kMoment), "05/03/2024");
  EXPECT_EQ(FormatDateTime("t", kMoment), "14:07");
  EXPECT_EQ(FormatDateTime("tt", kMoment), "14:07:09");
}

TEST(FormatDateTime, TextForms) {
  EXPECT_EQ(DateToStr(kMoment), "05/03/2024");
  EXPECT_EQ(TimeToStr(kMoment), "14:07:09");
  EXPECT_EQ(DateTimeToStr(kMoment), "05/03/2024 14:07:09");
  EXPECT_EQ(DateTimeToStr(EncodeDate(1999, 12, 31)), "31/12/1999");
}

}  // namespace
}  // namespace vireo
