// Whether a report shows the company header for a company selection.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

// True exactly when the selection names one company ("1", "1..1", " 1 ");
// false when it is empty or names several.  EnParam for text that is no
// selection.
VIREO_API bool ExibeEmpresaRel(const std::string& selection);

}  // namespace vireo
