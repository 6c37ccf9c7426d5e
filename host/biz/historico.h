// Printed history of a cash entry: the standard history's description and
// the entry's own text, joined the way a person would write them.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

// "Pagamento a fornecedor" and "NF 123" give "Pagamento a fornecedor - NF 123".
// Both parts are trimmed; when one is empty the other stands alone, and when
// the entry's text already begins with the description (whole words, case
// ignored) the text alone is printed, so nothing is said twice.  The
// arguments are read, never changed; the reference form is the host's.
VIREO_API std::string MontarHistoricoCaixa(std::string& descr_historico, std::string& historico);
VIREO_API std::string MontarHistoricoCaixa(const std::string& descr_historico,
                                           const std::string& historico);

}  // namespace vireo
