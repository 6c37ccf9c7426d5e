// Whole documents rendered to PDF and PNG files and read back.
#include "host/report/render/render_cairo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "host/core/exception.h"
#include "raster_page.h"

namespace vireo::testing {
namespace {

namespace fs = std::filesystem;

// What a command printed (empty when it could not run).
std::string RunCommand(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

TnFont Font(double size, bool bold = false) {
  TnFont font;
  font.size = size;
  font.bold = bold;
  return font;
}

// Two pages of a trial balance: title, amounts, a wrapped note, the logo,
// a chart on the first page and an empty chart on the second.
void DrawTrialBalance(TnCanvas& canvas, const std::string& logo) {
  TnPageSetup setup;
  canvas.BeginDocument(setup, 2);
  for (int page = 1; page <= 2; ++page) {
    canvas.BeginPage(page);
    canvas.Image({38, 38, 60, 40}, logo);
    canvas.Text({110, 40, 500, 24}, "Balancete Açúcar", Font(14, true), TnAlign::Left, false);
    canvas.Line(38, 84, 756, 84, 1, 0x000000);
    for (int row = 0; row < 10; ++row) {
      double top = 96 + row * 18;
      if (row % 2) canvas.FillRect({38, top, 718, 18}, 0xEEF2F7);
      canvas.Text({40, top, 300, 18}, "Conta de aplicação " + std::to_string(row + 1), Font(9),
                  TnAlign::Left, false);
      canvas.Text({556, top, 200, 18}, "1.234.567,8" + std::to_string(row), Font(9), TnAlign::Right,
                  false);
    }
    canvas.FrameRect({38, 300, 400, 60}, 1, 0x808080);
    canvas.Text({42, 302, 392, 56},
                "Observação: os saldos das contas de compensação não entram no total geral "
                "do balancete e aparecem apenas para conferência.",
                Font(9), TnAlign::Left, true);
    TnChartData chart;
    if (page == 1) {
      chart.title = "Saldo mensal";
      chart.value_format = "#,##0.00";
      chart.series_names = {"Caixa"};
      chart.series = {{{"jan", 1000}, {"fev", 2500}, {"mar", 1800}, {"abr", 3000}}};
    }
    canvas.Chart({38, 380, 718, 300}, chart);
    canvas.Text({556, 1060, 200, 18}, "Página " + std::to_string(page) + " de 2", Font(8),
                TnAlign::Right, false);
    canvas.EndPage();
  }
  canvas.EndDocument();
}

class RenderFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vireo-render-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  std::string logo_ = SolidPng(60, 40, 0x2060A0);
};

TEST_F(RenderFileTest, WritesASearchablePdfWithOnePagePerPage) {
  std::string path = (dir_ / "balancete.pdf").string();
  DrawTrialBalance(*MakePdfCanvas(path), logo_);

  std::string info = RunCommand("pdfinfo '" + path + "'");
  if (info.find("not found") != std::string::npos) GTEST_SKIP() << "poppler-utils missing";
  EXPECT_TRUE(std::regex_search(info, std::regex("Pages:\\s+2\\n"))) << info;
  EXPECT_NE(info.find("595.5 x 842.25 pts"), std::string::npos) << info;  // A4 in points

  std::string text = RunCommand("pdftotext -layout '" + path + "' -");
  for (const char* expected : {"Balancete Açúcar", "Página 1 de 2", "Página 2 de 2", "1.234.567,89",
                               "Conta de aplicação 3", "compensação", "3.000,00", "Sem dados"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
}

TEST_F(RenderFileTest, WritesOneImagePerPageAtOneAndAHalfScale) {
  std::string path = (dir_ / "balancete.png").string();
  DrawTrialBalance(*MakePngCanvas(path), logo_);

  for (int page = 1; page <= 2; ++page) {
    std::string file = PngPagePath(path, page);
    CairoSurfacePtr image(cairo_image_surface_create_from_png(file.c_str()));
    ASSERT_EQ(cairo_surface_status(image.get()), CAIRO_STATUS_SUCCESS) << file;
    EXPECT_EQ(cairo_image_surface_get_width(image.get()), 1191);
    EXPECT_EQ(cairo_image_surface_get_height(image.get()), 1685);
    EXPECT_EQ(PixelAt(image.get(), 5, 5), 0xFFFFFFu);     // white paper
    EXPECT_EQ(PixelAt(image.get(), 102, 87), 0x2060A0u);  // the logo, colours in order
    // The amounts end at the right edge of their column (756 units).
    InkBounds amounts = FindInk(image.get(), 800, 96 * 3 / 2, 1191, 276 * 3 / 2, IsDark);
    ASSERT_FALSE(amounts.empty());
    EXPECT_NEAR(amounts.right, 756 * 1.5, 4);
    EXPECT_LE(amounts.right, 756 * 1.5);
    EXPECT_FALSE(FindInk(image.get(), 0, 380 * 3 / 2, 1191, 680 * 3 / 2, IsInked).empty());
  }
  EXPECT_FALSE(fs::exists(PngPagePath(path, 3)));
}

TEST_F(RenderFileTest, NamesTheFileItCannotWrite) {
  std::string path = (dir_ / "missing" / "out.pdf").string();
  for (auto make : {MakePdfCanvas, +[](const std::string& p) { return MakePngCanvas(p); }}) {
    try {
      make(path);
      ADD_FAILURE() << "no error for " << path;
    } catch (const Exception& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
  }
}

TEST_F(RenderFileTest, ReportsAFullDiskNamingTheFile) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  for (auto make : {MakePdfCanvas, +[](const std::string& p) { return MakePngCanvas(p); }}) {
    auto canvas = make("/dev/full");
    try {
      DrawTrialBalance(*canvas, logo_);
      ADD_FAILURE() << "no error writing to /dev/full";
    } catch (const Exception& error) {
      EXPECT_NE(std::string(error.what()).find("/dev/full"), std::string::npos) << error.what();
    }
  }
}

TEST_F(RenderFileTest, RefusesDrawingOutsideAPage) {
  auto canvas = MakePngCanvas((dir_ / "x.png").string());
  canvas->BeginDocument(TnPageSetup{}, 1);
  EXPECT_THROW(canvas->Text({0, 0, 10, 10}, "x", TnFont{}, TnAlign::Left, false), Exception);
  canvas->BeginPage(1);
  canvas->Text({0, 0, 10, 10}, "x", TnFont{}, TnAlign::Left, false);
  canvas->EndPage();
  canvas->EndDocument();
}

TEST(PngPagePathTest, NumbersTheFilesOfLaterPages) {
  EXPECT_EQ(PngPagePath("out/razao.png", 1), "out/razao.png");
  EXPECT_EQ(PngPagePath("out/razao.png", 2), "out/razao-2.png");
  EXPECT_EQ(PngPagePath("out/razao.v2.png", 12), "out/razao.v2-12.png");
  EXPECT_EQ(PngPagePath("razao", 3), "razao-3.png");
}

}  // namespace
}  // namespace vireo::testing
