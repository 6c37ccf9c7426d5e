// Several processes on one embedded database file: the engine runs shared,
// so a print in a second terminal (or a worker of `vireo serve`) does not
// fail while another program has the file open; and where a program holds
// the file alone, the message says so in words.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "db/schema.h"
#include "host/data/connection.h"

namespace vireo {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string output;
};

// A running `vireo`, read to its end by Finish().
class Child {
 public:
  // `env` is "NAME=VALUE " set for the program alone.
  explicit Child(const std::string& args, const std::string& env = {})
      : pipe_(popen((env + VIREO_BIN + " " + args + " 2>&1").c_str(), "r")) {}
  ~Child() {
    if (pipe_) pclose(pipe_);
  }
  Outcome Finish() {
    Outcome r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe_)) > 0) r.output.append(buf, n);
    int raw = pclose(std::exchange(pipe_, nullptr));
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return r;
  }

 private:
  FILE* pipe_;
};

class SharedDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vireo-shared-XXXXXX";
    dir_ = mkdtemp(tmpl);
    db_ = dir_ + "/t.fdb";
    CreateDatabaseFromTemplate(db_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A print of the probe that reads the database.
  std::string Print(const std::string& out) const {
    return "print " + std::string(VIREO_TEST_PLUGIN) + " --db " + db_ +
           " -p 'pSQL=select count(*) from rdb$relations' -p pLinhas=2000 -o " + dir_ + "/" + out;
  }

  std::string dir_, db_;
};

TEST_F(SharedDatabaseTest, TwoPrintsOfOneFileWhileThisProcessHoldsItToo) {
  // This process keeps the file open all along, so the prints overlap it
  // (and each other) whatever their timing.
  auto held = TnConnection::Open({db_});
  Child first(Print("a.pdf")), second(Print("b.txt"));
  Outcome a = first.Finish(), b = second.Finish();
  EXPECT_EQ(a.status, 0) << a.output;
  EXPECT_EQ(b.status, 0) << b.output;
  EXPECT_TRUE(fs::exists(dir_ + "/a.pdf"));
  EXPECT_TRUE(fs::exists(dir_ + "/b.txt"));
}

TEST_F(SharedDatabaseTest, AProgramHoldingTheFileAloneIsNamedInWords) {
  // The system's own configuration runs the engine in its single-process
  // mode: a print under it cannot share the file this process has open.
  fs::path root = fs::path(VIREO_BIN).parent_path().parent_path() / "firebird";
  ASSERT_TRUE(fs::exists(root / "firebird.conf")) << root;
  fs::path system_root = fs::read_symlink(root / "plugins").parent_path();
  auto held = TnConnection::Open({db_});
  Outcome r = Child(Print("c.pdf"), "FIREBIRD=" + system_root.string() + " ").Finish();
  EXPECT_EQ(r.status, 4) << r.output;
  EXPECT_NE(r.output.find("outro programa está com o banco de dados aberto só para si"),
            std::string::npos)
      << r.output;
  EXPECT_FALSE(fs::exists(dir_ + "/c.pdf"));
}

}  // namespace
}  // namespace vireo
