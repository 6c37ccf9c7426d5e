// The ledger of a large demo book, printed through the plug-in runner as
// `vireo print` prints it, to PDF and to the trace: entry lines per second
// and peak memory.
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
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/plugin_host.h"

namespace vireo {
namespace {

std::string Env(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

std::string BenchDatabase() {
  std::string db = Env("VIREO_BENCH_DB", "");
  if (!db.empty()) return db;
  db = "/tmp/vireo-ledger-bench.fdb";
  if (!std::filesystem::exists(db)) {
    auto con = CreateDatabase(db, true);
    DemoOptions options;
    options.scale = std::stoi(Env("VIREO_BENCH_SCALE", "400"));
    GenerateDemo(*con, options);
  }
  return db;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

void BM_LedgerToPdfAndTrace(benchmark::State& state) {
  auto con = TnConnection::Open({BenchDatabase()});
  SetCurrentConnection(con.get());
  std::unique_ptr<TnClientDataSet> count(con->Query(
      "select count(*) as N from FPRCAIXA where DATACAIXA between '2025-01-01' and '2026-12-31'"));
  double entries = static_cast<double>(count->FieldByName("N")->AsInteger());

  std::shared_ptr<const TnLoadedPlugin> plugin;
  TnPluginInfo info;
  try {
    info = TnPluginCatalog({VIREO_PLUGIN_DIR}).Resolve("rptLedger");
    plugin = TnLoadedPlugin::Open(info.path);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  int pages = 0;
  for (auto _ : state) {
    TnPrintSession session(plugin, info.Layout());
    session.SetParameters({{"pDataInicial", "01/01/2025"}, {"pDataFinal", "31/12/2026"}});
    pages =
        session
            .Print({.pdf = "/tmp/vireo-ledger-bench.pdf", .trace = "/tmp/vireo-ledger-bench.trace"})
            .pages;
  }
  state.counters["entries"] = entries;
  state.counters["pages"] = pages;
  state.counters["entries_per_s"] =
      benchmark::Counter(entries * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = PeakMegabytes();
  SetCurrentConnection(nullptr);
}
BENCHMARK(BM_LedgerToPdfAndTrace)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace vireo

BENCHMARK_MAIN();
