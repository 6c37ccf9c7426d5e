// Speed of the account-balance module (TnFprDPGerarSaldoContaIndividual) on
// the demo database at scale 10 (about 30 000 cash entries), as the ledger,
// the trial balances and the monthly tracking run it.
//
// The database is generated once into the temporary directory, or taken
// from SALDO_BENCH_DB when that names an existing demo database.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "db/demo.h"
#include "db/schema.h"
#include "host/biz/korvanfin.h"
#include "host/core/datetime.h"
#include "host/core/format.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/data_module.h"

namespace vireo {
namespace {

constexpr int kScale = 10;

std::string GenerateDatabase() {
  std::string dir = (std::filesystem::temp_directory_path() / "vireo-saldo-bench-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  const std::string path = dir + "/demo.fdb";
  auto db = CreateDatabaseFromTemplate(path);
  DemoSummary summary = GenerateDemo(*db, DemoOptions{kScale});
  std::fprintf(stderr, "demo database at scale %d: %s (%d rows)\n", kScale, path.c_str(),
               summary.rows);
  return path;
}

TnConnection& Database() {
  static std::unique_ptr<TnConnection> db = [] {
    const char* given = std::getenv("SALDO_BENCH_DB");
    const std::string path = given != nullptr ? given : GenerateDatabase();
    TnConnectionParams params;
    params.database = path;
    auto connection = TnConnection::Open(params);
    SetCurrentConnection(connection.get());
    RegisterKorvanFin5();
    return connection;
  }();
  return *db;
}

void RunModule(benchmark::State& state, const std::map<std::string, std::string>& params) {
  Database();
  std::unique_ptr<TnDMPowerParam> module(
      dynamic_cast<TnDMPowerParam*>(CriarDMNovo("TnFprDPGerarSaldoContaIndividual")));
  for (const auto& [name, value] : params) module->Param(name)->SetValue(value);
  int rows = 0;
  for (auto _ : state) {
    module->Executar();
    rows = module->nClientDataSet()->RecordCount();
  }
  state.counters["rows"] = rows;
}

// Trial balance of a year, one set per company.
void BM_YearByCompany(benchmark::State& state) {
  RunModule(state,
            {{"pDataInicial", "01/01/2025"}, {"pDataFinal", "31/12/2025"}, {"pQuebra", "2"}});
}
BENCHMARK(BM_YearByCompany)->Unit(benchmark::kMillisecond);

// The same with every account of the chart and the companies together.
void BM_YearTogetherWithZeroAccounts(benchmark::State& state) {
  RunModule(state, {{"pDataInicial", "01/01/2025"},
                    {"pDataFinal", "31/12/2025"},
                    {"pQuebra", "1"},
                    {"pImpContaSaldoZero", "1"}});
}
BENCHMARK(BM_YearTogetherWithZeroAccounts)->Unit(benchmark::kMillisecond);

// The cash movement ledger of a month with an origin filter.
void BM_MonthCashMovement(benchmark::State& state) {
  RunModule(state, {{"pDataInicial", "01/03/2026"},
                    {"pDataFinal", "31/03/2026"},
                    {"pQuebra", "2"},
                    {"pEhRelMovCaixa", "1"},
                    {"pOrigemLctoCaixa", "4"}});
}
BENCHMARK(BM_MonthCashMovement)->Unit(benchmark::kMillisecond);

// The ledger of one bank account of one company.
void BM_MonthOneAccount(benchmark::State& state) {
  RunModule(state, {{"pDataInicial", "01/03/2026"},
                    {"pDataFinal", "31/03/2026"},
                    {"pQuebra", "2"},
                    {"pCodigoEscrit", "1"},
                    {"pCodigoConta", "7"}});
}
BENCHMARK(BM_MonthOneAccount)->Unit(benchmark::kMillisecond);

// Monthly tracking: eighteen runs, one per month of the demo period.
void BM_EighteenMonths(benchmark::State& state) {
  Database();
  std::unique_ptr<TnDMPowerParam> module(
      dynamic_cast<TnDMPowerParam*>(CriarDMNovo("TnFprDPGerarSaldoContaIndividual")));
  module->Param("pQuebra")->SetValue("1");
  for (auto _ : state) {
    TDateTime month = EncodeDate(2025, 1, 1);
    for (int i = 0; i < 18; ++i, month = IncMonth(month)) {
      module->Param("pDataInicial")->SetValue(FormatDateTime("dd/mm/yyyy", month));
      module->Param("pDataFinal")->SetValue(FormatDateTime("dd/mm/yyyy", EndOfTheMonth(month)));
      module->Executar();
    }
  }
}
BENCHMARK(BM_EighteenMonths)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vireo

BENCHMARK_MAIN();
