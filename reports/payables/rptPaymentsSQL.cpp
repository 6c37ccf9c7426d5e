#include "reports/payables/rptPaymentsSQL.h"

#include "host/data/selection.h"
#include "host/data/sql.h"
#include "reports/payables/TitulosUtil.h"

namespace vireo {

namespace {

// FPRCONTA.TIPOCONTA of an account that groups others.
constexpr int kContaSintetica = 1;
// FPRACERTOCX.ORIGEMCAIXA of the entry that moves a current account.
constexpr int kOrigemCaixa = 2;

std::string FiltroContaCaixa(const std::string& codigo_conta) {
  return std::string("and (select count(*) ") + "from FPRACERTOCP PG " + "join FPRACERTOCX AX " +
         "on AX.CODIGOESCRIT = EM.CODIGOESCRIT " + "and AX.CODIGOACERTO = PG.CODIGOACERTO " +
         "join FPRCAIXA CX " + "on CX.CODIGOESCRIT = AX.CODIGOESCRIT " +
         "and CX.CODIGOCAIXA = AX.CODIGOCAIXA " + "where PG.CODIGOESCRIT = EM.CODIGOESCRIT " +
         "and PG.CODIGOPAGARCAB = CB.CODIGOPAGARCAB " + "and PG.CODIGOPAGAR = CB.CODIGOPAGAR " +
         FilterInterval("CX.CODIGOCONTA", codigo_conta, {1}, true, 0) +
         "and AX.ORIGEMCAIXA = " + InteiroSQL(kOrigemCaixa) + ") > 0 ";
}

}  // namespace

std::string SelectPagamentos(const TnFiltroPagamentos& filtro) {
  std::string sql = "SELECT ";
  sql += filtro.TipoQuebra != 0 ? "CB.DATALANCAMENTOBAIXA QUEBRACAMPO"
                                : "PE.CODIGOPESSOAFIN QUEBRACAMPO";
  sql += std::string(" ,EM.CODIGOESCRIT ") + ", PM.NOME NOMEEMPRESA" + ", PM.INSCFEDERAL " +
         ", PE.CODIGOPESSOAFIN " + ", PE.NOME NOMEPESSOA " + ", CC.NUMERONF " +
         ", CP.DATAVENCIMENTOPAG " + ", CP.VALORPAG " + ", CP.HISTORICOPAG " +
         ", CB.DATALANCAMENTOBAIXA " + ", CB.VALORBAIXA " + ", CB.VALORJUROBAIXA " +
         ", CB.VALORMULTABAIXA " + ", CB.VALORDESCBAIXA " + ", CC.CODIGOCONTA " +
         ", OT.DESCRCONTA ";
  sql += std::string("FROM ESCRITORIO  EM ") + "INNER join PessoaFinanceiro PM " +
         "ON (PM.CODIGOPESSOAFIN = EM.CODIGOESCRIT) " + "INNER JOIN FPRCONTAPAGARCAB  CC " +
         "ON (CC.CODIGOESCRIT = EM.CODIGOESCRIT) " + "JOIN FPRCONTA OT " +
         "ON OT.CODIGOCONTA = CC.CODIGOCONTA " + "INNER join PessoaFinanceiro PE " +
         "ON (CC.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN) " + "INNER JOIN FPRCONTAPAGAR CP " +
         "ON (EM.CODIGOESCRIT = CP.CODIGOESCRIT AND " +
         "CC.CODIGOPAGARCAB = CP.CODIGOPAGARCAB AND " +
         "CC.CODIGOPESSOAFIN = CP.CODIGOPESSOAFIN) " + "INNER JOIN FPRCONTAPAGARBAIXA CB " +
         "ON (EM.CODIGOESCRIT = CB.CODIGOESCRIT AND " +
         "CC.CODIGOPAGARCAB = CB.CODIGOPAGARCAB AND " + "CP.CODIGOPAGAR = CB.CODIGOPAGAR) ";
  sql += "WHERE CB.DATALANCAMENTOBAIXA between " +
         ValorParaSQL(Variant::FromDateTime(filtro.DataInicial)) + " and " +
         ValorParaSQL(Variant::FromDateTime(filtro.DataFinal));
  if (!filtro.CodigoEscrit.empty()) {
    sql += FilterInterval("EM.CODIGOESCRIT", filtro.CodigoEscrit, {1}, true, 0);
  }
  if (!filtro.CodigoFornecedor.empty()) {
    sql += FilterInterval("PE.CODIGOPESSOAFIN", filtro.CodigoFornecedor, {1}, true, 0);
  }
  if (!filtro.CodigoConta.empty()) sql += FiltroContaCaixa(filtro.CodigoConta);
  sql += filtro.TipoQuebra == 0 ? "order by EM.CODIGOESCRIT, PE.NOME, CB.DATALANCAMENTOBAIXA"
                                : "order by EM.CODIGOESCRIT, CB.DATALANCAMENTOBAIXA,  PE.NOME";
  return sql;
}

std::string SelectContasSinteticas(const std::string& codigo_conta) {
  return "select CODIGOCONTA from FPRCONTA where " +
         FilterInterval("CODIGOCONTA", codigo_conta, {1}, false, 0) +
         "and TIPOCONTA = " + InteiroSQL(kContaSintetica) + "order by TIPOCONTA";
}

}  // namespace vireo
