// Date formatting: FormatDateTime and the texts built on it.
//
// Tokens are matched case-insensitively and a run of the same letter is one
// token ("dddd").  An "m" right after an hour token, with only non-letters in
// between ("hh:mm"), means minutes, as in Delphi.
#include <string>

#include "host/core/format.h"

namespace vireo {

namespace {

std::string Pad(int value, int width) {
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
  return s;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

struct Parts {
  TDateParts date;
  int hour, minute, second, msec;
  int weekday;
  bool has_time;
};

class DateWriter {
 public:
  DateWriter(const Parts& p, const TFormatSettings& fs) : p_(p), fs_(fs) {}

  std::string Write(const std::string& format, int depth = 0) {
    std::string out;
    char last = ' ';
    for (std::size_t i = 0; i < format.size();) {
      const char c = format[i];
      if (c == '\'' || c == '"') {
        const std::size_t end = format.find(c, i + 1);
        const std::size_t stop = end == std::string::npos ? format.size() : end;
        out += format.substr(i + 1, stop - i - 1);
        i = stop + 1;
        continue;
      }
      std::size_t count = 1;
      while (i + count < format.size() && Upper(format[i + count]) == Upper(c)) ++count;
      char token = Upper(c);
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && last == 'H') token = 'N';
        last = token;
      }
      if (!Token(token, static_cast<int>(count), depth, out)) {
        out += c;
        count = 1;
      }
      i += count;
    }
    return out;
  }

 private:
  // Appends the text of a token; false when c is not a token (a literal,
  // copied one character at a time).
  bool Token(char token, int count, int depth, std::string& out) {
    switch (token) {
      case 'Y':
        out += count <= 2 ? Pad(p_.date.year % 100, 2) : Pad(p_.date.year, 4);
        return true;
      case 'M':
        out += Month(count);
        return true;
      case 'D':
        out += Day(count, depth);
        return true;
      case 'H':
        out += Pad(p_.hour, count == 1 ? 1 : 2);
        return true;
      case 'N':
        out += Pad(p_.minute, count == 1 ? 1 : 2);
        return true;
      case 'S':
        out += Pad(p_.second, count == 1 ? 1 : 2);
        return true;
      case 'Z':
        out += Pad(p_.msec, count == 1 ? 1 : 3);
        return true;
      case 'T':
        out += Nested(count == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth);
        return true;
      case 'C':
        out += Nested(fs_.ShortDateFormat, depth);
        if (p_.has_time) out += ' ' + Nested(fs_.LongTimeFormat, depth);
        return true;
      case '/':
        out.append(count, fs_.DateSeparator);
        return true;
      case ':':
        out.append(count, fs_.TimeSeparator);
        return true;
      default:
        return false;
    }
  }

  std::string Month(int count) {
    if (count <= 2) return Pad(p_.date.month, count);
    const auto& names = count == 3 ? fs_.ShortMonthNames : fs_.LongMonthNames;
    return names[p_.date.month - 1];
  }

  std::string Day(int count, int depth) {
    switch (count) {
      case 1:
      case 2:
        return Pad(p_.date.day, count);
      case 3:
        return fs_.ShortDayNames[p_.weekday - 1];
      case 4:
        return fs_.LongDayNames[p_.weekday - 1];
      case 5:
        return Nested(fs_.ShortDateFormat, depth);
      default:
        return Nested(fs_.LongDateFormat, depth);
    }
  }

  // A format from the settings, guarded against one that names itself.
  std::string Nested(const std::string& format, int depth) {
    return depth < 2 ? Write(format, depth + 1) : std::string();
  }

  const Parts& p_;
  const TFormatSettings& fs_;
};

}  // namespace

std::string FormatDateTime(const std::string& format, TDateTime value, const TFormatSettings& fs) {
  Parts p{};
  p.date = DecodeDate(value);
  DecodeTime(value, p.hour, p.minute, p.second, p.msec);
  p.weekday = DayOfWeek(value);
  p.has_time = p.hour != 0 || p.minute != 0 || p.second != 0 || p.msec != 0;
  return DateWriter(p, fs).Write(format.empty() ? "c" : format);
}

std::string FormatDateTime(const std::string& format, TDateTime value) {
  return FormatDateTime(format, value, FormatSettings);
}

std::string DateToStr(TDateTime value) { return FormatDateTime("ddddd", value); }
std::string TimeToStr(TDateTime value) { return FormatDateTime("tt", value); }
std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }

}  // namespace vireo
