// The cost-centre trial balances on a large demo book: the balance entity's
// ProcessarDados for one company and for all companies (the shares met with
// their entries by key lookup and by hash join), and
// rptTrialBalanceAccountCentre of one company over the demo period printed
// through the plug-in runner, to the trace alone and to PDF; the ledger by
// cost centre of one company and one month to PDF.
//
//   VIREO_BENCH_DB=/tmp/big.fdb   an existing demo database (else one is made)
//   VIREO_BENCH_SCALE=400         scale of the demo made when no database is given
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "db/demo.h"
#include "db/schema.h"
#include "host/biz/balance/cost_shares.h"
#include "host/biz/balancete.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/plugin_host.h"

namespace vireo {
namespace {

const TDateTime kInicio = EncodeDate(2025, 1, 1);
const TDateTime kFim = EncodeDate(2026, 6, 30);

std::string Env(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

std::string BenchDatabase() {
  std::string db = Env("VIREO_BENCH_DB", "");
  if (!db.empty()) return db;
  db = "/tmp/vireo-cost-centre-bench.fdb";
  if (!std::filesystem::exists(db)) {
    auto con = CreateDatabase(db, true);
    DemoOptions options;
    options.scale = std::stoi(Env("VIREO_BENCH_SCALE", "400"));
    GenerateDemo(*con, options);
  }
  return db;
}

// The database stays open for the whole run.
TnConnection& Database() {
  static std::unique_ptr<TnConnection> con = [] {
    auto c = TnConnection::Open({BenchDatabase()});
    SetCurrentConnection(c.get());
    return c;
  }();
  return *con;
}

double Count(const std::string& sql) {
  std::unique_ptr<TnClientDataSet> rows(Database().Query(sql));
  return static_cast<double>(rows->Fields(0)->AsInteger());
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

void BM_ProcessarDados(benchmark::State& state) {
  Database();
  const int64_t company = state.range(0);
  int items = 0;
  for (auto _ : state) {
    TnBalancete balancete;
    balancete.SetCodigoEscrit(company);
    balancete.SetTipoMescla(kMesclaContaCentro);
    balancete.SetDataInicial(kInicio);
    balancete.SetDataFinal(kFim);
    balancete.ProcessarDados();
    items = balancete.TotalItens();
  }
  state.counters["items"] = items;
  state.counters["shares"] =
      Count("select count(*) from FPRCAIXACUSTO" +
            (company > 0 ? " where CODIGOESCRIT = " + std::to_string(company) : std::string()));
}
BENCHMARK(BM_ProcessarDados)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// The share totals of one company (1) or all (0) by each join (0 key
// lookup, 1 hash join).
void BM_ShareTotals(benchmark::State& state) {
  Database();
  biz::ShareQuery query{kInicio, kFim, state.range(0), ""};
  query.join = state.range(1) == 0 ? biz::ShareJoin::kKeyLookup : biz::ShareJoin::kHash;
  size_t pairs = 0;
  for (auto _ : state) pairs = biz::LoadShareTotals(query).size();
  state.SetLabel(std::string(state.range(0) ? "one company, " : "all companies, ") +
                 (state.range(1) == 0 ? "key lookup" : "hash join"));
  state.counters["pairs"] = static_cast<double>(pairs);
}
BENCHMARK(BM_ShareTotals)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void PrintAccountCentre(benchmark::State& state, const TnPrintOutputs& outputs) {
  Database();
  const TnPluginInfo info =
      TnPluginCatalog({VIREO_PLUGIN_DIR}).Resolve("rptTrialBalanceAccountCentre");
  std::shared_ptr<const TnLoadedPlugin> plugin = TnLoadedPlugin::Open(info.path);
  int pages = 0;
  for (auto _ : state) {
    TnPrintSession session(plugin, info.Layout());
    session.SetParameters(
        {{"pDataInicial", "01/01/2025"}, {"pDataFinal", "30/06/2026"}, {"pCodigoEscrit", "1"}});
    pages = session.Print(outputs).pages;
  }
  state.counters["pages"] = pages;
  state.counters["peak_MB"] = PeakMegabytes();
}

void BM_AccountCentreToTrace(benchmark::State& state) {
  PrintAccountCentre(state, {.trace = "/tmp/vireo-cost-centre-bench.trace"});
}
BENCHMARK(BM_AccountCentreToTrace)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AccountCentreToPdf(benchmark::State& state) {
  PrintAccountCentre(state, {.pdf = "/tmp/vireo-cost-centre-bench.pdf"});
}
BENCHMARK(BM_AccountCentreToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The ledger by cost centre of one company and one month, arrangement 1
// with every balance line and totals per account, to PDF.
void BM_CostCentreLedgerToPdf(benchmark::State& state) {
  Database();
  const double lines = Count(
      "select count(*) from FPRCAIXACUSTO CC join FPRCAIXA CX on CX.CODIGOESCRIT = "
      "CC.CODIGOESCRIT and CX.CODIGOCAIXA = CC.CODIGOCAIXA where CC.CODIGOESCRIT = 1 and "
      "CX.DATACAIXA between '2025-01-01' and '2025-01-31'");
  const TnPluginInfo info = TnPluginCatalog({VIREO_PLUGIN_DIR}).Resolve("rptCostCentreLedger");
  std::shared_ptr<const TnLoadedPlugin> plugin = TnLoadedPlugin::Open(info.path);
  int pages = 0;
  for (auto _ : state) {
    TnPrintSession session(plugin, info.Layout());
    session.SetParameters({{"pDataInicial", "01/01/2025"},
                           {"pDataFinal", "31/01/2025"},
                           {"pCodigoEscrit", "1"},
                           {"pTipoMesclarPlano", "1"},
                           {"pListarSaldo", "3"},
                           {"pTotalDebCred", "1"}});
    pages = session.Print({.pdf = "/tmp/vireo-cost-centre-ledger-bench.pdf"}).pages;
  }
  state.counters["entry_lines"] = lines;
  state.counters["pages"] = pages;
  state.counters["lines_per_s"] =
      benchmark::Counter(lines * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_CostCentreLedgerToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace vireo

BENCHMARK_MAIN();
