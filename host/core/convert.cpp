// Reading numbers and dates from text.
#include "host/core/convert.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "host/core/exception.h"

namespace vireo {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Accumulates digits of `base` into a magnitude; false on overflow past
// `limit` or on a character that is not a digit.
bool ReadMagnitude(const std::string& s, std::size_t pos, int base, uint64_t limit, uint64_t& out) {
  if (pos >= s.size()) return false;
  uint64_t value = 0;
  for (; pos < s.size(); ++pos) {
    const int digit = base == 16 ? HexValue(s[pos]) : (IsDigit(s[pos]) ? s[pos] - '0' : -1);
    if (digit < 0) return false;
    if (value > (limit - digit) / base) return false;
    value = value * base + digit;
  }
  out = value;
  return true;
}

// Whole unsigned number of digits starting at pos, at most max_digits long.
bool ReadNumber(const std::string& s, std::size_t& pos, std::size_t max_digits, int& out) {
  const std::size_t start = pos;
  out = 0;
  while (pos < s.size() && IsDigit(s[pos]) && pos - start < max_digits)
    out = out * 10 + (s[pos++] - '0');
  return pos > start && (pos >= s.size() || !IsDigit(s[pos]));
}

int ExpandYear(int year, std::size_t digits) {
  if (digits > 2) return year;
  return year < 50 ? 2000 + year : 1900 + year;
}

// The order of day, month and year in the short date format: 'D', 'M', 'Y'.
std::string DateOrder(const std::string& format) {
  std::string order;
  for (char c : UpperCase(format)) {
    if ((c == 'D' || c == 'M' || c == 'Y') && order.find(c) == std::string::npos) order += c;
  }
  return order.size() == 3 ? order : "DMY";
}

// Reads a date from s at pos, leaving pos after it.
bool ReadDate(const std::string& s, std::size_t& pos, TDateTime& out) {
  int n[3];
  std::size_t digits[3];
  char sep = 0;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (pos >= s.size() || (sep && s[pos] != sep)) return false;
      sep = s[pos++];
      if (sep != '-' && sep != FormatSettings.DateSeparator) return false;
    }
    const std::size_t at = pos;
    if (!ReadNumber(s, pos, 4, n[i])) return false;
    digits[i] = pos - at;
  }
  if (sep == '-' && digits[0] == 4) {  // ISO
    return digits[1] <= 2 && digits[2] <= 2 && TryEncodeDate(n[0], n[1], n[2], out);
  }
  if (sep != FormatSettings.DateSeparator) return false;
  int day = 0, month = 0, year = 0;
  const std::string order = DateOrder(FormatSettings.ShortDateFormat);
  for (int i = 0; i < 3; ++i) {
    const bool year_part = order[i] == 'Y';
    if (year_part ? (digits[i] != 2 && digits[i] != 4) : digits[i] > 2) return false;
    int& target = order[i] == 'D' ? day : order[i] == 'M' ? month : year;
    target = year_part ? ExpandYear(n[i], digits[i]) : n[i];
  }
  return TryEncodeDate(year, month, day, out);
}

// Reads "h:nn[:ss[.zzz]]" from s at pos.
bool ReadTime(const std::string& s, std::size_t& pos, TDateTime& out) {
  int part[4] = {0, 0, 0, 0};
  if (!ReadNumber(s, pos, 2, part[0])) return false;
  for (int i = 1; i < 3; ++i) {
    if (pos >= s.size() || (s[pos] != FormatSettings.TimeSeparator && s[pos] != ':')) {
      if (i == 1) return false;
      break;
    }
    ++pos;
    const std::size_t at = pos;
    if (!ReadNumber(s, pos, 2, part[i]) || pos - at != 2) return false;
  }
  if (pos < s.size() && s[pos] == '.') {
    const std::size_t at = ++pos;
    if (!ReadNumber(s, pos, 3, part[3])) return false;
    for (std::size_t d = pos - at; d < 3; ++d) part[3] *= 10;
  }
  if (part[0] > 23 || part[1] > 59 || part[2] > 59) return false;
  out = EncodeTime(part[0], part[1], part[2], part[3]);
  return true;
}

[[noreturn]] void Fail(const std::string& text, const char* what) {
  throw EConvertError("'" + text + "' não é " + what);
}

}  // namespace

bool TryStrToInt64(const std::string& text, int64_t& out) {
  const std::string s = Trim(text);
  std::size_t pos = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++pos;
  int base = 10;
  if (pos < s.size() && s[pos] == '$') {
    base = 16;
    ++pos;
  } else if (s.compare(pos, 2, "0x") == 0 || s.compare(pos, 2, "0X") == 0) {
    base = 16;
    pos += 2;
  }
  const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  uint64_t magnitude = 0;
  if (!ReadMagnitude(s, pos, base, limit, magnitude)) return false;
  out = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

int64_t StrToInt64(const std::string& text) {
  int64_t out = 0;
  if (!TryStrToInt64(text, out)) Fail(text, "um valor inteiro válido");
  return out;
}

int64_t StrToInt64Def(const std::string& text, int64_t def) {
  int64_t out = 0;
  return TryStrToInt64(text, out) ? out : def;
}

bool TryStrToBool(const std::string& text, bool& out) {
  const std::string s = LowerCase(Trim(text));
  if (s == "true" || s == "sim") {
    out = true;
    return true;
  }
  if (s == "false" || s == "não" || s == "nao") {
    out = false;
    return true;
  }
  int64_t number = 0;
  if (!TryStrToInt64(s, number)) return false;
  out = number != 0;
  return true;
}

bool StrToBool(const std::string& text) {
  bool out = false;
  if (!TryStrToBool(text, out)) Fail(text, "um valor booleano válido");
  return out;
}

bool StrToBoolDef(const std::string& text, bool def) {
  bool out = false;
  return TryStrToBool(text, out) ? out : def;
}

bool TryStrToInt(const std::string& text, int& out) {
  int64_t wide = 0;
  if (!TryStrToInt64(text, wide) || wide < INT_MIN || wide > INT_MAX) return false;
  out = static_cast<int>(wide);
  return true;
}

int StrToInt(const std::string& text) {
  int out = 0;
  if (!TryStrToInt(text, out)) Fail(text, "um valor inteiro válido");
  return out;
}

int StrToIntDef(const std::string& text, int def) {
  int out = 0;
  return TryStrToInt(text, out) ? out : def;
}

// Checks the shape itself (sign, digits, one separator, exponent) and hands
// the digits to from_chars, which does not depend on the C locale.
bool TryStrToFloat(const std::string& text, double& out, const TFormatSettings& settings) {
  const std::string s = Trim(text);
  std::string plain;
  std::size_t pos = 0;
  if (pos < s.size() && (s[pos] == '-' || s[pos] == '+')) {
    if (s[pos] == '-') plain += '-';
    ++pos;
  }
  bool digits = false, point = false;
  for (; pos < s.size() && s[pos] != 'e' && s[pos] != 'E'; ++pos) {
    if (IsDigit(s[pos])) {
      digits = true;
      plain += s[pos];
    } else if (s[pos] == settings.DecimalSeparator && !point) {
      point = true;
      plain += '.';
    } else {
      return false;
    }
  }
  if (!digits) return false;
  if (pos < s.size()) {
    plain += 'e';
    if (++pos < s.size() && (s[pos] == '-' || s[pos] == '+')) plain += s[pos++];
    if (pos >= s.size()) return false;
    for (; pos < s.size(); ++pos) {
      if (!IsDigit(s[pos])) return false;
      plain += s[pos];
    }
  }
  double value = 0;
  const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
    return false;
  out = value;
  return true;
}

bool TryStrToFloat(const std::string& text, double& out) {
  return TryStrToFloat(text, out, FormatSettings);
}

double StrToFloat(const std::string& text) {
  double out = 0;
  if (!TryStrToFloat(text, out)) Fail(text, "um valor de ponto flutuante válido");
  return out;
}

double StrToFloatDef(const std::string& text, double def) {
  double out = 0;
  return TryStrToFloat(text, out) ? out : def;
}

bool TryStrToDate(const std::string& text, TDateTime& out) {
  const std::string s = Trim(text);
  std::size_t pos = 0;
  TDateTime date = 0;
  if (!ReadDate(s, pos, date) || pos != s.size()) return false;
  out = date;
  return true;
}

TDateTime StrToDate(const std::string& text) {
  TDateTime out = 0;
  if (!TryStrToDate(text, out)) Fail(text, "uma data válida");
  return out;
}

TDateTime StrToDateDef(const std::string& text, TDateTime def) {
  TDateTime out = 0;
  return TryStrToDate(text, out) ? out : def;
}

bool TryStrToTime(const std::string& text, TDateTime& out) {
  const std::string s = Trim(text);
  std::size_t pos = 0;
  TDateTime time = 0;
  if (!ReadTime(s, pos, time) || pos != s.size()) return false;
  out = time;
  return true;
}

TDateTime StrToTime(const std::string& text) {
  TDateTime out = 0;
  if (!TryStrToTime(text, out)) Fail(text, "uma hora válida");
  return out;
}

bool TryStrToDateTime(const std::string& text, TDateTime& out) {
  const std::string s = Trim(text);
  std::size_t pos = 0;
  TDateTime date = 0, time = 0;
  if (!ReadDate(s, pos, date)) return false;
  if (pos < s.size()) {
    if (s[pos] != ' ' && s[pos] != 'T') return false;
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == 'T')) ++pos;
    if (!ReadTime(s, pos, time) || pos != s.size()) return false;
  }
  out = date < 0 ? date - time : date + time;
  return true;
}

TDateTime StrToDateTime(const std::string& text) {
  TDateTime out = 0;
  if (!TryStrToDateTime(text, out)) Fail(text, "uma data e hora válida");
  return out;
}

std::string IntToHex(int64_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  uint64_t v = static_cast<uint64_t>(value);
  std::string out;
  do {
    out.insert(out.begin(), kHex[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  if (static_cast<int>(out.size()) < digits) out.insert(0, digits - out.size(), '0');
  return out;
}

}  // namespace vireo
