#include "host/core/datetime.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"

namespace vireo {
namespace {

void ExpectDate(TDateTime value, int year, int month, int day) {
  const TDateParts d = DecodeDate(value);
  EXPECT_EQ(d.year, year);
  EXPECT_EQ(d.month, month);
  EXPECT_EQ(d.day, day);
}

TEST(DateTime, SerialNumbersMatchDelphi) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2024, 1, 1), 45292);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
  ExpectDate(45292, 2024, 1, 1);
  ExpectDate(EncodeDate(2000, 2, 29), 2000, 2, 29);
  ExpectDate(EncodeDate(1, 1, 1), 1, 1, 1);
  ExpectDate(EncodeDate(9999, 12, 31), 9999, 12, 31);
}

TEST(DateTime, RefusesDatesThatDoNotExist) {
  TDateTime out = 0;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, out));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, out));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, out));
  EXPECT_FALSE(TryEncodeDate(2024, 13, 1, out));
  EXPECT_FALSE(TryEncodeDate(2024, 4, 31, out));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, out));
  EXPECT_THROW(EncodeDate(2024, 0, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0), EConvertError);
}

TEST(DateTime, TimeOfDay) {
  const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 15, 250);
  int h, m, s, ms;
  DecodeTime(t, h, m, s, ms);
  EXPECT_EQ(h, 14);
  EXPECT_EQ(m, 30);
  EXPECT_EQ(s, 15);
  EXPECT_EQ(ms, 250);
  EXPECT_EQ(DateOf(t), EncodeDate(2024, 3, 5));
  // A hair short of midnight reads as the next day, not as 23:59:59.
  const TDateTime almost = EncodeDate(2024, 3, 5) + 0.9999999999;
  ExpectDate(almost, 2024, 3, 6);
  DecodeTime(almost, h, m, s, ms);
  EXPECT_EQ(h + m + s + ms, 0);
}

TEST(DateTime, BeforeTheEpochTimeCountsAwayFromZero) {
  // -1.25 is 29/12/1899 at 06:00.
  ExpectDate(-1.25, 1899, 12, 29);
  int h, m, s, ms;
  DecodeTime(-1.25, h, m, s, ms);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(DateOf(-1.25), -1);
}

TEST(DateTime, WeekdaysAndParts) {
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2);  // Monday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);
  const TDateTime d = EncodeDate(2023, 7, 9);
  EXPECT_EQ(YearOf(d), 2023);
  EXPECT_EQ(MonthOf(d), 7);
  EXPECT_EQ(DayOf(d), 9);
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(2100, 2), 28);
}

TEST(IncMonth, ClampsTheDayToTheTargetMonth) {
  EXPECT_EQ(IncMonth(EncodeDate(2023, 1, 31)), EncodeDate(2023, 2, 28));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 2, 29), 12), EncodeDate(2025, 2, 28));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 2, 29), 48), EncodeDate(2028, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -1), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2023, 11, 15), 3), EncodeDate(2024, 2, 15));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -13), EncodeDate(2022, 12, 15));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 5, 31), 0), EncodeDate(2024, 5, 31));
}

TEST(IncMonth, KeepsTheTimeOfDay) {
  const TDateTime noon = EncodeTime(12, 0, 0);
  EXPECT_EQ(IncMonth(EncodeDate(2023, 1, 31) + noon), EncodeDate(2023, 2, 28) + noon);
  EXPECT_EQ(IncDay(EncodeDate(2023, 12, 31), 1), EncodeDate(2024, 1, 1));
}

TEST(DateTime, StartAndEndOfPeriods) {
  const TDateTime d = EncodeDate(2024, 2, 10) + EncodeTime(8, 0, 0);
  EXPECT_EQ(StartOfTheMonth(d), EncodeDate(2024, 2, 1));
  EXPECT_EQ(EndOfTheMonth(d), EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999));
  EXPECT_EQ(DateOf(EndOfTheMonth(EncodeDate(2023, 2, 1))), EncodeDate(2023, 2, 28));
  EXPECT_EQ(DateOf(EndOfTheMonth(EncodeDate(2023, 12, 31))), EncodeDate(2023, 12, 31));
  EXPECT_EQ(StartOfTheYear(d), EncodeDate(2024, 1, 1));
  EXPECT_EQ(EndOfTheYear(d), EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 59, 999));
}

TEST(DateTime, DaysBetweenCountsWholeDays) {
  EXPECT_EQ(DaysBetween(EncodeDate(2024, 1, 1), EncodeDate(2024, 3, 1)), 60);
  EXPECT_EQ(DaysBetween(EncodeDate(2024, 3, 1), EncodeDate(2024, 1, 1)), 60);
  EXPECT_EQ(DaysBetween(EncodeDate(2024, 1, 1), EncodeDate(2024, 1, 1) + 0.99), 0);
  EXPECT_EQ(DaysBetween(EncodeDate(2024, 1, 1) + EncodeTime(10, 0, 0),
                        EncodeDate(2024, 1, 2) + EncodeTime(10, 0, 0)),
            1);
}

TEST(MonthsBetween, CountsCalendarMonthsTouched) {
  EXPECT_EQ(MonthsBetween(EncodeDate(2024, 1, 15), EncodeDate(2024, 3, 10)), 3);
  EXPECT_EQ(MonthsBetween(EncodeDate(2024, 1, 1), EncodeDate(2024, 1, 31)), 1);
  EXPECT_EQ(MonthsBetween(EncodeDate(2024, 1, 31), EncodeDate(2024, 2, 1)), 2);
  EXPECT_EQ(MonthsBetween(EncodeDate(2023, 11, 15), EncodeDate(2024, 2, 10)), 4);
  EXPECT_EQ(MonthsBetween(EncodeDate(2023, 1, 1), EncodeDate(2024, 12, 31)), 24);
  EXPECT_EQ(MonthsBetween(EncodeDate(2024, 3, 10), EncodeDate(2024, 1, 15)), 0);
  EXPECT_EQ(MonthsBetween(EncodeDate(2024, 3, 20), EncodeDate(2024, 3, 10)), 1);
}

TEST(DateTime, NowIsToday) {
  const TDateTime now = Now();
  EXPECT_EQ(Date(), DateOf(now));
  EXPECT_GT(now, EncodeDate(2020, 1, 1));
}

}  // namespace
}  // namespace vireo
