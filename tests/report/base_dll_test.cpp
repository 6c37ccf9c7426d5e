// The report base class: the class reference, binding to the engine, and the
// handler that must not outlive its report.
#include "host/report/base_dll.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

using test::TestReport;

class DerivedReport : public TestReport {
 public:
  using TestReport::TestReport;
  std::string Versao() override { return "[versao: 1.1.82.0]"; }
};

TEST(BaseDll, ClassReferenceMakesTheMostDerivedClass) {
  TnrwReport engine(test::TestLayout());
  TnrwBaseDllClassOf<DerivedReport> cls("TDerivedReport");
  const TnrwBaseDllClass& base = cls;
  std::unique_ptr<TnrwBaseDll> report = base.Instanciar(&engine);
  EXPECT_EQ(base.ClassName(), "TDerivedReport");
  EXPECT_NE(dynamic_cast<DerivedReport*>(report.get()), nullptr);
  EXPECT_EQ(report->Versao(), "[versao: 1.1.82.0]");
  EXPECT_EQ(report->Report(), &engine);
  EXPECT_EQ(engine.CurrentReport(), report.get());
  EXPECT_TRUE(report->CriarListaSectionsParaZebrar().empty());
  // The engine answers a run-time type test through its root class.
  TObject* as_object = &engine;
  EXPECT_TRUE(Is<TnrwReport>(as_object));
  EXPECT_TRUE(Is<TnpqPowerQuery>(as_object));
}

TEST(BaseDll, FreeingTheReportDropsTheHandlerItSet) {
  TnrwReport engine(test::TestLayout());
  int calls = 0;
  {
    TestReport report(&engine);
    engine.OnSectionPrint = [&](TObject*, int) { ++calls; };
    EXPECT_EQ(engine.OnSectionPrint.Owner(), &report);
  }
  EXPECT_FALSE(engine.OnSectionPrint);
  engine.BeginPrint();
  engine.RepPrintSection(10);  // must not call into the freed report
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(engine.CurrentReport(), nullptr);
}

TEST(BaseDll, HandlerOfAnotherSetterStays) {
  TnrwReport engine(test::TestLayout());
  int calls = 0;
  engine.OnSectionPrint = [&](TObject*, int) { ++calls; };  // the host's own
  EXPECT_EQ(engine.OnSectionPrint.Owner(), nullptr);
  auto first = std::make_unique<TestReport>(&engine);
  { TestReport passing(&engine); }
  first.reset();
  ASSERT_TRUE(engine.OnSectionPrint);

  // Two instances: the one freed did not set the handler.
  TestReport owner(&engine);
  engine.OnSectionPrint = [&](TObject*, int) { calls += 10; };
  { TestReport other(&engine); }
  EXPECT_EQ(engine.OnSectionPrint.Owner(), &owner);
  engine.BeginPrint();
  engine.RepPrintSection(10);
  EXPECT_GE(calls, 10);
}

TEST(BaseDll, HandlerMayReplaceItselfWhileRunning) {
  TnrwReport engine(test::TestLayout());
  TestReport report(&engine);
  std::vector<int> seen;
  engine.OnSectionPrint = [&](TObject*, int section) {
    seen.push_back(section);
    engine.OnSectionPrint = nullptr;
  };
  engine.BeginPrint();
  engine.RepPrintSection(10);
  engine.RepPrintSection(10);
  EXPECT_EQ(seen, std::vector<int>{1});
}

TEST(BaseDll, EngineFreedFirstIsSafe) {
  auto engine = std::make_unique<TnrwReport>(test::TestLayout());
  TestReport report(engine.get());
  engine->OnSectionPrint = [](TObject*, int) {};
  engine.reset();
  EXPECT_EQ(report.Report(), nullptr);
  EXPECT_EQ(report.MainDataSet(), nullptr);
}  // the report's destructor must not touch the engine

}  // namespace
}  // namespace vireo
