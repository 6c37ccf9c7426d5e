// What a user sees when a server database cannot be used: a refused login,
// a database missing on the server, a server that does not answer.  Each is
// a database error (exit status 4) whose message names the database and
// the cause, and none leaves an output behind or makes the user wait.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "db/schema.h"
#include "host/core/exception.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "tests/server/server_test_support.h"

namespace vireo::server_test {
namespace {

namespace fs = std::filesystem;

constexpr int kDatabaseError = 4;
const char kLedger[] = "print rptLedger -p pDataInicial=01/01/2025 -p pDataFinal=31/01/2025 ";

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A loopback port nobody listens on: the kernel hands out a free one, and
// it stays closed once the socket is gone.
int ClosedPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  int port = -1;
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
    port = ntohs(addr.sin_port);
  close(fd);
  return port;
}

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/vireo-server-err-XXXXXX";
    path_ = mkdtemp(tmpl) ? tmpl : "";
  }
  ~TempDir() {
    if (!path_.empty()) fs::remove_all(path_);
  }
  const std::string& path() const { return path_; }
  bool Empty() const { return fs::is_empty(path_); }

 private:
  std::string path_;
};

std::string Expect(const std::string& what, const std::string& db) {
  return "Não foi possível " + what + " o banco de dados " + db + ": ";
}

TEST(UnreachableServer, IsADatabaseErrorNamingTheServerAtOnce) {
  int port = ClosedPort();
  ASSERT_GT(port, 0);
  std::string server = "127.0.0.1/" + std::to_string(port);
  std::string db = server + ":/tmp/vireo-nowhere.fdb";
  std::string cause = "sem conexão com o servidor " + server + " (";

  TempDir out;
  Outcome r = Vireo(std::string(kLedger) + "--db " + db + " -o " + out.path() + "/r.txt",
                    "ISC_USER=SYSDBA ISC_PASSWORD=x");
  EXPECT_EQ(r.status, kDatabaseError) << r.output;
  EXPECT_TRUE(Contains(r.output, Expect("abrir", db) + cause)) << r.output;
  EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << "one line: " << r.output;
  EXPECT_LT(r.seconds, 5.0);
  EXPECT_TRUE(out.Empty());

  try {
    TnConnection::Create({db, "SYSDBA", "x"});
    ADD_FAILURE() << "created a database on a closed port";
  } catch (const EDatabaseError& e) {
    EXPECT_TRUE(Contains(e.Message(), Expect("criar", db) + cause)) << e.Message();
  }
}

class ServerErrorsTest : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    db_ = ServerAddress() + ":" + dir_.path() + "/t.fdb";
    CreateDatabase(db_, false);  // closed again at once
  }

  TempDir dir_;
  std::string db_;
};

TEST_F(ServerErrorsTest, WrongPasswordIsADatabaseErrorNamingTheUser) {
  std::string cause = "o servidor recusou o usuário " + ServerUser() + " ou a senha";
  TempDir out;
  Outcome r = Vireo(std::string(kLedger) + "--db " + db_ + " -o " + out.path() + "/r.txt",
                    "ISC_PASSWORD=not-" + ServerPassword());
  EXPECT_EQ(r.status, kDatabaseError) << r.output;
  EXPECT_TRUE(Contains(r.output, Expect("abrir", db_) + cause)) << r.output;
  EXPECT_TRUE(out.Empty());

  try {
    TnConnection::Open({db_, "NOBODY", ServerPassword()});
    ADD_FAILURE() << "an unknown user was let in";
  } catch (const EDatabaseError& e) {
    EXPECT_TRUE(Contains(e.Message(), Expect("abrir", db_) + "o servidor recusou o usuário NOBODY"))
        << e.Message();
  }
}

TEST_F(ServerErrorsTest, RightPasswordOpensAndReadsThroughTheServer) {
  auto con = TnConnection::Open({db_, ServerUser(), ServerPassword()});
  std::unique_ptr<TnClientDataSet> who(
      con->Query("select trim(MON$REMOTE_PROTOCOL) as P from MON$ATTACHMENTS "
                 "where MON$ATTACHMENT_ID = current_connection"));
  EXPECT_EQ(who->FieldByName("P")->AsString(), "TCPv4");
}

TEST_F(ServerErrorsTest, DatabaseMissingOnTheServerIsNamed) {
  std::string missing = ServerAddress() + ":" + dir_.path() + "/missing.fdb";
  Outcome r =
      Vireo(std::string(kLedger) + "--db " + missing + " --trace " + dir_.path() + "/r.trace");
  EXPECT_EQ(r.status, kDatabaseError) << r.output;
  EXPECT_TRUE(Contains(r.output, Expect("abrir", missing))) << r.output;
  EXPECT_TRUE(Contains(r.output, dir_.path() + "/missing.fdb\"")) << r.output;
  EXPECT_FALSE(fs::exists(dir_.path() + "/r.trace"));
}

}  // namespace
}  // namespace vireo::server_test
