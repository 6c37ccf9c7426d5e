// rptTrialBalancePercent: the report's own table (chart overlaid with the
// module's balances), percentages by group, the header, column headings on
// every page, lines left out, blank lines, page breaks and messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/balances/trial_balance_test_support.h"

namespace vireo::test {
namespace {

const char kPercentual[] = "rptTrialBalancePercent";

class TrialBalancePercentTest : public BalanceDbTest {
 protected:
  void SetUp() override {
    BalanceDbTest::SetUp();
    Basico();
  }

  // Company 1: Caixa Geral 200,00 before the period and 100,00 in it,
  // Banco Um 100,00 in it; Fornecedores (credit nature) 40,00.  Company 2:
  // Caixa Geral 50,00 in the period.
  void Movimentos() {
    Movimentar(1, 11, Dia(2024, 2, 10), 1, 200);
    Movimentar(1, 11, Dia(2024, 3, 5), 1, 100);
    Movimentar(1, 12, Dia(2024, 3, 6), 1, 100);
    Movimentar(1, 21, Dia(2024, 3, 7), -1, 40);
    Movimentar(2, 11, Dia(2024, 3, 8), 1, 50);
  }

  BalancePrint Percentual(const std::map<std::string, std::string>& params,
                          const Ajuste& ajuste = {}) {
    return Imprimir(kPercentual, params, ajuste);
  }

  static std::vector<std::string> Contas(const BalancePrint& print) {
    std::vector<std::string> out;
    for (const json& e : print.Of(11)) out.push_back(Var(e, "pConta"));
    return out;
  }
  static json Linha(const BalancePrint& print, const std::string& conta) {
    for (const json& e : print.Of(11)) {
      if (Var(e, "pConta") == conta) return e;
    }
    ADD_FAILURE() << "no line for account " << conta;
    return json::object({{"vars", json::object()}, {"labels", json::object()}});
  }
  static std::vector<std::string> Percentuais(const BalancePrint& print) {
    std::vector<std::string> out;
    for (const json& e : print.Of(11)) out.push_back(Var(e, "R5"));
    return out;
  }
};

TEST_F(TrialBalancePercentTest, AnswersItsVersionAndStripesLinesAndBlankLines) {
  TnrwReport engine(LoadLayout(BalancePluginDir() + "/rptTrialBalancePercent.json"));
  std::unique_ptr<TnrwBaseDll> report =
      BalancePlugin::Get(kPercentual)->ClassDll()->Instanciar(&engine);
  EXPECT_EQ(report->Versao(), "[versao: 1.1.93.0]");
  EXPECT_EQ(report->CriarListaSectionsParaZebrar(), (std::vector<int>{10, 11}));
}

TEST_F(TrialBalancePercentTest, LinesInClassificationOrderWithAmountsAndShareOfTheGroup) {
  Movimentos();
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}});
  EXPECT_EQ(Contas(print), (std::vector<std::string>{"1", "2", "11", "12", "3", "21"}));
  const json caixa = Linha(print, "11");
  EXPECT_EQ(Var(caixa, "pContaTipo"), "A");
  EXPECT_EQ(Var(caixa, "pContaDescricao"), "1.1.01 Caixa Geral");
  EXPECT_EQ(Var(caixa, "R1"), "200,00 ");
  EXPECT_EQ(Var(caixa, "R2"), "100,00 ");
  EXPECT_EQ(Var(caixa, "R3"), "0,00 ");
  EXPECT_EQ(Var(caixa, "R4"), "300,00 ");
  // Closing balances against the group's first row: 400 for group 1.
  EXPECT_EQ(Percentuais(print), (std::vector<std::string>{"100,000", "100,000", "75,000", "25,000",
                                                          "100,000", "100,000"}));
  EXPECT_EQ(Var(Linha(print, "1"), "pContaTipo"), "S");
}

TEST_F(TrialBalancePercentTest, SyntheticLinesAreBold) {
  Movimentos();
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}});
  for (const json& linha : print.Of(11)) {
    const bool sintetica = Var(linha, "pContaTipo") == "S";
    for (const char* label : {"pConta", "pContaDescricao", "R1", "R4", "R5"}) {
      EXPECT_EQ(LabelOf(linha, label)["bold"], sintetica) << Var(linha, "pConta") << " " << label;
    }
  }
}

TEST_F(TrialBalancePercentTest, PercentageOnMovementWhenAskedFor) {
  Movimentos();
  Movimentar(1, 12, Dia(2024, 3, 9), -1, 300);  // Banco Um moves by minus 200
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}, {"pPercentualSobre", "2"}});
  EXPECT_EQ(Var(print.Of(11).at(0), "pCampoPercentualSobre"), "MOVIMENTO");
  // Group 1 moves by 100 - 200 = -100: Caixa 100 is -100 %, Banco -200 is 200 %.
  EXPECT_EQ(Var(Linha(print, "11"), "R5"), "-100,000");
  EXPECT_EQ(Var(Linha(print, "12"), "R5"), "200,000");
  EXPECT_EQ(Var(Linha(print, "1"), "R5"), "100,000");
}

TEST_F(TrialBalancePercentTest, MissingOrNonNumericBasisMeansClosingBalance) {
  Movimentos();
  const auto sem_parametro = [](TnLayout& layout) {
    std::erase_if(layout.parameters,
                  [](const TnParamDef& def) { return def.name == "pPercentualSobre"; });
  };
  for (const BalancePrint& print : {Percentual({{"pCodigoEscrit", "1"}}, sem_parametro),
                                    Percentual({{"pCodigoEscrit", "1"}, {"pPercentualSobre", "x"}},
                                               ParametroTexto("pPercentualSobre"))}) {
    EXPECT_EQ(Var(print.Of(11).at(0), "pCampoPercentualSobre"), "SALDO");
    EXPECT_EQ(Var(Linha(print, "11"), "R5"), "75,000");
  }
}

TEST_F(TrialBalancePercentTest, AnyOtherBasisGivesZeroPercentAndNoBasisText) {
  Movimentos();
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}, {"pPercentualSobre", "3"}},
                                        ParametroTexto("pPercentualSobre"));
  EXPECT_EQ(Var(print.Of(11).at(0), "pCampoPercentualSobre"), "");
  for (const std::string& p : Percentuais(print)) EXPECT_EQ(p, "0,000");
}

TEST_F(TrialBalancePercentTest, GroupWhoseFirstRowIsZeroShowsZeroPercent) {
  ModuloRoteiro& roteiro = Roteirizar();
  Analitica(13, "1.1.03", "Caixa Pequeno");
  // The group's total is zero: its accounts cancel out.
  roteiro.linhas = {{1, 1, "1", "S", 0, 10, 10, 0, 0, ""},
                    {1, 11, "1.1.01", "A", 0, 10, 0, 10, 10, ""},
                    {1, 13, "1.1.03", "A", 0, 0, 10, -10, -10, ""}};
  const BalancePrint print = Percentual({});
  EXPECT_EQ(Contas(print), (std::vector<std::string>{"1", "11", "13"}));
  EXPECT_EQ(Percentuais(print), (std::vector<std::string>{"0,000", "0,000", "0,000"}));
}

TEST_F(TrialBalancePercentTest, HeaderNamesTheOneCompanyChosen) {
  Movimentos();
  const BalancePrint um = Percentual({{"pCodigoEscrit", "1"}});
  const json cabecalho = um.Of(1).at(0);
  EXPECT_EQ(Var(cabecalho, "pNomeEscrit"), "1 - Empresa Um Ltda");
  EXPECT_EQ(Var(cabecalho, "pInscFederal"), "11.111.111/0001-11");
  EXPECT_EQ(Var(cabecalho, "pTituloRelatorio"), "Balancete com percentuais");
  for (const std::string selecao : {"1;2", "1..2", ""}) {
    SCOPED_TRACE("selection '" + selecao + "'");
    const json outro = Percentual({{"pCodigoEscrit", selecao}}).Of(1).at(0);
    EXPECT_EQ(Var(outro, "pNomeEscrit"), "");
    EXPECT_EQ(Var(outro, "pInscFederal"), "");
  }
}

TEST_F(TrialBalancePercentTest, CompanyWithoutNameLeavesTheHeaderEmpty) {
  Movimentos();
  Escritorio(3);  // no person row: the name is null
  Movimentar(3, 11, Dia(2024, 3, 9), 1, 7);
  const BalancePrint print = Percentual({{"pCodigoEscrit", "3"}});
  EXPECT_EQ(Var(print.Of(1).at(0), "pNomeEscrit"), "");
  EXPECT_EQ(Var(Linha(print, "11"), "R4"), "7,00 ");
}

TEST_F(TrialBalancePercentTest, SeveralCompaniesAddUpPerAccount) {
  Movimentos();
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1;2"}});
  EXPECT_EQ(Var(Linha(print, "11"), "R2"), "150,00 ");
  EXPECT_EQ(Var(Linha(print, "11"), "R4"), "350,00 ");
  EXPECT_EQ(Var(Linha(print, "1"), "R4"), "450,00 ");
}

TEST_F(TrialBalancePercentTest, ColumnHeadingsFollowEveryPageHeader) {
  Movimentos();
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}, {"pQuebraGrupo", "1"}});
  ASSERT_EQ(print.pages, 2);
  for (int page = 1; page <= 2; ++page) {
    const std::vector<int> secoes = print.OnPage(page);
    ASSERT_GE(secoes.size(), 4u);
    EXPECT_EQ(std::vector<int>(secoes.begin(), secoes.begin() + 4), (std::vector<int>{1, 8, 9, 11}))
        << "page " << page;
  }
  const json titulos = print.Of(8).at(0);
  EXPECT_EQ(Var(titulos, "pCabConta"), "Conta");
  EXPECT_EQ(Var(titulos, "pCabContaTipo"), "S");
  EXPECT_EQ(Var(titulos, "pCabContaDescricao"), "Classificação");
  EXPECT_EQ(Var(titulos, "C1"), "Saldo Ant.");
  EXPECT_EQ(Var(titulos, "C2"), "Débito");
  EXPECT_EQ(Var(titulos, "C3"), "Crédito");
  EXPECT_EQ(Var(titulos, "C4"), "Saldo");
  EXPECT_EQ(Var(titulos, "C5"), "%");
  EXPECT_EQ(Linha(print, "3")["page"], 2);
}

TEST_F(TrialBalancePercentTest, AccountsWithoutAnyAmountAreLeftOut) {
  Movimentos();
  Sintetica(4, "3", "OUTROS");
  Analitica(31, "3.1", "Sem Movimento");
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}, {"pQuebraGrupo", "1"}});
  EXPECT_EQ(Contas(print), (std::vector<std::string>{"1", "2", "11", "12", "3", "21"}));
  EXPECT_EQ(print.pages, 2);  // group 3 never reaches paper
}

TEST_F(TrialBalancePercentTest, AccountOutsideTheChartQueryIsNotPrinted) {
  Movimentos();
  // Account 2 (1.1) chosen: the module also brings the accounts below it.
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}, {"pCodigoConta", "2"}});
  EXPECT_EQ(Contas(print), (std::vector<std::string>{"2"}));
  EXPECT_EQ(Var(Linha(print, "2"), "R4"), "400,00 ");
}

TEST_F(TrialBalancePercentTest, AccountSelectionIntervalFiltersTheChart) {
  Movimentos();
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}, {"pCodigoConta", "11..12"}});
  EXPECT_EQ(Contas(print), (std::vector<std::string>{"11", "12"}));
  // The group begins with the module's row "1", in the table without
  // amounts: the base is 0.
  EXPECT_EQ(Percentuais(print), (std::vector<std::string>{"0,000", "0,000"}));
}

TEST_F(TrialBalancePercentTest, EveryAccountOfALargeChartIsPrinted) {
  for (int i = 1; i <= 14; ++i) {
    Analitica(100 + i, "5." + std::to_string(10 + i), "Conta " + std::to_string(i));
    Movimentar(1, 100 + i, Dia(2024, 3, 1), 1, i);
  }
  EXPECT_EQ(Percentual({{"pCodigoEscrit", "1"}}).Of(11).size(), 14u);
}

TEST_F(TrialBalancePercentTest, BlankLineBeforeSyntheticAccountsButNeverBeforeTheFirstRow) {
  Movimentos();
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}, {"pPulaLinha", "1"}});
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 9, 11, 10, 11, 11, 11, 10, 11, 11}));
  const BalancePrint sinteticas =
      Percentual({{"pCodigoEscrit", "1"}, {"pPulaLinha", "1"}, {"pImpSintetica", "1"}});
  EXPECT_EQ(sinteticas.Bodies(), (std::vector<int>{8, 9, 11, 10, 11, 10, 11}));
}

TEST_F(TrialBalancePercentTest, BlankLineRuleCountsTableRowsNotPrintedLines) {
  Movimentos();
  // A synthetic row "0" without amounts is the table's first row; the first
  // printed line is its second.
  Sintetica(9, "0", "ZERO");
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1"}, {"pPulaLinha", "1"}});
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 9, 10, 11, 10, 11, 11, 11, 10, 11, 11}));
}

TEST_F(TrialBalancePercentTest, ClosingMessagesAndProgressReset) {
  Movimentos();
  const BalancePrint print = Percentual({{"pCodigoEscrit", "1;9"}, {"pOrigemLctoCaixaCh", "7"}});
  EXPECT_EQ(print.message_titles, (std::vector<std::string>{"Mensagem"}));
  ASSERT_EQ(print.messages.size(), 2u);
  EXPECT_EQ(print.messages[0].kind, 1);
  EXPECT_EQ(print.messages[1].kind, 0);
  EXPECT_EQ(print.messages[1].text, "A empresa 9 da seleção não está cadastrada.");
  EXPECT_EQ(print.progress_position, 0);
  EXPECT_EQ(print.progress_total, 0);
  EXPECT_TRUE(Percentual({{"pCodigoEscrit", "1"}}).messages.empty());
}

TEST_F(TrialBalancePercentTest, ModuleGetsThePeriodAndSelections) {
  ModuloRoteiro& roteiro = Roteirizar();
  Percentual({{"pCodigoEscrit", "1;2"},
              {"pCodigoConta", "11"},
              {"pOrigemLctoCaixaCh", "3"},
              {"pDataInicial", "2024-02-05"}});
  const TnFiltroSaldoConta& f = roteiro.recebido;
  EXPECT_EQ(f.DataInicial, EncodeDate(2024, 2, 5));
  EXPECT_EQ(f.DataFinal, EncodeDate(2024, 3, 31));
  EXPECT_TRUE(f.GerarSaldoAnterior);
  EXPECT_EQ(f.OrigemLctoCaixa, "3");
  EXPECT_EQ(f.CodigoEscrit, "1;2");
  EXPECT_EQ(f.CodigoConta, "11");
  EXPECT_TRUE(f.QuebraPorEmpresa);
  Percentual({});
  EXPECT_FALSE(roteiro.recebido.QuebraPorEmpresa);
}

}  // namespace
}  // namespace vireo::test
