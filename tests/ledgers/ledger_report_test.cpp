// The ledger layout: balances with the debit or credit letter, the account
// header, histories over several lines, order of the entries, companies and
// the origin filter.
#include <gtest/gtest.h>

#include <string>

#include "host/core/exception.h"
#include "tests/ledgers/ledger_test_support.h"

namespace vireo::test {
namespace {

class RazaoTest : public LedgerDbTest {
 protected:
  void SetUp() override {
    LedgerDbTest::SetUp();
    Basico();
  }
};

TEST_F(RazaoTest, PositiveOpeningBalanceOfADebitAccountIsADebit) {
  Caixa(1, 1, 11, Dia(2024, 2, 10), 1, 1500);
  Caixa(1, 2, 11, Dia(2024, 3, 5), 1, 10);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  ASSERT_EQ(print.Of(14).size(), 1u);
  const json saldo = print.Of(14)[0];
  EXPECT_EQ(Var(saldo, "R1"), "29/02/2024");  // the day before the period
  EXPECT_EQ(Var(saldo, "R8"), "1.500,00D");
  EXPECT_EQ(Var(saldo, "R6"), "1.500,00");
  EXPECT_EQ(Var(saldo, "R7"), "");
  EXPECT_EQ(Var(saldo, "R11"), "");
  EXPECT_EQ(Var(saldo, "pTotalDebito"), "");
  EXPECT_EQ(Var(saldo, "pTotalCredito"), "");
}

TEST_F(RazaoTest, NegativeOpeningBalanceOfADebitAccountIsACredit) {
  Caixa(1, 1, 11, Dia(2024, 2, 10), -1, 1500);
  Caixa(1, 2, 11, Dia(2024, 3, 5), 1, 10);
  const json saldo = Razao({{"pCodigoEscrit", "1"}}).Of(14).at(0);
  EXPECT_EQ(Var(saldo, "R8"), "1.500,00C");
  EXPECT_EQ(Var(saldo, "R6"), "");
  EXPECT_EQ(Var(saldo, "R7"), "1.500,00");
}

TEST_F(RazaoTest, CreditAccountReadsItsBalanceTheOtherWayRound) {
  Caixa(1, 1, 21, Dia(2024, 2, 10), -1, 300);  // raises a credit balance
  Caixa(1, 2, 21, Dia(2024, 3, 5), 1, 100);
  Caixa(1, 3, 21, Dia(2024, 3, 6), 1, 1000);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  const json saldo = print.Of(14).at(0);
  EXPECT_EQ(Var(saldo, "R8"), "300,00C");
  EXPECT_EQ(Var(saldo, "R7"), "300,00");
  const auto linhas = print.Of(8);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "R8"), "200,00C");
  EXPECT_EQ(Var(linhas[0], "R6"), "100,00");
  EXPECT_EQ(Var(linhas[1], "R8"), "800,00D");
  EXPECT_EQ(Var(linhas[1], "R6"), "1.000,00");
}

TEST_F(RazaoTest, ZeroOpeningBalanceIsOnTheDebitSide) {
  Caixa(1, 1, 11, Dia(2024, 3, 5), -1, 40);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  const json saldo = print.Of(14).at(0);
  EXPECT_EQ(Var(saldo, "R8"), "0,00D");
  EXPECT_EQ(Var(saldo, "R6"), "0,00");
  EXPECT_EQ(Var(saldo, "R7"), "");
  EXPECT_EQ(Var(print.Of(8).at(0), "R8"), "40,00C");
}

TEST_F(RazaoTest, AccountWithoutNatureWritesPlainNumbersAndEveryEntrySubtracts) {
  Caixa(1, 1, 31, Dia(2024, 3, 5), 1, 100);
  Caixa(1, 2, 31, Dia(2024, 3, 6), -1, 50);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  EXPECT_EQ(Var(print.Of(14).at(0), "R8"), "0,00");
  const auto linhas = print.Of(8);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "R8"), "-100,00");
  EXPECT_EQ(Var(linhas[1], "R8"), "-150,00");
}

TEST_F(RazaoTest, EntriesRunTheBalanceAndTheAccountClosesWithItsTotals) {
  Caixa(1, 1, 11, Dia(2024, 2, 1), 1, 1000);
  Caixa(1, 2, 11, Dia(2024, 3, 2), 1, 250.5, {.historico = "NF 10"});
  Caixa(1, 3, 11, Dia(2024, 3, 9), -1, 1300, {.historico = "Aluguel", .hist = 2});
  AcertoCaixa(1, 77, 3, 1, 11);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  const std::vector<int> corpo = print.Bodies();
  ASSERT_GE(corpo.size(), 7u);
  EXPECT_EQ(std::vector<int>(corpo.begin(), corpo.begin() + 6),
            (std::vector<int>{13, 10, 14, 8, 8, 16}));
  EXPECT_EQ(corpo.back(), 17);  // the rest of the sheet is struck through
  const auto linhas = print.Of(8);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "R1"), "02/03/2024");
  EXPECT_EQ(Var(linhas[0], "R6"), "250,50");
  EXPECT_EQ(Var(linhas[0], "R7"), "");
  EXPECT_EQ(Var(linhas[0], "R8"), "1.250,50D");
  EXPECT_EQ(Var(linhas[0], "R11"), "");
  EXPECT_EQ(Var(linhas[0], "R2"), "Recebimento - NF 10");
  EXPECT_EQ(Var(linhas[1], "R1"), "09/03/2024");
  EXPECT_EQ(Var(linhas[1], "R6"), "");
  EXPECT_EQ(Var(linhas[1], "R7"), "1.300,00");
  EXPECT_EQ(Var(linhas[1], "R8"), "49,50C");
  EXPECT_EQ(Var(linhas[1], "R11"), "77");
  const json totais = print.Of(16).at(0);
  EXPECT_EQ(Var(totais, "pDescrTotal"), "Totais da conta");
  EXPECT_EQ(Var(totais, "pTotalDebito"), "250,50");
  EXPECT_EQ(Var(totais, "pTotalCredito"), "1.300,00");
}

TEST_F(RazaoTest, AccountHeaderShowsTheAccountAndTheTitleAboveIt) {
  Caixa(1, 1, 21, Dia(2024, 3, 5), 1, 10);
  const json cabecalho = Razao({{"pCodigoEscrit", "1"}}).Of(13).at(0);
  EXPECT_EQ(Var(cabecalho, "pCabContaCtb"), "Conta: 21");
  EXPECT_EQ(Var(cabecalho, "pCabClassifConta"), "2.1");
  // The description comes with the classification in front of it.
  EXPECT_EQ(Var(cabecalho, "pCabDescrConta"), "Cartão de Crédito");
  EXPECT_EQ(Var(cabecalho, "pCabTitulo"), "Título: 2");
  EXPECT_EQ(Var(cabecalho, "pCabContaTitulo"), "PASSIVO");
}

TEST_F(RazaoTest, AccountsAreSeparatedAndEachGetsItsNearestTitle) {
  Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 10);
  Caixa(1, 2, 21, Dia(2024, 3, 5), 1, 10);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  const auto cabecalhos = print.Of(13);
  ASSERT_EQ(cabecalhos.size(), 2u);
  EXPECT_EQ(Var(cabecalhos[0], "pCabTitulo"), "Título: 1.1");
  EXPECT_EQ(Var(cabecalhos[1], "pCabTitulo"), "Título: 2");
  const std::vector<int> corpo = print.Bodies();
  const std::vector<int> esperado = {13, 10, 14, 8, 16, 11, 13, 10, 14, 8, 16};
  ASSERT_GE(corpo.size(), esperado.size());
  EXPECT_EQ(std::vector<int>(corpo.begin(), corpo.begin() + esperado.size()), esperado);
}

TEST_F(RazaoTest, AccountWithoutEntriesInThePeriodPrintsHeaderAndOpeningBalanceOnly) {
  Caixa(1, 1, 11, Dia(2024, 1, 5), 1, 700);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  const std::vector<int> corpo = print.Bodies();
  ASSERT_GE(corpo.size(), 4u);
  EXPECT_EQ(std::vector<int>(corpo.begin(), corpo.begin() + 4), (std::vector<int>{13, 10, 14, 15}));
  EXPECT_TRUE(print.Of(8).empty());
  EXPECT_TRUE(print.Of(16).empty());
  EXPECT_EQ(Var(print.Of(14).at(0), "R8"), "700,00D");
}

TEST_F(RazaoTest, LongHistoryContinuesOnLinesOfItsOwnThatKeepOnlyTheSettlement) {
  const std::string texto = Repetir("fornecedor", 250);
  Caixa(1, 1, 11, Dia(2024, 3, 5), -1, 99.9, {.historico = texto});
  AcertoCaixa(1, 42, 1, 1, 11);
  Exec("update FPRHISTORICO set DESCRHISTCTB = null where CODIGOHISTCTB = 1");
  const auto linhas = Razao({{"pCodigoEscrit", "1"}}).Of(8);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(Var(linhas[0], "R1"), "05/03/2024");
  EXPECT_EQ(Var(linhas[0], "R7"), "99,90");
  EXPECT_EQ(Var(linhas[0], "R8"), "99,90C");
  std::string juntas;
  for (size_t i = 0; i < linhas.size(); ++i) {
    EXPECT_LE(Var(linhas[i], "R2").size(), 119u);
    EXPECT_EQ(Var(linhas[i], "R11"), "42");
    juntas.append(i ? " " : "").append(Var(linhas[i], "R2"));
    if (i == 0) continue;
    for (const char* vazio : {"R1", "R6", "R7", "R8"}) EXPECT_EQ(Var(linhas[i], vazio), "") << i;
  }
  EXPECT_EQ(juntas, texto);
}

TEST_F(RazaoTest, EntriesFollowTheChosenOrder) {
  Caixa(1, 1, 11, Dia(2024, 3, 5), -1, 1);
  Caixa(1, 2, 11, Dia(2024, 3, 5), 1, 2);
  Caixa(1, 3, 11, Dia(2024, 3, 2), -1, 3);
  Caixa(1, 4, 11, Dia(2024, 3, 10), 1, 4);
  auto ordem = [](const LedgerPrint& print) {
    std::vector<std::string> out;
    for (const json& e : print.Of(8))
      out.push_back(Var(e, "R1") + (Var(e, "R6").empty() ? "-" : "+"));
    return out;
  };
  EXPECT_EQ(ordem(Razao({{"pCodigoEscrit", "1"}})),
            (std::vector<std::string>{"02/03/2024-", "05/03/2024+", "05/03/2024-", "10/03/2024+"}));
  EXPECT_EQ(ordem(Razao({{"pCodigoEscrit", "1"}, {"pOrdenar", "1"}})),
            (std::vector<std::string>{"05/03/2024+", "10/03/2024+", "02/03/2024-", "05/03/2024-"}));
}

TEST_F(RazaoTest, SelectedCompanyHeadsThePageWithCodeNameAndTaxNumber) {
  Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 10);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  const json cabecalho = print.Of(1).at(0);
  EXPECT_EQ(Var(cabecalho, "pNomeEmpresa"), "0001 Empresa Um Ltda");
  EXPECT_EQ(Var(cabecalho, "pInscrFederal"), "CNPJ: 11.111.111/0001-11");
}

TEST_F(RazaoTest, WithoutCompanySelectionOnePassListsTheEntriesOfEveryCompany) {
  Empresa(2, "Empresa Dois SA", "22.222.222/0001-22");
  Caixa(1, 1, 11, Dia(2024, 2, 1), 1, 100);
  Caixa(2, 1, 11, Dia(2024, 2, 1), 1, 200);
  Caixa(1, 2, 11, Dia(2024, 3, 5), 1, 10);
  Caixa(2, 2, 11, Dia(2024, 3, 6), -1, 20);
  const LedgerPrint print = Razao();
  EXPECT_EQ(Var(print.Of(1).at(0), "pNomeEmpresa"), "");
  EXPECT_EQ(Var(print.Of(1).at(0), "pInscrFederal"), "");
  ASSERT_EQ(print.Of(13).size(), 1u);
  EXPECT_EQ(Var(print.Of(14).at(0), "R8"), "300,00D");
  const auto linhas = print.Of(8);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "R8"), "310,00D");
  EXPECT_EQ(Var(linhas[1], "R8"), "290,00D");
  EXPECT_EQ(print.Of(17).size(), 1u);  // one pass, one closed sheet
}

TEST_F(RazaoTest, EachSelectedCompanyStartsOnItsOwnSheet) {
  Empresa(2, "Empresa Dois SA", "22.222.222/0001-22");
  Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 10);
  Caixa(2, 1, 11, Dia(2024, 3, 6), 1, 20);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1..2"}});
  ASSERT_EQ(print.pages, 2);
  const auto cabecalhos = print.Of(13);
  ASSERT_EQ(cabecalhos.size(), 2u);
  EXPECT_EQ(cabecalhos[0]["page"], 1);
  EXPECT_EQ(cabecalhos[1]["page"], 2);
  EXPECT_EQ(Var(cabecalhos[1], "pNomeEmpresa"), "0002 Empresa Dois SA");
  EXPECT_EQ(Var(print.Of(8).at(1), "R8"), "20,00D");  // company 2 alone
}

TEST_F(RazaoTest, OriginFilterLeavesEntriesOutAndWarnsBeforeAnythingPrints) {
  Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 10, {.origem = 0});
  Caixa(1, 2, 11, Dia(2024, 3, 6), 1, 20, {.origem = 5});
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}, {"pOrigemDados", "5"}});
  ASSERT_EQ(print.messages.size(), 1u);
  EXPECT_EQ(print.messages[0].kind, 1);
  EXPECT_EQ(print.messages[0].text,
            "Existe um filtro para lançamentos ativo. Cuidado com as informações apresentadas "
            "pois houve lançamentos ignorados.");
  EXPECT_EQ(print.trace.at(0)["event"], "message");
  ASSERT_EQ(print.Of(8).size(), 1u);
  EXPECT_EQ(Var(print.Of(8)[0], "R6"), "10,00");
  EXPECT_TRUE(Razao({{"pCodigoEscrit", "1"}}).messages.empty());
}

TEST_F(RazaoTest, AccountSelectionNarrowsThePrint) {
  Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 10);
  Caixa(1, 2, 21, Dia(2024, 3, 5), 1, 10);
  const auto cabecalhos = Razao({{"pCodigoEscrit", "1"}, {"pConta", "21"}}).Of(13);
  ASSERT_EQ(cabecalhos.size(), 1u);
  EXPECT_EQ(Var(cabecalhos[0], "pCabContaCtb"), "Conta: 21");
}

TEST_F(RazaoTest, PrintsThroughTheExportedEntryPointAndNamesItsVersion) {
  Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 10);
  const LedgerPrint print = Imprimir("rptLedger.json", {{"pCodigoEscrit", "1"}}, true);
  EXPECT_EQ(print.Of(8).size(), 1u);

  std::unique_ptr<TnrwBaseDll> report = LedgerPlugin::Get()->ClassDll()->Instanciar(nullptr);
  EXPECT_EQ(report->Versao(), "[versao: 1.0.0.0]");
  EXPECT_EQ(report->CriarListaSectionsParaZebrar(), (std::vector<int>{13, 8, 9, 16, 14, 12, 17}));
}

TEST_F(RazaoTest, ClassificationOutsideTheConfiguredGroupsStopsThePrint) {
  Analitica(91, "X.1", "Conta Fora do Plano", 1);
  Caixa(1, 1, 91, Dia(2024, 3, 5), 1, 10);
  try {
    Razao({{"pCodigoEscrit", "1"}});
    FAIL() << "the print went on";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("NATURGRUPOX"), std::string::npos) << e.what();
  }
}

TEST_F(RazaoTest, SectionHandlerGoesAwayWithTheReport) {
  Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 10);
  Commit();
  TnrwReport engine(Layout("rptLedger.json"));
  engine.GetParams()->Param("pCodigoEscrit")->SetValue("1");
  {
    std::unique_ptr<TnrwBaseDll> report = LedgerPlugin::Get()->ClassDll()->Instanciar(&engine);
    report->ImprimirInterno();
    EXPECT_TRUE(static_cast<bool>(engine.OnSectionPrint));
  }
  EXPECT_FALSE(static_cast<bool>(engine.OnSectionPrint));
  for (int i = 0; i < 200; ++i) engine.RepPrintSection(10);  // new pages, no report to call
}

}  // namespace
}  // namespace vireo::test
