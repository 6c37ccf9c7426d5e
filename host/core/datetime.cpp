// Calendar arithmetic on TDateTime.
//
// A value is split into whole days and milliseconds of the day after rounding
// to the millisecond, so 23:59:59.9999 reads as the next midnight rather than
// as 23:59:59 with a stray fraction.  Before 30/12/1899 the day is the integer
// part truncated towards zero and the time of day is the absolute fraction,
// as in Delphi.
#include "host/core/datetime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <string>

#include "host/core/exception.h"

namespace vireo {

namespace {

constexpr int64_t kMsecPerDay = 86400000;
// Days from 01/01/1970 back to the TDateTime epoch, 30/12/1899.
constexpr int64_t kEpochOffset = 25569;

struct Moment {
  int64_t days;  // since 30/12/1899
  int64_t msec;  // of the day, 0 .. kMsecPerDay-1
};

Moment Split(TDateTime value) {
  const int64_t total = std::llround(value * kMsecPerDay);
  return {total / kMsecPerDay, std::abs(total) % kMsecPerDay};
}

// Days since 01/01/1970 of a proleptic Gregorian date (H. Hinnant's
// days_from_civil).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

TDateParts CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  TDateParts parts;
  parts.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  parts.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  parts.year = static_cast<int>(yoe + era * 400 + (parts.month <= 2));
  return parts;
}

TDateTime Serial(int year, int month, int day) {
  return static_cast<TDateTime>(DaysFromCivil(year, month, day) + kEpochOffset);
}

// A date plus a time of day; before the epoch the time counts away from zero.
TDateTime Combine(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInAMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInAMonth(year, month)) {
    return false;
  }
  out = Serial(year, month, day);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime out = 0;
  if (!TryEncodeDate(year, month, day, out)) {
    throw EConvertError("Data inválida: dia " + std::to_string(day) + ", mês " +
                        std::to_string(month) + ", ano " + std::to_string(year));
  }
  return out;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
      msec > 999) {
    throw EConvertError("Hora inválida: " + std::to_string(hour) + ":" + std::to_string(minute) +
                        ":" + std::to_string(second) + "." + std::to_string(msec));
  }
  const int64_t ms = ((hour * 60 + minute) * 60 + second) * 1000LL + msec;
  return static_cast<TDateTime>(ms) / kMsecPerDay;
}

TDateParts DecodeDate(TDateTime value) { return CivilFromDays(Split(value).days - kEpochOffset); }

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
  int64_t ms = Split(value).msec;
  msec = static_cast<int>(ms % 1000);
  ms /= 1000;
  second = static_cast<int>(ms % 60);
  ms /= 60;
  minute = static_cast<int>(ms % 60);
  hour = static_cast<int>(ms / 60);
}

int YearOf(TDateTime value) { return DecodeDate(value).year; }
int MonthOf(TDateTime value) { return DecodeDate(value).month; }
int DayOf(TDateTime value) { return DecodeDate(value).day; }

TDateTime DateOf(TDateTime value) { return static_cast<TDateTime>(Split(value).days); }

int DayOfWeek(TDateTime value) {
  // 30/12/1899 was a Saturday.
  const int64_t days = Split(value).days;
  return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime Now() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const int ms =
      static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return Serial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), ms);
}

TDateTime Date() { return DateOf(Now()); }

TDateTime IncDay(TDateTime value, int days) { return value + days; }

TDateTime IncMonth(TDateTime value, int months) {
  const TDateParts d = DecodeDate(value);
  const int64_t index = int64_t{d.year} * 12 + (d.month - 1) + months;
  const int year = static_cast<int>(index / 12);
  const int month = static_cast<int>(index % 12) + 1;
  const int day = std::min(d.day, DaysInAMonth(year, month));
  return Combine(EncodeDate(year, month, day), std::abs(value - DateOf(value)));
}

TDateTime StartOfTheMonth(TDateTime value) {
  const TDateParts d = DecodeDate(value);
  return Serial(d.year, d.month, 1);
}

TDateTime EndOfTheMonth(TDateTime value) {
  const TDateParts d = DecodeDate(value);
  return Combine(Serial(d.year, d.month, DaysInAMonth(d.year, d.month)),
                 EncodeTime(23, 59, 59, 999));
}

TDateTime StartOfTheYear(TDateTime value) { return Serial(YearOf(value), 1, 1); }

TDateTime EndOfTheYear(TDateTime value) {
  return Combine(Serial(YearOf(value), 12, 31), EncodeTime(23, 59, 59, 999));
}

int DaysBetween(TDateTime a, TDateTime b) {
  // Half a millisecond of slack so that values a hair short of a whole day
  // after arithmetic still count that day.
  return static_cast<int>(std::floor(std::abs(a - b) + 0.5 / kMsecPerDay));
}

int MonthsBetween(TDateTime a, TDateTime b) {
  const TDateParts from = DecodeDate(a);
  const TDateParts to = DecodeDate(b);
  const int64_t span = (int64_t{to.year} * 12 + to.month) - (int64_t{from.year} * 12 + from.month);
  return span < 0 ? 0 : static_cast<int>(span + 1);
}

}  // namespace vireo
