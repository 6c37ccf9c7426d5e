// What a print leaves on disk: the outputs when it succeeds, nothing when it
// fails; and the columns of the plain-text output.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "host/core/exception.h"
#include "host/core/text.h"
#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The line holding `needle`, and the column (in characters) where it starts.
std::pair<std::string, int> LineWith(const std::string& text, const std::string& needle) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    size_t at = line.find(needle);
    if (at != std::string::npos) {
      return {line, static_cast<int>(Utf8Length(line.substr(0, at)))};
    }
  }
  return {"", -1};
}

class OutputsTest : public ::testing::Test {
 protected:
  OutputsTest() : engine(test::TestLayout()), report(&engine) {}
  void Lines(int n) {
    for (int i = 1; i <= n; ++i) {
      engine.SetValues("R1", "01/02/2024");
      engine.SetValues("R2", "1.500,00");
      engine.RepPrintSection(10);
    }
  }
  test::ScratchDir dir;
  TnrwReport engine;
  test::TestReport report;
};

TEST_F(OutputsTest, TextPutsEachLabelAtItsColumn) {
  engine.SetValues("pNomeEmpresa", "0001 Empresa X");
  engine.BeginPrint({.text = dir / "out.txt"});
  Lines(1);
  engine.EndPrint();
  const std::string text = ReadFile(dir / "out.txt");

  auto [title, title_col] = LineWith(text, "Relatório de teste");
  EXPECT_EQ(title_col, 0);
  // Right-aligned labels end at (left + width) / 7.
  EXPECT_EQ(LineWith(title, "0001 Empresa X").second + 14, (280 + 280) / 7) << title;
  auto [line, date_col] = LineWith(text, "01/02/2024");
  EXPECT_EQ(date_col, 0);
  EXPECT_EQ(LineWith(line, "1.500,00").second + 8, (350 + 140) / 7) << line;
  EXPECT_EQ(LineWith(text, "Página 1 de 1").second + 13, (420 + 140) / 7);
  // Header at y 20, line at y 60: one blank line between them.
  EXPECT_NE(
      text.find("Relatório de teste" + std::string(66 - 18, ' ') + "0001 Empresa X\n\n01/02/2024"),
      std::string::npos)
      << text;
}

TEST_F(OutputsTest, TextDrawnLaterCoversOverlappingText) {
  engine.LabelByName("R2")->SetLeft(0);  // right edge at column 20, over R1
  engine.BeginPrint({.text = dir / "out.txt"});
  engine.SetValues("R1", "0123456789ABCDEFGHIJKLMN");  // cut to its 20 columns
  engine.SetValues("R2", "1.500,00");
  engine.RepPrintSection(10);
  engine.EndPrint();
  EXPECT_EQ(LineWith(ReadFile(dir / "out.txt"), "0123").first, "0123456789AB1.500,00");
}

TEST_F(OutputsTest, TextLongerThanItsBox) {
  engine.BeginPrint({.text = dir / "out.txt"});
  // Left-aligned: runs on into the free space, up to the next text.
  engine.SetValues("R1", "Pagamento de fornecedor conforme nota 123");
  engine.SetValues("R2", "");
  engine.RepPrintSection(10);
  engine.SetValues("R1", std::string(70, 'x'));
  engine.SetValues("R2", "9,00");
  engine.RepPrintSection(10);
  // Right-aligned: keeps its end, as the box cuts the left of an amount.
  engine.SetValues("R1", "");
  engine.SetValues("R2", "1.234.567.890.123.456,78D");
  engine.RepPrintSection(10);
  engine.EndPrint();
  const std::string text = ReadFile(dir / "out.txt");
  EXPECT_EQ(LineWith(text, "Pagamento").first, "Pagamento de fornecedor conforme nota 123");
  EXPECT_EQ(LineWith(text, "9,00").first, std::string(66, 'x') + "9,00");
  // 25 characters in a box of 20 ending at column 70.
  EXPECT_EQ(LineWith(text, "456,78D").first, std::string(50, ' ') + ".567.890.123.456,78D");
}

TEST_F(OutputsTest, TextSeparatesPagesWithAFormFeed) {
  engine.BeginPrint({.text = dir / "out.txt"});
  Lines(2 * test::kLinesPerPage + 1);
  engine.EndPrint();
  const std::string text = ReadFile(dir / "out.txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2);
  // Right after page 1's footer.
  EXPECT_EQ(text.find('\f'), text.find("Página 1 de 3") + std::string("Página 1 de 3\n").size());
}

TEST_F(OutputsTest, OutputsAppearOnlyWhenThePrintEnds) {
  const TnPrintOutputs out{dir / "out.pdf", dir / "out.png", dir / "out.txt", dir / "out.trace"};
  engine.BeginPrint(out);
  Lines(test::kLinesPerPage + 1);
  for (const std::string& path : {out.pdf, out.png, out.text, out.trace}) {
    EXPECT_FALSE(std::filesystem::exists(path)) << path;
  }
  engine.EndPrint();
  std::vector<std::string> entries = dir.Entries();
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries,
            (std::vector<std::string>{"out-2.png", "out.pdf", "out.png", "out.trace", "out.txt"}));
  EXPECT_EQ(ReadFile(out.pdf).substr(0, 5), "%PDF-");
  EXPECT_EQ(ReadFile(out.png).substr(1, 3), "PNG");
  EXPECT_EQ(engine.PageCount(), 2);
}

TEST_F(OutputsTest, FailingPrintLeavesNoFile) {
  report.body = [&](test::TestReport&) {
    Lines(20);
    throw Exception("falhou no meio");
  };
  engine.BeginPrint({dir / "out.pdf", dir / "out.png", dir / "out.txt", dir / "out.trace"});
  EXPECT_THROW(report.ImprimirInterno(), Exception);
  engine.AbortPrint();
  EXPECT_TRUE(dir.Entries().empty());
}

TEST_F(OutputsTest, EngineFreedDuringAPrintLeavesNoFile) {
  {
    TnrwReport other(test::TestLayout());
    other.BeginPrint({.text = dir / "out.txt", .trace = dir / "out.trace"});
    other.RepPrintSection(10);
  }
  EXPECT_TRUE(dir.Entries().empty());
}

TEST_F(OutputsTest, UnwritablePlaceIsRefusedAtTheStartAndLeavesNothing) {
  try {
    engine.BeginPrint({.text = "/nonexistent-dir/out.txt", .trace = dir / "out.trace"});
    FAIL();
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("/nonexistent-dir/out.txt"), std::string::npos) << e.Message();
  }
  EXPECT_TRUE(dir.Entries().empty());
  EXPECT_FALSE(engine.Printing());
}

TEST_F(OutputsTest, SecondPrintOnTheSameEngineIsRefused) {
  engine.BeginPrint();
  Lines(1);
  engine.EndPrint();
  EXPECT_THROW(engine.BeginPrint(), Exception);
}

}  // namespace
}  // namespace vireo
