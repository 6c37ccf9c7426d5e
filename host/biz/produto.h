// The product kind of the host: which edition of the business suite runs,
// which decides the tables some modules keep their documents in (receivables
// of the commercial module or of the financial one) and a few printed texts.
#pragma once

#include "host/core/export.h"

namespace vireo {

// 0 by default; 2 when the environment variable VIREO_PRODUTO says "2" (read
// once, at the first call) or after DefinirProduto(2).  Any other value of
// the variable is ignored: an edition the reports do not know must not
// switch tables behind the user's back.
VIREO_API int PegarProduto();

// Sets the product kind for the rest of the process (tests, the program's
// flags).  Only 0 and 2 are editions; anything else raises Exception.
VIREO_API void DefinirProduto(int produto);

// Forgets a value set by DefinirProduto, so the next PegarProduto reads the
// environment again.
VIREO_API void RedefinirProduto();

}  // namespace vireo
