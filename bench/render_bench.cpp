// Speed of the PDF and PNG renderers on ledger-like pages, and how often the
// text shaping cache spares pango the work.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "host/report/render/render_cairo.h"
#include "host/report/render/render_cairo_draw.h"

namespace vireo {
namespace {

// One ledger page: heading and column titles, 45 entries whose dates and
// histories repeat and whose amounts mostly do not, and the page footer.
// Works on a TnCanvas and on a CairoPainter alike.
template <typename Target>
void DrawLedgerPage(Target& target, int page, int pages) {
  TnFont plain, bold;
  bold.bold = true;
  static const char* kHistories[] = {"Pagamento de fornecedor", "Recebimento de cliente",
                                     "Tarifa bancária",         "Transferência entre contas",
                                     "Folha de pagamento",      "Depósito em conta"};
  target.Text({38, 38, 718, 24}, "Razão Analítico - Empresa Demonstração Ltda", bold, TnAlign::Left,
              false);
  const char* titles[] = {"Data", "Documento", "Histórico", "Débito", "Crédito", "Saldo"};
  const double lefts[] = {38, 108, 178, 456, 556, 656}, widths[] = {70, 70, 270, 100, 100, 100};
  for (int c = 0; c < 6; ++c) {
    target.Text({lefts[c], 70, widths[c], 16}, titles[c], bold,
                c >= 3 ? TnAlign::Right : TnAlign::Left, false);
  }
  target.Line(38, 88, 756, 88, 1, 0x000000);
  char text[64];
  for (int row = 0; row < 45; ++row) {
    int n = page * 45 + row;
    double top = 92 + row * 20;
    if (row % 2) target.FillRect({38, top, 718, 20}, 0xF0F3F7);
    std::snprintf(text, sizeof text, "%02d/03/2024", 1 + n / 60 % 28);
    target.Text({38, top, 70, 20}, text, plain, TnAlign::Left, false);
    std::snprintf(text, sizeof text, "%d", 100000 + n);
    target.Text({108, top, 70, 20}, text, plain, TnAlign::Left, false);
    target.Text({178, top, 270, 20}, kHistories[n % 6], plain, TnAlign::Left, false);
    std::snprintf(text, sizeof text, "%d,%02d", (n * 37) % 500, (n * 13) % 100);
    target.Text({456, top, 100, 20}, text, plain, TnAlign::Right, false);
    target.Text({556, top, 100, 20}, "0,00", plain, TnAlign::Right, false);
    std::snprintf(text, sizeof text, "%d.%03d,%02d", 10 + n / 100, (n * 7) % 1000, n % 100);
    target.Text({656, top, 100, 20}, text, plain, TnAlign::Right, false);
  }
  std::snprintf(text, sizeof text, "Página %d de %d", page, pages);
  target.Text({556, 1060, 200, 18}, text, plain, TnAlign::Right, false);
}

void RenderLedger(TnCanvas& canvas, int pages) {
  canvas.BeginDocument(TnPageSetup{}, pages);
  for (int page = 1; page <= pages; ++page) {
    canvas.BeginPage(page);
    DrawLedgerPage(canvas, page, pages);
    canvas.EndPage();
  }
  canvas.EndDocument();
}

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() /
          ("vireo-bench-" + std::to_string(getpid()) + "-" + name))
      .string();
}

void BM_LedgerPdf(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  const std::string path = TempPath("ledger.pdf");
  for (auto _ : state) RenderLedger(*MakePdfCanvas(path), pages);
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages) * state.iterations(),
                                                 benchmark::Counter::kIsRate);
  state.counters["bytes/page"] = static_cast<double>(std::filesystem::file_size(path)) / pages;
  std::filesystem::remove(path);
}
BENCHMARK(BM_LedgerPdf)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_LedgerPng(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  const std::string path = TempPath("ledger.png");
  for (auto _ : state) RenderLedger(*MakePngCanvas(path), pages);
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages) * state.iterations(),
                                                 benchmark::Counter::kIsRate);
  for (int page = 1; page <= pages; ++page) std::filesystem::remove(PngPagePath(path, page));
}
BENCHMARK(BM_LedgerPng)->Arg(20)->Unit(benchmark::kMillisecond);

// Shaping alone: the painter draws on a 1x1 surface, so nearly all the time
// is pango's (or the cache's).
void BM_ShapingCache(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1));
  CairoPtr cr(cairo_create(surface.get()));
  uint64_t hits = 0, misses = 0;
  for (auto _ : state) {
    CairoPainter painter(cr.get(), 1, true);
    for (int page = 1; page <= pages; ++page) DrawLedgerPage(painter, page, pages);
    hits += painter.shaper().hits();
    misses += painter.shaper().misses();
  }
  state.counters["hit_ratio"] = static_cast<double>(hits) / (hits + misses);
  state.counters["texts/s"] =
      benchmark::Counter(static_cast<double>(hits + misses), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ShapingCache)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vireo

BENCHMARK_MAIN();
