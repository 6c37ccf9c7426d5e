// The page spool: what goes in comes back out, in order, with page numbers
// filled in; fonts and pictures are stored once.
#include "host/report/render/spool.h"

#include <gtest/gtest.h>

#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

TEST(Spool, ReplaysEveryCallWithPageTokensFilled) {
  TnPageSpool spool;
  TnFont bold;
  bold.bold = true;
  bold.size = 11;
  for (int page = 1; page <= 2; ++page) {
    spool.BeginPage();
    spool.Text({10, 20, 100, 16}, "Página {pagina} de {paginas}", bold, TnAlign::Right, false,
               true);
    spool.Text({10, 40, 100, 16}, "{pagina} sem troca", TnFont{}, TnAlign::Left, true);
    spool.FillRect({0, 0, 5, 5}, 0xEEEEEE);
    spool.Line(1, 2, 3, 4, 1, 0x112233);
    spool.FrameRect({1, 1, 2, 2}, 1, 0);
    spool.EndPage();
  }
  EXPECT_EQ(spool.PageCount(), 2);
  test::RecordingCanvas canvas;
  TnPageSetup setup;
  spool.Replay(setup, {&canvas});
  EXPECT_EQ(canvas.page_count, 2);
  EXPECT_TRUE(canvas.ended);
  EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"Página 1 de 2", "{pagina} sem troca",
                                                      "Página 2 de 2", "{pagina} sem troca"}));
  const test::Drawn* first = canvas.FindText("Página 1 de 2");
  EXPECT_TRUE(first->font.bold);
  EXPECT_EQ(first->font.size, 11);
  EXPECT_EQ(first->box.left, 10);
  EXPECT_EQ(canvas.items.size(), 2u * 6);  // page + 5 drawings, twice
  const test::Drawn& line = canvas.items[4];
  EXPECT_EQ(line.what, "line");
  EXPECT_EQ(line.box.left + line.box.width, 3);
  EXPECT_EQ(line.color, 0x112233u);
}

TEST(Spool, PictureIsStoredOnce) {
  TnPageSpool spool;
  const std::string logo(10000, 'x');
  int owner = 0;
  spool.BeginPage();
  spool.Image({0, 0, 50, 50}, &owner, 1, logo);
  const uint64_t after_first = spool.BytesWritten();
  spool.Image({0, 60, 50, 50}, &owner, 1, logo);
  EXPECT_LT(spool.BytesWritten() - after_first, 100u);
  spool.Image({0, 60, 50, 50}, &owner, 2, "novo");  // a new picture of the same object
  spool.EndPage();
  test::RecordingCanvas canvas;
  spool.Replay(TnPageSetup{}, {&canvas});
  std::vector<std::string> images;
  for (const auto& d : canvas.items) {
    if (d.what == "image") images.push_back(d.text);
  }
  EXPECT_EQ(images, (std::vector<std::string>{logo, logo, "novo"}));
}

TEST(Spool, LongPrintsComeBackWhole) {
  // Larger than the write buffer, so the records cross buffer boundaries
  // both when written and when read back.
  TnPageSpool spool;
  TnFont font;
  for (int page = 0; page < 2000; ++page) {
    spool.BeginPage();
    for (int i = 0; i < 50; ++i)
      spool.Text({0, i * 20.0, 100, 16}, "linha", font, TnAlign::Left, false);
  }
  EXPECT_GT(spool.BytesWritten(), 2u << 20);
  test::RecordingCanvas canvas;
  spool.Replay(TnPageSetup{}, {&canvas});
  EXPECT_EQ(canvas.page_count, 2000);
  EXPECT_EQ(canvas.Texts().size(), 2000u * 50);
}

}  // namespace
}  // namespace vireo
