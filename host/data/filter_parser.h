// Reading the filter text of a TnClientDataSet.
//
// The text is a list of equality tests joined by "and" (any case):
//   CODIGOESCRIT = 3 and TIPO = 'A' and NOME = 'O''Brien'
// Values are numbers written with "." as decimal mark, optionally signed, or
// texts in single quotes with quotes doubled.  A blank text has no terms.
#pragma once

#include <string>
#include <vector>

#include "host/core/variant.h"

namespace vireo {

struct FilterEquality {
  std::string field;
  Variant value;  // Integer, Float or Text
};

// Raises Exception quoting the text and saying what was expected where.
std::vector<FilterEquality> ParseFilterText(const std::string& text);

}  // namespace vireo
