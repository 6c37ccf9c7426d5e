#include "host/biz/empresas.h"

#include "host/data/selection.h"

namespace vireo {

const char kMsgFiltroOrigem[] =
    "Existe um filtro para lançamentos ativo. Cuidado com as informações apresentadas pois houve "
    "lançamentos ignorados.";

std::string SelectEmpresas(const std::string& codigo_escrit) {
  std::string sql =
      "select PE.CODIGOPESSOAFIN, PE.NOME, PE.INSCFEDERAL from PessoaFinanceiro PE join "
      "ESCRITORIO  EM on EM.CODIGOESCRIT = PE.CODIGOPESSOAFIN ";
  if (!codigo_escrit.empty()) {
    sql += " where " + FilterInterval("PE.CODIGOPESSOAFIN", codigo_escrit, {1}, false, 3, -1);
  }
  return sql + " order by PE.CODIGOPESSOAFIN";
}

}  // namespace vireo
