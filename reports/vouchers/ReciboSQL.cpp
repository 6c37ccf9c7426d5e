#include "reports/vouchers/ReciboSQL.h"

#include "host/core/format.h"
#include "host/core/variant.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

namespace {

// The pieces in which the payment and the receipt query differ.
struct TnTextosSQLRecibo {
  const char* baixa;    // alias of the settlement table
  const char* parcela;  // alias of the installment table
  const char* codigos;  // the installment's key columns
  const char* colunas;  // the installment's dates, history and number
  const char* from;
  const char* join_parcela;
  const char* join_pessoa;
  const char* join_recibo;
  const char* ordem_parcela;
};

const TnTextosSQLRecibo kPagamento = {
    "CPB",
    "CP",
    "CP.CODIGOPAGARCAB, CP.CODIGOPAGAR, ",
    "CP.DATALANCAMENTOPAG, CP.DATAVENCIMENTOPAG, CP.HISTORICOPAG, CP.PARCELAPAG, ",
    "FROM FPRCONTAPAGARBAIXA CPB ",
    "JOIN FPRCONTAPAGAR CP ON CP.CODIGOESCRIT = CPB.CODIGOESCRIT AND CP.CODIGOPAGARCAB = "
    "CPB.CODIGOPAGARCAB AND CP.CODIGOPAGAR = CPB.CODIGOPAGAR ",
    "ON PP.CODIGOPESSOAFIN=CP.CODIGOPESSOAFIN ",
    "JOIN FPRRECIBOPAGAMENTO R "
    "ON R.CODIGOESCRIT=CPB.CODIGOESCRIT "
    "AND R.CODIGOACERTO=CPB.CODIGOACERTO ",
    ",CP.CODIGOPAGARCAB "
    ",CP.CODIGOPAGAR "};

const TnTextosSQLRecibo kRecebimento = {
    "CRB",
    "CR",
    "CR.CODIGORECEBERCAB, CR.CODIGORECEBER, ",
    "CR.DATALANCAMENTOREC, CR.DATAVENCIMENTOREC, CR.HISTORICOREC, CR.PARCELAREC, ",
    "FROM FPRCONTARECEBERBAIXA CRB ",
    "JOIN FPRCONTARECEBER CR ON CR.CODIGOESCRIT=CRB.CODIGOESCRIT AND "
    "CR.CODIGORECEBERCAB=CRB.CODIGORECEBERCAB AND CR.CODIGORECEBER=CRB.CODIGORECEBER ",
    "ON PP.CODIGOPESSOAFIN=CR.CODIGOPESSOAFIN ",
    "JOIN FPRRECIBORECEBIMENTO R "
    "ON R.CODIGOESCRIT=CRB.CODIGOESCRIT "
    "AND R.CODIGOACERTO=CRB.CODIGOACERTO ",
    ",CR.CODIGORECEBERCAB "
    ",CR.CODIGORECEBER "};

const char kEndereco[] =
    "CASE WHEN PEE.CODIGOENDERECO IS NOT NULL THEN (COALESCE(EE.ENDERECO1, '')||', '|| "
    "COALESCE(PEE.NRENDERECO, '')||' '||    COALESCE(EE.COMPLEMENTO, '')||' '||"
    "COALESCE(PEE.COMPLEMENTO,'')||' - '||    COALESCE(EE.ENDERECO2, '')) ELSE '' END";

// Contact kinds 0 to 4 are telephones.
constexpr int kPrimeiroTipoTelefone = 0;
constexpr int kUltimoTipoTelefone = 4;

std::string TiposTelefone() {
  std::string lista;
  for (int tipo = kPrimeiroTipoTelefone; tipo <= kUltimoTipoTelefone; ++tipo) {
    if (!lista.empty()) lista += ",";
    lista += IntToStr(tipo);
  }
  return lista;
}

std::string SelectRecibo(const TnTextosSQLRecibo& t, const TnFiltroRecibo& filtro) {
  const std::string b = t.baixa;
  const std::string empresa = ValorParaSQL(Variant(filtro.CodigoEscrit), TFieldKind::Integer);
  std::string sql = "SELECT E.CODIGOESCRIT, E.LOGO, " + b + ".CODIGOACERTO, PP.CODIGOPESSOAFIN, " +
                    t.codigos +
                    "R.NUMERORECIBO, PE.NOME NOMEEMPRESA, PE.INSCFEDERAL INSCFEDERALEMPRESA, "
                    "PC.TELEFONE, " +
                    kEndereco +
                    " ENDERECO, EE.NOMEMUNICIPIO, EE.SIGLAESTADO, PP.NOME NOMECLI, "
                    "PP.TIPOINSCFEDERAL, PP.INSCFEDERAL INSCFEDERALCLI, " +
                    t.colunas + b + ".DATALANCAMENTOBAIXA, " + b + ".VALORBAIXA, " + b +
                    ".VALORJUROBAIXA, " + b + ".VALORMULTABAIXA, " + b + ".VALORDESCBAIXA ";
  sql += t.from;
  sql += t.join_parcela;
  sql += "JOIN ESCRITORIO E ON E.CODIGOESCRIT=" + b + ".CODIGOESCRIT ";
  sql += "JOIN PESSOAFINANCEIRO PE ON PE.CODIGOPESSOAFIN=E.CODIGOESCRIT ";
  sql += "JOIN PESSOAENDERECO PEE ON PEE.CODIGOPESSOAFIN=PE.CODIGOPESSOAFIN AND PEE.PADRAO=1 ";
  sql += "JOIN VENDERECO EE ON EE.CODIGOENDERECO=PEE.CODIGOENDERECO ";
  sql +=
      "LEFT JOIN (SELECT PC.CODIGOPESSOAFIN, PC.VALOR TELEFONE FROM PESSOACONTATO PC WHERE "
      "PC.CODIGOPESSOAFIN = " +
      empresa + " AND PC.TIPOCONTATO IN (" + TiposTelefone() + ") " +
      "AND PC.CODIGOPESSOACONTATO = (SELECT MAX(CODIGOPESSOACONTATO) " + "FROM PESSOACONTATO " +
      "WHERE PESSOACONTATO.CODIGOPESSOAFIN = PC.CODIGOPESSOAFIN)) PC " +
      "ON PC.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN ";
  sql += std::string("JOIN PESSOAFINANCEIRO PP ") + t.join_pessoa;
  sql += std::string(t.join_recibo) + "AND R.CODIGOPESSOAFIN=PP.CODIGOPESSOAFIN ";
  sql += "WHERE " + b + ".CODIGOESCRIT = " + empresa + " AND " + b +
         ".DATALANCAMENTOBAIXA BETWEEN " +
         ValorParaSQL(Variant::FromDateTime(filtro.DataInicial), TFieldKind::DateTime) + " AND " +
         ValorParaSQL(Variant::FromDateTime(filtro.DataFinal), TFieldKind::DateTime);
  if (!filtro.CodigoAcerto.empty()) {
    sql += FilterInterval(b + ".CODIGOACERTO", filtro.CodigoAcerto, {1}, true, 0);
  }
  if (!filtro.CodigoPessoaFin.empty()) {
    sql += FilterInterval("PP.CODIGOPESSOAFIN", filtro.CodigoPessoaFin, {1}, true, 0);
  }
  sql += " ORDER BY E.CODIGOESCRIT ";
  sql += "," + b + ".CODIGOACERTO ";
  sql += ",PP.CODIGOPESSOAFIN ";
  sql += t.ordem_parcela;
  return sql;
}

}  // namespace

std::string SelectReciboPagamento(const TnFiltroRecibo& filtro) {
  return SelectRecibo(kPagamento, filtro);
}

std::string SelectReciboRecebimento(const TnFiltroRecibo& filtro) {
  return SelectRecibo(kRecebimento, filtro);
}

}  // namespace vireo
