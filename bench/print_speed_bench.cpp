// How far the ledger's print is from the speed of its data, on a large demo
// book: the raw fetch of the ledger's rows (the same per-account queries,
// the same order, through Firebird's object API into nothing) beside the
// print of the same period with no output, to text, to the trace and to PDF,
// and to PNG for the first month.  Each print reports entry lines per
// second, its ratio to the raw fetch and the process's peak memory so far.
//
//   VIREO_BENCH_DB=/tmp/big.fdb   an existing demo database (else one is made)
//   VIREO_BENCH_SCALE=400         scale of the demo made when no database is given
#include <benchmark/benchmark.h>
#include <firebird/Interface.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "db/demo.h"
#include "db/schema.h"
#include "host/core/datetime.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/plugin_host.h"
#include "reports/ledgers/rptLedgerSQL.h"

namespace vireo {
namespace {

const char kInicio[] = "01/01/2025";
const char kFim[] = "30/06/2026";
const char kFimPrimeiroMes[] = "31/01/2025";

std::string Env(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

std::string BenchDatabase() {
  std::string db = Env("VIREO_BENCH_DB", "");
  if (!db.empty()) return db;
  db = "/tmp/vireo-print-speed-bench.fdb";
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

// The host's connection, open for the whole run: it also points the engine
// at the project's configuration before the raw attachment below.
struct Book {
  std::unique_ptr<TnConnection> con = TnConnection::Open({BenchDatabase()});
  std::vector<std::pair<int64_t, int64_t>> accounts;  // company, account, as the ledger walks
  double entries = 0;
  double raw_seconds = 0;

  Book() {
    SetCurrentConnection(con.get());
    std::unique_ptr<TnClientDataSet> rows(
        con->Query("select CODIGOESCRIT, CODIGOCONTA, count(*) from FPRCAIXA where DATACAIXA "
                   "between '2025-01-01' and '2026-06-30' group by 1, 2 order by 1, 2"));
    for (rows->First(); !rows->Eof(); rows->Next()) {
      accounts.emplace_back(rows->Fields(0)->AsInteger(), rows->Fields(1)->AsInteger());
      entries += rows->Fields(2)->AsInteger();
    }
  }
};

Book& TheBook() {
  static Book book;
  return book;
}

// Every row of `sql` fetched into one reused buffer; the row count.
int64_t FetchIntoNothing(Firebird::IAttachment* att, Firebird::ITransaction* tra,
                         Firebird::ThrowStatusWrapper& st, const std::string& sql) {
  Firebird::IStatement* stmt =
      att->prepare(&st, tra, 0, sql.c_str(), 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
  Firebird::IMessageMetadata* meta = stmt->getOutputMetadata(&st);
  std::vector<unsigned char> row(meta->getMessageLength(&st));
  Firebird::IResultSet* cursor = stmt->openCursor(&st, tra, nullptr, nullptr, meta, 0);
  int64_t n = 0;
  while (cursor->fetchNext(&st, row.data()) == Firebird::IStatus::RESULT_OK) ++n;
  cursor->close(&st);
  meta->release();
  stmt->free(&st);
  return n;
}

void BM_RawFetch(benchmark::State& state) {
  Book& book = TheBook();
  Firebird::IMaster* master = Firebird::fb_get_master_interface();
  Firebird::ThrowStatusWrapper st(master->getStatus());
  Firebird::IProvider* provider = master->getDispatcher();
  Firebird::IXpbBuilder* dpb =
      master->getUtilInterface()->getXpbBuilder(&st, Firebird::IXpbBuilder::DPB, nullptr, 0);
  dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
  Firebird::IAttachment* att = provider->attachDatabase(
      &st, BenchDatabase().c_str(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
  int64_t rows = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    Firebird::ITransaction* tra = att->startTransaction(&st, 0, nullptr);
    TnFiltroCaixas filtro;
    filtro.DataInicial = EncodeDate(2025, 1, 1);  // kInicio
    filtro.DataFinal = EncodeDate(2026, 6, 30);   // kFim
    rows = 0;
    for (const auto& [company, account] : book.accounts) {
      filtro.CodigoEscrit = company;
      filtro.CodigoConta = account;
      rows += FetchIntoNothing(att, tra, st, SelectCaixas(filtro));
    }
    tra->commit(&st);
    book.raw_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  att->detach(&st);
  dpb->dispose();
  provider->release();
  st.dispose();
  state.counters["entries"] = static_cast<double>(rows);
  state.counters["lines_per_s"] = benchmark::Counter(static_cast<double>(rows) * state.iterations(),
                                                     benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_RawFetch)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

enum Output { kNone, kText, kTrace, kPdf, kPngFirstMonth };

TnPrintOutputs OutputsOf(int output) {
  const std::string base = "/tmp/vireo-print-speed-bench";
  switch (output) {
    case kText:
      return {.text = base + ".txt"};
    case kTrace:
      return {.trace = base + ".trace"};
    case kPdf:
      return {.pdf = base + ".pdf"};
    case kPngFirstMonth:
      return {.png = base + ".png"};
    default:
      return {};
  }
}

// The ledger of the whole period (the first month for PNG, whose pages are
// counted on their own), printed as `vireo print` prints it.
void BM_LedgerPrint(benchmark::State& state) {
  Book& book = TheBook();
  const int output = static_cast<int>(state.range(0));
  const TnPluginInfo info = TnPluginCatalog({VIREO_PLUGIN_DIR}).Resolve("rptLedger");
  std::shared_ptr<const TnLoadedPlugin> plugin = TnLoadedPlugin::Open(info.path);
  int pages = 0;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    TnPrintSession session(plugin, info.Layout());
    session.SetParameters({{"pDataInicial", kInicio},
                           {"pDataFinal", output == kPngFirstMonth ? kFimPrimeiroMes : kFim}});
    pages = session.Print(OutputsOf(output)).pages;
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["pages"] = pages;
  state.counters["peak_MB"] = PeakMegabytes();
  if (output == kPngFirstMonth) {
    state.counters["ms_per_page"] = pages > 0 ? 1000 * seconds / pages : 0;
    return;
  }
  state.counters["entries"] = book.entries;
  state.counters["lines_per_s"] = seconds > 0 ? book.entries / seconds : 0;
  if (book.raw_seconds > 0) state.counters["x_raw_fetch"] = seconds / book.raw_seconds;
}
BENCHMARK(BM_LedgerPrint)
    ->ArgName("saida")
    ->Arg(kNone)
    ->Arg(kText)
    ->Arg(kTrace)
    ->Arg(kPdf)
    ->Arg(kPngFirstMonth)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
}  // namespace vireo

BENCHMARK_MAIN();
