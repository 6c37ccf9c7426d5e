#include "host/report/render/sheet_cell.h"

#include <cstdlib>

#include "host/core/datetime.h"

namespace vireo {

namespace {

constexpr int kMaxDigits = 15;      // what a double holds exactly
constexpr size_t kDateLength = 10;  // dd/mm/yyyy
constexpr int kMinYear = 1900;      // the first year a spreadsheet date can hold
constexpr size_t kGroupDigits = 3;  // digits between thousands separators

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

int ToInt(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// dd/mm/yyyy with the locale's date separator, a date that exists.
bool ParseDate(std::string_view text, const TFormatSettings& settings, TnSheetValue& out) {
  if (text.size() != kDateLength || text[2] != settings.DateSeparator ||
      text[5] != settings.DateSeparator) {
    return false;
  }
  const std::string_view day = text.substr(0, 2), month = text.substr(3, 2),
                         year = text.substr(6, 4);
  if (!AllDigits(day) || !AllDigits(month) || !AllDigits(year)) return false;
  TDateTime ignored;
  if (ToInt(year) < kMinYear || !TryEncodeDate(ToInt(year), ToInt(month), ToInt(day), ignored)) {
    return false;
  }
  out.kind = TnSheetKind::kDate;
  out.year = ToInt(year), out.month = ToInt(month), out.day = ToInt(day);
  out.format = "dd/mm/yyyy";
  return true;
}

// The integer part of an amount: plain digits, or groups of three after the
// first one to three digits.  Gives the digits without separators.
bool ParseIntegerPart(std::string_view text, char separator, std::string& digits, bool& grouped) {
  grouped = text.find(separator) != std::string_view::npos;
  if (!grouped) {
    digits = std::string(text);
    return AllDigits(text);
  }
  size_t start = 0;
  bool first = true;
  while (true) {
    const size_t end = text.find(separator, start);
    const std::string_view group = text.substr(start, end - start);
    const bool fits =
        first ? !group.empty() && group.size() <= kGroupDigits : group.size() == kGroupDigits;
    if (!fits || !AllDigits(group)) return false;
    digits += group;
    if (end == std::string_view::npos) return true;
    start = end + 1;
    first = false;
  }
}

std::string Quoted(char letter) { return std::string("\"") + letter + "\""; }

// The format that prints the value as the text was printed.
std::string NumberFormat(bool grouped, size_t int_digits, size_t decimals, bool parens_style,
                         char suffix, bool zero) {
  std::string body = grouped || int_digits <= kGroupDigits ? "#,##0" : "0";
  if (decimals > 0) body += "." + std::string(decimals, '0');
  if (suffix == 'D' || suffix == 'C') {
    std::string format = body + Quoted('D') + ";" + body + Quoted('C');
    if (zero) format += ";" + body + Quoted(suffix);  // the letter the report chose for zero
    return format;
  }
  if (suffix == '%') return body + "%";
  if (parens_style) return body + "_);(" + body + ")";
  return body;
}

}  // namespace

TnSheetValue ParseSheetValue(std::string_view printed, const TFormatSettings& settings) {
  TnSheetValue out;
  std::string_view text = TrimBlanks(printed);
  if (text.empty()) return out;
  out.kind = TnSheetKind::kText;
  out.text = std::string(printed);
  if (ParseDate(text, settings, out)) return out;

  // A positive amount of the parenthesis masks keeps a blank where the
  // negative ones have ")".
  const bool trailing_blank = !printed.empty() && printed.back() == ' ';
  bool parens = false, minus = false;
  if (text.size() > 2 && text.front() == '(' && text.back() == ')') {
    parens = true;
    text = text.substr(1, text.size() - 2);
  } else if (text.size() > 1 && text.front() == '-') {
    minus = true;
    text.remove_prefix(1);
  }
  char suffix = 0;
  if (text.size() > 1 && (text.back() == 'D' || text.back() == 'C' || text.back() == '%')) {
    suffix = text.back();
    text.remove_suffix(1);
    if (suffix != '%' && (parens || minus)) return out;
  }

  const size_t decimal = text.find(settings.DecimalSeparator);
  const std::string_view int_text = text.substr(0, decimal);
  const std::string_view frac =
      decimal == std::string_view::npos ? std::string_view() : text.substr(decimal + 1);
  std::string digits;
  bool grouped = false;
  if (!ParseIntegerPart(int_text, settings.ThousandSeparator, digits, grouped)) return out;
  if (decimal != std::string_view::npos && !AllDigits(frac)) return out;
  const bool whole = decimal == std::string_view::npos;
  if (whole && grouped) return out;                                        // a classification
  if (!grouped && digits.size() > 1 && digits.front() == '0') return out;  // a code
  if (digits.size() + frac.size() > kMaxDigits) return out;

  const std::string c_text = digits + "." + std::string(frac);
  double value = std::strtod(c_text.c_str(), nullptr);
  if (suffix == '%') value /= 100;
  if (value != 0 && (parens || minus || suffix == 'C')) value = -value;
  out.kind = TnSheetKind::kNumber;
  out.number = value;
  out.format =
      NumberFormat(grouped, digits.size(), frac.size(),
                   parens || (trailing_blank && !minus && suffix == 0), suffix, value == 0);
  return out;
}

}  // namespace vireo
