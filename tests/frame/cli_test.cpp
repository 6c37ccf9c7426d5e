// `vireo print`, `params` and `list` run as a person runs them: the program
// on the probe plug-in, checking exit statuses, messages and that a failed
// print leaves no file behind.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "db/schema.h"
#include "host/core/display_width.h"
#include "host/data/connection.h"
#include "tests/support/vireo_run.h"

namespace vireo {
namespace {

namespace fs = std::filesystem;

using Outcome = test::VireoRun;
using test::RunVireo;

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vireo-cli-XXXXXX";
    dir_ = mkdtemp(tmpl);
    CreateDatabaseFromTemplate(dir_ + "/t.fdb");  // closed again at once
    plugin_ = VIREO_TEST_PLUGIN;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Print(const std::string& extra) {
    return "print " + plugin_ + " --db " + dir_ + "/t.fdb " + extra;
  }
  bool NoOutputs() const {
    for (const auto& e : fs::directory_iterator(dir_))
      if (e.path().filename() != "t.fdb") return false;
    return true;
  }

  std::string dir_;
  std::string plugin_;
};

TEST_F(CliTest, PrintsToEveryOutput) {
  Outcome r = RunVireo(Print("-p pLinhas=120 -p pData=2025-03-31 -o " + dir_ + "/r.pdf -o " + dir_ +
                             "/r.png -o " + dir_ + "/r.txt --trace " + dir_ + "/r.trace"));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("Aviso de teste"), std::string::npos) << r.output;
  for (const char* f : {"r.pdf", "r.png", "r.txt", "r.trace"})
    EXPECT_TRUE(fs::exists(dir_ + "/" + f)) << f;
  EXPECT_TRUE(fs::exists(dir_ + "/r-2.png"));

  std::ifstream text(dir_ + "/r.txt");
  std::string all((std::istreambuf_iterator<char>(text)), {});
  EXPECT_NE(all.find("Linha 120 — Açúcar & Café"), std::string::npos);
  EXPECT_NE(all.find("31/03/2025"), std::string::npos);
  EXPECT_NE(all.find("(148.140,00)"), std::string::npos);

  std::string pdf_text;
  FILE* p = popen(("pdftotext " + dir_ + "/r.pdf - 2>&1").c_str(), "r");
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) pdf_text.append(buf, n);
  pclose(p);
  EXPECT_NE(pdf_text.find("Balancete Açúcar"), std::string::npos);
  EXPECT_NE(pdf_text.find("Página 1 de 3"), std::string::npos) << pdf_text.substr(0, 300);
}

TEST_F(CliTest, ABodyErrorExitsOneAndLeavesNoFile) {
  Outcome r = RunVireo(Print("-p pFalhar=1 -o " + dir_ + "/r.pdf --trace " + dir_ + "/r.trace"));
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("falha proposital do relatório"), std::string::npos);
  EXPECT_TRUE(NoOutputs());
}

TEST_F(CliTest, ParameterErrorsExitThree) {
  Outcome r = RunVireo(Print("-p pErroParam=1 -o " + dir_ + "/r.pdf"));
  EXPECT_EQ(r.status, 3) << r.output;
  EXPECT_NE(r.output.find("Número de linhas inválido."), std::string::npos);
  r = RunVireo(Print("-p \"pCodigoEscrit=1) or (1=1\" -o " + dir_ + "/r.pdf"));
  EXPECT_EQ(r.status, 3) << r.output;
  EXPECT_NE(r.output.find("pCodigoEscrit"), std::string::npos) << r.output;
  r = RunVireo(Print("-p pLinhas=muitas -o " + dir_ + "/r.pdf"));
  EXPECT_EQ(r.status, 3) << r.output;
  EXPECT_TRUE(NoOutputs());
}

TEST_F(CliTest, DatabaseErrorsExitFour) {
  Outcome r = RunVireo(Print("-p \"pSQL=select X from NAOEXISTE\" -o " + dir_ + "/r.pdf"));
  EXPECT_EQ(r.status, 4) << r.output;
  EXPECT_NE(r.output.find("NAOEXISTE"), std::string::npos) << r.output;
  EXPECT_TRUE(NoOutputs());
  r = RunVireo("print " + plugin_ + " --db " + dir_ + "/falta.fdb -o " + dir_ + "/r.pdf");
  EXPECT_EQ(r.status, 4) << r.output;
  EXPECT_NE(r.output.find("falta.fdb"), std::string::npos);
  EXPECT_TRUE(NoOutputs());
}

TEST_F(CliTest, UsageErrorsExitTwo) {
  EXPECT_EQ(RunVireo(Print("-p pNaoExiste=1")).status, 2);
  EXPECT_EQ(RunVireo(Print("-p semigual")).status, 2);
  EXPECT_EQ(RunVireo(Print("-o " + dir_ + "/r.doc")).status, 2);
  EXPECT_EQ(RunVireo("print rptNaoExiste --db " + dir_ + "/t.fdb").status, 2);
  EXPECT_EQ(RunVireo("print").status, 2);
  EXPECT_EQ(RunVireo("nada").status, 2);
}

TEST_F(CliTest, BrokenPluginsAndLayoutsAreNamed) {
  fs::path lib = fs::path(dir_) / "libNotAReport.so";
  fs::copy_file(fs::path(VIREO_NOT_A_REPORT), lib);
  Outcome r = RunVireo("print " + lib.string() + " --db " + dir_ + "/t.fdb --layout " +
                       std::string(VIREO_FRAME_TEST_DIR) + "/probe/rptFrameProbe.json");
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("ClassDll"), std::string::npos) << r.output;

  std::ofstream(dir_ + "/quebrado.json") << "{\"sections\": [ {\"number\": 8,, } ]}";
  r = RunVireo(Print("--layout " + dir_ + "/quebrado.json -o " + dir_ + "/r.pdf"));
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("quebrado.json"), std::string::npos) << r.output;
  EXPECT_FALSE(fs::exists(dir_ + "/r.pdf"));
}

TEST_F(CliTest, ParamsShowsThePanel) {
  Outcome r = RunVireo("params " + plugin_ + " -p pLinhas=7");
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("[versao: 9.9.9.9]"), std::string::npos);
  EXPECT_NE(r.output.find("pLinhas"), std::string::npos);
  EXPECT_NE(r.output.find("= 7"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("pCodigoEscrit"), std::string::npos);
}

// Columns are as wide as they show: an accented caption ("Erro de
// parâmetro") keeps its value under the others.
TEST_F(CliTest, ParamsLinesUpValuesAfterAccentedCaptions) {
  Outcome r = RunVireo("params " + plugin_);
  ASSERT_EQ(r.status, 0) << r.output;
  std::istringstream lines(r.output);
  int rows = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("  p", 0) != 0) continue;
    ++rows;
    EXPECT_EQ(DisplayWidth(line.substr(0, line.find(" = "))), 2u + 24 + 1 + 10 + 1 + 32) << line;
  }
  EXPECT_EQ(rows, 6) << r.output;
  EXPECT_NE(r.output.find("Erro de parâmetro"), std::string::npos);
}

}  // namespace
}  // namespace vireo

namespace vireo {
namespace {

// Selections go through the parameter panel before any query is built; an
// injection attempt stops the print with a parameter error.
TEST_F(CliTest, InjectionAttemptsInTheLedgerSelectionsStopBeforeAnyQuery) {
  for (const std::string& p :
       {"pCodigoEscrit=1) or (1=1", "pConta=1;DROP TABLE FPRCAIXA", "pOrigemDados=0' or '1'='1"}) {
    Outcome r = RunVireo("print rptLedger --db " + dir_ + "/t.fdb -p \"" + p + "\" -o " + dir_ +
                         "/r.pdf --trace " + dir_ + "/r.trace");
    EXPECT_EQ(r.status, 3) << p << "\n" << r.output;
    EXPECT_NE(r.output.find(p.substr(0, p.find('='))), std::string::npos) << r.output;
    EXPECT_TRUE(NoOutputs()) << p;
  }
}

}  // namespace
}  // namespace vireo

namespace vireo {
namespace {

// Listing loads and unloads every plug-in in turn, some sharing the business
// library; nothing may be left behind that points into unloaded code.
TEST_F(CliTest, ListLoadsAndUnloadsEveryReport) {
  Outcome r = RunVireo("list");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("rptLedger "), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("[versao: 1.0.0.0]"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("rptLedger.movcaixa.json"), std::string::npos) << r.output;
}

}  // namespace
}  // namespace vireo
