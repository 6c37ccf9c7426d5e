// Helpers of the proof tests: the demo database, built once per test
// program and current while a test runs; every report and layout the
// catalogue of the build's plug-in directory lists; the statements the data
// layer runs, seen through the statement hook; and scratch folders for the
// outputs of a print.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "db/demo.h"
#include "db/schema.h"
#include "host/data/connection.h"
#include "host/data/statement_hook.h"
#include "host/report/engine.h"
#include "host/report/params.h"
#include "host/report/plugin_host.h"
#include "tests/support/db_digest.h"

namespace vireo::test {

namespace fs = std::filesystem;

// A temporary folder, removed with everything in it at the end.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& tag) {
    std::string pattern = (fs::temp_directory_path() / ("vireo-" + tag + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp " + pattern);
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const fs::path& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  // Every entry of the folder, hidden ones (the outputs' temporaries) too.
  std::vector<std::string> Entries() const {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(path_, ec)) out.push_back(e.path().string());
    return out;
  }
  void Clear() const {
    for (const std::string& e : Entries()) fs::remove_all(e);
  }

 private:
  fs::path path_;
};

// The three outputs of a print inside `dir`.
inline TnPrintOutputs OutputsIn(const fs::path& dir) {
  return {.pdf = (dir / "out.pdf").string(),
          .text = (dir / "out.txt").string(),
          .trace = (dir / "out.trace").string()};
}

// The demo database (scale 1), made once per process in a folder of its
// own, with the digest of its rows before any report ran.
class DemoDatabase {
 public:
  static DemoDatabase& Get() {
    static DemoDatabase demo;
    return demo;
  }
  TnConnection& Connection() { return *db_; }
  const std::string& File() const { return file_; }
  const DbDigest& Before() const { return before_; }

 private:
  DemoDatabase() : dir_("proof-demo"), file_(dir_ / "demo.fdb") {
    db_ = CreateDatabaseFromTemplate(file_);
    GenerateDemo(*db_, DemoOptions{});
    before_ = DigestOf(*db_);
  }

  ScratchDir dir_;
  std::string file_;
  std::unique_ptr<TnConnection> db_;
  DbDigest before_;
};

// A test on the demo database: current for the reports while it runs, and
// checked to hold the same rows when it ends.
class DemoTest : public ::testing::Test {
 protected:
  void SetUp() override { SetCurrentConnection(&Demo().Connection()); }
  void TearDown() override {
    SetCurrentConnection(nullptr);
    EXPECT_TRUE(DigestOf(Demo().Connection()) == Demo().Before()) << "the demo rows changed";
  }
  static DemoDatabase& Demo() { return DemoDatabase::Get(); }
};

// One layout of one plug-in of the catalogue.
struct ReportCase {
  std::shared_ptr<const TnLoadedPlugin> plugin;
  std::string layout;  // the layout file
  std::string label;   // e.g. rptLedger.movcaixa.json
};

// Every layout of every plug-in in the build's plug-in directory, so that a
// new report is proved without being named here.  The plug-ins stay loaded
// to the end of the process.
inline const std::vector<ReportCase>& CatalogueCases() {
  static const std::vector<ReportCase> cases = [] {
    std::vector<ReportCase> out;
    for (const TnPluginInfo& info : TnPluginCatalog({VIREO_PLUGIN_DIR}).List()) {
      auto plugin = TnLoadedPlugin::Open(info.path, TnUnload::kAtExit);
      for (const std::string& layout : info.layouts)
        out.push_back({plugin, layout, fs::path(layout).filename().string()});
    }
    return out;
  }();
  return cases;
}

// The values of a demo print: the layout's defaults and the year 2025.
inline TnParamValues DemoValues(const TnrwReport& engine) {
  TnParamValues values;
  auto has = [&](const char* name) { return engine.GetParams()->FindParam(name) != nullptr; };
  if (has("pDataInicial")) values.emplace_back("pDataInicial", "01/01/2025");
  if (has("pDataFinal")) values.emplace_back("pDataFinal", "31/12/2025");
  if (has("pCompetencia")) values.emplace_back("pCompetencia", "01/2025");
  return values;
}

// A session of the case with the demo values set.
inline std::unique_ptr<TnPrintSession> DemoSession(const ReportCase& c) {
  auto session = std::make_unique<TnPrintSession>(c.plugin, c.layout);
  session->SetParameters(DemoValues(session->Engine()));
  return session;
}

// The panel's parameters of a layout, as the configure steps left them.
inline std::vector<TnParamDef> PanelOf(const ReportCase& c) {
  TnPrintSession session(c.plugin, c.layout);
  session.Prepare();
  std::vector<TnParamDef> out;
  const TnpqPowerParam& params = *session.Engine().GetParams();
  for (int i = 0; i < params.Count(); ++i) {
    if (params.Items(i)->IsParameter()) out.push_back(params.Items(i)->Definition());
  }
  return out;
}

// Sees every statement the data layer runs while it lives; `fault` may
// raise at an event, as a broken connection would.
class StatementLog {
 public:
  using Fault = std::function<void(const TnStatementEvent&, const StatementLog&)>;

  explicit StatementLog(Fault fault = {}) : fault_(std::move(fault)) {
    previous_ = SetStatementHook([this](const TnStatementEvent& e) { Seen(e); });
  }
  ~StatementLog() { SetStatementHook(std::move(previous_)); }
  StatementLog(const StatementLog&) = delete;
  StatementLog& operator=(const StatementLog&) = delete;

  int Prepares() const { return prepares_; }
  int Fetches() const { return fetches_; }
  // Statements that ran outside a read-only transaction.
  const std::vector<std::string>& Writers() const { return writers_; }

 private:
  void Seen(const TnStatementEvent& e) {
    if (e.kind == TnStatementEvent::kPrepare) ++prepares_;
    if (e.kind == TnStatementEvent::kFetch) ++fetches_;
    if (!e.read_only) writers_.push_back(e.sql);
    if (fault_) fault_(e, *this);
  }

  Fault fault_;
  TnStatementHook previous_;
  int prepares_ = 0, fetches_ = 0;
  std::vector<std::string> writers_;
};

// Runs `print`, which must fail with an exception of type E; gives back its
// message ("" with a test failure when it passed or raised something else).
template <class E, class F>
std::string FailureOf(F&& print) {
  try {
    print();
  } catch (const E& e) {
    return e.Message();
  } catch (const std::exception& e) {
    ADD_FAILURE() << "raised another error: " << e.what();
    return "";
  }
  ADD_FAILURE() << "printed without an error";
  return "";
}

}  // namespace vireo::test
