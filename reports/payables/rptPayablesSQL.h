// The queries of the accounts-payable listing: the open titles of a range
// with the payments posted after it, and the contacts of their suppliers.
#pragma once

#include <string>

#include "host/core/datetime.h"

namespace vireo {

// Which date of a title the range applies to (pDataFiltrar).
enum TnDataFiltrar { dtVencimento = 0, dtEmissao = 1 };

struct TnFiltroContasPagar {
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  int TipoQuebra = 0;            // 0 by supplier, 1 by due date
  int Modelo = 0;                // 0 accounting, other financial
  int DataFiltrar = 0;           // TnDataFiltrar; other values as dtEmissao
  std::string CodigoFornecedor;  // selections; empty for all
  std::string CodigoEscrit;
};

// The WHERE part both queries share: range, model, supplier and company.
std::string FiltroDadoContasPagar(const TnFiltroContasPagar& filtro);
// One row per title, with BAIXASFORAPERIODO.
std::string SelectContasPagar(const TnFiltroContasPagar& filtro, const std::string& filtro_dado);
// Contact values of the suppliers of the selected titles.
std::string SelectTelefonesFornecedor(const std::string& filtro_dado);

}  // namespace vireo
