// TDateTime: a moment as days since 30/12/1899, the fraction being the time
// of day, and the calendar arithmetic the reports use.
#pragma once

#include "host/core/export.h"

namespace vireo {

using TDateTime = double;

// Calendar parts of a date.  Months and days count from 1.
struct VIREO_API TDateParts {
  int year = 0;
  int month = 0;
  int day = 0;
};

VIREO_API bool IsLeapYear(int year);
VIREO_API int DaysInAMonth(int year, int month);
// Raises EConvertError for a date that does not exist.
VIREO_API TDateTime EncodeDate(int year, int month, int day);
VIREO_API TDateTime EncodeTime(int hour, int minute, int second, int msec = 0);
VIREO_API bool TryEncodeDate(int year, int month, int day, TDateTime& out);
VIREO_API TDateParts DecodeDate(TDateTime value);
VIREO_API void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

VIREO_API int YearOf(TDateTime value);
VIREO_API int MonthOf(TDateTime value);
VIREO_API int DayOf(TDateTime value);
VIREO_API TDateTime DateOf(TDateTime value);  // midnight of the same day
VIREO_API int DayOfWeek(TDateTime value);     // 1 = Sunday .. 7 = Saturday
VIREO_API TDateTime Date();                   // today at midnight
VIREO_API TDateTime Now();
VIREO_API TDateTime IncDay(TDateTime value, int days = 1);
// Same day n months later; a day past the end of the target month becomes
// its last day (31 January + 1 month = 28 or 29 February).
VIREO_API TDateTime IncMonth(TDateTime value, int months = 1);
VIREO_API TDateTime StartOfTheMonth(TDateTime value);
VIREO_API TDateTime EndOfTheMonth(TDateTime value);  // last day, 23:59:59.999
VIREO_API TDateTime StartOfTheYear(TDateTime value);
VIREO_API TDateTime EndOfTheYear(TDateTime value);
VIREO_API int DaysBetween(TDateTime a, TDateTime b);
// Number of calendar months the period from a to b touches, counting both
// ends: 15 January to 10 March gives 3.  Zero when b is before a's month.
VIREO_API int MonthsBetween(TDateTime a, TDateTime b);

}  // namespace vireo
