// What `vireo print` answers to bad input in the cheque lists and the
// transaction check: exit status 3 naming the parameter, and no output.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "db/schema.h"

namespace vireo::test {
namespace {

namespace fs = std::filesystem;

struct Caso {
  const char* report;
  const char* param;  // NAME=VALUE
  const char* named;  // what standard error must name
};

std::string Quoted(const std::string& arg) {
  std::string out = "'";
  for (char ch : arg) out += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
  return out + "'";
}

TEST(BadInputCliTest, RefusedWithStatusThreeAndNoOutput) {
  std::string pattern = "/tmp/vireo-vouchers-cli-XXXXXX";
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;
  const std::string db = (dir / "vazio.fdb").string();
  CreateDatabaseFromTemplate(db).reset();
  const Caso casos[] = {
      {"rptChequesIssued", "pNumeroChequeFpr=12a", "pNumeroChequeFpr"},
      {"rptChequesIssued", "pCodigoContaBanc=1) or (1=1", "pCodigoContaBanc"},
      {"rptChequesIssued", "pStatusDoCheque='; delete from FPRCHEQUE; --", "pStatusDoCheque"},
      {"rptChequesReceived", "pCodigoPessoaFin=1 or 1=1", "pCodigoPessoaFin"},
      {"rptChequesReceived", "pNumeroChequeFpr=x", "pNumeroChequeFpr"},
      {"rptChartNoBalance", "pCodigoConta=1) or (1=1", "pCodigoConta"},
      {"rptTransactionCheck", "pValorMinimo=dez", "pValorMinimo"},
      {"rptTransactionCheck", "pOrdenar=9", "pOrdenar"},
      {"rptTransactionCheck", "pObjetoTransacoes=424242", "pObjetoTransacoes"},
      {"rptTransactionCheck", "pCodigoAcerto=1;x", "pCodigoAcerto"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.report) + " " + c.param);
    const std::string cmd = std::string(VIREO_BIN) + " print " + c.report + " --db " + Quoted(db) +
                            " -o " + Quoted((dir / "out.pdf").string()) + " -p " + Quoted(c.param) +
                            " 2>" + Quoted((dir / "err.txt").string()) + " >/dev/null";
    const int raw = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 3);
    std::ifstream err(dir / "err.txt");
    const std::string message((std::istreambuf_iterator<char>(err)), {});
    EXPECT_NE(message.find(c.named), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(dir / "out.pdf"));
  }
  std::error_code ignorado;
  fs::remove_all(dir, ignorado);
}

}  // namespace
}  // namespace vireo::test
