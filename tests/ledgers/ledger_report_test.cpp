// The ledger layout: balances with the debit or credit letter, the account
// header, histories over several lines, order of the entries, companies and
// the origin filter.
#include <gtest/gtest.h>

#include <string>

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
  Caixa(1, 2, 11, Dia(2024, 3, 2), 1, 250.5, "NF 10", 0, 1);
  Caixa(1, 3, 11, Dia(2024, 3, 9), -1, 1300, "Aluguel", 0, 2);
  Acerto(1, 77, 3, 1, 11);
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

}  // namespace
}  // namespace vireo::test
