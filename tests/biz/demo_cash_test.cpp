// The demo's cash book: the shape the ledger and trial balance reports need
// (movement every month, opening balances, settlements with both sides,
// texts that wrap), its determinism, and the balance module over it checked
// against a computation of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "biz_test_support.h"
#include "db/demo.h"
#include "host/core/convert.h"
#include "host/data/sql.h"
#include "tests/db/db_test_support.h"

namespace vireo::test {
namespace {

using testing::Count;
using testing::Rows;

class DemoCashTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterKorvanFin5();
    dir_ = new testing::TempDir;
    db_ = CreateDatabaseFromTemplate(dir_->File("demo.fdb")).release();
    GenerateDemo(*db_, DemoOptions{});
  }
  static void TearDownTestSuite() {
    delete db_;
    delete dir_;
  }
  void SetUp() override { SetCurrentConnection(db_); }
  void TearDown() override { SetCurrentConnection(nullptr); }
  static TnConnection& Db() { return *db_; }

  static testing::TempDir* dir_;
  static TnConnection* db_;
};

testing::TempDir* DemoCashTest::dir_ = nullptr;
TnConnection* DemoCashTest::db_ = nullptr;

TEST_F(DemoCashTest, EveryCurrentAccountMovesInEveryMonthOfThePeriod) {
  const int64_t entries = Count(Db(), "select count(*) from FPRCAIXA");
  EXPECT_GE(entries, 2000);
  EXPECT_LE(entries, 6000);
  // Till and banks of each company: 3 accounts x 18 months x 3 companies.
  EXPECT_EQ(
      Count(
          Db(),
          "select count(*) from (select distinct C.CODIGOESCRIT, C.CODIGOCONTA, "
          "extract(year from C.DATACAIXA) as Y, extract(month from C.DATACAIXA) as M from FPRCAIXA "
          "C join FPRCONTA T on T.CODIGOCONTA = C.CODIGOCONTA where T.MODALIDADECONTA in "
          "(1, 4) and T.CODIGOESCRITORIO = C.CODIGOESCRIT and C.DATACAIXA between "
          "'2025-01-01' and '2026-06-30')"),
      3 * 18 * 3);
  // Opening balances: movement before the period on current and ordinary
  // accounts, of both natures.
  EXPECT_EQ(Rows(Db(),
                 "select T.NATURSALDO, count(distinct T.MODALIDADECONTA) from FPRCAIXA C join "
                 "FPRCONTA T on T.CODIGOCONTA = C.CODIGOCONTA where C.DATACAIXA < '2025-01-01' "
                 "group by 1 order by 1"),
            (std::vector<std::string>{"-1|1", "1|3"}));
  EXPECT_EQ(Rows(Db(), "select distinct TIPOMOVCAIXA from FPRCAIXA order by 1"),
            (std::vector<std::string>{"-1", "1"}));
  EXPECT_EQ(Rows(Db(), "select distinct ORIGEMLCTOCAIXA from FPRCAIXA order by 1"),
            (std::vector<std::string>{"0", "1", "2", "3", "4"}));
  EXPECT_EQ(Count(Db(),
                  "select count(*) from FPRCAIXA C where not exists (select 1 from "
                  "FPRHISTORICO H where H.CODIGOHISTCTB = C.CODIGOHISTCTB)"),
            0);
}

TEST_F(DemoCashTest, SettlementsHaveOneEntryOnEachSide) {
  EXPECT_EQ(Count(Db(),
                  "select count(*) from FPRACERTO A where (select count(*) from FPRACERTOCX "
                  "X where X.CODIGOESCRIT = A.CODIGOESCRIT and X.CODIGOACERTO = "
                  "A.CODIGOACERTO and X.ORIGEMCAIXA = 1) <> 1 or (select count(*) from "
                  "FPRACERTOCX X where X.CODIGOESCRIT = A.CODIGOESCRIT and X.CODIGOACERTO = "
                  "A.CODIGOACERTO and X.ORIGEMCAIXA = 2) <> 1"),
            0);
  // Each entry sits in one settlement at most, on its own account and date;
  // the titles' side carries the settlement's amount, and a charge
  // (interest, fine, discount: origin 3) moves the cash side away from it
  // so that the settlement's entries still balance.
  EXPECT_EQ(Count(Db(),
                  "select count(*) from (select CODIGOESCRIT, CODIGOCAIXA from FPRACERTOCX "
                  "group by 1, 2 having count(*) > 1)"),
            0);
  EXPECT_EQ(Count(Db(),
                  "select count(*) from FPRACERTOCX X join FPRCAIXA C on C.CODIGOESCRIT = "
                  "X.CODIGOESCRIT and C.CODIGOCAIXA = X.CODIGOCAIXA join FPRACERTO A on "
                  "A.CODIGOESCRIT = X.CODIGOESCRIT and A.CODIGOACERTO = X.CODIGOACERTO "
                  "where C.CODIGOCONTA <> X.CODIGOCONTA or C.DATACAIXA <> A.DATAACERTO or "
                  "(X.ORIGEMCAIXA = 1 and C.VALORCAIXA <> A.VALORACERTO)"),
            0);
  EXPECT_EQ(Count(Db(),
                  "select count(*) from (select X.CODIGOESCRIT, X.CODIGOACERTO from FPRACERTOCX X "
                  "join FPRCAIXA C on C.CODIGOESCRIT = X.CODIGOESCRIT and C.CODIGOCAIXA = "
                  "X.CODIGOCAIXA group by 1, 2 having sum(C.TIPOMOVCAIXA * C.VALORCAIXA) <> 0)"),
            0);
  EXPECT_GT(Count(Db(), "select count(*) from FPRACERTOCX where ORIGEMCAIXA = 3"), 0);
  EXPECT_EQ(Rows(Db(), "select distinct FINALIDADEACERTO from FPRACERTO order by 1"),
            (std::vector<std::string>{"1", "2", "3"}));
  // Cash-side entries of receipts and payments move a current account, and
  // their counterpart is an ordinary account; so the cash movement report
  // always has a counterpart to show.
  EXPECT_EQ(Count(Db(),
                  "select count(*) from FPRACERTOCX X join FPRCONTA T on T.CODIGOCONTA = "
                  "X.CODIGOCONTA where X.ORIGEMCAIXA = 2 and T.MODALIDADECONTA = 0"),
            0);
}

TEST_F(DemoCashTest, TextsRangeFromNoneToSeveralLines) {
  EXPECT_GT(Count(Db(), "select count(*) from FPRCAIXA where coalesce(HISTORICOCAIXA, '') = ''"),
            200);
  EXPECT_GT(Count(Db(),
                  "select count(*) from FPRCAIXA where char_length(HISTORICOCAIXA) "
                  "between 1 and 60"),
            500);
  EXPECT_GT(Count(Db(), "select count(*) from FPRCAIXA where char_length(HISTORICOCAIXA) > 180"),
            50);
  EXPECT_EQ(Count(Db(), "select count(*) from FPRCAIXA where char_length(HISTORICOCAIXA) > 400"),
            0);
}

struct Expected {
  double before = 0, inflows = 0, outflows = 0, closing = 0;
};

// Balances worked out entry by entry: with kinds and natures of 1 and -1,
// their product is +1 exactly when the entry adds.
std::map<std::string, Expected> Recompute(TnConnection& db, const std::string& first,
                                          const std::string& last, bool cash_movement) {
  auto config = testing::Select(db, "select * from FPRCFGCONTA");
  auto entries = testing::Select(
      db,
      "select C.CODIGOESCRIT, C.CODIGOCONTA, T.CLASSIFCONTA, C.DATACAIXA, C.TIPOMOVCAIXA, "
      "C.VALORCAIXA, T.MODALIDADECONTA, (select count(*) from FPRACERTOCX X where "
      "X.CODIGOESCRIT = C.CODIGOESCRIT and X.CODIGOCAIXA = C.CODIGOCAIXA) from FPRCAIXA C "
      "join FPRCONTA T on T.CODIGOCONTA = C.CODIGOCONTA");
  const TDateTime start = StrToDate(first), end = StrToDate(last);
  std::map<std::string, Expected> out;
  for (entries->First(); !entries->Eof(); entries->Next()) {
    if (cash_movement &&
        (entries->Fields(6)->AsInteger() == 0 || entries->Fields(7)->AsInteger() == 0)) {
      continue;
    }
    const TDateTime date = entries->Fields(3)->AsDateTime();
    if (date > end) continue;
    const std::string group = entries->Fields(2)->AsString().substr(0, 1);
    const int64_t nature = config->FieldByName("NATURGRUPO" + group)->AsInteger();
    const int64_t kind = entries->Fields(4)->AsInteger();
    const double value = entries->Fields(5)->AsFloat();
    Expected& e =
        out[BalanceResult::Key(entries->Fields(0)->AsInteger(), entries->Fields(1)->AsInteger())];
    if (date < start) {
      e.before += kind * nature * value;
    } else {
      (kind > 0 ? e.inflows : e.outflows) += value;
    }
    e.closing += kind * nature * value;
  }
  return out;
}

void ExpectSameBalances(TnDMPowerParam& module, const std::map<std::string, Expected>& expected,
                        size_t at_least) {
  BalanceResult r = ReadBalances(module);
  size_t analytic = 0;
  for (const auto& [key, b] : r.rows) {
    if (b.tipo == "S") continue;
    ++analytic;
    auto it = expected.find(key);
    ASSERT_NE(it, expected.end()) << key;
    EXPECT_NEAR(b.anterior, it->second.before, 0.005) << key;
    EXPECT_NEAR(b.debito, it->second.inflows, 0.005) << key;
    EXPECT_NEAR(b.credito, it->second.outflows, 0.005) << key;
    EXPECT_NEAR(b.saldo, it->second.closing, 0.005) << key;
  }
  size_t with_figures = 0;
  for (const auto& [key, e] : expected) {
    with_figures += std::fabs(e.before) > 0.001 || e.inflows > 0 || e.outflows > 0;
  }
  EXPECT_EQ(analytic, with_figures);
  EXPECT_GE(analytic, at_least);
}

std::unique_ptr<TnDMPowerParam> Module(const std::map<std::string, std::string>& params) {
  std::unique_ptr<TnDMPowerParam> module(
      dynamic_cast<TnDMPowerParam*>(CriarDMNovo("TnFprDPGerarSaldoContaIndividual")));
  for (const auto& [name, value] : params) module->Param(name)->SetValue(value);
  module->Executar();
  return module;
}

TEST_F(DemoCashTest, ModuleAgreesWithAnEntryByEntryComputation) {
  for (auto [first, last] :
       {std::pair{"01/01/2025", "30/06/2026"}, std::pair{"01/07/2025", "30/09/2025"}}) {
    SCOPED_TRACE(first);
    auto module = Module({{"pDataInicial", first}, {"pDataFinal", last}, {"pQuebra", "2"}});
    EXPECT_EQ(module->Param("pMsgErro")->Value(), "");
    ExpectSameBalances(*module, Recompute(Db(), first, last, false), 40);
  }
  auto cash = Module({{"pDataInicial", "01/02/2026"},
                      {"pDataFinal", "28/02/2026"},
                      {"pQuebra", "2"},
                      {"pEhRelMovCaixa", "1"}});
  // The till and the two banks of each company.
  ExpectSameBalances(*cash, Recompute(Db(), "01/02/2026", "28/02/2026", true), 9);
}

TEST_F(DemoCashTest, SyntheticAccountsAddUpTheWholeChartPerCompany) {
  auto module = Module({{"pDataInicial", "01/01/2025"}, {"pDataFinal", "31/12/2025"}});
  BalanceResult r = ReadBalances(*module);
  // Every receipt and payment moves a current account and an ordinary
  // account by the same amount in opposite kinds; so assets (debit nature)
  // grow by what revenues (credit nature) less expenses (debit) earned,
  // apart from the lone entries on current accounts.
  double lone = 0;
  auto rows = testing::Select(Db(),
                              "select sum(C.TIPOMOVCAIXA * C.VALORCAIXA) from FPRCAIXA C where "
                              "C.DATACAIXA <= '2025-12-31' and not exists (select 1 from "
                              "FPRACERTOCX X where X.CODIGOESCRIT = C.CODIGOESCRIT and "
                              "X.CODIGOCAIXA = C.CODIGOCAIXA)");
  lone = rows->Fields(0)->AsFloat();
  const Balance& assets = r.At(0, 1);
  EXPECT_EQ(assets.classif, "1");
  EXPECT_EQ(assets.tipo, "S");
  double revenues = 0, expenses = 0;
  for (const auto& [key, b] : r.rows) {
    if (b.classif == "3") revenues = b.saldo;
    if (b.classif == "4") expenses = b.saldo;
  }
  EXPECT_NEAR(assets.saldo, revenues - expenses + lone, 0.005);
  EXPECT_GT(assets.saldo, 0);
}

TEST(DemoCashDeterminismTest, SameSeedSameCashBook) {
  testing::TempDir dir;
  auto first = CreateDatabaseFromTemplate(dir.File("a.fdb"));
  auto second = CreateDatabaseFromTemplate(dir.File("b.fdb"));
  auto other = CreateDatabaseFromTemplate(dir.File("c.fdb"));
  GenerateDemo(*first, DemoOptions{1, 11});
  GenerateDemo(*second, DemoOptions{1, 11});
  GenerateDemo(*other, DemoOptions{1, 12});
  const char* const kDumps[] = {"select * from FPRCAIXA order by 1, 2",
                                "select * from FPRACERTO order by 1, 2",
                                "select * from FPRACERTOCX order by 1, 2, 3"};
  for (const char* sql : kDumps) EXPECT_EQ(Rows(*first, sql), Rows(*second, sql)) << sql;
  EXPECT_NE(Rows(*first, kDumps[0]), Rows(*other, kDumps[0]));
}

TEST(DemoCashScaleTest, ScaleMultipliesTheEntries) {
  testing::TempDir dir;
  auto small_db = CreateDatabaseFromTemplate(dir.File("s.fdb"));
  auto large_db = CreateDatabaseFromTemplate(dir.File("l.fdb"));
  GenerateDemo(*small_db, DemoOptions{1, 5});
  GenerateDemo(*large_db, DemoOptions{3, 5});
  const int64_t small = Count(*small_db, "select count(*) from FPRCAIXA");
  const int64_t large = Count(*large_db, "select count(*) from FPRCAIXA");
  EXPECT_GT(large, 2.5 * small);
  EXPECT_LT(large, 3.2 * small);
}

}  // namespace
}  // namespace vireo::test
