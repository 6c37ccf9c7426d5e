// The query of the accounts-receivable listing: the open titles whose due
// date lies in a range, with the payments posted after it, one telephone of
// the customer and the collector of the title.
#pragma once

#include <string>

#include "host/core/datetime.h"

namespace vireo {

struct TnFiltroContasReceber {
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  int TipoQuebra = 0;         // 0 by customer, 1 by due date
  int Modelo = 0;             // 0 accounting, other financial
  std::string CodigoCliente;  // selections; empty for all
  std::string CodigoEscrit;
};

// One contact value of the customer PE, or null; limited to one row in the
// dialect of the connection kind (0 Firebird, 1 Oracle, 2 SQL Server).
std::string SubSelectTelefone(int tipo_con);
std::string SelectContasReceber(const TnFiltroContasReceber& filtro, int tipo_con);

}  // namespace vireo
