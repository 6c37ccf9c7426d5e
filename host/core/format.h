// Locale settings and the formatting of numbers and dates as text.
//
// FormatSettings is the process-wide locale, Brazilian by default: "." groups
// thousands, "," marks decimals, dates read dd/mm/yyyy.  Each function that
// depends on it also has a form that takes the settings explicitly.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "host/core/datetime.h"
#include "host/core/export.h"

namespace vireo {

struct VIREO_API TFormatSettings {
  char ThousandSeparator = '.';
  char DecimalSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "dd/mm/yyyy";
  std::string LongDateFormat = "dddd, d 'de' mmmm 'de' yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::array<std::string, 12> ShortMonthNames = {"jan", "fev", "mar", "abr", "mai", "jun",
                                                 "jul", "ago", "set", "out", "nov", "dez"};
  std::array<std::string, 12> LongMonthNames = {"janeiro",  "fevereiro", "março",    "abril",
                                                "maio",     "junho",     "julho",    "agosto",
                                                "setembro", "outubro",   "novembro", "dezembro"};
  // Sunday first, as DayOfWeek counts.
  std::array<std::string, 7> ShortDayNames = {"dom", "seg", "ter", "qua", "qui", "sex", "sáb"};
  std::array<std::string, 7> LongDayNames = {"domingo",      "segunda-feira", "terça-feira",
                                             "quarta-feira", "quinta-feira",  "sexta-feira",
                                             "sábado"};
};

// The process-wide locale.  Writable: a host that runs with other separators
// changes it once at start-up.
extern VIREO_API TFormatSettings FormatSettings;

// Number formatting with a Delphi mask: up to three sections
// "positive;negative;zero", "0" a digit always shown, "#" a digit shown when
// significant, "," anywhere in the integer part turns on thousands grouping,
// "." places the decimal separator, quoted text and any other character are
// copied as they are.  A value goes into the negative section without its
// sign; with one section a negative value gets a leading "-".
VIREO_API std::string FormatFloat(const std::string& mask, double value);
VIREO_API std::string FormatFloat(const std::string& mask, double value,
                                  const TFormatSettings& settings);

// Shortest text that reads back as the value, up to 15 significant digits,
// with the locale's decimal separator and no grouping: 1234.5 -> "1234,5".
VIREO_API std::string FloatToStr(double value);
VIREO_API std::string FloatToStr(double value, const TFormatSettings& settings);
// A currency amount: at most four decimals, otherwise like FloatToStr.
VIREO_API std::string CurrToStr(double value);
VIREO_API std::string IntToStr(int64_t value);

// Date formatting with Delphi tokens (case-insensitive): d dd ddd dddd ddddd
// (short date) dddddd (long date), m mm mmm mmmm, yy yyyy, h hh, n nn, s ss,
// z zzz, c (short date, and long time when there is one), t tt, "/" the date
// separator, ":" the time separator, '...' and "..." literal text.  An "m"
// token right after an hour token means minutes.
VIREO_API std::string FormatDateTime(const std::string& format, TDateTime value);
VIREO_API std::string FormatDateTime(const std::string& format, TDateTime value,
                                     const TFormatSettings& settings);

VIREO_API std::string DateToStr(TDateTime value);      // short date format
VIREO_API std::string TimeToStr(TDateTime value);      // long time format
VIREO_API std::string DateTimeToStr(TDateTime value);  // date, and time when not midnight

}  // namespace vireo
