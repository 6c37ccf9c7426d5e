// The accounts receivable of a large book with late-payment interest and
// fine, printed through the plug-in runner as `vireo print` prints it, to PDF
// and to the trace: title lines per second, peak memory, and how often the
// calculator read the companies' collection settings (once per company).
//
//   VIREO_BENCH_DB=/tmp/titles.fdb   an existing database (else one is made)
//   VIREO_BENCH_TITLES=200000        open titles of the database made
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "db/schema.h"
#include "host/core/datetime.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/data/statement_hook.h"
#include "host/report/plugin_host.h"

namespace vireo {
namespace {

constexpr int kEmpresas = 3;
constexpr int kClientes = 2000;

std::string Env(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

Variant Dia(TDateTime data) { return Variant::FromDateTime(data); }

// Companies with their collection settings, customers with a telephone,
// and open titles due over 2025 and 2026, one in three by boleto.
void Preencher(TnConnection& con, int titulos) {
  auto write = con.StartWrite();
  for (int e = 1; e <= kEmpresas; ++e) {
    write->Execute("insert into ESCRITORIO (CODIGOESCRIT) values (?)", {e});
    write->Execute(
        "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (?, ?, ?)",
        {e, "Empresa " + std::to_string(e), "00.000.000/0001-0" + std::to_string(e)});
    write->Execute(
        "insert into EMPRESACFGBOLETO (CODIGOESCRIT, CODIGOEMPRESACFGBOLETO, PERCJUROMES, "
        "PERCMULTA, DIASCARENCIA) values (?, 1, 2, 2, 3)",
        {e});
    write->Execute(
        "insert into BOLETO (CODIGOESCRIT, CODIGOBOLETO, CODIGOEMPRESACFGBOLETO) values (?, 1, 1)",
        {e});
  }
  auto pessoa =
      write->Prepare("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (?, ?)");
  auto contato = write->Prepare(
      "insert into PESSOACONTATO (CODIGOPESSOAFIN, TIPOCONTATO, VALOR) values (?, 2, ?)");
  for (int c = 1; c <= kClientes; ++c) {
    pessoa->Execute({1000 + c, "Cliente " + std::to_string(c)});
    if (c % 3 != 0) contato->Execute({1000 + c, "(41) 3000-" + std::to_string(1000 + c)});
  }
  auto titulo = write->Prepare(
      "insert into FPRCONTARECEBER (CODIGOESCRIT, CODIGORECEBERCAB, CODIGORECEBER, "
      "CODIGOPESSOAFIN, DOCUMENTOREC, DATALANCAMENTOREC, DATAVENCIMENTOREC, VALORREC, SALDOREC, "
      "SITUACAOREC, HISTORICOREC, CODIGOBOLETO) values (?, ?, 1, ?, ?, ?, ?, ?, ?, 1, ?, ?)");
  const TDateTime inicio = EncodeDate(2025, 1, 1);
  for (int t = 1; t <= titulos; ++t) {
    const double valor = 50 + (t * 7919 % 100000) / 10.0;
    const TDateTime vencimento = inicio + t % 720;
    titulo->Execute({1 + t % kEmpresas, t, 1001 + t % kClientes, "NF " + std::to_string(t),
                     Dia(vencimento - 20), Dia(vencimento), valor, valor,
                     t % 5 ? Variant() : Variant("Parcela " + std::to_string(t)),
                     t % 3 ? Variant() : Variant(1)});
  }
  write->Commit();
}

std::string BenchDatabase() {
  std::string db = Env("VIREO_BENCH_DB", "");
  if (!db.empty()) return db;
  db = "/tmp/vireo-receivables-bench.fdb";
  if (!std::filesystem::exists(db)) {
    auto con = CreateDatabase(db, true);
    Preencher(*con, std::stoi(Env("VIREO_BENCH_TITLES", "200000")));
  }
  return db;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

void BM_ReceivablesWithInterest(benchmark::State& state) {
  auto con = TnConnection::Open({BenchDatabase()});
  SetCurrentConnection(con.get());
  std::unique_ptr<TnClientDataSet> count(
      con->Query("select count(*) as N from FPRCONTARECEBER where SITUACAOREC in (1, 2)"));
  const double titulos = static_cast<double>(count->FieldByName("N")->AsInteger());

  TnPluginInfo info = TnPluginCatalog({VIREO_PLUGIN_DIR}).Resolve("rptReceivables");
  std::shared_ptr<const TnLoadedPlugin> plugin = TnLoadedPlugin::Open(info.path);
  int leituras = 0;
  TnStatementHook anterior = SetStatementHook([&](const TnStatementEvent& e) {
    if (e.kind == TnStatementEvent::kPrepare &&
        e.sql.find("EMPRESACFGBOLETO") != std::string::npos &&
        e.sql.find("PERCJUROMES") != std::string::npos) {
      ++leituras;
    }
  });
  int pages = 0;
  for (auto _ : state) {
    leituras = 0;
    TnPrintSession session(plugin, info.Layout());
    session.SetParameters({{"pDataInicial", "01/01/2025"},
                           {"pDataFinal", "31/12/2026"},
                           {"pModelo", "1"},
                           {"pCalcularJuros", "Sim"},
                           {"pTipoCalculo", "0"},
                           {"pDataBase", "31/12/2026"}});
    pages = session
                .Print({.pdf = "/tmp/vireo-receivables-bench.pdf",
                        .trace = "/tmp/vireo-receivables-bench.trace"})
                .pages;
  }
  SetStatementHook(anterior);
  state.counters["titles"] = titulos;
  state.counters["pages"] = pages;
  state.counters["lines_per_s"] =
      benchmark::Counter(titulos * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = PeakMegabytes();
  state.counters["settings_reads"] = leituras;
  state.counters["companies"] = kEmpresas;
  SetCurrentConnection(nullptr);
}
BENCHMARK(BM_ReceivablesWithInterest)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace vireo

BENCHMARK_MAIN();
