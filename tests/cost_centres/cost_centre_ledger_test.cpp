// rptCostCentreLedger: both arrangements with their balance lines, the
// sides of a share, totals per detail item and per day, zero previous
// balances, detail items without entries, items without classification or
// with one that names no group, any other arrangement, and bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "host/core/exception.h"
#include "tests/cost_centres/cost_centre_test_support.h"

namespace vireo::test {
namespace {

const char kRazao[] = "rptCostCentreLedger";

class CostCentreLedgerTest : public CentreDbTest {
 protected:
  // Company 1: Vendas credited 100 to Financeiro in February; in March
  // credited 300 to Vendas Loja and 200 to Financeiro; Salários debited 80
  // and 20 to Financeiro on the 7th and credited 100 on the 9th.
  void SetUp() override {
    CentreDbTest::SetUp();
    Basico();
    Lancar(1, 31, Dia(2024, 2, 10), -1, {{12, 100}});
    Lancar(1, 31, Dia(2024, 3, 5), -1, {{21, 300}, {12, 200}});
    Lancar(1, 41, Dia(2024, 3, 7), 1, {{12, 80}});
    Lancar(1, 41, Dia(2024, 3, 7), 1, {{12, 20}});
    Lancar(1, 41, Dia(2024, 3, 9), -1, {{12, 100}});
  }
  CentrePrint Razao(const std::string& mescla, const std::string& saldo,
                    const std::string& totais = "1", std::map<std::string, std::string> mais = {}) {
    mais["pTipoMesclarPlano"] = mescla;
    mais["pListarSaldo"] = saldo;
    mais["pTotalDebCred"] = totais;
    return Imprimir(kRazao, mais);
  }
  // "R1|R2|R3|R4|R5" of each body section with its number.
  static std::vector<std::string> Linhas(const CentrePrint& print) {
    std::vector<std::string> out;
    for (const json& e : print.trace) {
      if (e["event"] != "section" || e["section"] == 1 || e["section"] == 3) continue;
      const int s = e["section"];
      std::string linha = std::to_string(s);
      if (s == 8 || s == 11) {
        for (const char* r : {"R1", "R2", "R3", "R4", "R5"}) linha += "|" + Var(e, r);
      } else if (s == 9 || s == 10) {
        for (const char* r : {"R1", "R2", "R3", "R4"}) linha += "|" + Var(e, r);
      } else if (s == 12) {
        for (const char* r : {"R1", "R2", "R3"}) linha += "|" + Var(e, r);
      }
      out.push_back(linha);
    }
    return out;
  }
};

TEST_F(CostCentreLedgerTest, CostCentresByAccountWithEveryBalanceLine) {
  const CentrePrint print = Razao("1", "3");
  EXPECT_EQ(Var(print.Of(9).front(), "pTituloRelat"), "RAZÃO - CENTRO CUSTO x PLANO CONTA");
  EXPECT_EQ(Linhas(print),
            (std::vector<std::string>{"9|Centro de Custo|0012|1.02|Financeiro",
                                      "8|29/02/2024|Saldo Anterior...||100,00|100,00C",
                                      "13",
                                      "10|Conta|0031|3.1.01|Vendas",
                                      "8|29/02/2024|Saldo Anterior...|100,00||100,00D",
                                      "11|05/03/2024|Movimento||200,00|300,00C",
                                      "12|***Total da Conta:||200,00",
                                      "8|05/03/2024|Saldo Atual...||300,00|300,00D",
                                      "13",
                                      "10|Conta|0041|4.1|Salários",
                                      "8|29/02/2024|Saldo Anterior...||0,00|0,00C",
                                      "11|07/03/2024|Movimento|80,00||80,00D",
                                      "11|07/03/2024|Movimento|20,00||100,00D",
                                      "11|09/03/2024|Movimento||100,00|0,00C",
                                      "12|***Total da Conta:|100,00|100,00",
                                      "8|09/03/2024|Saldo Atual...||0,00|0,00C",
                                      "13",
                                      "8|09/03/2024|Saldo Atual...||300,00|300,00C",
                                      "9|Centro de Custo|0021|2.01|Vendas Loja",
                                      "8|29/02/2024|Saldo Anterior...|0,00||0,00D",
                                      "13",
                                      "10|Conta|0031|3.1.01|Vendas",
                                      "8|29/02/2024|Saldo Anterior...|0,00||0,00D",
                                      "11|05/03/2024|Movimento||300,00|300,00C",
                                      "12|***Total da Conta:||300,00",
                                      "8|31/03/2024|Saldo Atual...||300,00|",
                                      "13",
                                      "8|05/03/2024|Saldo Atual...||300,00|300,00D"}));
}

TEST_F(CostCentreLedgerTest, AccountsByCostCentreWithAccountBalancesOnly) {
  const CentrePrint print = Razao("2", "2", "0");
  EXPECT_EQ(Var(print.Of(9).front(), "pTituloRelat"), "RAZÃO - PLANO CONTA x CENTRO CUSTO");
  EXPECT_EQ(print.Bodies(), (std::vector<int>{9,  8, 13, 10, 11, 13, 10, 11, 13, 8,  // Vendas
                                              14, 9, 8,  13, 10, 11, 11, 11, 8,      // Salários
                                              13, 8}));
  const std::vector<json> saldos = print.Of(8);
  // The last header's own line is replaced by its last detail's, dated at
  // the end without balance text; the header's follows after the walk.
  EXPECT_EQ(Var(saldos.at(3), "R1"), "31/03/2024");
  EXPECT_EQ(Var(saldos.at(3), "R5"), "");
  EXPECT_EQ(Var(saldos.at(4), "R1"), "31/03/2024");
  EXPECT_EQ(Var(saldos.at(4), "R5"), "0,00D");
  EXPECT_EQ(Var(print.Of(9).front(), "R1"), "Conta");
  EXPECT_EQ(Var(print.Of(10).front(), "R1"), "Centro de Custo");
  EXPECT_TRUE(print.Of(12).empty());
}

TEST_F(CostCentreLedgerTest, DailyTotalsRestartAtEachDate) {
  const CentrePrint print = Razao("2", "0", "2");
  std::vector<std::string> totais;
  for (const json& e : print.Of(12)) {
    totais.push_back(Var(e, "R1") + Var(e, "R2") + "/" + Var(e, "R3"));
  }
  EXPECT_EQ(totais,
            (std::vector<std::string>{"***Total do Dia:/200,00", "***Total do Dia:/300,00",
                                      "***Total do Dia:100,00/", "***Total do Dia:/100,00"}));
  // No balance lines but the two closing ones after the walk.
  EXPECT_EQ(print.Of(8).size(), 2u);
  EXPECT_EQ(Var(Razao("2", "0", "1").Of(12).at(0), "R1"), "***Total do Centro de Custo:");
}

TEST_F(CostCentreLedgerTest, ZeroPreviousBalancesOfCostCentresLeaveTheAmountsEmpty) {
  const CentrePrint print = Razao("1", "1");
  const std::vector<json> saldos = print.Of(8);
  EXPECT_EQ(Var(saldos.at(0), "R4"), "100,00");
  const json vendas_loja = print.Of(8).at(2);
  EXPECT_EQ(Var(vendas_loja, "R2"), "Saldo Anterior...");
  EXPECT_EQ(Var(vendas_loja, "R3"), "");
  EXPECT_EQ(Var(vendas_loja, "R4"), "");
  EXPECT_EQ(Var(vendas_loja, "R5"), "0,00D");
}

TEST_F(CostCentreLedgerTest, ADetailWithoutEntriesGetsNoClosingLine) {
  Lancar(1, 32, Dia(2024, 1, 10), -1, {{11, 40}});
  const CentrePrint print = Razao("1", "3");
  std::vector<std::string> linhas = Linhas(print);
  ASSERT_GE(linhas.size(), 6u);
  EXPECT_EQ(linhas[0], "9|Centro de Custo|0011|1.01|Diretoria");
  EXPECT_EQ(linhas[3], "10|Conta|0032|3.1.02|Serviços");
  EXPECT_EQ(linhas[4], "8|29/02/2024|Saldo Anterior...|40,00||40,00D");
  // The header's closing line: no entry row, no date.
  EXPECT_EQ(linhas[5], "13");
  EXPECT_EQ(linhas[6], "8||Saldo Atual...||40,00|40,00C");
}

TEST_F(CostCentreLedgerTest, NoClassificationReadsCreditAndAnUnknownGroupFails) {
  Exec("update FPRCENTROCUSTO set CLASSIFCENTROCUSTO = null where CODIGOCENTROCUSTO = 21");
  const CentrePrint print = Razao("1", "3");
  std::vector<std::string> linhas = Linhas(print);
  const auto it = std::find(linhas.begin(), linhas.end(), "9|Centro de Custo|0021||Vendas Loja");
  ASSERT_NE(it, linhas.end());
  EXPECT_EQ(*(it + 1), "8|29/02/2024|Saldo Anterior...||0,00|0,00C");
  Exec("update FPRCENTROCUSTO set CLASSIFCENTROCUSTO = 'X.01' where CODIGOCENTROCUSTO = 21");
  EXPECT_THROW(Razao("1", "3"), Exception);
}

TEST_F(CostCentreLedgerTest, AnyOtherArrangementWalksTheChartWithoutBalanceLines) {
  const CentrePrint print = Razao("abc", "3");
  EXPECT_EQ(Var(print.Of(9).front(), "pTituloRelat"), "RAZÃO - PLANO CONTA x CENTRO CUSTO");
  EXPECT_EQ(print.Bodies(),
            (std::vector<int>{9, 13, 10, 11, 12, 13, 10, 11, 12, 14, 9, 13, 10, 11, 11, 11, 12}));
}

TEST_F(CostCentreLedgerTest, BadInputStopsBeforeAnyLine) {
  try {
    Razao("1", "3", "1", {{"pDataInicial", "10/03/2024"}, {"pDataFinal", "09/03/2024"}});
    ADD_FAILURE() << "printed";
  } catch (const EnParam& e) {
    EXPECT_EQ(e.ParamName(), "pDataInicial");
    EXPECT_EQ(e.Message(), "Data inicial não pode ser maior que data final.");
  }
  EXPECT_THROW(Razao("1", "3", "1", {{"pCodigoConta", "1) or (1=1"}}), EnParam);
  EXPECT_THROW(Razao("1", "3", "1", {{"pCodigoCentroCusto", "'"}}), EnParam);
  // Not numbers: no balance lines, no totals, every company.
  const CentrePrint zeros = Razao("2", "x", "y", {{"pCodigoEscrit", "z"}});
  EXPECT_TRUE(zeros.Of(12).empty());
  EXPECT_EQ(Var(zeros.Of(9).front(), "pNomeEmpresa"), "");
}

}  // namespace
}  // namespace vireo::test
