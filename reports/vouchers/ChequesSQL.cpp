#include "reports/vouchers/ChequesSQL.h"

#include "host/core/text.h"
#include "host/core/variant.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

namespace {

const std::vector<int> kInclusaoInteiros = {1};

// The filter of a selection that extends the condition before it.
std::string FiltroSelecao(const std::string& coluna, const std::string& selecao) {
  return FilterInterval(coluna, selecao, kInclusaoInteiros, true, 3, -1);
}

std::string FiltroEmpresa(const std::string& coluna, const std::string& selecao) {
  return FilterInterval(coluna, selecao, kInclusaoInteiros, true, 0);
}

std::string Periodo(const TnFiltroCheques& filtro) {
  return "  and CHE.DATAPREVISAO between " +
         ValorParaSQL(Variant::FromDateTime(filtro.DataInicial)) + " and " +
         ValorParaSQL(Variant::FromDateTime(filtro.DataFinal));
}

std::string Numero(const TnFiltroCheques& filtro) {
  if (filtro.NumeroCheque <= 0) return "";
  return "  and CHE.NUMEROCHEQUE = " + ValorParaSQL(Variant(filtro.NumeroCheque));
}

// The payee's name contains the text, letter case aside.  The text goes in
// as one literal with its quotes doubled, so no text changes the statement.
std::string Nominal(const std::string& nominal) {
  if (Trim(nominal).empty()) return "";
  std::string padrao = "%";
  padrao += UpperCase(nominal);
  padrao += '%';
  return " and UPPER(CHE.NOMINAL) like " + ValorParaSQL(Variant(padrao));
}

}  // namespace

std::string SelectEmpresasCheque(const std::string& codigo_escrit) {
  std::string sql =
      "select   PES.CODIGOPESSOAFIN,   PES.NOME,   PES.INSCFEDERAL from PessoaFinanceiro PES join "
      "ESCRITORIO  EMP on EMP.CODIGOESCRIT = PES.CODIGOPESSOAFIN ";
  if (!codigo_escrit.empty()) sql += FiltroEmpresa("PES.CODIGOPESSOAFIN", codigo_escrit);
  return sql + " order by PES.CODIGOPESSOAFIN";
}

std::string SelectChequesEmitidos(const TnFiltroCheques& filtro) {
  std::string sql =
      "select   CHE.CODIGOESCRIT,   CHE.CODIGOCHEQUE,   CHE.CODIGOBANCO,   CHE.CODIGOAGENCIABANC,  "
      " "
      "CHE.CODIGOCONTABANC,   CHE.NUMEROCHEQUE,   CHE.DATAEMISSAO,   CHE.NOMINAL,   CHE.VALOR,   "
      "CHE.SITUACAO,   CHE.TIPOCHEQUE,   CHE.DATAPREVISAO,   CHE.NRCONTABANC,   CHE.DGCONTABANC,   "
      "CHE.STATUSCHEQUE,   MAX(CHO.DATADETALHE) DATADETALHE,   BAN.NOMEBANCO from FPRCHEQUE CHE "
      "left outer join BANCO BAN on BAN.CODIGOBANCO = CHE.CODIGOBANCO left outer join "
      "CHEQUEDETALHE CHO on CHO.CODIGOESCRIT = CHE.CODIGOESCRIT and CHO.CODIGOCHEQUE  = "
      "CHE.CODIGOCHEQUE and CHO.STATUSCHEQUE  = CHE.STATUSCHEQUE where CHE.TIPOCHEQUE    = " +
      ValorParaSQL(Variant(static_cast<int>(kChequeEmitido)));
  sql += Periodo(filtro);
  if (!filtro.CodigoEscrit.empty()) sql += FiltroEmpresa("CHE.CODIGOESCRIT", filtro.CodigoEscrit);
  sql += Numero(filtro);
  if (!Trim(filtro.ContaBanc).empty())
    sql += FiltroSelecao("CHE.CODIGOCONTABANC", filtro.ContaBanc);
  if (!Trim(filtro.StatusCheque).empty())
    sql += FiltroSelecao("CHE.STATUSCHEQUE", filtro.StatusCheque);
  sql += Nominal(filtro.Nominal);
  sql +=
      " group by CHE.CODIGOESCRIT, CHE.CODIGOCHEQUE, CHE.CODIGOBANCO, CHE.CODIGOAGENCIABANC, "
      "CHE.CODIGOCONTABANC, CHE.NUMEROCHEQUE, CHE.DATAEMISSAO, CHE.NOMINAL, CHE.VALOR, "
      "CHE.SITUACAO, "
      "CHE.TIPOCHEQUE, CHE.DATAPREVISAO, CHE.NRCONTABANC, CHE.DGCONTABANC, CHE.STATUSCHEQUE, "
      "BAN.NOMEBANCO";
  return sql + " order by CHE.CODIGOCONTABANC,CHE.DATAPREVISAO,CHE.NUMEROCHEQUE";
}

std::string SelectChequesRecebidos(const TnFiltroCheques& filtro) {
  std::string sql =
      "select   CHE.CODIGOESCRIT,   CHE.CODIGOCHEQUE,   CHE.CODIGOBANCO,   CHE.CODIGOAGENCIABANC,  "
      " "
      "CHE.CODIGOCONTABANC,   CHE.NUMEROCHEQUE,   CHE.DATAEMISSAO,   CHE.NOMINAL,   CHE.VALOR,   "
      "CHE.SITUACAO,   CHE.TIPOCHEQUE,   CHE.DATAPREVISAO,   CHE.NRCONTABANC,   CHE.DGCONTABANC,   "
      "CHE.STATUSCHEQUE,   PES.CODIGOPESSOAFIN,   PES.NOME from FPRCHEQUE CHE left outer join "
      "CHEQUEDETALHE CHD on CHD.CODIGOESCRIT = CHE.CODIGOESCRIT                                  "
      "and CHD.CODIGOCHEQUE  = CHE.CODIGOCHEQUE                                   and "
      "CHD.STATUSCHEQUE  = CHE.STATUSCHEQUE  left outer join CHEQUEDETALHE CHO on CHO.CODIGOESCRIT "
      "= CHE.CODIGOESCRIT                                  and CHO.CODIGOCHEQUE  = "
      "CHE.CODIGOCHEQUE "
      "                                  and CHO.STATUSCHEQUE  = " +
      ValorParaSQL(Variant(kStatusChequeCadastrado)) +
      "left outer join PessoaFinanceiro PES on PES.CODIGOPESSOAFIN = CHO.CODIGOPESSOAFIN ";
  sql += "where CHE.TIPOCHEQUE    = " + ValorParaSQL(Variant(static_cast<int>(kChequeRecebido)));
  sql += Periodo(filtro);
  if (!filtro.CodigoEscrit.empty()) sql += FiltroEmpresa("CHE.CODIGOESCRIT", filtro.CodigoEscrit);
  sql += Numero(filtro);
  if (!Trim(filtro.StatusCheque).empty())
    sql += FiltroSelecao("CHE.STATUSCHEQUE", filtro.StatusCheque);
  if (!Trim(filtro.CodigoPessoa).empty())
    sql += FiltroSelecao("PES.CODIGOPESSOAFIN", filtro.CodigoPessoa);
  return sql + " order by CHE.DATAPREVISAO";
}

}  // namespace vireo
