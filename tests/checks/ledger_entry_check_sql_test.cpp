// The query of the accounting entry check as text: every origin kind's
// piece for both receivable tables and both settlement-routine dialects,
// the conditions, the order of the pieces and the ordering clauses; and the
// Firebird texts run against the schema.
#include <gtest/gtest.h>

#include <string>

#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "reports/checks/SQLConferenciaCtb.h"
#include "tests/checks/checks_test_support.h"

namespace vireo::test {
namespace {

const std::string kColunasIniciais =
    "SELECT LC.FPRCHAVELCTOCTB, LC.DATALCTOCTB, LC.CODIGOESCRIT, PF.NOME, PF.INSCFEDERAL, ";
const std::string kContas =
    " as TIPO, LC.VALORLCTOCTB, LC.CONTACTBDEB, (SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE "
    "PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND PC.CONTACTB = LC.CONTACTBDEB) as DESCRCONTADEB, "
    "LC.CONTACTBCRED, (SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE PC.CODIGOEMPRESA = "
    "LC.CODIGOEMPRESA AND PC.CONTACTB = LC.CONTACTBCRED) as DESCRCONTACRED, ";
const std::string kUsuario =
    "LC.CodigoUsuario, cast(coalesce(US.NomeUsuario, US.NomeUsuarioCompl) as varchar(50)) as "
    "NomeUsuario, ";
const std::string kEmpresa =
    "FROM FPRLCTOCTB LC JOIN PESSOAFINANCEIRO PF ON (PF.CODIGOPESSOAFIN = LC.CODIGOESCRIT) ";
const std::string kJuntarUsuario = "left join Usuario US on US.CodigoUsuario = LC.CodigoUsuario ";
const std::string kPeriodo = "WHERE LC.DATALCTOCTB BETWEEN :pDataInicial AND :pDataFinal ";

// A piece of one of the kinds keyed by one code column.
std::string PecaEsperada(int tipo, const std::string& tabela, const std::string& alias,
                         const std::string& documento) {
  return kColunasIniciais + std::to_string(tipo) + kContas + "0 as CODIGOACERTO, " + documento +
         " as DOCUMENTO, " + documento + " as IDENTIFICADOR, " + kUsuario +
         "0 as Diferenca, LC.OrigemDado " + kEmpresa + "JOIN " + tabela + " " + alias + " ON (" +
         alias + ".CODIGOESCRIT = LC.CODIGOESCRIT AND " + alias +
         ".FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB) " + kJuntarUsuario + kPeriodo;
}

std::string PecaAcertoEsperada(int tipo, int finalidade, const std::string& documento) {
  return kColunasIniciais + std::to_string(tipo) + kContas + "A.CODIGOACERTO as CODIGOACERTO, " +
         documento + " as DOCUMENTO, cast(A.CODIGOACERTO as varchar(20)) as IDENTIFICADOR, " +
         kUsuario + "0 as Diferenca, LC.OrigemDado " + kEmpresa +
         "JOIN FPRACERTOCTB AC ON (AC.CODIGOESCRIT = LC.CODIGOESCRIT AND AC.FPRCHAVELCTOCTB = "
         "LC.FPRCHAVELCTOCTB) JOIN FPRACERTO A ON (A.CODIGOESCRIT = LC.CODIGOESCRIT AND "
         "A.CODIGOACERTO = AC.CODIGOACERTO) " +
         kJuntarUsuario + kPeriodo + " and A.FINALIDADEACERTO = " + std::to_string(finalidade);
}

TnFiltroConferenciaCtb Produto(int produto) {
  TnFiltroConferenciaCtb filtro;
  filtro.Produto = produto;
  return filtro;
}

TEST(ConferenciaCtbSQL, PiecesOfProductKindZero) {
  const TnFiltroConferenciaCtb f = Produto(0);
  EXPECT_EQ(MontarPecaConferenciaCtb(0, f),
            PecaEsperada(0, "CONTARECEBERCTB", "CR", "cast(CR.NUMERODCTOCR as varchar(20))"));
  EXPECT_EQ(MontarPecaConferenciaCtb(1, f),
            PecaEsperada(1, "FPRCONTAPAGARCABCTB", "CP", "cast(CP.CODIGOPAGARCAB as varchar(20))"));
  const std::string rotina =
      "(select Documentos from DocumentoAcerto(LC.CODIGOESCRIT, A.CODIGOACERTO))";
  EXPECT_EQ(MontarPecaConferenciaCtb(2, f), PecaAcertoEsperada(2, 1, rotina));
  EXPECT_EQ(MontarPecaConferenciaCtb(3, f), PecaAcertoEsperada(3, 2, rotina));
  EXPECT_EQ(MontarPecaConferenciaCtb(4, f), PecaAcertoEsperada(4, 3, rotina));
  EXPECT_EQ(MontarPecaConferenciaCtb(5, f),
            PecaEsperada(5, "SERVICONOTACTB", "SN",
                         "cast(cast(SN.SERIENS as varchar(20)) || cast(SN.NUMERONS as "
                         "varchar(20)) as varchar(20))"));
  EXPECT_EQ(MontarPecaConferenciaCtb(6, f),
            PecaEsperada(6, "VENDACTB", "CP", "cast(CP.CODIGOVENDA as varchar(20))"));
  EXPECT_EQ(MontarPecaConferenciaCtb(7, f),
            PecaEsperada(7, "OBRAORCAMENTOCTB", "CP", "cast(CP.CODIGOOBRA as varchar(10))"));
  EXPECT_EQ(MontarPecaConferenciaCtb(8, f),
            PecaEsperada(8, "NOTAENTRADACTB", "CP", "cast(CP.CODIGONOTAENT as varchar(10))"));
}

TEST(ConferenciaCtbSQL, ProductKindTwoChangesOnlyTheReceivablesPiece) {
  const TnFiltroConferenciaCtb zero = Produto(0);
  for (int produto : {2, 1}) {
    const TnFiltroConferenciaCtb f = Produto(produto);
    EXPECT_EQ(
        MontarPecaConferenciaCtb(0, f),
        PecaEsperada(0, "FPRCONTARECEBERCABCTB", "CR", "cast(CR.CODIGORECEBERCAB as varchar(20))"))
        << produto;
    for (int tipo = 1; tipo <= 8; ++tipo) {
      EXPECT_EQ(MontarPecaConferenciaCtb(tipo, f), MontarPecaConferenciaCtb(tipo, zero)) << tipo;
    }
  }
}

TEST(ConferenciaCtbSQL, SqlServerCallsTheSettlementRoutineAsAFunction) {
  TnFiltroConferenciaCtb f;
  f.TipoCon = 2;
  const std::string funcao = "(select dbo.DocumentoAcerto(LC.CODIGOESCRIT, A.CODIGOACERTO))";
  EXPECT_EQ(MontarPecaConferenciaCtb(2, f), PecaAcertoEsperada(2, 1, funcao));
  EXPECT_EQ(MontarPecaConferenciaCtb(4, f), PecaAcertoEsperada(4, 3, funcao));
  // Only the settlement routine depends on the connection kind; Oracle
  // selects from it like Firebird.
  f.TipoCon = 1;
  EXPECT_NE(MontarPecaConferenciaCtb(3, f).find("(select Documentos from DocumentoAcerto("),
            std::string::npos);
  EXPECT_EQ(MontarPecaConferenciaCtb(1, f), MontarPecaConferenciaCtb(1, Produto(0)));
}

TEST(ConferenciaCtbSQL, DifferenceSumsCreditsMinusDebitsOfTheSameDocument) {
  TnFiltroConferenciaCtb f;
  f.SohExibirDiferenca = true;
  const std::string inicio =
      "(select sum(case when LC2.CONTACTBCRED is not null then LC2.VALORLCTOCTB else 0 end) - "
      "sum(case when LC2.CONTACTBDEB is not null then LC2.VALORLCTOCTB else 0 end) from "
      "FPRLCTOCTB LC2 ";
  const std::string payables = MontarPecaConferenciaCtb(1, f);
  EXPECT_NE(
      payables.find(inicio + "JOIN FPRCONTAPAGARCABCTB CP2 ON (CP2.CODIGOESCRIT = LC2.CODIGOESCRIT "
                             "AND CP2.FPRCHAVELCTOCTB = LC2.FPRCHAVELCTOCTB)  where "
                             "LC2.CODIGOESCRIT = LC.CODIGOESCRIT and CP2.CODIGOPAGARCAB = "
                             "CP.CODIGOPAGARCAB) as Diferenca, LC.OrigemDado "),
      std::string::npos)
      << payables;
  const std::string matches[] = {"and CR2.NUMERODCTOCR = CR.NUMERODCTOCR)",
                                 "",
                                 "and AC2.CODIGOACERTO = AC.CODIGOACERTO)",
                                 "and AC2.CODIGOACERTO = AC.CODIGOACERTO)",
                                 "and AC2.CODIGOACERTO = AC.CODIGOACERTO)",
                                 "and SN2.SERIENS = SN.SERIENS and SN2.NUMERONS = SN.NUMERONS)",
                                 "and CP2.CODIGOVENDA = CP.CODIGOVENDA)",
                                 "and CP2.CODIGOOBRA = CP.CODIGOOBRA)",
                                 "and CP2.CODIGONOTAENT = CP.CODIGONOTAENT)"};
  for (int tipo = 0; tipo <= 8; ++tipo) {
    if (tipo == 1) continue;
    const std::string peca = MontarPecaConferenciaCtb(tipo, f);
    EXPECT_NE(peca.find(inicio), std::string::npos) << tipo;
    EXPECT_NE(peca.find(matches[tipo] + " as Diferenca"), std::string::npos) << peca;
    EXPECT_EQ(peca.find("0 as Diferenca"), std::string::npos) << tipo;
  }
  f.Produto = 2;
  EXPECT_NE(MontarPecaConferenciaCtb(0, f).find(
                "JOIN FPRCONTARECEBERCABCTB CR2 ON (CR2.CODIGOESCRIT = LC2.CODIGOESCRIT AND "
                "CR2.FPRCHAVELCTOCTB = LC2.FPRCHAVELCTOCTB)  where LC2.CODIGOESCRIT = "
                "LC.CODIGOESCRIT and CR2.CODIGORECEBERCAB = CR.CODIGORECEBERCAB) as Diferenca"),
            std::string::npos);
}

TEST(ConferenciaCtbSQL, CompanyAndAccountConditionsFollowThePeriod) {
  TnFiltroConferenciaCtb f;
  f.CodigoEscrit = "1;3..5";
  f.ContaContabil = 42;
  EXPECT_NE(MontarPecaConferenciaCtb(6, f).find(
                kPeriodo + " and (LC.CODIGOESCRIT in (1) or LC.CODIGOESCRIT between 3 and 5)  AND "
                           "(LC.CONTACTBDEB = 42 OR LC.CONTACTBCRED = 42)"),
            std::string::npos);
  EXPECT_TRUE(MontarPecaConferenciaCtb(3, f).ends_with(
      "AND (LC.CONTACTBDEB = 42 OR LC.CONTACTBCRED = 42) and A.FINALIDADEACERTO = 2"));
  f.ContaContabil = 0;
  f.CodigoEscrit = "";
  EXPECT_TRUE(MontarPecaConferenciaCtb(6, f).ends_with(kPeriodo));
}

TEST(ConferenciaCtbSQL, PiecesJoinInTheirOrderAndEndWithTheOrdering) {
  TnFiltroConferenciaCtb f;
  std::string esperado;
  for (int tipo : {1, 0, 2, 3, 4, 5, 6, 7, 8}) {
    esperado += (esperado.empty() ? "" : " union ") + MontarPecaConferenciaCtb(tipo, f);
  }
  EXPECT_EQ(MontarSQLConferenciaCtb(f), esperado + " ORDER BY 3, 2, 5, 11, 9");

  f.Tipo = "8;1";
  f.Ordenacao = 1;
  EXPECT_EQ(MontarSQLConferenciaCtb(f), MontarPecaConferenciaCtb(1, f) + " union " +
                                            MontarPecaConferenciaCtb(8, f) +
                                            " ORDER BY 3, 5, 11, 9");
  f.Tipo = "9..12";
  EXPECT_EQ(MontarSQLConferenciaCtb(f), "");
}

TEST(ConferenciaCtbSQL, OrderingOptions) {
  EXPECT_EQ(OrdenacaoConferenciaCtb(0), " ORDER BY 3, 2, 5, 11, 9");
  EXPECT_EQ(OrdenacaoConferenciaCtb(1), " ORDER BY 3, 5, 11, 9");
  EXPECT_EQ(OrdenacaoConferenciaCtb(2), " ORDER BY 3, 11, 5, 9");
  EXPECT_EQ(OrdenacaoConferenciaCtb(-1), " ORDER BY 3, 11, 5, 9");
  EXPECT_EQ(CampoOrdenarConferenciaCtb(0), "DATALCTOCTB");
  EXPECT_EQ(CampoOrdenarConferenciaCtb(1), "DATALCTOCTB");
  EXPECT_EQ(CampoOrdenarConferenciaCtb(2), "DOCUMENTO");
  EXPECT_EQ(CampoOrdenarConferenciaCtb(7), "DOCUMENTO");
}

// The Firebird texts of both product kinds, with every option on, are valid
// against the schema (the union's column types agree, the routine exists).
class ConferenciaCtbSQLBanco : public ChecksDbTest {};

TEST_F(ConferenciaCtbSQLBanco, FirebirdTextsRunForBothProductKinds) {
  for (int produto : {0, 2}) {
    for (int ordenacao : {0, 1, 2}) {
      TnFiltroConferenciaCtb f;
      f.Produto = produto;
      f.Ordenacao = ordenacao;
      f.SohExibirDiferenca = true;
      f.ContaContabil = 11;
      f.CodigoEscrit = "1..3";
      TnClientDataSet* cds = nullptr;
      TnSQLGuard guarda(cds);
      ASSERT_NO_THROW(
          cds = ExecutarSQL(MontarSQLConferenciaCtb(f), {Dia(2024, 1, 1), Dia(2024, 12, 31)}))
          << produto << "/" << ordenacao;
      EXPECT_TRUE(cds->IsEmpty());
    }
  }
}

}  // namespace
}  // namespace vireo::test
