// Faults in the middle of a print: the database failing at a fetch, an
// output folder that goes away or cannot hold files, a broken layout, and
// a report whose destructor raises.  Each ends with its own error, no
// output at the targets, no temporary left and the process still able to
// print.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "host/core/exception.h"
#include "tests/proof/proof_support.h"

namespace vireo::test {
namespace {

using nlohmann::json;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class FaultsTest : public DemoTest {
 protected:
  // The same report prints again, as the next request of a user would.
  static void PrintsAgain(const ReportCase& c, const ScratchDir& out) {
    EXPECT_GT(DemoSession(c)->Print(OutputsIn(out.Path())).pages, 0);
    EXPECT_TRUE(fs::exists(out / "out.pdf"));
    out.Clear();
  }
};

// Where the connection breaks: a fetch by its number in the print, or the
// preparation of the print's last statement.
struct Break {
  TnStatementEvent::Kind kind;
  int at;
};

TEST_F(FaultsTest, TheDatabaseFailingMidPrintLeavesNothingAndTheNextPrintWorks) {
  ScratchDir out("proof-dbfault");
  int faults = 0;
  for (const ReportCase& c : CatalogueCases()) {
    SCOPED_TRACE(c.label);
    DemoSession(c)->Print({});  // whatever the reports keep between prints is made now
    int fetches = 0, prepares = 0;
    {
      StatementLog count;
      DemoSession(c)->Print({});
      fetches = count.Fetches();
      prepares = count.Prepares();
    }
    ASSERT_GT(fetches, 0);
    std::set<std::pair<int, int>> breaks;
    for (const Break& b :
         {Break{TnStatementEvent::kFetch, 1}, Break{TnStatementEvent::kFetch, (fetches + 1) / 2},
          Break{TnStatementEvent::kFetch, fetches}, Break{TnStatementEvent::kPrepare, prepares}}) {
      if (!breaks.insert({b.kind, b.at}).second) continue;
      SCOPED_TRACE((b.kind == TnStatementEvent::kFetch ? "fetch " : "prepare ") +
                   std::to_string(b.at));
      StatementLog log([&](const TnStatementEvent& e, const StatementLog& seen) {
        const int n = e.kind == TnStatementEvent::kFetch ? seen.Fetches() : seen.Prepares();
        if (e.kind == b.kind && n == b.at) throw EDatabaseError("conexão perdida (falha de prova)");
      });
      // The error reaches the caller; or, for a report that catches the
      // failure of its queries (the cheque lists), the print holds no page
      // and lists the database's message as a warning.
      std::string message;
      try {
        const TnPrintResult r = DemoSession(c)->Print(OutputsIn(out.Path()));
        EXPECT_EQ(r.pages, 0) << "printed pages past a failed query";
        for (const TnMessage& m : r.messages) {
          if (m.kind == kMsgAviso) message += m.text;
        }
        out.Clear();
      } catch (const EDatabaseError& e) {
        message = e.Message();
      } catch (const std::exception& e) {
        ADD_FAILURE() << "raised another error: " << e.what();
      }
      EXPECT_TRUE(Contains(message, "conexão perdida")) << message;
      EXPECT_TRUE(out.Entries().empty()) << out.Entries().front();
      ++faults;
    }
    PrintsAgain(c, out);
  }
  RecordProperty("database_faults", faults);
  std::cout << "database faults injected: " << faults << "\n";
}

// How the output folder is lost during a print.
enum class Loss { kRemoved, kReplaced };

TEST_F(FaultsTest, AnOutputFolderThatGoesAwayIsAnErrorNamingIt) {
  for (const ReportCase& c : CatalogueCases()) {
    for (Loss loss : {Loss::kRemoved, Loss::kReplaced}) {
      SCOPED_TRACE(c.label + (loss == Loss::kRemoved ? " removed" : " replaced"));
      ScratchDir parent("proof-gone");
      const fs::path dir = parent.Path() / "saida";
      fs::create_directory(dir);
      bool lost = false;
      StatementLog log([&](const TnStatementEvent&, const StatementLog&) {
        if (lost) return;
        lost = true;
        fs::remove_all(dir);
        if (loss == Loss::kReplaced) fs::create_directory(dir);
      });
      const std::string message =
          FailureOf<Exception>([&] { DemoSession(c)->Print(OutputsIn(dir)); });
      EXPECT_TRUE(lost);
      EXPECT_TRUE(Contains(message, dir.string())) << message;
      // Nothing left in the folder made again, and no folder made anew.
      EXPECT_EQ(fs::exists(dir), loss == Loss::kReplaced);
      if (fs::exists(dir)) {
        EXPECT_TRUE(fs::is_empty(dir));
      }
    }
  }
}

TEST_F(FaultsTest, AFolderRemovedWhileTheProgressMovesIsAnErrorNamingIt) {
  const ReportCase& c = CatalogueCases().front();
  ScratchDir parent("proof-progress");
  const fs::path dir = parent.Path() / "saida";
  fs::create_directory(dir);
  bool lost = false;
  const std::string message = FailureOf<Exception>([&] {
    DemoSession(c)->Print(OutputsIn(dir), [&](const TnPrintProgress&) {
      if (!lost) fs::remove_all(dir);
      lost = true;
    });
  });
  EXPECT_TRUE(lost) << c.label << " never reported progress";
  EXPECT_TRUE(Contains(message, dir.string())) << message;
  EXPECT_FALSE(fs::exists(dir));
}

TEST_F(FaultsTest, AnOutputUnderAFileIsRefusedBeforeThePrint) {
  const ReportCase& c = CatalogueCases().front();
  ScratchDir parent("proof-notdir");
  std::ofstream(parent / "file.txt") << "não é uma pasta";
  const fs::path dir = parent.Path() / "file.txt";
  StatementLog log;
  const std::string message = FailureOf<Exception>([&] { DemoSession(c)->Print(OutputsIn(dir)); });
  EXPECT_TRUE(Contains(message, (dir / "out.pdf").string())) << message;
  EXPECT_EQ(log.Prepares(), 0) << "the print ran before its outputs were known to be writable";
  EXPECT_EQ(parent.Entries().size(), 1u);
}

// Writes that fail as on a full disk: the process may not grow a file past
// `bytes` while it lives (the signal that would end it is ignored, so the
// write itself fails).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previous_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_;
  void (*previous_handler_)(int);
};

TEST_F(FaultsTest, AWriteThatFailsIsAnErrorNamingTheOutput) {
  struct Output {
    const char* what;
    TnPrintOutputs (*in)(const fs::path&);
  };
  const Output outputs[] = {
      {"pdf", [](const fs::path& d) { return TnPrintOutputs{.pdf = (d / "out.pdf").string()}; }},
      {"text", [](const fs::path& d) { return TnPrintOutputs{.text = (d / "out.txt").string()}; }},
      {"trace",
       [](const fs::path& d) { return TnPrintOutputs{.trace = (d / "out.trace").string()}; }},
  };
  const ReportCase& c = CatalogueCases().front();
  for (const Output& o : outputs) {
    SCOPED_TRACE(o.what);
    ScratchDir out("proof-full");
    const TnPrintOutputs targets = o.in(out.Path());
    std::string message;
    {
      auto session = DemoSession(c);
      FileSizeLimit limit(4096);
      message = FailureOf<Exception>([&] { session->Print(targets); });
    }
    // The pages are kept in a temporary file (in TMPDIR) before any output
    // is drawn; a write there fails first and names that folder.  The
    // engine shared between processes writes the database's header as a
    // transaction starts, so that write may be the first to fail: it names
    // the database file.
    const std::string spool = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    EXPECT_TRUE(Contains(message, out.Path().string()) ||
                Contains(message, "temporário das páginas em " + spool) ||
                Contains(message, DemoDatabase::Get().File()))
        << message;
    EXPECT_TRUE(out.Entries().empty()) << out.Entries().front();
  }
}

// A layout the report cannot print from, in a plug-in folder of its own
// beside a link to the plug-in, found through the catalogue.
struct BrokenLayout {
  const char* what;
  std::function<std::string(const std::string&)> edit;  // the layout's text -> the broken one
};

std::string WithoutSection8(const std::string& text) {
  json layout = json::parse(text);
  json& sections = layout["sections"];
  for (auto it = sections.begin(); it != sections.end(); ++it) {
    if ((*it)["number"] == 8) {
      sections.erase(it);
      return layout.dump(2);
    }
  }
  return "";  // the layout has no section 8: nothing to take away
}

TEST_F(FaultsTest, ABrokenLayoutIsAnErrorNamingItsFile) {
  const BrokenLayout broken[] = {
      {"invalid JSON", [](const std::string& t) { return t.substr(0, t.size() / 2); }},
      {"no section 8", WithoutSection8},
  };
  int tried = 0;
  for (const ReportCase& c : CatalogueCases()) {
    std::ifstream in(c.layout);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    for (const BrokenLayout& b : broken) {
      SCOPED_TRACE(c.label + ": " + b.what);
      const std::string edited = b.edit(text);
      if (edited.empty()) continue;
      ScratchDir dir("proof-layout");
      const std::string name = fs::path(c.plugin->Path()).stem().string().substr(3);  // lib...
      fs::create_directory(dir.Path() / "plugins");
      fs::create_symlink(c.plugin->Path(), dir.Path() / "plugins" / ("lib" + name + ".so"));
      const std::string layout = (dir.Path() / "plugins" / (name + ".json")).string();
      std::ofstream(layout) << edited;
      const TnPluginInfo info = TnPluginCatalog({(dir.Path() / "plugins").string()}).Resolve(name);
      fs::create_directory(dir.Path() / "saida");
      const std::string message = FailureOf<Exception>([&] {
        TnPrintSession session(TnLoadedPlugin::Open(info.path), info.Layout());
        session.SetParameters(DemoValues(session.Engine()));
        session.Print(OutputsIn(dir.Path() / "saida"));
      });
      // The engine names a layout by its file name, as its traces do.
      EXPECT_TRUE(Contains(message, fs::path(layout).filename().string())) << message;
      EXPECT_TRUE(fs::is_empty(dir.Path() / "saida"));
      ++tried;
    }
  }
  EXPECT_GT(tried, static_cast<int>(CatalogueCases().size()));
}

// The plug-in whose destructor raises.
std::string ThrowingPlugin() { return VIREO_THROWING_PLUGIN; }
std::string ThrowingLayout() {
  return (fs::path(VIREO_THROWING_PLUGIN).parent_path() / "rptThrowingDestructor.json").string();
}

struct DestructorCase {
  const char* what;
  TnRunVia via;
  const char* falhar;
  const char* error;  // what the error the host reports says
};

TEST(ThrowingDestructorTest, TheHostReportsTheErrorAndWritesNothing) {
  auto plugin = TnLoadedPlugin::Open(ThrowingPlugin());
  const DestructorCase cases[] = {
      {"configured", TnRunVia::kConfiguredInstance, "0", "falha ao liberar"},
      {"bare instance", TnRunVia::kInstance, "0", "falha ao liberar"},
      {"export", TnRunVia::kExport, "0", "falha ao liberar"},
      // The body's error is the one the user must see.
      {"configured, body fails", TnRunVia::kConfiguredInstance, "1", "falha proposital"},
      {"export, body fails", TnRunVia::kExport, "1", "falha proposital"},
  };
  for (const DestructorCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir out("proof-dtor");
    const std::string message = FailureOf<Exception>([&] {
      TnPrintSession session(plugin, ThrowingLayout(), c.via);
      session.SetParameter("pFalhar", c.falhar);
      session.Print(OutputsIn(out.Path()));
    });
    EXPECT_TRUE(Contains(message, c.error)) << message;
    EXPECT_TRUE(out.Entries().empty()) << out.Entries().front();
  }
  // An instance made and never printed goes with its session.
  { TnPrintSession(plugin, ThrowingLayout()).Prepare(); }
  SUCCEED() << "the process is still here";
}

TEST(ThrowingDestructorTest, TheProgramExitsWithAFailure) {
  ScratchDir dir("proof-dtor-cli");
  const std::string db = dir / "empty.fdb";
  CreateDatabaseFromTemplate(db).reset();
  const std::string cmd = std::string(VIREO_BIN) + " print " + ThrowingPlugin() + " --db " + db +
                          " -o " + (dir / "out.pdf") + " 2>" + (dir / "err.txt");
  const int raw = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(raw)) << "the program did not exit";
  EXPECT_EQ(WEXITSTATUS(raw), 1);
  std::ifstream err(dir / "err.txt");
  const std::string message((std::istreambuf_iterator<char>(err)), {});
  EXPECT_TRUE(Contains(message, "falha ao liberar")) << message;
  EXPECT_FALSE(fs::exists(dir / "out.pdf"));
}

}  // namespace
}  // namespace vireo::test
