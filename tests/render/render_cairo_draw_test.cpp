// Pixel-level checks of the painter shared by the PDF and PNG renderers.
#include <gtest/gtest.h>

#include <cmath>

#include "raster_page.h"
#include "tests/support/jpeg_bytes.h"

namespace vireo::testing {
namespace {

constexpr double kScale = 1.5;

TnFont Font(double size = 9) {
  TnFont font;
  font.size = size;
  return font;
}

class PainterTest : public ::testing::Test {
 protected:
  RasterPage page_{900, 450, kScale};
};

TEST_F(PainterTest, AlignsSingleLinesInsideTheirBoxes) {
  const TnRect left{20, 20, 200, 20}, center{20, 60, 200, 20}, right{20, 100, 200, 20};
  page_.painter().Text(left, "Balancete", Font(), TnAlign::Left, false);
  page_.painter().Text(center, "Balancete", Font(), TnAlign::Center, false);
  page_.painter().Text(right, "1.234,56", Font(), TnAlign::Right, false);

  InkBounds l = page_.Ink(left), c = page_.Ink(center), r = page_.Ink(right);
  ASSERT_FALSE(l.empty() || c.empty() || r.empty());
  EXPECT_NEAR(l.left, 20 * kScale, 3);
  EXPECT_NEAR((c.left + c.right) / 2.0, 120 * kScale, 2);
  EXPECT_NEAR(r.right, 220 * kScale, 3);  // the last digit ends at the right edge
  EXPECT_LT(r.right, 220 * kScale);
}

TEST_F(PainterTest, CentresTheLineBoxVertically) {
  const TnRect box{20, 20, 200, 40};
  page_.painter().Text(box, "HHHH", Font(12), TnAlign::Left, false);
  InkBounds ink = page_.Ink(box);
  ASSERT_FALSE(ink.empty());
  // Capitals sit on the baseline; their middle is close to the line box's.
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 40 * kScale, 2.5);
}

TEST_F(PainterTest, StrikesThroughTheMiddleOfLowercaseLetters) {
  TnFont struck = Font(14);
  struck.strikeout = true;
  page_.painter().Text({20, 20, 200, 30}, "xxxx", Font(14), TnAlign::Left, false);
  page_.painter().Text({20, 60, 200, 30}, "xxxx", struck, TnAlign::Left, false);
  InkBounds plain = page_.Ink({20, 20, 200, 30});
  InkBounds line = FindInk(page_.surface(), 0, 0, 900, 450, [](uint32_t) { return false; });
  for (int y = plain.top - 5; y <= plain.bottom + 5; ++y) {
    int dy = static_cast<int>(40 * kScale);
    for (int x = plain.left; x <= plain.right; ++x) {
      if (PixelAt(page_.surface(), x, y) != PixelAt(page_.surface(), x, y + dy)) {
        line.top = std::min(line.top, y);
        line.bottom = std::max(line.bottom, y);
      }
    }
  }
  ASSERT_GE(line.bottom, 0) << "no strikethrough drawn";
  EXPECT_NEAR((line.top + line.bottom) / 2.0, (plain.top + plain.bottom) / 2.0, 2);
}

TEST_F(PainterTest, KeepsGlyphsInsideTheirBoxAndMarksCutTexts) {
  const TnRect box{20, 20, 60, 10};  // narrower and lower than the text
  page_.painter().Text(box, "Histórico de lançamentos do período", Font(), TnAlign::Left, false);
  InkBounds all = FindInk(page_.surface());
  ASSERT_FALSE(all.empty());
  EXPECT_GE(all.left, 20 * kScale);
  EXPECT_LE(all.right, 80 * kScale);
  EXPECT_GE(all.top, 20 * kScale);
  EXPECT_LE(all.bottom, 30 * kScale);

  const ShapedText& shaped = page_.painter().shaper().Shape("Histórico de lançamentos do período",
                                                            Font(), 60, 10, TnAlign::Left, false);
  EXPECT_TRUE(shaped.ellipsized);
  EXPECT_LE(shaped.width, 60.01);
}

TEST_F(PainterTest, ShrinksRightAlignedAmountsBeforeCuttingThem) {
  TextShaper& shaper = page_.painter().shaper();
  double natural = page_.painter().TextWidth("1.234.567,89", Font());
  const ShapedText& shrunk =
      shaper.Shape("1.234.567,89", Font(), natural * 0.9, 20, TnAlign::Right, false);
  EXPECT_FALSE(shrunk.ellipsized);  // every digit still there
  EXPECT_LT(shrunk.scale, 1);
  EXPECT_GE(shrunk.scale, 0.8);
  EXPECT_LE(shrunk.width, natural * 0.9 + 0.01);

  const ShapedText& cut =
      shaper.Shape("1.234.567,89", Font(), natural * 0.5, 20, TnAlign::Right, false);
  EXPECT_TRUE(cut.ellipsized);  // visibly cut, never silently
  const ShapedText& left =
      shaper.Shape("1.234.567,89", Font(), natural * 0.9, 20, TnAlign::Left, false);
  EXPECT_EQ(left.scale, 1);
  EXPECT_TRUE(left.ellipsized);
}

TEST_F(PainterTest, WrapsWithinTheWidthAndStopsAtTheBoxHeight) {
  const std::string text =
      "Conciliação das contas de adiantamento a fornecedores com "
      "saldo credor no fim do exercício de referência";
  const TnRect tall{20, 20, 150, 200}, short_box{300, 20, 150, 30};
  page_.painter().Text(tall, text, Font(), TnAlign::Left, true);
  page_.painter().Text(short_box, text, Font(), TnAlign::Left, true);

  const ShapedText& all =
      page_.painter().shaper().Shape(text, Font(), 150, 200, TnAlign::Left, true);
  EXPECT_GE(all.line_count, 3);
  EXPECT_FALSE(all.ellipsized);
  EXPECT_LE(all.width, 150.01);
  InkBounds ink = page_.Ink(tall);
  EXPECT_NEAR(ink.top, 20 * kScale, 6);  // several lines start at the top

  const ShapedText& cut =
      page_.painter().shaper().Shape(text, Font(), 150, 30, TnAlign::Left, true);
  EXPECT_TRUE(cut.ellipsized);
  EXPECT_LE(cut.height, 30.01);
  InkBounds outside =
      FindInk(page_.surface(), 0, static_cast<int>(50 * kScale) + 1, 900, 450, IsInked);
  EXPECT_LE(outside.right, 170 * kScale);  // only the tall box reaches below y = 50
}

TEST_F(PainterTest, DrawsThinRulesOnWholePixels) {
  RasterPage unit(200, 100, 1.0);
  unit.painter().Line(10, 50.3, 190, 50.3, 1, 0x000000);
  unit.painter().Line(100.7, 5, 100.7, 40, 1, 0x000000);
  EXPECT_EQ(PixelAt(unit.surface(), 60, 50), 0x000000u);
  EXPECT_EQ(PixelAt(unit.surface(), 60, 49), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(unit.surface(), 60, 51), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(unit.surface(), 100, 20), 0x000000u);
  EXPECT_EQ(PixelAt(unit.surface(), 101, 20), 0xFFFFFFu);

  page_.painter().Line(10, 100, 190, 100, 1, 0x000000);  // 1.5 px: two solid rows
  InkBounds rule = FindInk(page_.surface(), 60, 140, 61, 160, IsInked);
  EXPECT_EQ(rule.bottom - rule.top, 1);
  EXPECT_EQ(PixelAt(page_.surface(), 60, rule.top), 0x000000u);
  EXPECT_EQ(PixelAt(page_.surface(), 60, rule.bottom), 0x000000u);
}

TEST_F(PainterTest, FillsAndFramesInsideTheBox) {
  const TnRect box{10, 10, 40, 20};
  page_.painter().FrameRect(box, 1, 0x0000FF);
  InkBounds frame = page_.Ink({0, 0, 100, 100});
  EXPECT_EQ(frame.left, 15);
  EXPECT_EQ(frame.top, 15);
  EXPECT_EQ(frame.right, 74);
  EXPECT_EQ(frame.bottom, 44);
  EXPECT_EQ(PixelAt(page_.surface(), 30, 30), 0xFFFFFFu);  // hollow

  page_.painter().FillRect({100, 10, 40, 20}, 0xFF0000);
  EXPECT_EQ(PixelAt(page_.surface(), 150, 15), 0xFF0000u);
  EXPECT_EQ(PixelAt(page_.surface(), 150, 14), 0xFFFFFFu);
}

TEST_F(PainterTest, ScalesImagesIntoTheBoxKeepingProportions) {
  const TnRect box{100, 100, 100, 100};
  page_.painter().Image(box, SolidPng(20, 10, 0xFF0000));  // 2:1 into a square
  InkBounds ink = page_.Ink(box);
  EXPECT_NEAR(ink.left, 150, 1);
  EXPECT_NEAR(ink.right, 299, 1);
  EXPECT_NEAR(ink.top, 150 + 37.5, 1);
  EXPECT_NEAR(ink.bottom, 150 + 112.5, 1);
  EXPECT_EQ(PixelAt(page_.surface(), 225, 225), 0xFF0000u);
}

TEST_F(PainterTest, DecodesJpegLogosLikePngOnes) {
  const TnRect box{100, 100, 100, 100};
  page_.painter().Image(box, vireo::test::SolidJpeg(20, 10, 0xD02020));
  InkBounds ink = page_.Ink(box);
  EXPECT_NEAR(ink.left, 150, 1);
  EXPECT_NEAR(ink.top, 150 + 37.5, 1);
  const uint32_t middle = PixelAt(page_.surface(), 225, 225);
  EXPECT_NEAR(static_cast<int>(middle >> 16), 0xD0, 6);  // colours in order, give or take
  EXPECT_NEAR(static_cast<int>((middle >> 8) & 0xFF), 0x20, 6);
  EXPECT_NEAR(static_cast<int>(middle & 0xFF), 0x20, 6);
}

TEST_F(PainterTest, DrawsAPlaceholderForUnreadableImages) {
  std::string png = SolidPng(20, 10, 0x00FF00);
  const std::string jpeg = vireo::test::SolidJpeg(20, 10, 0x00FF00);
  const std::string samples[] = {"", "not a picture", png.substr(0, 40), "\xFF\xD8\xFF\xE0 jpeg",
                                 jpeg.substr(0, 30)};
  double left = 10;
  for (const std::string& bytes : samples) {
    const TnRect box{left, 10, 40, 40};
    page_.painter().Image(box, bytes);
    uint32_t middle = PixelAt(page_.surface(), static_cast<int>((left + 20) * kScale), 45);
    EXPECT_EQ(middle, 0xE6E6E6u) << "sample at " << left;
    left += 50;
  }
}

TEST_F(PainterTest, DrawsChartsAndNoteForEmptyOnes) {
  TnChartData chart;
  chart.series_names = {"Receitas", "Despesas"};
  chart.series = {{{"jan", 1000}, {"fev", 1500}, {"mar", 1200}},
                  {{"jan", 800}, {"fev", NAN}, {"mar", 900}}};
  const TnRect box{10, 10, 400, 200};
  page_.painter().Chart(box, chart);
  InkBounds ink = page_.Ink(box);
  ASSERT_FALSE(ink.empty());
  EXPECT_GE(ink.left, 10 * kScale);
  EXPECT_LE(ink.bottom, 210 * kScale);
  // Both series colours appear.
  EXPECT_FALSE(FindInk(page_.surface(), 0, 0, 900, 450, [](uint32_t rgb) {
                 return rgb == 0x1F77B4;
               }).empty());
  EXPECT_FALSE(FindInk(page_.surface(), 0, 0, 900, 450, [](uint32_t rgb) {
                 return rgb == 0xD62728;
               }).empty());

  page_.painter().Chart({450, 10, 300, 200}, TnChartData{});
  EXPECT_FALSE(page_.Ink({450, 10, 300, 200}).empty());
}

}  // namespace
}  // namespace vireo::testing
