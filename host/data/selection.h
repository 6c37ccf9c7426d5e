// The user's selections ("which companies", "which accounts"): items
// separated by ";", ranges written "a..b", blanks ignored ("1;3;5..9").
// An empty selection means everything.  Anything else is refused with
// EnParam naming the parameter; a selection never reaches SQL unparsed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/export.h"
#include "host/core/variant.h"

namespace vireo {

struct VIREO_API TnSelectionItem {
  int64_t low;
  int64_t high;  // equal to low for a single value
};

// Parses a selection; `param` names the parameter in the error message.
VIREO_API std::vector<TnSelectionItem> ParseSelection(const std::string& selection,
                                                      const std::string& param = "");

// SQL condition over `columns` (";"-separated; the first one is tested)
// matching the selection.  With `with_and` the text starts with " and " and is
// empty when there is nothing to filter; otherwise it stands alone and is
// "(1=1)" for an empty selection.  `kinds` are the inclusion kinds (1:
// integer items); the trailing integers are accepted for the reports' calls.
VIREO_API std::string FilterInterval(const std::string& columns, const std::string& selection,
                                     const std::vector<int>& kinds, bool with_and, int n,
                                     int m = -1);

// Whether value lies in the selection; true for an empty selection.
VIREO_API bool CheckInInclusion(const Variant& value, const std::string& selection,
                                const std::vector<int>& kinds = {1});

}  // namespace vireo
