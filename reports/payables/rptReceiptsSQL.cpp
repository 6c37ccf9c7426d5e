#include "reports/payables/rptReceiptsSQL.h"

#include "host/data/selection.h"
#include "host/data/sql.h"
#include "reports/payables/TitulosUtil.h"

namespace vireo {

namespace {

std::string CampoQuebra(int tipo_quebra) {
  switch (tipo_quebra) {
    case tqPessoa:
      return "PE.CODIGOPESSOAFIN";
    case tqData:
      return "CB.DATALANCAMENTOBAIXA";
    default:
      return "";
  }
}

}  // namespace

std::string SelectRecebimentos(const TnFiltroRecebimentos& filtro) {
  std::string sql = "SELECT " + CampoQuebra(filtro.TipoQuebra) + " CAMPOQUEBRA " +
                    ",CB.CODIGOESCRIT " + ",EMP.NOME AS NOMEEMPRESA " +
                    ",EMP.INSCFEDERAL AS INSCRFEDERALEMPRESA " +
                    ",PE.CODIGOPESSOAFIN AS CODIGOCLIENTE " + ",PE.NOME AS NOMECLIENTE " +
                    ",CB.DATALANCAMENTOBAIXA AS DATARECEBIMENTO " + ",CB.VALORBAIXA AS RECEBIDO " +
                    ",CB.VALORJUROBAIXA AS JURO " + ",CB.VALORMULTABAIXA AS MULTA " +
                    ",CB.VALORDESCBAIXA AS DESCONTO " + ",CR.TARIFAREC AS TARIFA " +
                    ",CR.DOCUMENTOREC AS DOCUMENTO " + ",CR.DATAVENCIMENTOREC AS DATAVENCIMENTO " +
                    ",CR.VALORREC AS RECEBER ";
  sql += std::string("from FPRCONTARECEBERBAIXA CB ") +
         "JOIN FPRCONTARECEBER CR ON (CR.CODIGOESCRIT = CB.CODIGOESCRIT AND " +
         "CR.CODIGORECEBERCAB = CB.CODIGORECEBERCAB AND " +
         "CR.CODIGORECEBER = CB.CODIGORECEBER) " +
         "LEFT join PessoaFinanceiro PE ON (PE.CODIGOPESSOAFIN = CR.CODIGOPESSOAFIN) " +
         "LEFT join PessoaFinanceiro EMP ON (EMP.CODIGOPESSOAFIN = CR.CODIGOESCRIT)";
  sql += " WHERE CB.DATALANCAMENTOBAIXA >= " + DataSQL(filtro.DataInicial) + " " +
         " AND CB.DATALANCAMENTOBAIXA <= " + DataSQL(filtro.DataFinal) + " ";
  if (!filtro.CodigoCliente.empty()) {
    sql += FilterInterval("PE.CODIGOPESSOAFIN", filtro.CodigoCliente, {1}, true, 0);
  }
  if (!filtro.CodigoEscrit.empty()) {
    sql += FilterInterval("CB.CODIGOESCRIT", filtro.CodigoEscrit, {1}, true, 0);
  }
  sql += " ORDER BY ";
  if (!filtro.CodigoEscrit.empty()) sql += "CB.CODIGOESCRIT,";
  sql += filtro.TipoQuebra == tqPessoa ? "PE.NOME,CB.DATALANCAMENTOBAIXA"
                                       : "CB.DATALANCAMENTOBAIXA,PE.NOME";
  return sql;
}

}  // namespace vireo
