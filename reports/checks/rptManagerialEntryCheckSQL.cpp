#include "reports/checks/rptManagerialEntryCheckSQL.h"

#include <string>

#include "host/core/format.h"
#include "host/core/variant.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

const char* const kDescrContaDebGerencial =
    "(SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND "
    "PC.CONTACTB = LC.CONTACTBDEB) AS DESCRCONTADEB, ";
const char* const kDescrContaCredGerencial =
    "(SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND "
    "PC.CONTACTB = LC.CONTACTBCRED) AS DESCRCONTACRED, ";

namespace {

// The origin kinds in the order their pieces enter the union.
constexpr int kOrdemPecas[] = {2, 3, 1, 0, 4, 5};

bool EhAcerto(int tipo) { return tipo >= 2 && tipo <= 4; }

// Settlements of codes 2, 3, 4 are those of purpose 1, 2, 3.
int FinalidadeAcerto(int tipo) { return tipo - 1; }

const char kCodigoAcertoVazio[] = "cast('' as varchar(8)) as CODIGOACERTO, ";

std::string CodigoAcerto(int tipo) {
  return EhAcerto(tipo) ? "A.CODIGOACERTO AS CODIGOACERTO, " : kCodigoAcertoVazio;
}

std::string DocumentoAcerto(int tipo_con) {
  if (tipo_con == 0) {
    return "(select Documentos from DocumentoAcerto(LC.CODIGOESCRIT, A.CODIGOACERTO))";
  }
  return "(select dbo.DocumentoAcerto(LC.CODIGOESCRIT, A.CODIGOACERTO))";
}

std::string Documento(int tipo, const TnFiltroLctoGerencial& filtro) {
  switch (tipo) {
    case 0:
      return filtro.Produto == 0 ? "CR.NUMERODCTOCR AS DOCUMENTO"
                                 : "CR.CODIGORECEBERCAB AS DOCUMENTO";
    case 1:
      return "CP.CODIGOPAGARCAB AS DOCUMENTO";
    case 5:
      return "SN.SERIENS || SN.NUMERONS AS DOCUMENTO";
    default:
      return DocumentoAcerto(filtro.TipoCon) + " as DOCUMENTO ";
  }
}

// The document table of the origin, joined to the entry.
std::string JoinDocumento(int tipo, const TnFiltroLctoGerencial& filtro) {
  auto join = [](const std::string& tabela, const std::string& alias) {
    return " JOIN " + tabela + " " + alias + " ON (" + alias +
           ".CODIGOESCRIT = LC.CODIGOESCRIT AND " + alias +
           ".FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB)";
  };
  switch (tipo) {
    case 0:
      return join(filtro.Produto == 0 ? "CONTARECEBERCTB" : "FPRCONTARECEBERCABCTB", "CR");
    case 1:
      return join("FPRCONTAPAGARCABCTB", "CP");
    case 5:
      return join("SERVICONOTACTB", "SN");
    default:
      return std::string(
                 " JOIN FPRACERTOCTB AC ON (AC.CODIGOESCRIT = LC.CODIGOESCRIT AND "
                 "AC.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB)") +
             " JOIN FPRACERTO A ON (A.CODIGOESCRIT = LC.CODIGOESCRIT AND A.CODIGOACERTO = "
             "AC.CODIGOACERTO)";
  }
}

std::string ListaSelect(int tipo, const TnFiltroLctoGerencial& filtro) {
  return "SELECT LC.FPRCHAVELCTOCTB, LC.DATALCTOCTB, LC.CODIGOESCRIT, PF.NOME, cast(" +
         IntToStr(tipo) + " as Integer) AS TIPO, LC.VALORLCTOCTB, LC.CONTACTBDEB, " +
         filtro.DescrContaDeb + "LC.CONTACTBCRED, " + filtro.DescrContaCred +
         "LG.CODIGOCENTROCUSTO, CC.DESCRCENTROCUSTO, LG.VALORLCTOGER, "
         "(SELECT SUM(LG2.VALORLCTOGER) FROM FPRLCTOGER LG2 WHERE LG2.CODIGOESCRIT = "
         "LC.CODIGOESCRIT AND LG2.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB) AS VALORLCTOGERTOTAL"
         ", LG.NATURLCTOCTB, " +
         CodigoAcerto(tipo) + Documento(tipo, filtro) +
         // What the entry's value is compared with: the allocations of the
         // row's own side.  Summed over both sides, an entry allocated on
         // its debit and on its credit would never add up.
         ", (SELECT SUM(LG3.VALORLCTOGER) FROM FPRLCTOGER LG3 WHERE LG3.CODIGOESCRIT = "
         "LC.CODIGOESCRIT AND LG3.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB AND LG3.NATURLCTOCTB = "
         "LG.NATURLCTOCTB) AS VALORLCTOGERLADO";
}

std::string Origem(int tipo, const TnFiltroLctoGerencial& filtro) {
  return std::string(" FROM FPRLCTOCTB LC") +
         " JOIN PESSOAFINANCEIRO PF ON (PF.CODIGOPESSOAFIN = LC.CODIGOESCRIT)" +
         " JOIN FPRLCTOGER LG ON (LG.CODIGOESCRIT = LC.CODIGOESCRIT AND LG.FPRCHAVELCTOCTB = "
         "LC.FPRCHAVELCTOCTB)" +
         " JOIN FPRCENTROCUSTO CC ON (CC.CODIGOCENTROCUSTO = LG.CODIGOCENTROCUSTO)" +
         JoinDocumento(tipo, filtro);
}

std::string Condicoes(int tipo, const TnFiltroLctoGerencial& filtro) {
  std::string sql;
  if (EhAcerto(tipo)) {
    sql = " WHERE A.FINALIDADEACERTO = " + IntToStr(FinalidadeAcerto(tipo)) +
          " AND LC.DATALCTOCTB BETWEEN :pDataInicial AND :pDataFinal";
  } else {
    sql = " WHERE LC.DATALCTOCTB BETWEEN :pDataInicial AND :pDataFinal";
  }
  sql += FilterInterval("LC.CODIGOESCRIT", filtro.CodigoEscritorio, {1}, true, 0);
  if (filtro.ContaContabil != 0) {
    const std::string conta = ValorParaSQL(Variant(filtro.ContaContabil));
    sql += " AND (LC.CONTACTBDEB = " + conta + " OR LC.CONTACTBCRED = " + conta + ")";
  }
  if (!filtro.CentroCustos.empty()) {
    sql += FilterInterval("LG.CODIGOCENTROCUSTO", filtro.CentroCustos, {1}, true, 0);
  }
  return sql;
}

}  // namespace

std::string MontarSQLEscritorioGerencial(const TnFiltroLctoGerencial& filtro) {
  return "SELECT PF.NOME, PF.INSCFEDERAL FROM PESSOAFINANCEIRO PF WHERE " +
         FilterInterval("PF.CODIGOPESSOAFIN", filtro.CodigoEscritorio, {1}, false, 0);
}

std::string MontarPecaLctoGerencial(int tipo, const TnFiltroLctoGerencial& filtro) {
  std::string sql = ListaSelect(tipo, filtro) + Origem(tipo, filtro) + Condicoes(tipo, filtro);
  if (filtro.ContaContabil != 0) sql = "\n" + sql;
  return sql;
}

// The quoted orders keep an entry's rows together only by chance (the same
// key may repeat in another company, and the sides come in any order); the
// keys after them put each entry's rows in one run, debit side first.
std::string OrdenacaoLctoGerencial(int ordenacao) {
  const char* const kDesempate = ", 3, 15 DESC, 11";
  switch (ordenacao) {
    case 0:
      return std::string(" ORDER BY 2, 1, 14 ") + kDesempate;
    case 1:
      return std::string(" ORDER BY 15, 1, 14 ") + kDesempate;
    case 2:
      return std::string(" ORDER BY 3, 1, 14 ") + kDesempate;
    case 3:
      return std::string(" ORDER BY 5, 1, 14 ") + kDesempate;
    default:
      return "";
  }
}

std::string MontarSQLLctoGerencial(const TnFiltroLctoGerencial& filtro) {
  std::string sql;
  for (int tipo : kOrdemPecas) {
    if (!CheckInInclusion(Variant(tipo), filtro.Tipo, {1})) continue;
    if (!sql.empty()) sql += "\n UNION ALL \n";
    sql += MontarPecaLctoGerencial(tipo, filtro);
  }
  if (sql.empty()) return sql;
  return sql + "\n" + OrdenacaoLctoGerencial(filtro.Ordenacao);
}

}  // namespace vireo
