// The company of a report of one company: the company query of the ledger
// by cost centre and the cost-centre trial balances (the company's person
// record joined to ESCRITORIO, bound to :pCodigoEscrit), its mapper, and the
// header variables it fills.
#pragma once

#include <cstdint>
#include <string>

#include "host/core/export.h"
#include "host/data/mapper.h"

namespace vireo {

class TField;
class TnClientDataSet;
class TnrwReport;

// The company row of the company query.
struct TMapEmp {
  TField* CODIGOPESSOAFIN{};
  TField* NOME{};
  TField* INSCFEDERAL{};
  VIREO_MAPPER(TMapEmp, CODIGOPESSOAFIN, NOME, INSCFEDERAL)
};

// CODIGOPESSOAFIN, NOME and INSCFEDERAL of one company; the caller releases
// the dataset (DestruirSQL).
VIREO_API TnClientDataSet* ConsultarEmpresa(int64_t codigo_escrit);
// `nome` := the code with "0000", a blank and the name; pInscrFederal :=
// "CNPJ: " and the tax number; both empty without a company row.
VIREO_API void PreencherEmpresa(TnrwReport* report, TnClientDataSet* empresa,
                                const std::string& nome);

}  // namespace vireo
