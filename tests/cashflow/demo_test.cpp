// The cash flows of the demo database agree with the ledger and with the
// titles: what the realised flow receives and pays on an account is what
// the ledger counts as its inflows and outflows, the forecast pays on a day
// the payables still open and due that day, and the comparison ends on the
// realised flow's closing balance.  The payables listing agrees with the
// forecast day by day.
#include "db/demo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "host/biz/balance/entry_totals.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "tests/cashflow/cashflow_test_support.h"

namespace vireo::test {
namespace {

constexpr int kLinhaDia = 12, kLinhaSaldo = 14;
constexpr int kLinhaVencimentoTitulos = 11;  // a title of rptPayables grouped by due date

class CashFlowDemoTest : public CashFlowDbTest {
 protected:
  void SetUp() override {
    CashFlowDbTest::SetUp();
    GenerateDemo(*db_, DemoOptions{});
  }
};

TEST_F(CashFlowDemoTest, RealisedAgreesWithTheLedgerPerAccount) {
  TnClientDataSet* contas = ExecutarSQL(
      "select C.CODIGOCONTA, E.CODIGOESCRIT from FPRCONTA C join ESCRITORIO E on "
      "E.CODIGOESCRIT = C.CODIGOESCRITORIO where C.TIPOCONTA = 2 and C.MODALIDADECONTA <> 0");
  TnSQLGuard guarda(contas);
  int conferidas = 0;
  for (contas->First(); !contas->Eof(); contas->Next()) {
    const std::string conta = contas->Fields(0)->AsString();
    const std::string empresa = contas->Fields(1)->AsString();
    biz::EntryQuery query;
    query.first_day = EncodeDate(2025, 4, 1);
    query.last_day = EncodeDate(2025, 6, 30);
    query.opening = false;
    query.companies = empresa;
    query.accounts = conta;
    int64_t entradas = 0, saidas = 0;
    for (const biz::EntryTotal& t : biz::LoadEntryTotals(query)) {
      (t.kind == 1 ? entradas : saidas) += t.period;
    }
    if (entradas + saidas == 0) continue;
    SCOPED_TRACE(empresa + ":" + conta);
    const TracePrint p = Imprimir("rptCashFlowActual", {{"pCodigoEscrit", empresa},
                                                        {"pCodigodaConta", conta},
                                                        {"pDataInicial", "01/04/2025"},
                                                        {"pDataFinal", "30/06/2025"}});
    const json total = p.Of(kLinhaSaldo).back();
    EXPECT_NEAR(Numero(Var(total, "F6")), entradas / 100.0, 0.001);
    EXPECT_NEAR(Numero(Var(total, "F7")), saidas / 100.0, 0.001);
    ++conferidas;
  }
  EXPECT_GE(conferidas, 6);
}

TEST_F(CashFlowDemoTest, ForecastPaysTheOpenPayablesOfEachDay) {
  TnClientDataSet* abertos = ExecutarSQL(
      "select DATAVENCIMENTOPAG, sum(SALDOPAG) from FPRCONTAPAGAR where CODIGOESCRIT = 2 and "
      "SITUACAOPAG in (1, 2) and DATAVENCIMENTOPAG between '2026-07-01' and '2026-12-31' "
      "group by 1");
  TnSQLGuard guarda(abertos);
  std::map<std::string, double> devido;
  for (abertos->First(); !abertos->Eof(); abertos->Next()) {
    devido[DateToStr(abertos->Fields(0)->AsDateTime())] = abertos->Fields(1)->AsFloat();
  }
  ASSERT_GT(devido.size(), 10u);
  const TracePrint p = Imprimir(
      "rptCashFlowForecast",
      {{"pCodigoEscrit", "2"}, {"pDataInicial", "01/07/2026"}, {"pDataFinal", "31/12/2026"}});
  std::map<std::string, double> impresso;
  for (const json& e : p.Of(kLinhaDia)) {
    if (Numero(Var(e, "T7")) > 0) impresso[Var(e, "T1")] = Numero(Var(e, "T7"));
  }
  for (const auto& [dia, valor] : devido) {
    if (valor > 0) EXPECT_NEAR(impresso[dia], valor, 0.001) << dia;
  }
  EXPECT_EQ(impresso.size(), std::count_if(devido.begin(), devido.end(),
                                           [](const auto& d) { return d.second > 0; }));
}

// The payables listing of the financial model, grouped by due date, lists
// on each day what the forecast pays that day.
TEST_F(CashFlowDemoTest, ForecastPaysWhatThePayablesListingHasOpenOnEachDueDate) {
  const std::map<std::string, std::string> periodo = {
      {"pCodigoEscrit", "2"}, {"pDataInicial", "01/07/2026"}, {"pDataFinal", "31/12/2026"}};
  std::map<std::string, double> previsto;
  for (const json& e : Imprimir("rptCashFlowForecast", periodo).Of(kLinhaDia)) {
    if (Numero(Var(e, "T7")) != 0) previsto[Var(e, "T1")] = Numero(Var(e, "T7"));
  }
  auto listagem = periodo;
  listagem["pModelo"] = "1";   // financial: what is open today
  listagem["pOrdenar"] = "1";  // by due date
  std::map<std::string, double> listado;
  for (const json& e : Imprimir("rptPayables", listagem).Of(kLinhaVencimentoTitulos)) {
    listado[Var(e, "pVencimento")] += Numero(Var(e, "R5"));
  }
  ASSERT_GT(listado.size(), 10u);
  EXPECT_EQ(listado.size(), previsto.size());
  for (const auto& [dia, valor] : listado) EXPECT_NEAR(previsto[dia], valor, 0.001) << dia;
}

TEST_F(CashFlowDemoTest, ComparisonEndsOnTheRealisedClosingBalance) {
  for (const char* empresa : {"", "1", "3"}) {
    SCOPED_TRACE(empresa);
    const std::map<std::string, std::string> params = {
        {"pCodigoEscrit", empresa}, {"pDataInicial", "01/01/2026"}, {"pDataFinal", "31/03/2026"}};
    const TracePrint realizado = Imprimir("rptCashFlowActual", params);
    auto comparativo = params;
    comparativo["pColunaExibir"] = "1";
    const TracePrint p = Imprimir("rptCashFlowComparison", comparativo);
    ASSERT_FALSE(realizado.Of(kLinhaSaldo).empty());
    EXPECT_EQ(Var(p.Of(kLinhaSaldo).back(), "F5"), Var(realizado.Of(kLinhaSaldo).back(), "F4"));
  }
}

}  // namespace
}  // namespace vireo::test
