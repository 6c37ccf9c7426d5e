// The realised cash flow of a large demo book (a million cash entries and
// more): the cash-flow entity's load beside a raw fetch of its grouped
// query, and the print of rptCashFlowActual through the plug-in runner to
// PDF and trace, consolidated and for one company, with and without the
// day detail.  Peak memory is the process's so far.
//
//   VIREO_BENCH_DB=/tmp/big.fdb   an existing demo database (else one is made)
//   VIREO_BENCH_SCALE=400         scale of the demo made when no database is given
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "db/demo.h"
#include "db/schema.h"
#include "host/biz/fluxo_caixa.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/plugin_host.h"

namespace vireo {
namespace {

const char kInicio[] = "01/01/2025";
const char kFim[] = "30/06/2026";

std::string Env(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

std::string BenchDatabase() {
  std::string db = Env("VIREO_BENCH_DB", "");
  if (!db.empty()) return db;
  db = "/tmp/vireo-cashflow-bench.fdb";
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

// The connection of the whole run, opened once.
class BenchConnection {
 public:
  BenchConnection() : con_(TnConnection::Open({BenchDatabase()})) {
    SetCurrentConnection(con_.get());
    std::unique_ptr<TnClientDataSet> count(con_->Query("select count(*) as N from FPRCAIXA"));
    entries_ = static_cast<double>(count->FieldByName("N")->AsInteger());
  }
  double Entries() const { return entries_; }

 private:
  std::unique_ptr<TnConnection> con_;
  double entries_ = 0;
};

BenchConnection& Connection() {
  static BenchConnection connection;
  return connection;
}

// Args: company (0 all together), detail (0 or 1).
TnFiltroFluxoCaixa Filtro(const benchmark::State& state) {
  TnFiltroFluxoCaixa filtro;
  filtro.CodigoEscrit = state.range(0);
  filtro.DataInicial = EncodeDate(2025, 1, 1);
  filtro.DataFinal = EncodeDate(2026, 6, 30);
  filtro.Modo = mfcRealizado;
  return filtro;
}

void Counters(benchmark::State& state, double rows) {
  state.counters["entries"] = Connection().Entries();
  state.counters["rows"] = rows;
  state.counters["peak_MB"] = PeakMegabytes();
}

void BM_EntityLoad(benchmark::State& state) {
  Connection();
  const TnFiltroFluxoCaixa filtro = Filtro(state);
  double rows = 0;
  for (auto _ : state) {
    TnItensFluxoCaixa itens;
    itens.CodigoEscrit = filtro.CodigoEscrit;
    itens.DataInicial = filtro.DataInicial;
    itens.DataFinal = filtro.DataFinal;
    itens.Detalhar = state.range(1) != 0;
    itens.Modo = filtro.Modo;
    itens.CarregarItens();
    itens.CarregarSaldoAnterior();
    rows = itens.CdsTotaisDia()->RecordCount() + itens.CdsDetalheDia()->RecordCount();
  }
  Counters(state, rows);
}

// The grouped queries alone, fetched into datasets and freed.
void BM_RawGroupedQuery(benchmark::State& state) {
  Connection();
  const TnFiltroFluxoCaixa filtro = Filtro(state);
  TnSQLParams params;
  params.Add("pDataInicial", Variant::FromDateTime(filtro.DataInicial));
  params.Add("pDataFinal", Variant::FromDateTime(filtro.DataFinal));
  TnSQLParams saldo;
  saldo.Add("pDataInicial", Variant::FromDateTime(filtro.DataInicial));
  std::vector<std::string> consultas = {SelectTotaisDia(filtro)};
  if (state.range(1) != 0) consultas.push_back(SelectDetalheDia(filtro));
  double rows = 0;
  for (auto _ : state) {
    rows = 0;
    for (const std::string& sql : consultas) {
      TnClientDataSet* cds = ExecutarSQL(sql, params);
      rows += cds->RecordCount();
      DestruirSQL(cds);
    }
    TnClientDataSet* cds = ExecutarSQL(SelectSaldoAnterior(filtro), saldo);
    DestruirSQL(cds);
  }
  Counters(state, rows);
}

void BM_PrintActual(benchmark::State& state) {
  Connection();
  std::shared_ptr<const TnLoadedPlugin> plugin;
  TnPluginInfo info;
  try {
    info = TnPluginCatalog({VIREO_PLUGIN_DIR}).Resolve("rptCashFlowActual");
    plugin = TnLoadedPlugin::Open(info.path);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  const std::string empresa = state.range(0) == 0 ? "" : std::to_string(state.range(0));
  int pages = 0;
  for (auto _ : state) {
    TnPrintSession session(plugin, info.Layout(), TnRunVia::kConfiguredInstance);
    session.SetParameters({{"pDataInicial", kInicio},
                           {"pDataFinal", kFim},
                           {"pCodigoEscrit", empresa},
                           {"pRelacionarCliFor", state.range(1) != 0 ? "Sim" : "Não"},
                           {"pTipoRelatorio", "2"}});
    pages = session
                .Print({.pdf = "/tmp/vireo-cashflow-bench.pdf",
                        .trace = "/tmp/vireo-cashflow-bench.trace"})
                .pages;
  }
  Counters(state, 0);
  state.counters["pages"] = pages;
}

void Cases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"empresa", "detalhe"});
  for (int empresa : {0, 1}) {
    for (int detalhe : {0, 1}) b->Args({empresa, detalhe});
  }
  b->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
}

BENCHMARK(BM_RawGroupedQuery)->Apply(Cases);
BENCHMARK(BM_EntityLoad)->Apply(Cases);
BENCHMARK(BM_PrintActual)->Apply(Cases);

}  // namespace
}  // namespace vireo

BENCHMARK_MAIN();
