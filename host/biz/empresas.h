// The companies a report prints for: the company query of the ledger and the
// trial balances (each company's person record joined to ESCRITORIO) and
// the mapper of its rows.
#pragma once

#include <string>

#include "host/core/export.h"
#include "host/data/mapper.h"

namespace vireo {

class TField;

struct TnMapperEmpresas {
  TField* CODIGOPESSOAFIN{};
  TField* Nome{};
  TField* InscFederal{};
  VIREO_MAPPER(TnMapperEmpresas, CODIGOPESSOAFIN, Nome, InscFederal)
};

// CODIGOPESSOAFIN, NOME and INSCFEDERAL of the companies of the selection
// (every company when it is empty), in code order.  Raises EnParam naming
// pCodigoEscrit for a selection that is not one.
VIREO_API std::string SelectEmpresas(const std::string& codigo_escrit);

// Told after a print whose entries were narrowed by their origin.
VIREO_API extern const char kMsgFiltroOrigem[];

}  // namespace vireo
