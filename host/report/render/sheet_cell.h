// TnSheetValue: what a printed text is worth in a spreadsheet cell.
//
// Reports print amounts already formatted ("1.500,00D", "(250,00)",
// "12,50%", "1.500,00"), dates as dd/mm/yyyy and codes as digits.  A
// bookkeeper wants to sum the amounts, so a text the masks of the reports
// make becomes a number with a number format that shows the same text
// again: the debit letter and the plain form are positive, the credit
// letter, the parentheses and a leading "-" negative; a percentage is the
// fraction.  A date becomes a date.  Anything else stays text, and so do
// digits with a leading zero (codes), digits grouped without decimals
// (classifications such as "1.100") and numbers with more digits than a
// double keeps.
#pragma once

#include <string>
#include <string_view>

#include "host/core/format.h"

namespace vireo {

enum class TnSheetKind { kEmpty, kText, kNumber, kDate };

struct TnSheetValue {
  TnSheetKind kind = TnSheetKind::kEmpty;
  std::string text;                  // the text as printed (kText, and what CSV writes of a date)
  double number = 0;                 // kNumber
  int year = 0, month = 0, day = 0;  // kDate
  // The spreadsheet number format that shows the value as printed, written
  // in the file's own notation ("," groups, "." marks decimals).
  std::string format;
};

TnSheetValue ParseSheetValue(std::string_view text, const TFormatSettings& settings);

}  // namespace vireo
