// SQL conditions that select the accounts, or the cost centres, of a user's
// selection exactly as the balance entity TnBalancete selects them: the
// analytic items named or inside a range, and every analytic item below a
// synthetic one that is.  The condition is built from the parsed codes
// only; a selection outside the syntax raises EnParam before any query.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

// A condition on <alias>.CODIGOCONTA; "(1=0)" when the selection picks no
// account.
VIREO_API std::string MontarFiltroContasPorTipo(const std::string& selecao,
                                                const std::string& alias);
// A condition on <alias>.CODIGOCENTROCUSTO, the same way.
VIREO_API std::string MontarFiltroCentrosCustoPorTipo(const std::string& selecao,
                                                      const std::string& alias);

}  // namespace vireo
