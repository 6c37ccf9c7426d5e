// The print session on the probe plug-in: the panel's steps in their order
// on the instance that prints, parameter values as the command line gives
// them, outputs only from a print that succeeded, and the progress handed
// to the caller.
#include "host/report/print_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/loaded_plugin.h"
#include "tests/runner/runner_test_support.h"

namespace vireo::test {
namespace {

std::shared_ptr<const TnLoadedPlugin> Probe() { return TnLoadedPlugin::Open(ProbePlugin()); }

class PrintSessionTest : public ScratchTest {
 protected:
  // The panel steps the printing instance went through.
  static std::string Steps(TnPrintSession& session) {
    session.Print({});
    return session.Engine().GetValues("pPassos");
  }
  bool Empty() const { return fs::is_empty(dir_); }
};

TEST_F(PrintSessionTest, ConfiguresThePrintingInstanceInThePanelsOrder) {
  TnPrintSession session(Probe(), ProbeLayout());
  session.SetParameters({{"pLinhas", "2"}, {"pData", "31/03/2025"}});
  session.SetAssignment(" pLinhas =1");
  EXPECT_EQ(Steps(session),
            "AntesConfigurar;DepoisConfigurar;DoParamChange pLinhas;DoParamChange pData;"
            "DoParamChange pLinhas;ImprimirInterno");
  EXPECT_EQ(session.Engine().GetValues("pLinhas"), "1");
}

TEST_F(PrintSessionTest, ConfiguresEvenWhenNoValueIsGiven) {
  TnPrintSession session(Probe(), ProbeLayout());
  EXPECT_EQ(Steps(session), "AntesConfigurar;DepoisConfigurar;ImprimirInterno");
}

TEST_F(PrintSessionTest, TheOtherWaysToRunSkipThePanel) {
  TnPrintSession bare(Probe(), ProbeLayout(), TnRunVia::kInstance);
  bare.SetParameter("pLinhas", "1");
  EXPECT_EQ(Steps(bare), "ImprimirInterno");
  EXPECT_EQ(bare.Engine().GetValues("pLinhas"), "1");

  TnPrintSession exported(Probe(), ProbeLayout(), TnRunVia::kExport);
  exported.SetParameter("pLinhas", "1");
  EXPECT_THROW(exported.Prepare(), Exception);  // the frame makes its own instance
  EXPECT_EQ(Steps(exported), "ImprimirInterno");
}

TEST_F(PrintSessionTest, DatesInEitherFormLandAsThePanelShowsThem) {
  TnPrintSession session(Probe(), ProbeLayout());
  session.SetParameter("pData", "2025-03-31");
  EXPECT_EQ(session.Engine().GetValues("pData"), "31/03/2025");
  session.SetAssignment("pData=05/01/2024");
  EXPECT_EQ(session.Engine().GetValues("pData"), "05/01/2024");
  EXPECT_THROW(session.SetParameter("pData", "2025-13-01"), EnParam);
  // Only date parameters are read as dates.
  session.SetParameter("pSQL", "2025-03-31");
  EXPECT_EQ(session.Engine().GetValues("pSQL"), "2025-03-31");
}

TEST_F(PrintSessionTest, UnknownNamesAndBadlyWrittenAssignmentsAreUsageErrors) {
  TnPrintSession session(Probe(), ProbeLayout());
  EXPECT_THROW(session.SetParameter("pNada", "1"), EUsage);
  EXPECT_THROW(session.SetParameter("pPassos", "1"), EUsage);  // a variable, not a parameter
  EXPECT_THROW(session.SetAssignment("pLinhas"), EUsage);
  EXPECT_THROW(session.SetAssignment("=3"), EUsage);
  EXPECT_THROW(session.SetParameter("pLinhas", "muitas"), EnParam);
  try {
    session.SetAssignments({"pLinhas=2", "semigual"});
    FAIL();
  } catch (const EUsage& e) {
    EXPECT_EQ(e.Message(), "Parâmetro mal escrito: \"semigual\" (use -p NOME=VALOR)");
  }
  EXPECT_EQ(session.Engine().GetValues("pLinhas"), "2");  // set before the bad one was read
}

TEST_F(PrintSessionTest, HandsBackPagesMessagesAndTheOutputsWritten) {
  TnPrintSession session(Probe(), ProbeLayout());
  session.SetParameter("pLinhas", "60");
  const TnPrintOutputs outputs{.text = (dir_ / "r.txt").string(),
                               .trace = (dir_ / "r.trace").string()};
  const TnPrintResult result = session.Print(outputs);
  EXPECT_EQ(result.pages, 2);
  ASSERT_EQ(result.messages.size(), 1u);
  EXPECT_EQ(result.messages[0].text, "Aviso de teste");
  EXPECT_EQ(result.outputs.text, outputs.text);
  EXPECT_EQ(result.outputs.trace, outputs.trace);
  EXPECT_TRUE(fs::exists(outputs.text));
  EXPECT_TRUE(fs::exists(outputs.trace));
  EXPECT_EQ(session.Engine().CurrentReport(), nullptr);  // the instance is gone
  EXPECT_THROW(session.Print({}), Exception);            // one print per session
}

TEST_F(PrintSessionTest, AFailedPrintLeavesNoOutputAndNoInstance) {
  for (const char* failure : {"pFalhar", "pErroParam"}) {
    TnPrintSession session(Probe(), ProbeLayout());
    session.SetParameter(failure, "1");
    EXPECT_THROW(
        session.Print({.text = (dir_ / "r.txt").string(), .trace = (dir_ / "r.trace").string()}),
        Exception)
        << failure;
    EXPECT_TRUE(Empty()) << failure;  // not even the temporaries while the session lives
    EXPECT_EQ(session.Engine().CurrentReport(), nullptr) << failure;
  }
}

TEST_F(PrintSessionTest, APluginWithoutAClassIsNamedWhenTheInstanceIsMade) {
  TnPrintSession session(TnLoadedPlugin::Open(VIREO_NO_CLASS_PLUGIN), ProbeLayout());
  try {
    session.Prepare();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "FClassDll está nil.");
  }
}

TEST_F(PrintSessionTest, ProgressReachesTheCallbackOnlyDuringThePrint) {
  std::vector<TnPrintProgress> seen;
  TnPrintSession session(Probe(), ProbeLayout());
  session.SetParameter("pLinhas", "60");  // two pages
  session.Print({}, [&](const TnPrintProgress& p) { seen.push_back(p); });

  std::vector<long long> counted;
  bool frame_shown = false;
  for (const TnPrintProgress& p : seen) {
    // Each state holds both; the frame's moves repeat the counter's.
    if (p.total > 0 && (counted.empty() || counted.back() != p.position))
      counted.push_back(p.position);
    if (p.frame_visible) {
      frame_shown = true;
      EXPECT_EQ(p.frame_partial.max, 60);
      EXPECT_EQ(p.frame_partial.text, "Linhas");
    }
  }
  ASSERT_EQ(counted.size(), 60u);
  EXPECT_EQ(counted.front(), 1);
  EXPECT_EQ(counted.back(), 60);
  EXPECT_EQ(seen.back().total, 0);  // the counter was cleared at the end
  EXPECT_FALSE(seen.back().frame_visible);
  EXPECT_TRUE(frame_shown);
  int last_page = 0;
  for (const TnPrintProgress& p : seen) {
    EXPECT_GE(p.page, last_page);
    last_page = p.page;
  }
  EXPECT_EQ(last_page, 2);

  const size_t during = seen.size();
  session.Engine().CSLShowProgress(1, 2);  // after the print: nobody is told
  CriarProgresso()->MostrarMultiplo();
  CriarProgresso()->Hide();
  EXPECT_EQ(seen.size(), during);
}

}  // namespace
}  // namespace vireo::test
