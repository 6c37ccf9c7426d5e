// The monthly tracking: month columns, amounts of each kind, totals and group
// percentages, continuation rows past twelve months, the table's accounts and
// descriptions, the options that choose and space the lines, the header and
// the closing messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "tests/balances/monthly_test_support.h"

namespace vireo::test::monthly {
namespace {

class AcompanhamentoTest : public MonthlyDbTest {
 protected:
  void SetUp() override {
    MonthlyDbTest::SetUp();
    Basico();
  }
};

std::vector<std::string> Colunas(const json& e, char prefixo, int de, int ate) {
  std::vector<std::string> out;
  for (int i = de; i <= ate; ++i) out.push_back(Var(e, prefixo + std::to_string(i)));
  return out;
}

TEST_F(AcompanhamentoTest, PartMonthsBecomeWholeCalendarMonthColumns) {
  Movimentar(1, 11, Dia(2024, 12, 31), 1, 1000);  // before the first month
  Movimentar(1, 11, Dia(2025, 1, 3), 1, 100);     // before the 15th, still January
  Movimentar(1, 11, Dia(2025, 2, 20), -1, 30);
  Movimentar(1, 11, Dia(2025, 3, 25), 1, 50);  // after the 10th, still March
  Movimentar(1, 11, Dia(2025, 4, 1), 1, 7);    // after the last month
  Movimentar(1, 12, Dia(2025, 2, 10), 1, 80);
  const MonthlyPrint print =
      Imprimir({{"pDataInicial", "15/01/2025"}, {"pDataFinal", "10/03/2025"}});

  ASSERT_EQ(print.Of(8).size(), 1u);
  const json cabecalho = print.Of(8)[0];
  EXPECT_EQ(Colunas(cabecalho, 'C', 1, 3),
            (std::vector<std::string>{"01/2025", "02/2025", "03/2025"}));
  EXPECT_EQ(Var(cabecalho, "C13"), "Total");
  EXPECT_EQ(Var(cabecalho, "C14"), "Perc.");
  EXPECT_EQ(Var(cabecalho, "pCabConta"), "Conta");
  EXPECT_EQ(Var(cabecalho, "pCabContaTipo"), "S");
  EXPECT_EQ(Var(cabecalho, "pCabContaDescricao"), "Classificação");

  const json caixa = print.Linha("11");
  EXPECT_EQ(Colunas(caixa, 'R', 1, 3), (std::vector<std::string>{"100,00 ", "(30,00)", "50,00 "}));
  EXPECT_EQ(Var(caixa, "R13"), "120,00 ");
  EXPECT_EQ(Var(caixa, "R14"), "60,00% ");  // of ATIVO's 200,00
  EXPECT_EQ(Var(caixa, "pContaTipo"), " ");
  EXPECT_EQ(Var(caixa, "pContaDescricao"), "1.1.01 Caixa");
  EXPECT_EQ(Var(print.Linha("12"), "R14"), "40,00% ");
  const json ativo = print.Linha("1");
  EXPECT_EQ(Colunas(ativo, 'R', 1, 3), (std::vector<std::string>{"100,00 ", "50,00 ", "50,00 "}));
  EXPECT_EQ(Var(ativo, "R14"), "100,00% ");
  EXPECT_EQ(Var(ativo, "pContaTipo"), "S");
  EXPECT_EQ(Var(ativo, "pCampoListar"), "MOVIMENTO");
}

TEST_F(AcompanhamentoTest, ListarChoosesClosingBalanceDebitsOrCredits) {
  Movimentar(1, 11, Dia(2024, 12, 31), 1, 1000);
  Movimentar(1, 11, Dia(2025, 1, 3), 1, 100);
  Movimentar(1, 11, Dia(2025, 2, 20), -1, 30);
  Movimentar(1, 11, Dia(2025, 3, 25), 1, 50);
  Movimentar(1, 11, Dia(2025, 3, 26), -1, 5);
  struct Caso {
    const char* listar;
    const char* campo;
    std::vector<std::string> meses;
  };
  const Caso casos[] = {
      {"1", "SALDO ATUAL", {"1.100,00 ", "1.070,00 ", "1.115,00 "}},
      {"2", "DÉBITO", {"100,00 ", "0,00 ", "50,00 "}},
      {"3", "CRÉDITO", {"0,00 ", "30,00 ", "5,00 "}},
      {"4", "MOVIMENTO", {"100,00 ", "(30,00)", "45,00 "}},
  };
  for (const Caso& caso : casos) {
    const MonthlyPrint print = Imprimir({{"pListar", caso.listar}});
    const json caixa = print.Linha("11");
    EXPECT_EQ(Colunas(caixa, 'R', 1, 3), caso.meses) << caso.listar;
    EXPECT_EQ(Var(caixa, "pCampoListar"), caso.campo);
  }
}

TEST_F(AcompanhamentoTest, FourteenMonthsPrintTwoHeadingRowsAndTwoRowsPerAccount) {
  Movimentar(1, 11, Dia(2025, 1, 10), 1, 10);
  Movimentar(1, 11, Dia(2026, 2, 10), 1, 20);
  const MonthlyPrint print =
      Imprimir({{"pDataInicial", "01/01/2025"}, {"pDataFinal", "28/02/2026"}});

  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 8, 9, 11, 11, 11, 11, 11, 11}));
  const std::vector<json> cabecalhos = print.Of(8);
  EXPECT_EQ(Var(cabecalhos[0], "C1"), "01/2025");
  EXPECT_EQ(Var(cabecalhos[0], "C12"), "12/2025");
  EXPECT_EQ(Var(cabecalhos[0], "C13"), "");
  EXPECT_EQ(Var(cabecalhos[0], "C14"), "");
  EXPECT_EQ(Var(cabecalhos[0], "pCabContaDescricao"), "Classificação");
  EXPECT_EQ(Colunas(cabecalhos[1], 'C', 1, 3),
            (std::vector<std::string>{"01/2026", "02/2026", ""}));
  EXPECT_EQ(Var(cabecalhos[1], "C12"), "");
  EXPECT_EQ(Var(cabecalhos[1], "C13"), "Total");
  EXPECT_EQ(Var(cabecalhos[1], "C14"), "Perc.");
  for (const char* nome : {"pCabConta", "pCabContaTipo", "pCabContaDescricao"}) {
    EXPECT_EQ(Var(cabecalhos[1], nome), "") << nome;
  }

  const std::vector<json> linhas = print.Of(11);
  const json primeira = linhas[4], segunda = linhas[5];  // account 11, after 1 and 1.1
  EXPECT_EQ(Var(primeira, "pConta"), "11");
  EXPECT_EQ(Var(primeira, "pContaDescricao"), "1.1.01 Caixa");
  EXPECT_EQ(Var(primeira, "R1"), "10,00 ");
  EXPECT_EQ(Var(primeira, "R12"), "0,00 ");
  EXPECT_EQ(Var(primeira, "R13"), "");
  EXPECT_EQ(Var(primeira, "R14"), "");
  for (const char* nome : {"pConta", "pContaTipo", "pContaDescricao"}) {
    EXPECT_EQ(Var(segunda, nome), "") << nome;
  }
  EXPECT_EQ(Colunas(segunda, 'R', 1, 3), (std::vector<std::string>{"0,00 ", "20,00 ", ""}));
  EXPECT_EQ(Var(segunda, "R12"), "");
  EXPECT_EQ(Var(segunda, "R13"), "30,00 ");
  EXPECT_EQ(Var(segunda, "R14"), "100,00% ");
}

TEST_F(AcompanhamentoTest, AnAccountsRowsStayOnOnePage) {
  for (int i = 0; i < 40; ++i) {
    Analitica(100 + i, "1.1.5" + std::to_string(10 + i), "Conta " + std::to_string(i), 0);
    Movimentar(1, 100 + i, Dia(2025, 1, 5), 1, 1 + i);
  }
  const MonthlyPrint print =
      Imprimir({{"pDataInicial", "01/01/2025"}, {"pDataFinal", "28/02/2026"}});
  ASSERT_GE(print.pages, 2);
  const std::vector<json> linhas = print.Of(11);
  ASSERT_EQ(linhas.size() % 2, 0u);
  for (size_t i = 0; i < linhas.size(); i += 2) {
    EXPECT_NE(Var(linhas[i], "pConta"), "");
    EXPECT_EQ(Var(linhas[i + 1], "pConta"), "");
    EXPECT_EQ(linhas[i]["page"], linhas[i + 1]["page"]) << Var(linhas[i], "pConta");
  }
}

TEST_F(AcompanhamentoTest, AccountsWithoutAmountsAreLeftOutButStillCloseTheGroup) {
  Analitica(20, "2.0.01", "Conta Parada", 0);  // sorts first in group 2, never moves
  Movimentar(1, 11, Dia(2025, 1, 5), 1, 10);
  Movimentar(1, 21, Dia(2025, 2, 5), -1, 25);
  const MonthlyPrint print = Imprimir({{"pQuebraGrupo", "1"}});
  EXPECT_EQ(print.Contas(), (std::vector<std::string>{"1", "2", "11", "3", "4", "21"}));
  EXPECT_EQ(print.pages, 2);
  EXPECT_EQ(print.Linha("11")["page"], 1);
  EXPECT_EQ(print.Linha("3")["page"], 2);
  EXPECT_EQ(Var(print.Linha("21"), "R2"), "25,00 ");  // credit nature: outflows raise it
}

TEST_F(AcompanhamentoTest, WithoutTheTotalColumnThePercentageIsTheLastMonths) {
  Movimentar(1, 11, Dia(2025, 1, 5), 1, 100);
  Movimentar(1, 12, Dia(2025, 2, 5), 1, 300);
  Movimentar(1, 11, Dia(2025, 3, 5), 1, 50);
  // Closing balances: totals are refused by the panel, percentages kept.
  const MonthlyPrint print = Imprimir({{"pListar", "1"}});
  const json caixa = print.Linha("11");
  EXPECT_EQ(Colunas(caixa, 'R', 1, 3), (std::vector<std::string>{"100,00 ", "100,00 ", "150,00 "}));
  EXPECT_EQ(Var(caixa, "R13"), "");
  EXPECT_FALSE(Label(caixa, "R13")["visible"]);
  EXPECT_EQ(Var(caixa, "R14"), "33,33% ");  // 150 of 450, not 350 of 950
  EXPECT_EQ(Var(print.Linha("12"), "R14"), "66,67% ");
  EXPECT_EQ(Var(print.Of(8).at(0), "C13"), "");
  EXPECT_EQ(Var(print.Of(8).at(0), "C14"), "Perc.");
}

TEST_F(AcompanhamentoTest, PercentageOfAGroupWhoseFirstRowIsZeroIsZero) {
  Movimentar(1, 11, Dia(2025, 1, 5), 1, 100);
  Movimentar(1, 12, Dia(2025, 1, 6), -1, 100);  // ATIVO's movement nets to nothing
  const MonthlyPrint print = Imprimir();
  // ATIVO and DISPONÍVEL move nothing, so they are not printed either.
  EXPECT_EQ(print.Contas(), (std::vector<std::string>{"11", "12"}));
  EXPECT_EQ(Var(print.Linha("11"), "R14"), "0,00% ");
  EXPECT_EQ(Var(print.Linha("12"), "R13"), "(100,00)");
  EXPECT_EQ(Var(print.Linha("12"), "R14"), "0,00% ");
}

TEST_F(AcompanhamentoTest, ModuleRowOutsideTheChartQueryIsAddedWithItsAmount) {
  Movimentar(1, 11, Dia(2025, 2, 5), 1, 40);
  Movimentar(1, 12, Dia(2025, 2, 6), 1, 60);
  const MonthlyPrint print = Imprimir({{"pCodigoConta", "11"}});
  // The chart query brings account 11 only; the module adds its titles.
  EXPECT_EQ(print.Contas(), (std::vector<std::string>{"1", "2", "11"}));
  const json ativo = print.Linha("1");
  EXPECT_EQ(Var(ativo, "R2"), "40,00 ");
  EXPECT_EQ(Var(ativo, "pContaTipo"), "S");
  EXPECT_EQ(Var(ativo, "pContaDescricao"), "1 ATIVO");
  EXPECT_EQ(Var(print.Linha("2"), "pContaDescricao"), "1.1 DISPONÍVEL");
}

TEST_F(AcompanhamentoTest, DescriptionLosesTheClassificationWrittenIntoIt) {
  Analitica(13, "1.1.03", "1.1.03 Aplicação 1.1.03", 0);
  Movimentar(1, 13, Dia(2025, 1, 5), 1, 5);
  EXPECT_EQ(Var(Imprimir().Linha("13"), "pContaDescricao"), "1.1.03 Aplicação 1.1.03");
  const MonthlyPrint sem_classificacao = Imprimir({{"pImpClassificacao", "0"}});
  EXPECT_EQ(Var(sem_classificacao.Linha("13"), "pContaDescricao"), "Aplicação 1.1.03");
  EXPECT_EQ(Var(sem_classificacao.Of(8).at(0), "pCabContaDescricao"), "Descrição");
}

TEST_F(AcompanhamentoTest, WithoutTheCodeColumnNoCodeIsWritten) {
  Movimentar(1, 11, Dia(2025, 1, 5), 1, 5);
  const MonthlyPrint print = Imprimir({{"pImpContaContabil", "0"}});
  ASSERT_FALSE(print.Of(11).empty());
  for (const json& linha : print.Of(11)) EXPECT_EQ(Var(linha, "pConta"), "");
  EXPECT_EQ(Var(print.Of(8).at(0), "pCabConta"), "");
}

TEST_F(AcompanhamentoTest, CompaniesOfTheSelectionAddUp) {
  Empresa(2, "Empresa Dois Ltda", "22.222.222/0001-22");
  Movimentar(1, 11, Dia(2025, 1, 5), 1, 5);
  Movimentar(2, 11, Dia(2025, 1, 6), 1, 7);
  const MonthlyPrint print = Imprimir({{"pCodigoEscrit", "1;2"}});
  EXPECT_EQ(Var(print.Linha("11"), "R1"), "12,00 ");
  EXPECT_EQ(Var(print.Linha("11"), "pNomeEscrit"), "");
  EXPECT_EQ(Var(print.Linha("11"), "pInscFederal"), "");
  const MonthlyPrint uma = Imprimir({{"pCodigoEscrit", "2"}});
  EXPECT_EQ(Var(uma.Linha("11"), "R1"), "7,00 ");
  EXPECT_EQ(Var(uma.Linha("11"), "pNomeEscrit"), "2 - Empresa Dois Ltda");
  EXPECT_EQ(Var(uma.Linha("11"), "pInscFederal"), "22.222.222/0001-22");
}

TEST_F(AcompanhamentoTest, CompanyWithoutAPersonRecordLeavesTheHeaderEmpty) {
  Escritorio(9);
  Movimentar(9, 11, Dia(2025, 1, 5), 1, 5);
  const MonthlyPrint print = Imprimir({{"pCodigoEscrit", "9"}});
  EXPECT_EQ(Var(print.Linha("11"), "R1"), "5,00 ");
  EXPECT_EQ(Var(print.Linha("11"), "pNomeEscrit"), "");
  EXPECT_EQ(Var(print.Linha("11"), "pInscFederal"), "");
}

TEST_F(AcompanhamentoTest, SyntheticOnlyPrintsTitlesEachAfterABlankLine) {
  Movimentar(1, 11, Dia(2025, 1, 5), 1, 5);
  Movimentar(1, 21, Dia(2025, 1, 5), -1, 5);
  const MonthlyPrint so = Imprimir({{"pImpSintetica", "1"}, {"pPulaLinha", "1"}});
  EXPECT_EQ(so.Contas(), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(so.Bodies(), (std::vector<int>{8, 9, 10, 11, 10, 11, 10, 11, 10, 11}));
  const MonthlyPrint todas = Imprimir({{"pPulaLinha", "1"}});
  EXPECT_EQ(todas.Bodies(), (std::vector<int>{8, 9, 10, 11, 10, 11, 11, 10, 11, 10, 11, 11}));
  EXPECT_EQ(Imprimir().Bodies(), (std::vector<int>{8, 9, 11, 11, 11, 11, 11, 11}));
}

TEST_F(AcompanhamentoTest, SyntheticLinesAreBold) {
  Movimentar(1, 11, Dia(2025, 1, 5), 1, 5);
  const MonthlyPrint print = Imprimir();
  for (const char* nome : {"pContaDescricao", "R1", "R14"}) {
    EXPECT_TRUE(Label(print.Linha("2"), nome)["bold"]) << nome;
    EXPECT_FALSE(Label(print.Linha("11"), nome)["bold"]) << nome;
  }
}

TEST_F(AcompanhamentoTest, OriginFilterLeavesEntriesOutAndWarns) {
  Movimentar(1, 11, Dia(2025, 1, 5), 1, 5, {.origem = 0});
  Movimentar(1, 11, Dia(2025, 1, 6), 1, 70, {.origem = 4});
  const MonthlyPrint print = Imprimir({{"pOrigemLctoCaixaCh", "4"}});
  EXPECT_EQ(Var(print.Linha("11"), "R1"), "5,00 ");
  ASSERT_EQ(print.messages.size(), 1u);
  EXPECT_EQ(print.messages[0].kind, 1);
  EXPECT_EQ(print.messages[0].text,
            "Existe um filtro para lançamentos ativo. Cuidado com as informações apresentadas "
            "pois houve lançamentos ignorados.");
  EXPECT_TRUE(Imprimir().messages.empty());
}

TEST_F(AcompanhamentoTest, ModuleWarningIsShownAfterThePrint) {
  Movimentar(1, 11, Dia(2025, 3, 5), 1, 5);
  Movimentar(1, 2, Dia(2025, 1, 5), 1, 9);  // on a synthetic account: left out of the balances
  const MonthlyPrint print = Imprimir();
  EXPECT_EQ(Var(print.Linha("2"), "R1"), "0,00 ");
  ASSERT_EQ(print.messages.size(), 1u);
  EXPECT_EQ(print.messages[0].kind, 0);
  EXPECT_NE(print.messages[0].text.find("sintética 2"), std::string::npos)
      << print.messages[0].text;
}

TEST_F(AcompanhamentoTest, ProgressCountersAreBackToZeroAfterThePrint) {
  Movimentar(1, 11, Dia(2025, 1, 5), 1, 5);
  Commit();
  TnPrintSession session(MonthlyPlugin::Get(), Layout(), RunVia::kInstance);
  session.Print({});
  EXPECT_EQ(session.Engine().ProgressPosition(), 0);
  EXPECT_EQ(session.Engine().ProgressTotal(), 0);
}

TEST_F(AcompanhamentoTest, ReversedOrMissingPeriodIsAParameterError) {
  EXPECT_THROW(Imprimir({{"pDataInicial", "01/04/2025"}}), EnParam);
  EXPECT_THROW(Imprimir({{"pDataFinal", ""}}), EnParam);
}

}  // namespace
}  // namespace vireo::test::monthly
