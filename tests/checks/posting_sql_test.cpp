// The SQL texts of rptManagerialEntryCheck and rptPostingPreview, built
// without a database: the pieces per origin kind and product kind, the
// settlement document per connection kind, the conditions, the order of
// the pieces and the ordering clauses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/data/selection.h"
#include "reports/checks/rptManagerialEntryCheckSQL.h"
#include "reports/checks/rptPostingPreviewSQL.h"

namespace vireo {
namespace {

bool Contem(const std::string& texto, const std::string& trecho) {
  return texto.find(trecho) != std::string::npos;
}

bool TerminaCom(const std::string& texto, const std::string& fim) {
  return texto.size() >= fim.size() &&
         texto.compare(texto.size() - fim.size(), fim.size(), fim) == 0;
}

// Positions of the texts in sql, in the order given; -1 when missing.
std::vector<long> Posicoes(const std::string& sql, const std::vector<std::string>& trechos) {
  std::vector<long> out;
  for (const std::string& t : trechos) {
    const size_t p = sql.find(t);
    out.push_back(p == std::string::npos ? -1 : static_cast<long>(p));
  }
  return out;
}

bool Crescente(const std::vector<long>& posicoes) {
  for (size_t i = 0; i < posicoes.size(); ++i) {
    if (posicoes[i] < 0 || (i > 0 && posicoes[i] <= posicoes[i - 1])) return false;
  }
  return true;
}

// --- managerial entry check ------------------------------------------------------

TEST(SQLGerencialTest, PayablesPieceReadsAsWritten) {
  const TnFiltroLctoGerencial filtro;
  EXPECT_EQ(
      MontarPecaLctoGerencial(1, filtro),
      "SELECT LC.FPRCHAVELCTOCTB, LC.DATALCTOCTB, LC.CODIGOESCRIT, PF.NOME, cast(1 as Integer) AS "
      "TIPO, LC.VALORLCTOCTB, LC.CONTACTBDEB, (SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE "
      "PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND PC.CONTACTB = LC.CONTACTBDEB) AS DESCRCONTADEB, "
      "LC.CONTACTBCRED, (SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE PC.CODIGOEMPRESA = "
      "LC.CODIGOEMPRESA AND PC.CONTACTB = LC.CONTACTBCRED) AS DESCRCONTACRED, "
      "LG.CODIGOCENTROCUSTO, CC.DESCRCENTROCUSTO, LG.VALORLCTOGER, (SELECT SUM(LG2.VALORLCTOGER) "
      "FROM FPRLCTOGER LG2 WHERE LG2.CODIGOESCRIT = LC.CODIGOESCRIT AND LG2.FPRCHAVELCTOCTB = "
      "LC.FPRCHAVELCTOCTB) AS VALORLCTOGERTOTAL, LG.NATURLCTOCTB, cast('' as varchar(8)) as "
      "CODIGOACERTO, CP.CODIGOPAGARCAB AS DOCUMENTO, (SELECT SUM(LG3.VALORLCTOGER) FROM "
      "FPRLCTOGER LG3 WHERE LG3.CODIGOESCRIT = LC.CODIGOESCRIT AND LG3.FPRCHAVELCTOCTB = "
      "LC.FPRCHAVELCTOCTB AND LG3.NATURLCTOCTB = LG.NATURLCTOCTB) AS VALORLCTOGERLADO FROM "
      "FPRLCTOCTB LC JOIN PESSOAFINANCEIRO PF ON (PF.CODIGOPESSOAFIN = LC.CODIGOESCRIT) JOIN "
      "FPRLCTOGER LG ON (LG.CODIGOESCRIT = LC.CODIGOESCRIT AND LG.FPRCHAVELCTOCTB = "
      "LC.FPRCHAVELCTOCTB) JOIN FPRCENTROCUSTO CC ON (CC.CODIGOCENTROCUSTO = "
      "LG.CODIGOCENTROCUSTO) JOIN FPRCONTAPAGARCABCTB CP ON (CP.CODIGOESCRIT = LC.CODIGOESCRIT "
      "AND CP.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB) WHERE LC.DATALCTOCTB BETWEEN :pDataInicial "
      "AND :pDataFinal");
}

TEST(SQLGerencialTest, ReceivablesByProductKind) {
  TnFiltroLctoGerencial filtro;
  filtro.Produto = 0;
  const std::string comercial = MontarPecaLctoGerencial(0, filtro);
  EXPECT_TRUE(Contem(comercial,
                     " JOIN CONTARECEBERCTB CR ON (CR.CODIGOESCRIT = LC.CODIGOESCRIT AND "
                     "CR.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB)"));
  EXPECT_TRUE(Contem(comercial, "CR.NUMERODCTOCR AS DOCUMENTO"));
  EXPECT_FALSE(Contem(comercial, "FPRCONTARECEBERCABCTB"));
  filtro.Produto = 2;
  const std::string financeiro = MontarPecaLctoGerencial(0, filtro);
  EXPECT_TRUE(Contem(financeiro,
                     " JOIN FPRCONTARECEBERCABCTB CR ON (CR.CODIGOESCRIT = LC.CODIGOESCRIT AND "
                     "CR.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB)"));
  EXPECT_TRUE(Contem(financeiro, "CR.CODIGORECEBERCAB AS DOCUMENTO"));
  EXPECT_FALSE(Contem(financeiro, "NUMERODCTOCR"));
}

// Only Firebird (0) selects from the settlement routine; every other
// connection kind calls it as a function.
TEST(SQLGerencialTest, SettlementPiecesByPurposeAndConnectionKind) {
  for (int tipo_con : {0, 1, 2}) {
    for (int tipo = 2; tipo <= 4; ++tipo) {
      TnFiltroLctoGerencial filtro;
      filtro.TipoCon = tipo_con;
      const std::string sql = MontarPecaLctoGerencial(tipo, filtro);
      SCOPED_TRACE(sql);
      EXPECT_TRUE(Contem(sql, "cast(" + std::to_string(tipo) + " as Integer) AS TIPO"));
      EXPECT_TRUE(Contem(sql, "A.CODIGOACERTO AS CODIGOACERTO, "));
      EXPECT_TRUE(Contem(sql,
                         " JOIN FPRACERTOCTB AC ON (AC.CODIGOESCRIT = LC.CODIGOESCRIT AND "
                         "AC.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB) JOIN FPRACERTO A ON "
                         "(A.CODIGOESCRIT = LC.CODIGOESCRIT AND A.CODIGOACERTO = "
                         "AC.CODIGOACERTO)"));
      EXPECT_TRUE(Contem(sql, " WHERE A.FINALIDADEACERTO = " + std::to_string(tipo - 1) +
                                  " AND LC.DATALCTOCTB BETWEEN :pDataInicial AND :pDataFinal"));
      const std::string firebird =
          "(select Documentos from DocumentoAcerto(LC.CODIGOESCRIT, A.CODIGOACERTO)) as "
          "DOCUMENTO ";
      const std::string sql_server =
          "(select dbo.DocumentoAcerto(LC.CODIGOESCRIT, A.CODIGOACERTO)) as DOCUMENTO ";
      EXPECT_EQ(Contem(sql, firebird), tipo_con == 0);
      EXPECT_EQ(Contem(sql, sql_server), tipo_con != 0);
    }
  }
}

TEST(SQLGerencialTest, OtherPiecesAreTheSameOnEveryConnectionKind) {
  for (int produto : {0, 2}) {
    for (int tipo : {0, 1, 5}) {
      TnFiltroLctoGerencial firebird;
      firebird.Produto = produto;
      TnFiltroLctoGerencial sql_server = firebird;
      sql_server.TipoCon = 2;
      const std::string sql = MontarPecaLctoGerencial(tipo, sql_server);
      EXPECT_EQ(sql, MontarPecaLctoGerencial(tipo, firebird));
      EXPECT_FALSE(Contem(sql, "DocumentoAcerto"));
      EXPECT_TRUE(Contem(sql, "cast('' as varchar(8)) as CODIGOACERTO, "));
    }
  }
}

TEST(SQLGerencialTest, ServiceNotesJoinSeriesAndNumber) {
  const std::string sql = MontarPecaLctoGerencial(5, {});
  EXPECT_TRUE(Contem(sql, "SN.SERIENS || SN.NUMERONS AS DOCUMENTO"));
  EXPECT_TRUE(Contem(sql,
                     " JOIN SERVICONOTACTB SN ON (SN.CODIGOESCRIT = LC.CODIGOESCRIT AND "
                     "SN.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB)"));
}

TEST(SQLGerencialTest, PiecesInTheirOrderJoinedByUnionAll) {
  const TnFiltroLctoGerencial filtro;
  const std::string sql = MontarSQLLctoGerencial(filtro);
  EXPECT_TRUE(
      Crescente(Posicoes(sql, {"cast(2 as Integer)", "cast(3 as Integer)", "cast(1 as Integer)",
                               "cast(0 as Integer)", "cast(4 as Integer)", "cast(5 as Integer)"})));
  std::string esperado;
  for (int tipo : {2, 3, 1, 0, 4, 5}) {
    esperado += (esperado.empty() ? "" : "\n UNION ALL \n") + MontarPecaLctoGerencial(tipo, filtro);
  }
  EXPECT_EQ(sql, esperado + "\n" + OrdenacaoLctoGerencial(0));
}

TEST(SQLGerencialTest, OriginSelectionPicksThePieces) {
  TnFiltroLctoGerencial filtro;
  filtro.Tipo = "1;4..5";
  const std::string sql = MontarSQLLctoGerencial(filtro);
  EXPECT_EQ(sql, MontarPecaLctoGerencial(1, filtro) + "\n UNION ALL \n" +
                     MontarPecaLctoGerencial(4, filtro) + "\n UNION ALL \n" +
                     MontarPecaLctoGerencial(5, filtro) + "\n" + OrdenacaoLctoGerencial(0));
  filtro.Tipo = "7;8";
  EXPECT_EQ(MontarSQLLctoGerencial(filtro), "");
}

TEST(SQLGerencialTest, OrderingClausesKeepTheChosenKeysFirst) {
  EXPECT_EQ(OrdenacaoLctoGerencial(0).rfind(" ORDER BY 2, 1, 14 ", 0), 0u);
  EXPECT_EQ(OrdenacaoLctoGerencial(1).rfind(" ORDER BY 15, 1, 14 ", 0), 0u);
  EXPECT_EQ(OrdenacaoLctoGerencial(2).rfind(" ORDER BY 3, 1, 14 ", 0), 0u);
  EXPECT_EQ(OrdenacaoLctoGerencial(3).rfind(" ORDER BY 5, 1, 14 ", 0), 0u);
  EXPECT_EQ(OrdenacaoLctoGerencial(1), " ORDER BY 15, 1, 14 , 3, 15 DESC, 11");
  for (int ordenacao : {0, 1, 2, 3}) {
    // Then company, debit side before credit, cost centre.
    const std::string clausula = OrdenacaoLctoGerencial(ordenacao);
    EXPECT_TRUE(TerminaCom(clausula, " , 3, 15 DESC, 11"));
  }
}

TEST(SQLGerencialTest, OrderingFourGivesTheUnionWithoutOrderingClause) {
  TnFiltroLctoGerencial filtro;
  filtro.Ordenacao = 4;
  const std::string sql = MontarSQLLctoGerencial(filtro);
  EXPECT_FALSE(Contem(sql, "ORDER BY"));
  EXPECT_EQ(sql.back(), '\n');
  EXPECT_EQ(OrdenacaoLctoGerencial(-1), "");
}

TEST(SQLGerencialTest, AccountFilterOpensThePieceOnANewLine) {
  TnFiltroLctoGerencial filtro;
  filtro.ContaContabil = 2101;
  const std::string sql = MontarPecaLctoGerencial(1, filtro);
  EXPECT_EQ(sql.front(), '\n');
  EXPECT_TRUE(TerminaCom(sql, ":pDataFinal AND (LC.CONTACTBDEB = 2101 OR LC.CONTACTBCRED = 2101)"));
  EXPECT_NE(MontarPecaLctoGerencial(1, {}).front(), '\n');
}

TEST(SQLGerencialTest, AccountFilterOpensEveryPieceOfTheUnionOnANewLine) {
  TnFiltroLctoGerencial filtro;
  filtro.ContaContabil = 2101;
  filtro.Tipo = "5;1";
  filtro.Ordenacao = 2;
  const std::string sql = MontarSQLLctoGerencial(filtro);
  EXPECT_EQ(sql.rfind("\nSELECT ", 0), 0u);
  EXPECT_TRUE(Contem(sql, "= 2101)\n UNION ALL \n\nSELECT "));
  EXPECT_TRUE(TerminaCom(sql, "= 2101)\n ORDER BY 3, 1, 14 , 3, 15 DESC, 11"));
}

TEST(SQLGerencialTest, CompanyAndCostCentreSelectionsFollowThePeriod) {
  TnFiltroLctoGerencial filtro;
  filtro.CodigoEscritorio = "1;3";
  filtro.CentroCustos = "10..20";
  const std::string sql = MontarPecaLctoGerencial(1, filtro);
  const std::string empresa = FilterInterval("LC.CODIGOESCRIT", "1;3", {1}, true, 0);
  const std::string centros = FilterInterval("LG.CODIGOCENTROCUSTO", "10..20", {1}, true, 0);
  EXPECT_EQ(sql.substr(sql.find(":pDataFinal")), ":pDataFinal" + empresa + centros);
}

TEST(SQLGerencialTest, CompanyQuery) {
  TnFiltroLctoGerencial filtro;
  filtro.CodigoEscritorio = "2";
  EXPECT_EQ(MontarSQLEscritorioGerencial(filtro),
            "SELECT PF.NOME, PF.INSCFEDERAL FROM PESSOAFINANCEIRO PF WHERE " +
                FilterInterval("PF.CODIGOPESSOAFIN", "2", {1}, false, 0));
}

// --- posting preview ------------------------------------------------------------------

TEST(SQLPreviaTest, PayablesPieceReadsAsWritten) {
  EXPECT_EQ(
      MontarPecaPrevia(1, {}),
      "select LC.DATALCTOCTB, 1 TIPO, cast(CP.CODIGOPAGARCAB as varchar(20)) DOCUMENTO, "
      "CA.VALORPAGCAB VALORLCTO, LC.VALORLCTOCTB, LC.CONTACTBDEB, (SELECT PC.DESCRCONTA FROM "
      "PLANOESPEC PC WHERE PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND PC.CONTACTB = "
      "LC.CONTACTBDEB) DESCRCONTADEB, LC.CONTACTBCRED, (SELECT PC.DESCRCONTA FROM PLANOESPEC PC "
      "WHERE PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND PC.CONTACTB = LC.CONTACTBCRED) "
      "DESCRCONTACRED FROM FPRLCTOCTB LC JOIN FPRCONTAPAGARCABCTB CP ON CP.CODIGOESCRIT = "
      "LC.CODIGOESCRIT and CP.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB JOIN FPRCONTAPAGARCAB CA on "
      "CA.CODIGOESCRIT = CP.CODIGOESCRIT and CA.CODIGOPAGARCAB = CP.CODIGOPAGARCAB where "
      "LC.CODIGOESCRIT = :pCODIGOESCRIT and LC.DATALCTOCTB between :pDataIni and :pDataFim ");
}

TEST(SQLPreviaTest, ReceivablesByProductKind) {
  TnFiltroPrevia filtro;
  filtro.Produto = 2;
  const std::string financeiro = MontarPecaPrevia(0, filtro);
  EXPECT_TRUE(Contem(financeiro, "cast(CR.CODIGORECEBERCAB as varchar(20)) DOCUMENTO, "));
  EXPECT_TRUE(Contem(financeiro, "RE.VALORRECCAB VALORLCTO, "));
  EXPECT_TRUE(Contem(financeiro,
                     "JOIN FPRCONTARECEBERCABCTB CR on LC.CODIGOESCRIT = CR.CODIGOESCRIT and "
                     "CR.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB join FPRCONTARECEBERCAB RE on "
                     "RE.CODIGOESCRIT = LC.CODIGOESCRIT and RE.CODIGORECEBERCAB = "
                     "CR.CODIGORECEBERCAB where"));
  filtro.Produto = 0;
  const std::string comercial = MontarPecaPrevia(0, filtro);
  EXPECT_TRUE(Contem(comercial, "cast(CR.NUMERODCTOCR as varchar(20)) DOCUMENTO, "));
  EXPECT_TRUE(Contem(comercial, "RE.VALORCR VALORLCTO, "));
  EXPECT_TRUE(Contem(comercial,
                     "join CONTARECEBERCTB CR on CR.CODIGOESCRIT = LC.CODIGOESCRIT and "
                     "CR.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB join CONTARECEBER RE on "
                     "RE.CODIGOESCRIT = CR.CODIGOESCRIT and RE.NUMERODCTOCR = CR.NUMERODCTOCR "
                     "where"));
}

TEST(SQLPreviaTest, SettlementsBySettlementPurpose) {
  for (auto [tipo, finalidade] : {std::pair{4, 3}, {2, 1}, {3, 2}}) {
    const std::string sql = MontarPecaPrevia(tipo, {});
    EXPECT_EQ(sql.rfind("SELECT LC.DATALCTOCTB, " + std::to_string(tipo) + " TIPO, ", 0), 0u);
    EXPECT_TRUE(Contem(sql, "cast(A.CODIGOACERTO as varchar(20)) DOCUMENTO, A.VALORACERTO "));
    EXPECT_EQ(sql.substr(sql.find(" where")),
              " where LC.CODIGOESCRIT = :pCODIGOESCRIT and LC.DATALCTOCTB between :pDataIni and "
              ":pDataFim  and A.FINALIDADEACERTO = " +
                  std::to_string(finalidade));
  }
}

TEST(SQLPreviaTest, DocumentsOfTheOtherKinds) {
  EXPECT_TRUE(Contem(MontarPecaPrevia(5, {}),
                     "cast(SN.SERIENS||cast(SN.NUMERONS as varchar(10)) as varchar(20)) "
                     "DOCUMENTO, NT.VALORBRUTO VALORLCTO"));
  EXPECT_TRUE(Contem(MontarPecaPrevia(6, {}), "VE.VALORTOTALVENDA VALORLCTO"));
  EXPECT_TRUE(Contem(MontarPecaPrevia(7, {}),
                     "and OC.CODIGOOBRA = OB.CODIGOOBRA and OC.DATAORCAMENTO = "
                     "OB.DATAORCAMENTO  where"));
  EXPECT_TRUE(Contem(MontarPecaPrevia(8, {}), "cast(NC.CODIGONOTAENT as varchar(20)) DOCUMENTO"));
}

TEST(SQLPreviaTest, EmptySelectionTakesEveryKindTheHostIncludes) {
  TnFiltroPrevia filtro;
  for (int tipo : {1, 0, 5, 4, 2, 3, 6}) EXPECT_TRUE(IncluirTipoPrevia(tipo, filtro)) << tipo;
  for (int tipo : {7, 8}) {
    EXPECT_EQ(IncluirTipoPrevia(tipo, filtro), CheckInInclusion(Variant(tipo), "", {1}));
  }
  std::vector<std::string> tipos;
  for (int tipo : {1, 0, 5, 4, 2, 3, 6, 7, 8}) {
    if (IncluirTipoPrevia(tipo, filtro)) tipos.push_back(", " + std::to_string(tipo) + " TIPO,");
  }
  EXPECT_TRUE(Crescente(Posicoes(MontarSQLPrevia(filtro), tipos)));
}

TEST(SQLPreviaTest, ServiceNotesOnlyForProductKindZero) {
  TnFiltroPrevia filtro;
  filtro.Produto = 2;
  EXPECT_FALSE(IncluirTipoPrevia(5, filtro));
  filtro.Tipo = "5";
  EXPECT_FALSE(IncluirTipoPrevia(5, filtro));
  EXPECT_EQ(MontarSQLPrevia(filtro), "");
  filtro.Produto = 0;
  EXPECT_EQ(MontarSQLPrevia(filtro), MontarPecaPrevia(5, filtro));
}

// Receivables come from the financial tables for product kind 2 only;
// service notes are posted by product kind 0 only.
TEST(SQLPreviaTest, ProductKindOneReadsCommercialReceivablesWithoutServiceNotes) {
  TnFiltroPrevia filtro;
  filtro.Produto = 1;
  EXPECT_EQ(MontarPecaPrevia(0, filtro), MontarPecaPrevia(0, {}));
  EXPECT_FALSE(IncluirTipoPrevia(5, filtro));
  const std::string sql = MontarSQLPrevia(filtro);
  EXPECT_TRUE(Contem(sql, "join CONTARECEBERCTB CR "));
  EXPECT_FALSE(Contem(sql, "SERVICONOTA"));
}

TEST(SQLPreviaTest, SelectedKindsJoinedByUnionAll) {
  TnFiltroPrevia filtro;
  filtro.Tipo = "8;1";
  EXPECT_EQ(MontarSQLPrevia(filtro),
            MontarPecaPrevia(1, filtro) + "\n union all \n" + MontarPecaPrevia(8, filtro));
  filtro.Tipo = "9";
  EXPECT_EQ(MontarSQLPrevia(filtro), "");
}

}  // namespace
}  // namespace vireo
