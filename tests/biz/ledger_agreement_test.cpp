// The balance module agrees with what the ledger prints: the ledger lists an
// account's entries with its own query and carries a running balance from the
// module's opening balance; its totals line shows the module's inflows and
// outflows.  Here the ledger's own entry query is run in both modes and
// walked the ledger's way.
#include <gtest/gtest.h>

#include <cmath>

#include "biz_test_support.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "reports/ledgers/rptLedgerSQL.h"

namespace vireo::test {
namespace {

struct Walk {
  double inflows = 0;
  double outflows = 0;
  double balance = 0;
  int lines = 0;
};

// The ledger's entry query for one account of one company (company 0: all).
std::string LedgerQuery(bool cash_movement, int company, int account, TDateTime first,
                        TDateTime last, const std::string& origins) {
  TnFiltroCaixas filtro;
  filtro.DataInicial = first;
  filtro.DataFinal = last;
  filtro.EhRelMovCaixa = cash_movement;
  filtro.CodigoEscrit = company;
  filtro.CodigoConta = account;
  filtro.OrigemDados = origins;
  return SelectCaixas(filtro);
}

// The ledger's walk: an entry whose kind equals the nature adds, any other
// subtracts; kind -1 is an outflow, anything else an inflow.
Walk WalkLedger(const std::string& sql, int nature, double opening) {
  Walk walk;
  walk.balance = opening;
  TnClientDataSet* rows = ExecutarSQL(sql);
  TnSQLGuard guard(rows);
  for (rows->First(); !rows->Eof(); rows->Next()) {
    const int kind = static_cast<int>(rows->FieldByName("TIPOMOVCAIXA")->AsInteger());
    const double value = rows->FieldByName("VALORCAIXA")->AsFloat();
    (kind == -1 ? walk.outflows : walk.inflows) += value;
    walk.balance += (kind & 0xFF) == (nature & 0xFF) ? value : -value;
    ++walk.lines;
  }
  return walk;
}

class LedgerAgreementTest : public BizDbTest {
 protected:
  void SetUp() override {
    BizDbTest::SetUp();
    Configuracao({1, -1, -1, 1});
    Empresa(1, "Empresa 1");
    Empresa(2, "Empresa 2");
    Historico(1, "Recebimento de cliente");
    Historico(2, "Pagamento a fornecedor");
    Sintetica(1, "1", "ATIVO");
    Analitica(2, "1.1.01", "Caixa", 1);
    Analitica(3, "1.1.02", "Banco", 4);
    Sintetica(4, "2", "PASSIVO");
    Analitica(5, "2.1.01", "Cartão", 3);
    Analitica(6, "2.1.02", "Fornecedores", 0);
    Sintetica(7, "3", "RECEITAS");
    Analitica(8, "3.1.01", "Serviços", 0);
    int code = 0, settlement = 0;
    // Receipts: bank in (cash side), revenue out (origin side).
    for (int month = 1; month <= 6; ++month) {
      for (int company : {1, 2}) {
        const double value = 100.0 * month + company + 0.35;
        ++settlement;
        Caixa(company, ++code, 3, Dia(2025, month, 5), 1, value, {.origem = 2});
        AcertoCaixa(company, settlement, code, 2, 3);
        Caixa(company, ++code, 8, Dia(2025, month, 5), -1, value, {.origem = 2});
        AcertoCaixa(company, settlement, code, 1, 8);
        // A payment by card (credit nature) of a supplier.
        ++settlement;
        Caixa(company, ++code, 5, Dia(2025, month, 12), -1, 40.0 + month, {.origem = 1, .hist = 2});
        AcertoCaixa(company, settlement, code, 2, 5);
        Caixa(company, ++code, 6, Dia(2025, month, 12), 1, 40.0 + month, {.origem = 1, .hist = 2});
        AcertoCaixa(company, settlement, code, 1, 6);
        // A transfer from the bank to the cash box: both current accounts.
        ++settlement;
        Caixa(company, ++code, 3, Dia(2025, month, 20), -1, 25.0, {.origem = 3, .hist = 2});
        AcertoCaixa(company, settlement, code, 1, 3);
        Caixa(company, ++code, 2, Dia(2025, month, 20), 1, 25.0, {.origem = 3});
        AcertoCaixa(company, settlement, code, 2, 2);
        // Not settled: bank fees.
        Caixa(company, ++code, 3, Dia(2025, month, 28), -1, 3.10, {.origem = 4, .hist = 2});
      }
    }
  }

  // Compares every analytic row of the module with the ledger's listing.
  void ExpectAgreement(bool cash_movement, const std::string& quebra,
                       const std::string& origins = "") {
    const TDateTime first = EncodeDate(2025, 3, 1), last = EncodeDate(2025, 5, 31);
    BalanceResult r = Run({{"pDataInicial", "01/03/2025"},
                           {"pDataFinal", "31/05/2025"},
                           {"pEhRelMovCaixa", cash_movement ? "1" : "0"},
                           {"pQuebra", quebra},
                           {"pCodigoEscrit", quebra == "2" ? "1;2" : ""},
                           {"pOrigemLctoCaixa", origins}});
    int accounts = 0;
    for (const std::string& key : r.order) {
      const Balance& b = r.rows.at(key);
      if (b.tipo == "S") continue;
      const int company = std::stoi(key.substr(0, key.find(':')));
      const int account = std::stoi(key.substr(key.find(':') + 1));
      Walk before = WalkLedger(LedgerQuery(cash_movement, company, account, EncodeDate(1900, 1, 1),
                                           EncodeDate(2025, 2, 28), origins),
                               b.natureza, 0.0);
      Walk period = WalkLedger(LedgerQuery(cash_movement, company, account, first, last, origins),
                               b.natureza, b.anterior);
      EXPECT_NEAR(b.anterior, before.balance, 0.001) << key;
      EXPECT_NEAR(b.debito, period.inflows, 0.001) << key;
      EXPECT_NEAR(b.credito, period.outflows, 0.001) << key;
      EXPECT_NEAR(b.saldo, period.balance, 0.001) << key;
      EXPECT_GT(before.lines + period.lines, 0) << key;
      ++accounts;
    }
    EXPECT_GT(accounts, 0);
  }
};

TEST_F(LedgerAgreementTest, LedgerModeByCompanyAndTogether) {
  ExpectAgreement(false, "2");
  ExpectAgreement(false, "1");
}

TEST_F(LedgerAgreementTest, CashMovementModeCountsOnlyWhatItLists) {
  ExpectAgreement(true, "2");
  ExpectAgreement(true, "1");
  BalanceResult r = Run({{"pDataInicial", "01/03/2025"},
                         {"pDataFinal", "31/05/2025"},
                         {"pEhRelMovCaixa", "1"},
                         {"pImpContaSaldoZero", "1"}});
  EXPECT_FALSE(r.Has(0, 6));  // ordinary accounts are not current accounts
  EXPECT_FALSE(r.Has(0, 8));
  // Bank fees are not settled: the bank shows receipts less transfers only.
  EXPECT_DOUBLE_EQ(r.At(0, 3).credito, 6 * 25.0);
}

TEST_F(LedgerAgreementTest, OriginFilterAgreesInBothModes) {
  ExpectAgreement(false, "2", "3..4");
  ExpectAgreement(true, "1", "1");
}

TEST_F(LedgerAgreementTest, AnEntryInTwoSettlementsCountsAsOftenAsTheLedgerListsIt) {
  AcertoCaixa(1, 999, 1, 1, 3);  // the first receipt also sits in another settlement
  ExpectAgreement(false, "2");
  ExpectAgreement(true, "2");
}

}  // namespace
}  // namespace vireo::test
