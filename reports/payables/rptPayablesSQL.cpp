#include "reports/payables/rptPayablesSQL.h"

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
      return "CP.DATAVENCIMENTOPAG";
    default:
      return "";
  }
}

}  // namespace

std::string FiltroDadoContasPagar(const TnFiltroContasPagar& filtro) {
  const std::string inicio = DataSQL(filtro.DataInicial);
  const std::string fim = DataSQL(filtro.DataFinal);
  std::string sql;
  if (filtro.DataFiltrar == dtVencimento) {
    sql = " WHERE CP.DATAVENCIMENTOPAG >= " + inicio + " AND CP.DATAVENCIMENTOPAG <= " + fim + " ";
  } else {
    sql = " WHERE CP.DATALANCAMENTOPAG >= " + inicio + " AND CP.DATALANCAMENTOPAG <= " + fim + " ";
  }
  if (filtro.Modelo != mtContabil) {
    sql += " AND CP.SITUACAOPAG IN (" + InteiroSQL(1) + "," + InteiroSQL(2) + ")";
  } else {
    sql += " AND (((CP.SITUACAOPAG IN (" + InteiroSQL(3) + ")) and (BX.DATALANCAMENTOBAIXA > " +
           fim + "))" + " or (CP.SITUACAOPAG IN (" + InteiroSQL(1) + "," + InteiroSQL(2) + ")))";
  }
  if (!filtro.CodigoFornecedor.empty()) {
    sql += FilterInterval("PE.CODIGOPESSOAFIN", filtro.CodigoFornecedor, {1}, true, 0);
  }
  if (!filtro.CodigoEscrit.empty()) {
    sql += FilterInterval("CP.CODIGOESCRIT", filtro.CodigoEscrit, {1}, true, 0);
  }
  return sql;
}

std::string SelectContasPagar(const TnFiltroContasPagar& filtro, const std::string& filtro_dado) {
  const std::string quebra = CampoQuebra(filtro.TipoQuebra);
  const std::string fim = DataSQL(filtro.DataFinal);
  return "SELECT " + quebra + " CAMPOQUEBRA " + ",CP.CODIGOESCRIT " + ",EMP.NOME AS NOMEEMPRESA " +
         ",EMP.INSCFEDERAL AS INSCRFEDERALEMPRESA " + ",PE.CODIGOPESSOAFIN AS CODIGOFORNECEDOR " +
         ",PE.NOME AS NOMEFORNECEDOR " + ",CP.CODIGOPAGARCAB " + ",CP.CODIGOPAGAR " +
         ",CP.DOCUMENTOPAG " + ",CP.DATALANCAMENTOPAG " + ",CP.DATAVENCIMENTOPAG " +
         ",COALESCE(CP.SALDOPAG,0) AS SALDO " + ",CP.HISTORICOPAG AS OBSERVACAO " +
         ",CPC.TIPODOCCAB " + ",CPC.DESCRTIPODOCCAB " + ",CPC.NUMERONF " +
         ",SUM(COALESCE(CASE WHEN BX.DATALANCAMENTOBAIXA > " + fim +
         " THEN BX.VALORBAIXA ELSE 0 END,0)) AS BAIXASFORAPERIODO " + "FROM FPRCONTAPAGAR CP " +
         "JOIN FPRCONTAPAGARCAB CPC ON CPC.CODIGOESCRIT=CP.CODIGOESCRIT " +
         "AND CPC.CODIGOPAGARCAB=CP.CODIGOPAGARCAB " +
         "LEFT JOIN FPRCONTAPAGARBAIXA BX ON (BX.CODIGOESCRIT = CP.CODIGOESCRIT AND " +
         "BX.CODIGOPAGARCAB = CP.CODIGOPAGARCAB AND " + "BX.CODIGOPAGAR = CP.CODIGOPAGAR) " +
         "LEFT join PessoaFinanceiro PE ON (PE.CODIGOPESSOAFIN = CP.CODIGOPESSOAFIN) " +
         "LEFT join PessoaFinanceiro EMP ON (EMP.CODIGOPESSOAFIN = CP.CODIGOESCRIT) " +
         filtro_dado + "GROUP BY " + quebra + ", " + "CP.CODIGOESCRIT, " + "EMP.NOME, " +
         "EMP.INSCFEDERAL, " + "PE.CODIGOPESSOAFIN, " + "PE.NOME, " + "CP.CODIGOPAGARCAB, " +
         "CP.CODIGOPAGAR, " + "CP.DOCUMENTOPAG, " + "CP.DATALANCAMENTOPAG, " +
         "CP.DATAVENCIMENTOPAG, " + "COALESCE(CP.SALDOPAG,0), " + "CP.HISTORICOPAG, " +
         "CPC.TIPODOCCAB, " + "CPC.DESCRTIPODOCCAB, " + "CPC.NUMERONF";
}

std::string SelectTelefonesFornecedor(const std::string& filtro_dado) {
  return "SELECT PE.CODIGOPESSOAFIN , CO.VALOR FROM FPRCONTAPAGAR CP JOIN FPRCONTAPAGARCAB CPC ON "
         "CPC.CODIGOESCRIT=CP.CODIGOESCRIT AND CPC.CODIGOPAGARCAB=CP.CODIGOPAGARCAB LEFT JOIN "
         "FPRCONTAPAGARBAIXA BX ON (BX.CODIGOESCRIT = CP.CODIGOESCRIT AND BX.CODIGOPAGARCAB = "
         "CP.CODIGOPAGARCAB AND BX.CODIGOPAGAR = CP.CODIGOPAGAR) LEFT join PessoaFinanceiro PE ON "
         "(PE.CODIGOPESSOAFIN = CP.CODIGOPESSOAFIN) join PESSOACONTATO CO on CO.CODIGOPESSOAFIN = "
         "PE.CODIGOPESSOAFIN and CO.VALOR IS NOT NULL AND CO.TIPOCONTATO IN(" +
         TiposContatoTelefone() + ") " + filtro_dado;
}

}  // namespace vireo
