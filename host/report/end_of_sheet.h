// InvalidarFinalFolha: closes the rest of the current sheet so nothing can
// be written on it afterwards.
//
// The unused part of the page is filled with `line_section` printed again and
// again, its label `label_name` showing "**" that steps from the left edge of
// the label to its right edge as the lines go down (a diagonal stroke through
// the blank space); `closing_section` is printed under the last line, and the
// next section starts a new page.  The label's text is restored afterwards.
// Nothing is drawn when no page is open or the page already ended.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

class TnrwReport;

VIREO_API void InvalidarFinalFolha(TnrwReport* report, int line_section, int closing_section,
                                   const std::string& label_name);

}  // namespace vireo
