// The queries of the payments listing: the payments posted on payable
// titles in a range, and the check for synthetic accounts in the cash-account
// selection.
#pragma once

#include <string>

#include "host/core/datetime.h"

namespace vireo {

struct TnFiltroPagamentos {
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  int TipoQuebra = 0;        // 0 by supplier, other by payment date
  std::string CodigoEscrit;  // selections; empty for all
  std::string CodigoFornecedor;
  std::string CodigoConta;  // cash accounts the payment went through
};

std::string SelectPagamentos(const TnFiltroPagamentos& filtro);
// The synthetic accounts of a non-empty account selection.
std::string SelectContasSinteticas(const std::string& codigo_conta);

}  // namespace vireo
