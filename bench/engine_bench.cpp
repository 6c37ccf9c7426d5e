// Printing long reports through the engine: lines per second and the peak
// memory of the process.
//
// Each run prints N lines of an eight-column body section under a page
// header and footer, as the ledgers and trial balances do, into the page
// spool alone, or into the spool plus the plain-text output and the trace.
// Peak memory (ru_maxrss) must stay flat as N grows: pages are spooled to
// disk, not kept.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/report/engine.h"
#include "host/report/layout.h"

namespace {

using namespace vireo;

const char* kLayout = R"({
  "title": "Razão",
  "page": {"size": "A4"},
  "parameters": [
    {"name": "pDataInicial", "kind": "date", "default": "01/01/2024"},
    {"name": "pDataFinal", "kind": "date", "default": "31/12/2024"},
    {"name": "pCodigoEscrit", "kind": "selection", "default": "1..9"},
    {"name": "pConta", "kind": "selection"},
    {"name": "pOrdenar", "kind": "integer", "default": "0"}
  ],
  "sections": [
    {"number": 1, "height": 60, "objects": [
      {"name": "pNomeEmpresa", "left": 0, "top": 0, "width": 400, "height": 20,
       "font": {"size": 12, "style": ["bold"]}},
      {"name": "lblData", "text": "{data}", "left": 600, "top": 0, "width": 118, "height": 20}
    ]},
    {"number": 3, "height": 20, "objects": [
      {"name": "lblPagina", "text": "Página {pagina} de {paginas}", "left": 560, "top": 0,
       "width": 158, "height": 16, "align": "right"}
    ]},
    {"number": 10, "height": 15, "objects": [
      {"name": "R1", "left": 0, "top": 0, "width": 70, "height": 14},
      {"name": "R2", "left": 70, "top": 0, "width": 280, "height": 14},
      {"name": "R3", "left": 350, "top": 0, "width": 50, "height": 14},
      {"name": "R4", "left": 400, "top": 0, "width": 60, "height": 14},
      {"name": "R5", "left": 460, "top": 0, "width": 60, "height": 14, "align": "right"},
      {"name": "R6", "left": 520, "top": 0, "width": 60, "height": 14, "align": "right"},
      {"name": "R7", "left": 580, "top": 0, "width": 60, "height": 14, "align": "right"},
      {"name": "R8", "left": 640, "top": 0, "width": 78, "height": 14, "align": "right"}
    ]}
  ]
})";

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

std::string ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vireo-bench-XXXXXX").string();
  return ::mkdtemp(pattern.data());
}

void PrintLines(TnrwReport& engine, long lines) {
  engine.SetValues("pNomeEmpresa", "0001 Empresa de Demonstração Ltda");
  TnpqParamItem* r[8];
  for (int c = 0; c < 8; ++c) r[c] = engine.Param("R" + std::to_string(c + 1));
  for (long i = 0; i < lines; ++i) {
    r[0]->SetValue("01/02/2024");
    r[1]->SetValue("Pagamento de fornecedor conforme nota " + std::to_string(i));
    r[2]->SetValue(std::to_string(i % 1000));
    r[3]->SetValue("1.1.02");
    r[4]->SetValue(i % 2 ? "1.234,56" : "");
    r[5]->SetValue(i % 2 ? "" : "987,65");
    r[6]->SetValue(std::to_string(i) + ",00D");
    r[7]->SetValue("C");
    engine.RepPrintSection(10);
  }
}

// Arg 0: lines; arg 1: outputs besides the spool, 1 text, 2 trace, 3 both.
void BM_Print(benchmark::State& state) {
  const long lines = state.range(0);
  const bool text = (state.range(1) & 1) != 0;
  const bool trace = (state.range(1) & 2) != 0;
  const TnLayout layout = ParseLayout(kLayout, "bench.json");
  const std::string dir = ScratchDir();
  int pages = 0;
  uintmax_t bytes = 0;
  for (auto _ : state) {
    TnrwReport engine(layout);
    TnPrintOutputs outputs;
    if (text) outputs.text = dir + "/out.txt";
    if (trace) outputs.trace = dir + "/out.trace";
    engine.BeginPrint(outputs);
    PrintLines(engine, lines);
    engine.EndPrint();
    pages = engine.PageCount();
    bytes = 0;
    if (text) bytes += std::filesystem::file_size(outputs.text);
    if (trace) bytes += std::filesystem::file_size(outputs.trace);
  }
  std::filesystem::remove_all(dir);
  state.SetItemsProcessed(state.iterations() * lines);
  state.counters["pages"] = pages;
  state.counters["out_MB"] = bytes / 1e6;
  state.counters["peak_rss_MB"] = PeakRssKb() / 1024.0;
}

BENCHMARK(BM_Print)
    ->ArgsProduct({{100'000, 1'000'000}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
