#include "host/biz/empresa_relatorio.h"

#include "host/core/format.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"

namespace vireo {

namespace {

const char kSelectEmpresa[] =
    "select   PES.CODIGOPESSOAFIN,   PES.NOME,   PES.INSCFEDERAL from PessoaFinanceiro PES join "
    "ESCRITORIO  EMP on EMP.CODIGOESCRIT = PES.CODIGOPESSOAFIN  where PES.CODIGOPESSOAFIN = "
    ":pCodigoEscrit  order by PES.CODIGOPESSOAFIN";

}  // namespace

TnClientDataSet* ConsultarEmpresa(int64_t codigo_escrit) {
  return ExecutarSQL(kSelectEmpresa, TnSQLParams{Variant(codigo_escrit)}, true, false, -1, "",
                     nullptr, true);
}

void PreencherEmpresa(TnrwReport* report, TnClientDataSet* empresa, const std::string& nome) {
  if (empresa == nullptr || empresa->IsEmpty()) {
    report->SetValues(nome, "");
    report->SetValues("pInscrFederal", "");
    return;
  }
  const TMapEmp& emp = *empresa->GetMapper<TMapEmp>();
  report->SetValues(
      nome, FormatFloat("0000", static_cast<double>(emp.CODIGOPESSOAFIN->AsInteger())) + " " +
                emp.NOME->AsString());
  report->SetValues("pInscrFederal", "CNPJ: " + emp.INSCFEDERAL->AsString());
}

}  // namespace vireo
