// Number formatting: FormatFloat, FloatToStr and friends.
//
// Rounding works on the decimal digits, not on the binary value: the value is
// first written with 15 significant digits (what Delphi keeps of a double),
// and that digit string is rounded half away from zero at the decimals the
// mask shows.  So 2.675, stored as 2.67499999..., formats as "2,68" with
// "0.00" the way a user reading "2.675" expects, where a naive
// round(x * 100) would give "2,67".
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "host/core/format.h"

namespace vireo {

namespace {

constexpr int kSignificant = 15;

// |value| as a digit string and a decimal exponent: value = 0.DIGITS * 10^exp.
struct Decimal {
  std::string digits;  // no leading zeros; empty for zero
  int exponent = 0;
};

// to_chars rather than printf: the C locale must not change the digits.
Decimal ToDecimal(double value) {
  char buf[40];
  const auto end = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                 std::chars_format::scientific, kSignificant - 1)
                       .ptr;
  const char* e = std::find(buf, end, 'e');
  Decimal d;
  for (const char* p = buf; p != e; ++p) {
    if (*p != '.') d.digits += *p;
  }
  const char* digits = e + 2;  // past "e" and the exponent's sign
  std::from_chars(digits, static_cast<const char*>(end), d.exponent);
  d.exponent = (e[1] == '-' ? -d.exponent : d.exponent) + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exponent = 0;
  return d;
}

// Integer and fraction digits of |value| rounded half away from zero to
// `decimals` places; the integer part has no leading zeros ("" for zero).
struct Fixed {
  std::string integer;
  std::string fraction;
  bool IsZero() const {
    return integer.empty() && fraction.find_first_not_of('0') == std::string::npos;
  }
};

Fixed ToFixed(const Decimal& d, int decimals) {
  // Digits of |value| * 10^decimals, rounded at the units.
  const int keep = d.exponent + decimals;
  std::string n;
  if (keep >= 0 && !d.digits.empty()) {
    n = d.digits.substr(0, std::min<std::size_t>(keep, d.digits.size()));
    n.append(std::max<int>(0, keep - static_cast<int>(d.digits.size())), '0');
    if (keep < static_cast<int>(d.digits.size()) && d.digits[keep] >= '5') {
      int i = static_cast<int>(n.size()) - 1;
      for (; i >= 0 && n[i] == '9'; --i) n[i] = '0';
      if (i < 0)
        n.insert(n.begin(), '1');
      else
        ++n[i];
    }
  }
  if (static_cast<int>(n.size()) < decimals) n.insert(0, decimals - n.size(), '0');
  Fixed f;
  f.integer = n.substr(0, n.size() - decimals);
  f.fraction = n.substr(n.size() - decimals);
  const std::size_t first = f.integer.find_first_not_of('0');
  f.integer = first == std::string::npos ? "" : f.integer.substr(first);
  return f;
}

// Splits a mask at ";" outside quotes.
std::vector<std::string> SplitSections(const std::string& mask) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : mask) {
    if (quote) {
      quote = c == quote ? 0 : quote;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

// What a section asks for, found by scanning it once.
struct Layout {
  int int_placeholders = 0;  // "0" and "#" before the decimal point
  int int_zeros_from = -1;   // placeholders from the first "0" on, or -1
  int decimals = 0;          // placeholders after the point
  int min_decimals = 0;      // up to the last "0" after the point
  bool thousands = false;
};

template <class Visit>
void ScanSection(const std::string& section, Visit visit) {
  bool after_point = false;
  for (std::size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (c == '\'' || c == '"') {
      const std::size_t end = section.find(c, i + 1);
      const std::size_t stop = end == std::string::npos ? section.size() : end;
      visit(c, after_point, section.substr(i + 1, stop - i - 1));
      i = stop;
      continue;
    }
    visit(c, after_point, std::string());
    if (c == '.') after_point = true;
  }
}

Layout Analyse(const std::string& section) {
  Layout l;
  ScanSection(section, [&](char c, bool after_point, const std::string&) {
    if (c == ',' && !after_point) l.thousands = true;
    if (c != '0' && c != '#') return;
    if (after_point) {
      ++l.decimals;
      if (c == '0') l.min_decimals = l.decimals;
    } else {
      if (c == '0' && l.int_zeros_from < 0) l.int_zeros_from = l.int_placeholders;
      ++l.int_placeholders;
    }
  });
  return l;
}

// Writes the section with the digits in place of its placeholders.
std::string Render(const std::string& section, const Layout& l, const Fixed& f,
                   const TFormatSettings& fs) {
  const int zeros = l.int_zeros_from < 0 ? 0 : l.int_placeholders - l.int_zeros_from;
  std::string digits = f.integer;
  if (static_cast<int>(digits.size()) < zeros) digits.insert(0, zeros - digits.size(), '0');
  const int width = static_cast<int>(digits.size());
  std::string fraction = f.fraction;
  while (static_cast<int>(fraction.size()) > l.min_decimals && fraction.back() == '0') {
    fraction.pop_back();
  }

  std::string out;
  auto put_digit = [&](int j) {
    out += digits[j];
    const int left = width - 1 - j;
    if (l.thousands && left > 0 && left % 3 == 0) out += fs.ThousandSeparator;
  };
  // Placeholder k of the integer part shows digit width - placeholders + k;
  // the first one also shows every digit the mask has no room for.
  auto put_integer = [&](int k) {
    const int j = width - l.int_placeholders + k;
    for (int i = k == 0 ? 0 : j; i <= j; ++i) {
      if (i >= 0) put_digit(i);
    }
  };
  int k = 0, frac_index = 0;
  ScanSection(section, [&](char c, bool after_point, const std::string& quoted) {
    if (c == '\'' || c == '"') {
      out += quoted;
    } else if (c == '.') {
      if (l.int_placeholders == 0) put_integer(0);
      if (!fraction.empty()) out += fs.DecimalSeparator;
    } else if ((c == '0' || c == '#') && !after_point) {
      put_integer(k++);
    } else if (c == '0' || c == '#') {
      if (frac_index < static_cast<int>(fraction.size())) out += fraction[frac_index];
      ++frac_index;
    } else if (c != ',') {
      out += c;
    }
  });
  return out;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NAN";
  return value > 0 ? "INF" : "-INF";
}

}  // namespace

// The section is chosen by the value's sign; a value that rounds to zero at
// the chosen section's decimals goes to the zero section, or to the first
// section without a sign, so that no "-0,00" appears.
std::string FormatFloat(const std::string& mask, double value, const TFormatSettings& fs) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (mask.empty()) return FloatToStr(value, fs);
  const std::vector<std::string> sections = SplitSections(mask);
  auto section_or_first = [&](std::size_t i) {
    return i < sections.size() && !sections[i].empty() ? i : 0;
  };
  std::size_t index = value > 0 ? 0 : section_or_first(value < 0 ? 1 : 2);
  const Decimal decimal = ToDecimal(value);
  Layout layout = Analyse(sections[index]);
  Fixed fixed = ToFixed(decimal, layout.decimals);
  if (fixed.IsZero() && index != 2) {
    index = section_or_first(2);
    layout = Analyse(sections[index]);
    fixed = ToFixed(decimal, layout.decimals);
  }
  const bool minus = value < 0 && index == 0 && !fixed.IsZero();
  std::string out = minus ? "-" : "";
  out += Render(sections[index], layout, fixed, fs);
  return out;
}

std::string FormatFloat(const std::string& mask, double value) {
  return FormatFloat(mask, value, FormatSettings);
}

// Fixed notation while the value has at most 15 integer digits and is not
// below 0.00001, scientific otherwise ("1,5E-6", "1E20"), as Delphi does.
std::string FloatToStr(double value, const TFormatSettings& fs) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Decimal d = ToDecimal(value);
  if (d.digits.empty()) return "0";
  std::string out = value < 0 ? "-" : "";
  const int ndigits = static_cast<int>(d.digits.size());
  if (d.exponent > kSignificant || d.exponent < -4) {
    out += d.digits[0];
    if (ndigits > 1) out += fs.DecimalSeparator + d.digits.substr(1);
    return out + "E" + std::to_string(d.exponent - 1);
  }
  if (d.exponent <= 0) {
    return out + "0" + fs.DecimalSeparator + std::string(-d.exponent, '0') + d.digits;
  }
  if (ndigits <= d.exponent) return out + d.digits + std::string(d.exponent - ndigits, '0');
  return out + d.digits.substr(0, d.exponent) + fs.DecimalSeparator + d.digits.substr(d.exponent);
}

std::string FloatToStr(double value) { return FloatToStr(value, FormatSettings); }

std::string CurrToStr(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Fixed f = ToFixed(ToDecimal(value), 4);
  const std::string text =
      std::string(value < 0 ? "-" : "") + (f.integer.empty() ? "0" : f.integer) + "." + f.fraction;
  double rounded = 0;
  std::from_chars(text.data(), text.data() + text.size(), rounded);
  return FloatToStr(rounded);
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

}  // namespace vireo
