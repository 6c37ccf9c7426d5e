// The shaping cache and the chart axis arithmetic.
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "host/report/render/render_cairo_chart.h"
#include "raster_page.h"

namespace vireo::testing {
namespace {

class ShaperTest : public ::testing::Test {
 protected:
  ShaperTest() {
    context_.reset(pango_font_map_create_context(pango_cairo_font_map_get_default()));
    pango_cairo_context_set_resolution(context_.get(), 96);
  }
  PangoContextPtr context_;
  TnFont font_;
};

TEST_F(ShaperTest, ReusesLayoutsForTheSameTextFontAndBox) {
  TextShaper shaper(context_.get());
  PangoLayout* first = shaper.Shape("Página", font_, 100, 20, TnAlign::Left, false).layout;
  EXPECT_EQ(shaper.Shape("Página", font_, 100, 20, TnAlign::Left, false).layout, first);
  TnFont red = font_;
  red.color = 0xFF0000;  // colour is applied when drawing
  EXPECT_EQ(shaper.Shape("Página", red, 100, 25, TnAlign::Left, false).layout, first);
  EXPECT_EQ(shaper.hits(), 2u);

  TnFont bold = font_;
  bold.bold = true;
  shaper.Shape("Página", bold, 100, 20, TnAlign::Left, false);
  shaper.Shape("Página", font_, 101, 20, TnAlign::Left, false);
  shaper.Shape("Página", font_, 100, 20, TnAlign::Right, false);
  shaper.Shape("Página", font_, 100, 20, TnAlign::Left, true);
  shaper.Shape("Pagina", font_, 100, 20, TnAlign::Left, false);
  EXPECT_EQ(shaper.misses(), 6u);
  EXPECT_EQ(shaper.size(), 6u);
}

TEST_F(ShaperTest, DropsTheLeastRecentlyUsedWhenFull) {
  TextShaper shaper(context_.get(), 2);
  shaper.Shape("a", font_, 100, 20, TnAlign::Left, false);
  shaper.Shape("b", font_, 100, 20, TnAlign::Left, false);
  shaper.Shape("a", font_, 100, 20, TnAlign::Left, false);  // "b" is now the oldest
  shaper.Shape("c", font_, 100, 20, TnAlign::Left, false);
  EXPECT_EQ(shaper.size(), 2u);
  uint64_t misses = shaper.misses();
  shaper.Shape("a", font_, 100, 20, TnAlign::Left, false);
  EXPECT_EQ(shaper.misses(), misses);
  shaper.Shape("b", font_, 100, 20, TnAlign::Left, false);
  EXPECT_EQ(shaper.misses(), misses + 1);
}

TEST_F(ShaperTest, RepairsInvalidUtf8) {
  TextShaper shaper(context_.get());
  const ShapedText& shaped = shaper.Shape("Sal\xE3o", font_, 100, 20, TnAlign::Left, false);
  EXPECT_GT(shaped.width, 0);
  EXPECT_EQ(shaped.line_count, 1);
}

// A ledger's pages: headings and footers on every page, dates and account
// names that repeat, amounts and balances that mostly do not.
TEST_F(ShaperTest, HitsMostOfAReportLikeWorkload) {
  TextShaper shaper(context_.get());
  const char* headings[] = {"Data",    "Documento", "Histórico",       "Débito",
                            "Crédito", "Saldo",     "Razão Analítico", "Empresa Demonstração Ltda"};
  const char* histories[] = {"Pagamento de fornecedor", "Recebimento de cliente",
                             "Tarifa bancária",         "Transferência entre contas",
                             "Folha de pagamento",      "Depósito em conta"};
  TnFont bold = font_;
  bold.bold = true;
  const int pages = 40, rows = 45;
  char text[64];
  for (int page = 1; page <= pages; ++page) {
    for (const char* heading : headings) shaper.Shape(heading, bold, 90, 16, TnAlign::Left, false);
    for (int row = 0; row < rows; ++row) {
      int n = page * rows + row;
      std::snprintf(text, sizeof text, "%02d/03/2024", 1 + n / 60);
      shaper.Shape(text, font_, 70, 16, TnAlign::Left, false);
      std::snprintf(text, sizeof text, "%d", 100000 + n);
      shaper.Shape(text, font_, 60, 16, TnAlign::Left, false);
      shaper.Shape(histories[n % 6], font_, 250, 16, TnAlign::Left, false);
      std::snprintf(text, sizeof text, "%d,%02d", (n * 37) % 500, (n * 13) % 100);
      shaper.Shape(text, font_, 80, 16, TnAlign::Right, false);
      shaper.Shape("0,00", font_, 80, 16, TnAlign::Right, false);
      std::snprintf(text, sizeof text, "%d,%02d", 10000 + n * 7, n % 100);
      shaper.Shape(text, font_, 80, 16, TnAlign::Right, false);
    }
    std::snprintf(text, sizeof text, "Página %d de %d", page, pages);
    shaper.Shape(text, font_, 120, 16, TnAlign::Right, false);
  }
  double ratio = static_cast<double>(shaper.hits()) / (shaper.hits() + shaper.misses());
  RecordProperty("shaping_hit_ratio", std::to_string(ratio));
  std::printf("shaping cache: %llu hits, %llu misses, hit ratio %.3f\n",
              static_cast<unsigned long long>(shaper.hits()),
              static_cast<unsigned long long>(shaper.misses()), ratio);
  EXPECT_GT(ratio, 0.4);
  EXPECT_LE(shaper.size(), TextShaper::kDefaultCapacity);
}

TEST(ChartScaleTest, PicksRoundTicksCoveringTheValues) {
  struct Case {
    double min, max;
    int max_ticks;
  } cases[] = {{0, 97, 6}, {-13, 47, 5}, {0.02, 0.37, 8}, {1250, 98000, 5}, {-5, -1, 4}};
  for (const Case& c : cases) {
    ChartScale scale = NiceChartScale(c.min, c.max, c.max_ticks);
    double ticks = (scale.high - scale.low) / scale.step + 1;
    EXPECT_LE(scale.low, c.min);
    EXPECT_GE(scale.high, c.max);
    EXPECT_LE(ticks, c.max_ticks + 1e-9) << c.min << ".." << c.max;
    double mantissa = scale.step / std::pow(10, std::floor(std::log10(scale.step)));
    EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                std::fabs(mantissa - 5) < 1e-9)
        << scale.step;
  }
  ChartScale flat = NiceChartScale(5, 5, 5);
  EXPECT_LT(flat.low, 5);
  EXPECT_GT(flat.high, 5);
  ChartScale exact = NiceChartScale(0, 100, 6);
  EXPECT_EQ(exact.low, 0);
  EXPECT_EQ(exact.high, 100);
  EXPECT_EQ(exact.step, 20);
}

TEST(ChartScaleTest, ThinsCategoryLabelsThatWouldOverlap) {
  EXPECT_EQ(ChartLabelStep(12, 20, 600), 1);  // 50 px slots hold 28 px labels
  int step = ChartLabelStep(31, 40, 300);
  EXPECT_GE(step * 300.0 / 31, 40);        // written labels have room
  EXPECT_LT((step - 1) * 300.0 / 31, 48);  // and no more thinning than needed
  EXPECT_EQ(ChartLabelStep(1, 500, 100), 1);
}

// A balance beside its zero line: the zero line's points carry no labels
// and must not add a slot of their own at the right; a date repeated later
// is a slot of its own.
TEST(ChartScaleTest, PointsTakeTheSlotOfTheirIndex) {
  TnChartData chart;
  chart.series = {{{"Saldo Anterior", 10}, {"01/03", 12}, {"02/03", 9}, {"01/03", 11}},
                  {{"", 0}, {"", 0}, {"", 0}, {"", 0}},
                  {{"", 5}, {"x", 6}, {"y", 7}, {"z", 8}, {"03/03", 4}}};
  EXPECT_EQ(ChartCategoryLabels(chart),
            (std::vector<std::string>{"Saldo Anterior", "01/03", "02/03", "01/03", "03/03"}));
}

}  // namespace
}  // namespace vireo::testing
