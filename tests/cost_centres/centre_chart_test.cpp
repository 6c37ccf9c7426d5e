// rptTrialBalanceCentreChart and rptCentreChartTracking: a title and an
// account tree per cost centre, bold synthetic accounts, page breaks and
// blank lines; the month blocks of the tracking (leap and common years,
// single days, months without anything), its closing sections and header.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/cost_centres/cost_centre_test_support.h"

namespace vireo::test {
namespace {

const char kCentroPlano[] = "rptTrialBalanceCentreChart";
const char kAcompanhamento[] = "rptCentreChartTracking";

class CentreChartTest : public CentreDbTest {
 protected:
  void SetUp() override {
    CentreDbTest::SetUp();
    Basico();
  }
  // Shares of Financeiro and Vendas Loja in March 2024.
  void Marco() {
    Lancar(1, 31, Dia(2024, 3, 5), -1, {{21, 300}, {12, 200}});
    Lancar(1, 41, Dia(2024, 3, 7), 1, {{12, 80}});
  }
};

TEST_F(CentreChartTest, ATitleAndTheAccountTreeOfEachCostCentreWithBoldSynthetics) {
  Marco();
  const CentrePrint print = Imprimir(kCentroPlano);
  std::vector<std::pair<int, std::string>> corpo;
  for (const json& e : print.trace) {
    if (e["event"] == "section" && e["section"] != 1 && e["section"] != 3)
      corpo.emplace_back(e["section"].get<int>(), Var(e, "R3"));
  }
  EXPECT_EQ(corpo, (std::vector<std::pair<int, std::string>>{{9, "Centro Custo: Financeiro"},
                                                             {8, "3  RECEITAS"},
                                                             {8, "3.1  RECEITAS OPERACIONAIS"},
                                                             {8, "3.1.01  Vendas"},
                                                             {8, "4  DESPESAS"},
                                                             {8, "4.1  Salários"},
                                                             {9, ""},
                                                             {9, "Centro Custo: Vendas Loja"},
                                                             {8, "3  RECEITAS"},
                                                             {8, "3.1  RECEITAS OPERACIONAIS"},
                                                             {8, "3.1.01  Vendas"},
                                                             {9, ""}}));
  for (const json& e : print.Of(8)) {
    const bool sintetica = Var(e, "R3").find("  Vendas") == std::string::npos &&
                           Var(e, "R3").find("Salários") == std::string::npos;
    EXPECT_EQ(LabelOf(e, "R3")["bold"], sintetica) << Var(e, "R3");
    EXPECT_EQ(LabelOf(e, "R7")["bold"], sintetica) << Var(e, "R3");
  }
  const json salarios = print.Linha(8, "4.1  Salários");
  EXPECT_EQ(Var(salarios, "R5"), "80,00");
  EXPECT_EQ(Var(salarios, "R7"), "(80,00)");
  EXPECT_EQ(print.pages, 1);
}

TEST_F(CentreChartTest, PageBreaksPerCostCentreAndBlankLinesAcrossThem) {
  Marco();
  const CentrePrint print =
      Imprimir(kCentroPlano, {{"pQuebrarPorGrupo", "1"}, {"pPularLinhaCadaSintetica", "1"}});
  EXPECT_EQ(print.pages, 2);
  EXPECT_EQ(print.Linha(9, "Centro Custo: Financeiro")["page"], 1);
  EXPECT_EQ(print.Linha(9, "Centro Custo: Vendas Loja")["page"], 2);
  // Blank lines before every synthetic account but the very first, also
  // before the first account of the second cost centre.
  std::vector<std::string> depois;
  const std::vector<json> linhas = print.Of(8);
  int brancas = 0;
  for (const json& e : linhas) brancas += Var(e, "R3").empty();
  EXPECT_EQ(brancas, 4);  // 3.1, 4, then 3 and 3.1 of the second
  EXPECT_EQ(Var(linhas.at(0), "R3"), "3  RECEITAS");
}

TEST_F(CentreChartTest, NothingToShowPrintsNothing) {
  const CentrePrint print = Imprimir(kCentroPlano);
  EXPECT_TRUE(print.Bodies().empty());
}

TEST_F(CentreChartTest, MonthBlocksFromTheFifteenthToTheTenthInLeapAndCommonYears) {
  for (int ano : {2024, 2025}) {
    SCOPED_TRACE(ano);
    Lancar(1, 41, Dia(ano, 1, 20), 1, {{12, 10}});
    Lancar(1, 31, Dia(ano, 3, 10), -1, {{21, 5}});
    Lancar(1, 31, Dia(ano, 3, 11), -1, {{21, 1000}});  // after the period
    const std::string a = std::to_string(ano);
    const CentrePrint print =
        Imprimir(kAcompanhamento, {{"pDataInicial", "15/01/" + a}, {"pDataFinal", "10/03/" + a}});
    std::vector<std::string> blocos;
    for (const json& e : print.Of(8)) blocos.push_back(Var(e, "P1") + "-" + Var(e, "P2"));
    const std::string fev = ano == 2024 ? "29" : "28";
    EXPECT_EQ(blocos, (std::vector<std::string>{
                          "15/01/" + a + "-31/01/" + a, "01/02/" + a + "-" + fev + "/02/" + a,
                          "01/03/" + a + "-10/03/" + a, "01/03/" + a + "-10/03/" + a}));
    EXPECT_EQ(print.pages, 3);
    // March: Vendas Loja shows its 5, not the 1000 of the day after.
    EXPECT_EQ(Var(print.Of(9).back(), "R6"), "5,00");
    Exec("delete from FPRCAIXACUSTO");
    Exec("delete from FPRCAIXA");
  }
}

TEST_F(CentreChartTest, EachCostCentreClosesWithItsThreeSections) {
  Marco();
  const CentrePrint print = Imprimir(kAcompanhamento);
  std::vector<int> secoes = print.Bodies();
  EXPECT_EQ(secoes, (std::vector<int>{8, 9, 9, 9, 9, 9, 10, 11, 12, 8, 9, 9, 9, 10, 11, 12}));
  EXPECT_EQ(Var(print.Of(8).front(), "R1"), "Centro Custo: Financeiro");
  EXPECT_EQ(Var(print.Of(8).front(), "pNomeEscrit"), "0001 Empresa Um Ltda");
  EXPECT_EQ(LabelOf(print.Linha(9, "3  RECEITAS"), "R3")["bold"], true);
  EXPECT_EQ(LabelOf(print.Linha(9, "3.1.01  Vendas"), "R3")["bold"], false);
}

TEST_F(CentreChartTest, SingleDaysMonthsWithoutCostCentresAndNoCompany) {
  Marco();
  const CentrePrint dia = Imprimir(
      kAcompanhamento,
      {{"pDataInicial", "05/03/2024"}, {"pDataFinal", "05/03/2024"}, {"pCodigoEscrit", "0"}});
  ASSERT_FALSE(dia.Of(8).empty());
  EXPECT_EQ(Var(dia.Of(8).front(), "P1"), "05/03/2024");
  EXPECT_EQ(Var(dia.Of(8).front(), "P2"), "05/03/2024");
  EXPECT_EQ(Var(dia.Of(8).front(), "pNomeEscrit"), "");
  EXPECT_EQ(Var(dia.Of(8).front(), "pInscrFederal"), "");
  // January and February have nothing: no page of theirs, March on the first.
  const CentrePrint meses =
      Imprimir(kAcompanhamento, {{"pDataInicial", "01/01/2024"}, {"pDataFinal", "01/04/2024"}});
  std::set<std::string> blocos;
  for (const json& e : meses.Of(8)) blocos.insert(Var(e, "P1") + "-" + Var(e, "P2"));
  EXPECT_EQ(blocos, (std::set<std::string>{"01/03/2024-31/03/2024", "01/04/2024-01/04/2024"}));
  EXPECT_EQ(meses.pages, 2);
  EXPECT_EQ(meses.Of(8).front()["page"], 1);
}

}  // namespace
}  // namespace vireo::test
