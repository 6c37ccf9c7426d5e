// The ledger of a large demo book, printed through the plug-in to PDF and to
// the trace: entry lines per second and peak memory.
//
//   VIREO_BENCH_DB=/tmp/big.fdb   an existing demo database (else one is made)
//   VIREO_BENCH_SCALE=400         scale of the demo made when no database is given
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "db/demo.h"
#include "db/schema.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"

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

  std::string dir = VIREO_PLUGIN_DIR;
  void* lib = dlopen((dir + "/librptLedger.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!lib) {
    state.SkipWithError(dlerror());
    return;
  }
  auto class_dll = reinterpret_cast<TnrwBaseDllClass* (*)()>(dlsym(lib, "ClassDll"));
  int pages = 0;
  for (auto _ : state) {
    TnrwReport engine(LoadLayout(dir + "/rptLedger.json"));
    engine.GetParams()->FindParam("pDataInicial")->SetValue("01/01/2025");
    engine.GetParams()->FindParam("pDataFinal")->SetValue("31/12/2026");
    auto report = class_dll()->Instanciar(&engine);
    engine.BeginPrint({"/tmp/vireo-ledger-bench.pdf", "", "", "/tmp/vireo-ledger-bench.trace"});
    report->ImprimirInterno();
    report.reset();
    engine.EndPrint();
    pages = engine.PageCount();
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
