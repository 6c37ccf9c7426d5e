#include "reports/payables/rptReceivablesSQL.h"

#include "host/core/text.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "reports/payables/TitulosUtil.h"

namespace vireo {

namespace {

enum TipoCon { kFirebird = 0, kOracle = 1, kSqlServer = 2 };

std::string CampoQuebra(int tipo_quebra) {
  switch (tipo_quebra) {
    case tqPessoa:
      return "PE.CODIGOPESSOAFIN";
    case tqData:
      return "CR.DATAVENCIMENTOREC";
    default:
      return "";
  }
}

const char kCobrador[] =
    ",CASE WHEN CR.CODIGOBOLETO IS NULL THEN 'CARTEIRA' ELSE COALESCE(BC.NOMEBANCO,'') END ";

}  // namespace

std::string SubSelectTelefone(int tipo_con) {
  std::string prefixo, sufixo;
  switch (tipo_con) {
    case kFirebird:
      prefixo = "FIRST 1";
      break;
    case kOracle:
      sufixo = " AND ROWNUM <= 1";
      break;
    case kSqlServer:
      prefixo = "TOP 1";
      break;
    default:
      break;
  }
  std::string sql =
      "SELECT %s CO.VALOR   FROM PESSOACONTATO CO   WHERE CO.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN "
      "AND   CO.VALOR IS NOT NULL AND   CO.TIPOCONTATO IN (" +
      TiposContatoTelefone() + ") %s";
  sql.replace(sql.find("%s"), 2, prefixo);
  sql.replace(sql.find("%s"), 2, sufixo);
  return sql;
}

std::string SelectContasReceber(const TnFiltroContasReceber& filtro, int tipo_con) {
  const std::string quebra = CampoQuebra(filtro.TipoQuebra);
  const std::string telefone = SubSelectTelefone(tipo_con);
  const std::string inicio = DataSQL(filtro.DataInicial);
  const std::string fim = DataSQL(filtro.DataFinal);
  std::string sql = "SELECT " + quebra + " CAMPOQUEBRA " + ",CR.CODIGOESCRIT " +
                    ",EMP.NOME AS NOMEEMPRESA " + ",EMP.INSCFEDERAL AS INSCRFEDERALEMPRESA " +
                    ",PE.CODIGOPESSOAFIN AS CODIGOCLIENTE " + ",PE.NOME AS NOMECLIENTE " + ",( " +
                    telefone + " ) AS FONE " + ",CR.CODIGORECEBERCAB " + ",CR.CODIGORECEBER " +
                    ",CR.DOCUMENTOREC " + ",CR.DATALANCAMENTOREC " + ",CR.DATAVENCIMENTOREC " +
                    ",COALESCE(CR.SALDOREC,0) AS SALDO " + ",CR.HISTORICOREC AS OBSERVACAO " +
                    kCobrador + "AS COBRADOR " +
                    ",SUM(COALESCE(CASE WHEN BX.DATALANCAMENTOBAIXA > " + fim +
                    " THEN BX.VALORBAIXA ELSE 0 END,0)) AS BAIXASFORAPERIODO ";
  sql += std::string("FROM FPRCONTARECEBER CR ") +
         "LEFT JOIN FPRCONTARECEBERBAIXA BX ON (BX.CODIGOESCRIT = CR.CODIGOESCRIT AND " +
         "BX.CODIGORECEBERCAB = CR.CODIGORECEBERCAB AND " +
         "BX.CODIGORECEBER = CR.CODIGORECEBER) " +
         "LEFT join PessoaFinanceiro PE ON (PE.CODIGOPESSOAFIN = CR.CODIGOPESSOAFIN) " +
         "LEFT join PessoaFinanceiro EMP ON (EMP.CODIGOPESSOAFIN = CR.CODIGOESCRIT) " +
         "LEFT JOIN BOLETO BO ON (BO.CODIGOESCRIT = CR.CODIGOESCRIT AND BO.CODIGOBOLETO = "
         "CR.CODIGOBOLETO) " +
         "LEFT JOIN EMPRESACFGBOLETO EB ON (EB.CODIGOESCRIT = BO.CODIGOESCRIT AND "
         "EB.CODIGOEMPRESACFGBOLETO = BO.CODIGOEMPRESACFGBOLETO) " +
         "LEFT JOIN PESSOACONTABANC PB ON (PB.CODIGOPESSOAFIN = EB.CODIGOESCRIT AND "
         "PB.CODIGOCONTABANC = EB.CODIGOCONTABANC) " +
         "LEFT JOIN AGENCIABANC AG ON (AG.CODIGOAGENCIABANC = PB.CODIGOAGENCIABANC) " +
         "LEFT JOIN BANCO BC ON (BC.CODIGOBANCO = AG.CODIGOBANCO) ";
  sql += " WHERE CR.DATAVENCIMENTOREC >= " + inicio + " " + " AND CR.DATAVENCIMENTOREC <= " + fim +
         " ";
  if (filtro.Modelo != mtContabil) {
    sql += " AND CR.SITUACAOREC IN (" + InteiroSQL(1) + "," + InteiroSQL(2) + ")";
  } else {
    sql += " AND (((CR.SITUACAOREC IN (" + InteiroSQL(3) + ")) and (BX.DATALANCAMENTOBAIXA > " +
           fim + "))" + " or (CR.SITUACAOREC IN (" + InteiroSQL(1) + "," + InteiroSQL(2) + ")))";
  }
  if (!filtro.CodigoCliente.empty()) {
    sql += FilterInterval("PE.CODIGOPESSOAFIN", filtro.CodigoCliente, {1}, true, 0);
  }
  if (!filtro.CodigoEscrit.empty()) {
    sql += FilterInterval("CR.CODIGOESCRIT", filtro.CodigoEscrit, {1}, true, 0);
  }
  sql += " GROUP BY " + quebra + ",CR.CODIGOESCRIT " + ",EMP.NOME " + ",EMP.INSCFEDERAL " +
         ",PE.CODIGOPESSOAFIN " + ",PE.NOME " + ",( " + telefone + " ) " + ",CR.CODIGORECEBERCAB " +
         ",CR.CODIGORECEBER " + ",CR.DOCUMENTOREC " + ",CR.DATALANCAMENTOREC " +
         ",CR.DATAVENCIMENTOREC " + ",COALESCE(CR.SALDOREC,0) " + ",CR.HISTORICOREC " + kCobrador;
  return sql;
}

}  // namespace vireo
