// The query of the receipts listing: the receipts posted on receivable
// titles in a range.
#pragma once

#include <string>

#include "host/core/datetime.h"

namespace vireo {

struct TnFiltroRecebimentos {
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  int TipoQuebra = 0;         // 0 by customer, 1 by receipt date
  std::string CodigoCliente;  // selections; empty for all
  std::string CodigoEscrit;
};

std::string SelectRecebimentos(const TnFiltroRecebimentos& filtro);

}  // namespace vireo
