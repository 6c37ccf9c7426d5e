#include "reports/checks/rptPostingPreviewSQL.h"

#include <string>
#include <vector>

#include "host/core/variant.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

const char* const kDescrContaDebPrevia =
    "(SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND "
    "PC.CONTACTB = LC.CONTACTBDEB)";
const char* const kDescrContaCredPrevia =
    "(SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND "
    "PC.CONTACTB = LC.CONTACTBCRED)";

namespace {

// The origin kinds in the order their pieces enter the query.
constexpr int kOrdemPecas[] = {1, 0, 5, 4, 2, 3, 6, 7, 8};

bool EhAcerto(int tipo) { return tipo >= 2 && tipo <= 4; }

// Settlements of codes 2, 3, 4 are those of purpose 1, 2, 3.
int FinalidadeAcerto(int tipo) { return tipo - 1; }

struct TnPecaPrevia {
  std::string documento;
  std::string valor;
  std::vector<const char*> joins;
};

TnPecaPrevia Peca(int tipo, int produto) {
  switch (tipo) {
    case 1:
      return {
          "CP.CODIGOPAGARCAB",
          "CA.VALORPAGCAB",
          {"JOIN FPRCONTAPAGARCABCTB CP ", "ON CP.CODIGOESCRIT = LC.CODIGOESCRIT ",
           "and CP.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB ", "JOIN FPRCONTAPAGARCAB CA ",
           "on CA.CODIGOESCRIT = CP.CODIGOESCRIT ", "and CA.CODIGOPAGARCAB = CP.CODIGOPAGARCAB"}};
    case 0:
      if (produto == 2) {
        return {"CR.CODIGORECEBERCAB",
                "RE.VALORRECCAB",
                {"JOIN FPRCONTARECEBERCABCTB CR ", "on LC.CODIGOESCRIT = CR.CODIGOESCRIT ",
                 "and CR.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB ", "join FPRCONTARECEBERCAB RE ",
                 "on RE.CODIGOESCRIT = LC.CODIGOESCRIT ",
                 "and RE.CODIGORECEBERCAB = CR.CODIGORECEBERCAB"}};
      }
      return {"CR.NUMERODCTOCR",
              "RE.VALORCR",
              {"join CONTARECEBERCTB CR ", "on CR.CODIGOESCRIT = LC.CODIGOESCRIT ",
               "and CR.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB ", "join CONTARECEBER RE ",
               "on RE.CODIGOESCRIT = CR.CODIGOESCRIT ", "and RE.NUMERODCTOCR = CR.NUMERODCTOCR"}};
    case 5:
      return {"SN.SERIENS||cast(SN.NUMERONS as varchar(10))",
              "NT.VALORBRUTO",
              {"JOIN SERVICONOTACTB SN ",
               "ON SN.CODIGOESCRIT = LC.CODIGOESCRIT AND SN.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB ",
               "join SERVICONOTA NT ", "on NT.CODIGOESCRIT = LC.CODIGOESCRIT ",
               "and NT.SERIENS = SN.SERIENS ", "and NT.NUMERONS = SN.NUMERONS"}};
    case 6:
      return {"CP.CODIGOVENDA",
              "VE.VALORTOTALVENDA",
              {"JOIN VENDACTB CP ", "ON CP.CODIGOESCRIT = LC.CODIGOESCRIT ",
               "and CP.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB ", "JOIN VENDA VE ",
               "on VE.CODIGOESCRIT = CP.CODIGOESCRIT ", "and VE.CODIGOVENDA = CP.CODIGOVENDA "}};
    case 7:
      return {"OB.CODIGOOBRA",
              "OC.VALORTOTALORCADO",
              {"JOIN OBRAORCAMENTOCTB OB ", "ON OB.CODIGOESCRIT = LC.CODIGOESCRIT ",
               "and OB.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB ", "JOIN OBRAORCAMENTO OC ",
               "on OC.CODIGOESCRIT = OB.CODIGOESCRIT ", "and OC.CODIGOOBRA = OB.CODIGOOBRA ",
               "and OC.DATAORCAMENTO = OB.DATAORCAMENTO "}};
    case 8:
      return {
          "NC.CODIGONOTAENT",
          "NE.VALORTOTALNOTA",
          {"JOIN NOTAENTRADACTB NC ", "ON NC.CODIGOESCRIT = LC.CODIGOESCRIT ",
           "and NC.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB ", "JOIN NOTAENTRADA NE ",
           "on NE.CODIGOESCRIT = NC.CODIGOESCRIT ", "and NE.CODIGONOTAENT = NC.CODIGONOTAENT "}};
    default:  // settlements
      return {"A.CODIGOACERTO",
              "A.VALORACERTO",
              {"JOIN FPRACERTOCTB AC ", "ON AC.CODIGOESCRIT = LC.CODIGOESCRIT ",
               "AND AC.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB ", "JOIN FPRACERTO A ",
               "ON A.CODIGOESCRIT = LC.CODIGOESCRIT ", "AND A.CODIGOACERTO = AC.CODIGOACERTO"}};
  }
}

}  // namespace

bool IncluirTipoPrevia(int tipo, const TnFiltroPrevia& filtro) {
  const bool na_selecao = CheckInInclusion(Variant(tipo), filtro.Tipo, {1});
  switch (tipo) {
    case 5:
      return filtro.Produto == 0 && (filtro.Tipo.empty() || na_selecao);
    case 7:
    case 8:
      return na_selecao;
    default:
      return filtro.Tipo.empty() || na_selecao;
  }
}

std::string MontarPecaPrevia(int tipo, const TnFiltroPrevia& filtro) {
  const TnPecaPrevia peca = Peca(tipo, filtro.Produto);
  std::string sql = EhAcerto(tipo) ? "SELECT " : "select ";
  sql += "LC.DATALCTOCTB, ";
  sql += ValorParaSQL(Variant(tipo)) + " TIPO, ";
  sql += "cast(" + peca.documento + " as varchar(20)) DOCUMENTO, ";
  sql += peca.valor + " VALORLCTO, ";
  sql += "LC.VALORLCTOCTB, ";
  sql += "LC.CONTACTBDEB, ";
  sql += filtro.DescrContaDeb + " DESCRCONTADEB, ";
  sql += "LC.CONTACTBCRED, ";
  sql += filtro.DescrContaCred + " DESCRCONTACRED ";
  sql += "FROM FPRLCTOCTB LC ";
  for (const char* join : peca.joins) sql += join;
  sql +=
      " where LC.CODIGOESCRIT = :pCODIGOESCRIT and LC.DATALCTOCTB between :pDataIni and "
      ":pDataFim ";
  if (EhAcerto(tipo)) sql += " and A.FINALIDADEACERTO = " + std::to_string(FinalidadeAcerto(tipo));
  return sql;
}

// The pieces are joined with "union all": entries of one document that
// read alike (same date, accounts and value) are distinct postings, and a
// plain union would fold them into one.
std::string MontarSQLPrevia(const TnFiltroPrevia& filtro) {
  std::string sql;
  for (int tipo : kOrdemPecas) {
    if (!IncluirTipoPrevia(tipo, filtro)) continue;
    if (!sql.empty()) sql += "\n union all \n";
    sql += MontarPecaPrevia(tipo, filtro);
  }
  return sql;
}

}  // namespace vireo
