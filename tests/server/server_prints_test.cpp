// The demo data made through a Firebird server prints the same reports as
// the same data in an embedded file: the connection string reaches the data
// layer, the schema and the generator work over the wire, and the reports
// read the same rows in the same order either way.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "db/demo.h"
#include "db/schema.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "tests/server/server_test_support.h"

namespace vireo::server_test {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kSeed = 20261209;

struct Print {
  const char* name;
  const char* args;
};

const Print kPrints[] = {
    {"ledger", "rptLedger -p pDataInicial=01/01/2025 -p pDataFinal=31/12/2025"},
    {"ledger_mc",
     "rptLedger --layout movcaixa -p pDataInicial=01/01/2025 -p pDataFinal=31/03/2025"},
    {"tb", "rptTrialBalance -p pDataInicial=01/01/2025 -p pDataFinal=31/12/2025"},
    {"lec", "rptLedgerEntryCheck -p pDataInicial=01/01/2025 -p pDataFinal=31/01/2025"},
};

class ServerPrintsTest : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    char tmpl[] = "/tmp/vireo-server-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  // Prints into DIR/<tag>-<name>.trace; returns the program's messages.
  std::string PrintAll(const std::string& db, const std::string& tag) {
    std::string messages;
    for (const Print& p : kPrints) {
      std::string trace = dir_ + "/" + tag + "-" + p.name + ".trace";
      Outcome r = Vireo("print " + std::string(p.args) + " --db " + db + " --trace " + trace);
      EXPECT_EQ(r.status, 0) << tag << " " << p.name << ": " << r.output;
      messages += std::string(p.name) + ": " + r.output;
    }
    return messages;
  }

  std::string dir_;
};

TEST_F(ServerPrintsTest, DemoThroughTheServerPrintsAsTheEmbeddedFile) {
  std::string remote = ServerAddress() + ":" + dir_ + "/demo.fdb";
  // `vireo demo` through a connection string: the server writes the file.
  Outcome made = Vireo("demo --db " + remote + " --scale 1 --seed " + std::to_string(kSeed));
  ASSERT_EQ(made.status, 0) << made.output;
  EXPECT_NE(made.output.find("Banco de demonstração criado: " + remote), std::string::npos)
      << made.output;
  // The server wrote the file; nothing was opened in-process.
  ASSERT_TRUE(fs::exists(dir_ + "/demo.fdb"));

  std::string local = dir_ + "/embedded.fdb";
  Outcome demo = Vireo("demo --db " + local + " --scale 1 --seed " + std::to_string(kSeed));
  ASSERT_EQ(demo.status, 0) << demo.output;

  std::string remote_messages = PrintAll(remote, "server");
  std::string local_messages = PrintAll(local, "embedded");
  EXPECT_EQ(remote_messages, local_messages);
  for (const Print& p : kPrints) {
    SCOPED_TRACE(p.name);
    std::string from_server = Slurp(dir_ + "/server-" + p.name + ".trace");
    std::string from_file = Slurp(dir_ + "/embedded-" + p.name + ".trace");
    EXPECT_GT(from_server.size(), 1000u);
    EXPECT_TRUE(from_server == from_file) << "traces differ; see " << dir_;
  }
  if (!HasFailure()) return;
  dir_.clear();  // kept for a look at the differing traces
}

}  // namespace
}  // namespace vireo::server_test
