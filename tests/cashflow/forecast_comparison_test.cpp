// The forecast and comparison cash flows on small databases: open titles by
// due date, the forecast's detail by person, and the comparison's two pairs
// of balances and its chart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cashflow/cashflow_test_support.h"

namespace vireo::test {
namespace {

constexpr int kCabecalhoDias = 11, kLinhaDia = 12, kLinhaSaldo = 14;

class ForecastComparisonTest : public CashFlowDbTest {
 protected:
  // Opening balance 1000 on account 10 (limit 1000); on 5/3 200 to receive
  // from a customer and 80 received; on 6/3 two titles without a person to
  // pay, 30 and 20, and 50 paid; on 7/3 an entry of no side and a title with
  // nothing left to pay.
  void Movimento() {
    Basico();
    Pessoa(201, "Cliente A");
    Caixa(1, 1, 10, Dia(2024, 2, 1), kEntrada, 1000);
    Titulo(true, 1, 1, Dia(2024, 3, 5), 200, 200, 1, 201);
    Titulo(true, 1, 2, Dia(2024, 3, 5), 90, 0, 2, 201);  // nothing left open
    Caixa(1, 2, 10, Dia(2024, 3, 5), kEntrada, 80);
    Titulo(false, 1, 1, Dia(2024, 3, 6), 30, 30, 1, Variant(), "Aluguel");
    Titulo(false, 1, 2, Dia(2024, 3, 6), 20, 20, 2, Variant(), "Condomínio");
    Caixa(1, 3, 10, Dia(2024, 3, 6), kSaida, 50);
    Caixa(1, 4, 10, Dia(2024, 3, 7), 0, 10);
    Titulo(false, 1, 3, Dia(2024, 3, 7), 10, 0, 2, Variant(), "Nada em aberto");
  }
};

TEST_F(ForecastComparisonTest, ForecastDaysAndDetailByPerson) {
  Movimento();
  const TracePrint p = Imprimir("rptCashFlowForecast", {{"pRelacionarCliFor", "Sim"}});
  std::vector<std::string> linhas;
  for (const json& e : p.Of(kLinhaDia)) {
    linhas.push_back(Var(e, "T1") + "|" + Var(e, "T2") + "|" + Var(e, "T6") + "|" + Var(e, "T7") +
                     "|" + Var(e, "T4") + "|" + Var(e, "T5"));
  }
  EXPECT_EQ(linhas, (std::vector<std::string>{
                        "05/03/2024||200,00|0,00|1.200,00|2.200,00",
                        "|0201 Cliente A|200,00|0,00||", "06/03/2024||0,00|50,00|1.150,00|2.150,00",
                        "|0000 Aluguel|0,00|50,00||",  // two titles without a person, summed
                    }));
  const json total = p.Of(kLinhaSaldo).back();
  EXPECT_EQ(Var(total, "F6"), "200,00");
  EXPECT_EQ(Var(total, "F7"), "50,00");
  EXPECT_EQ(Var(total, "F4"), "1.150,00");
  EXPECT_TRUE(LabelOf(p.Of(kCabecalhoDias)[0], "Etiqueta4")["visible"]);
  EXPECT_TRUE(LabelOf(p.Of(kLinhaDia)[1], "Etiqueta21")["italic"]);
  EXPECT_FALSE(LabelOf(p.Of(kLinhaDia)[2], "Etiqueta21")["italic"]);
}

TEST_F(ForecastComparisonTest, ComparisonBalancesWithLimit) {
  Movimento();
  const TracePrint p = Imprimir("rptCashFlowComparison", {{"pColunaExibir", "0"}});
  const auto dias = p.Of(kLinhaDia);
  ASSERT_EQ(dias.size(), 3u);  // 7/3 prints with nothing but zeros
  EXPECT_EQ(Var(dias[0], "pTituloSaldo1"), "Saldo sem Limite");
  EXPECT_EQ(Var(dias[0], "T2"), "200,00");
  EXPECT_EQ(Var(dias[0], "T6"), "80,00");
  EXPECT_EQ(Var(dias[0], "T4"), "1.280,00");
  EXPECT_EQ(Var(dias[0], "T5"), "2.280,00");
  EXPECT_EQ(Var(dias[1], "T3"), "50,00");
  EXPECT_EQ(Var(dias[1], "T7"), "50,00");
  EXPECT_EQ(Var(dias[2], "T2") + Var(dias[2], "T6") + Var(dias[2], "T3") + Var(dias[2], "T7"),
            "0,000,000,000,00");
  EXPECT_EQ(Var(dias[2], "T4"), "1.180,00");
  const auto saldos = p.Of(kLinhaSaldo);
  EXPECT_EQ(Var(saldos[0], "F5"), "2.000,00");
  EXPECT_EQ(Var(saldos[1], "F2") + "|" + Var(saldos[1], "F6") + "|" + Var(saldos[1], "F3") + "|" +
                Var(saldos[1], "F7"),
            "200,00|80,00|50,00|50,00");
  EXPECT_EQ(Var(saldos[1], "F5"), "2.180,00");
}

TEST_F(ForecastComparisonTest, ComparisonForecastAndRealisedBalances) {
  Movimento();
  const TracePrint p =
      Imprimir("rptCashFlowComparison", {{"pColunaExibir", "1"}, {"pTipoRelatorio", "2"}});
  const auto dias = p.Of(kLinhaDia);
  ASSERT_EQ(dias.size(), 3u);
  EXPECT_EQ(Var(dias[0], "pTituloSaldo2"), "Saldo Realizado");
  EXPECT_EQ(Var(dias[0], "T4"), "1.200,00");
  EXPECT_EQ(Var(dias[0], "T5"), "1.080,00");
  EXPECT_EQ(Var(dias[1], "T4"), "1.150,00");
  EXPECT_EQ(Var(dias[1], "T5"), "1.030,00");
  const auto saldos = p.Of(kLinhaSaldo);
  EXPECT_EQ(Var(saldos[0], "F4"), Var(saldos[0], "F5"));
  EXPECT_EQ(Var(saldos[1], "F5"), "1.030,00");
  json grafico;
  for (const json& e : p.trace) {
    if (e["event"] == "chart") grafico = e;
  }
  ASSERT_FALSE(grafico.is_null());
  EXPECT_EQ(grafico["series"][0].size(), 4u);
  EXPECT_EQ(grafico["series"][2].size(), 4u);
  EXPECT_DOUBLE_EQ(grafico["series"][2][3][1].get<double>(), 1030);

  const TracePrint limite =
      Imprimir("rptCashFlowComparison", {{"pColunaExibir", "x"}, {"pTipoRelatorio", "1"}});
  for (const json& e : limite.trace) {
    if (e["event"] != "chart") continue;
    EXPECT_TRUE(e["series"][2].empty());
    EXPECT_DOUBLE_EQ(e["series"][0][3][1].get<double>(), 1180);
  }
}

}  // namespace
}  // namespace vireo::test
