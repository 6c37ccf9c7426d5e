// Whether a report shows the company header (name and CNPJ) for the
// user's company selection: only when the selection names exactly one
// company can one header speak for every line.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

// True for "1", " 1 ", "1..1" or "1;1"; false for an empty selection or one
// naming several companies.  Text that is no selection raises EnParam.
VIREO_API bool ExibeEmpresaRel(const std::string& selection);

}  // namespace vireo
