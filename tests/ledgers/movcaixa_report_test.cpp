// The cash movement layout: settled entries only, balances in parentheses
// on the credit side, the counterpart account, inflows or outflows alone,
// and the grand total of each company.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/ledgers/ledger_test_support.h"

namespace vireo::test {
namespace {

class MovCaixaTest : public LedgerDbTest {
 protected:
  void SetUp() override {
    LedgerDbTest::SetUp();
    Basico();
    Analitica(12, "1.1.02", "Banco Um", 4);
    Analitica(13, "1.1.03", "Adiantamentos", 0);  // ordinary: no cash movement
  }
  // An entry that belongs to a settlement of the given origin.
  void Liquidado(int caixa, int conta, const Variant& data, int tipo, double valor, int acerto,
                 int origem = 2, const std::string& historico = "") {
    Caixa(1, caixa, conta, data, tipo, valor, {.historico = historico});
    AcertoCaixa(1, acerto, caixa, origem, conta);
  }
  LedgerPrint Movimento(const std::map<std::string, std::string>& mais = {}) {
    std::map<std::string, std::string> params = {{"pCodigoEscrit", "1"}};
    params.insert(mais.begin(), mais.end());
    return MovCaixa(params);
  }
};

TEST_F(MovCaixaTest, DebitAccountWritesCreditBalancesInParentheses) {
  Liquidado(1, 11, Dia(2024, 2, 1), -1, 1500, 1);
  Liquidado(2, 11, Dia(2024, 3, 3), 1, 2000, 2);
  const LedgerPrint print = Movimento();
  const json saldo = print.Of(14).at(0);
  EXPECT_EQ(Var(saldo, "R8"), "(1.500,00)");
  EXPECT_EQ(Var(saldo, "R7"), "1.500,00");
  EXPECT_EQ(Var(saldo, "R6"), "");
  EXPECT_EQ(Var(saldo, "R9"), "");
  EXPECT_EQ(Var(print.Of(8).at(0), "R8"), "500,00");
}

TEST_F(MovCaixaTest, CreditAccountWithPositiveBalanceCountsOnTheCreditSide) {
  Liquidado(1, 21, Dia(2024, 2, 1), -1, 300, 1);  // card purchase: the debt grows
  Liquidado(2, 21, Dia(2024, 3, 3), 1, 100, 2);
  const LedgerPrint print = Movimento();
  const json saldo = print.Of(14).at(0);
  EXPECT_EQ(Var(saldo, "R8"), "(300,00)");
  EXPECT_EQ(Var(saldo, "R7"), "300,00");
  EXPECT_EQ(Var(saldo, "R6"), "");
  EXPECT_EQ(Var(print.Of(8).at(0), "R8"), "(200,00)");
}

TEST_F(MovCaixaTest, OnlySettledEntriesOfCurrentAccountsAreListed) {
  Liquidado(1, 11, Dia(2024, 3, 3), 1, 10, 1);
  Caixa(1, 2, 11, Dia(2024, 3, 4), 1, 20);  // not in a settlement
  Liquidado(3, 13, Dia(2024, 3, 5), 1, 30, 3);
  const LedgerPrint print = Movimento();
  ASSERT_EQ(print.Of(13).size(), 1u);
  ASSERT_EQ(print.Of(8).size(), 1u);
  EXPECT_EQ(Var(print.Of(8)[0], "R6"), "10,00");
}

TEST_F(MovCaixaTest, EachEntryShowsTheAccountOnTheOtherSideOfItsSettlement) {
  const std::string longo = Repetir("transferencia", 200);
  // A transfer: settlement 10 takes money out of the bank into the till.
  Liquidado(1, 12, Dia(2024, 3, 3), -1, 80, 10, 1, longo);
  Liquidado(2, 11, Dia(2024, 3, 3), 1, 80, 10, 2);
  const LedgerPrint print = Movimento();
  ASSERT_EQ(print.Of(13).size(), 2u);
  const auto linhas = print.Of(8);
  ASSERT_EQ(linhas.size(), 3u);  // the till's entry, then the bank's on two lines
  EXPECT_EQ(Var(linhas[0], "R9"), "12");
  EXPECT_EQ(Var(linhas[0], "R11"), "10");
  EXPECT_EQ(Var(linhas[1], "R9"), "11");
  EXPECT_EQ(Var(linhas[2], "R9"), "");
  EXPECT_EQ(Var(linhas[2], "R11"), "10");
}

TEST_F(MovCaixaTest, GrandTotalClosesTheCompanyAndCountsCashWhateverTheNature) {
  Liquidado(1, 11, Dia(2024, 2, 1), 1, 1000, 1);
  Liquidado(2, 11, Dia(2024, 3, 3), 1, 200, 2);
  Liquidado(3, 11, Dia(2024, 3, 4), -1, 50, 3);
  Liquidado(4, 21, Dia(2024, 2, 1), -1, 300, 4);  // card debt before the period
  Liquidado(5, 21, Dia(2024, 3, 5), 1, 100, 5);   // paying the card lowers the debt
  Liquidado(6, 21, Dia(2024, 3, 6), -1, 40, 6);   // a purchase raises it
  const LedgerPrint print = Movimento();
  const std::vector<int> corpo = print.Bodies();
  const std::vector<int> fim = {16, 11, 16};
  ASSERT_NE(std::search(corpo.begin(), corpo.end(), fim.begin(), fim.end()), corpo.end());
  const auto totais = print.Of(16);
  ASSERT_EQ(totais.size(), 3u);
  EXPECT_EQ(Var(totais[0], "pTotalSaldo"), "");
  EXPECT_EQ(Var(totais[0], "pTotalDebito"), "200,00");
  EXPECT_EQ(Var(totais[1], "pTotalCredito"), "40,00");
  const json geral = totais[2];
  EXPECT_EQ(Var(geral, "pDescrTotal"), "Total Geral");
  EXPECT_EQ(Var(geral, "pTotalDebito"), "300,00");
  EXPECT_EQ(Var(geral, "pTotalCredito"), "90,00");
  // 1000 + 200 - 50 in the till, 300 - 100 + 40 owed on the card.
  EXPECT_EQ(Var(geral, "pTotalSaldo"), "910,00");
}

TEST_F(MovCaixaTest, NegativeGrandBalanceIsWrittenInParentheses) {
  Liquidado(1, 11, Dia(2024, 2, 1), -1, 1500, 1);
  Liquidado(2, 11, Dia(2024, 3, 3), 1, 250, 2);
  const json geral = Movimento().Of(16).back();
  EXPECT_EQ(Var(geral, "pTotalSaldo"), "(1.250,00)");
  EXPECT_EQ(Var(geral, "pTotalDebito"), "250,00");
  EXPECT_EQ(Var(geral, "pTotalCredito"), "");
}

TEST_F(MovCaixaTest, InflowsOnlyHideOutflowAmountsButNotTheirEffect) {
  Liquidado(1, 11, Dia(2024, 2, 1), -1, 100, 1);
  Liquidado(2, 11, Dia(2024, 3, 3), 1, 500, 2);
  Liquidado(3, 11, Dia(2024, 3, 4), -1, 50, 3);
  const LedgerPrint print = Movimento({{"pMovimento", "2"}});
  const json saldo = print.Of(14).at(0);
  EXPECT_EQ(Var(saldo, "pDescrEntradas"), "Entradas");
  EXPECT_EQ(Var(saldo, "pDescrSaidas"), "");
  EXPECT_EQ(Var(saldo, "R8"), "(100,00)");
  EXPECT_EQ(Var(saldo, "R7"), "");
  const auto linhas = print.Of(8);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "R6"), "500,00");
  EXPECT_EQ(Var(linhas[1], "R7"), "");
  EXPECT_EQ(Var(linhas[1], "R8"), "350,00");
  const auto totais = print.Of(16);
  ASSERT_EQ(totais.size(), 2u);
  EXPECT_EQ(Var(totais[0], "pTotalDebito"), "500,00");
  EXPECT_EQ(Var(totais[0], "pTotalCredito"), "");
  EXPECT_EQ(Var(totais[1], "pTotalDebito"), "500,00");
  EXPECT_EQ(Var(totais[1], "pTotalCredito"), "");
  EXPECT_EQ(Var(totais[1], "pTotalSaldo"), "350,00");
}

TEST_F(MovCaixaTest, OutflowsOnlyHideInflowAmounts) {
  Liquidado(1, 11, Dia(2024, 2, 1), 1, 100, 1);
  Liquidado(2, 11, Dia(2024, 3, 3), 1, 500, 2);
  Liquidado(3, 11, Dia(2024, 3, 4), -1, 50, 3);
  const LedgerPrint print = Movimento({{"pMovimento", "3"}});
  const json saldo = print.Of(14).at(0);
  EXPECT_EQ(Var(saldo, "pDescrEntradas"), "");
  EXPECT_EQ(Var(saldo, "pDescrSaidas"), "Saídas");
  EXPECT_EQ(Var(saldo, "R6"), "");
  const auto linhas = print.Of(8);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "R6"), "");
  EXPECT_EQ(Var(linhas[1], "R7"), "50,00");
  EXPECT_EQ(Var(linhas[1], "R8"), "550,00");
  const json geral = print.Of(16).back();
  EXPECT_EQ(Var(geral, "pTotalDebito"), "");
  EXPECT_EQ(Var(geral, "pTotalCredito"), "50,00");
  EXPECT_EQ(Var(geral, "pTotalSaldo"), "550,00");
}

TEST_F(MovCaixaTest, OriginFilterWarnsInThisLayoutToo) {
  Liquidado(1, 11, Dia(2024, 3, 3), 1, 10, 1);
  const LedgerPrint print = Movimento({{"pOrigemDados", "3..4"}});
  ASSERT_EQ(print.messages.size(), 1u);
  EXPECT_EQ(print.messages[0].kind, 1);
}

TEST_F(MovCaixaTest, LedgerLayoutHasNoCounterpartAndNoGrandTotal) {
  Liquidado(1, 12, Dia(2024, 3, 3), -1, 80, 10, 1);
  Liquidado(2, 11, Dia(2024, 3, 3), 1, 80, 10, 2);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  EXPECT_EQ(print.Of(16).size(), 2u);
  EXPECT_TRUE(print.Of(11).size() == 1u);  // only between the two accounts
  for (const json& linha : print.Of(8)) {
    EXPECT_FALSE(linha["labels"].contains("lblContrapartida"));
    EXPECT_EQ(Var(linha, "R9"), "");
  }
}

}  // namespace
}  // namespace vireo::test
