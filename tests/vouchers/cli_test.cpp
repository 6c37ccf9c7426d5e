// The `vireo` program on the four statement and voucher reports: what a
// user types wrong ends with a parameter status (3) and leaves no output
// file; the date checks answer as each report's rules say.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "db/schema.h"
#include "tests/support/vireo_run.h"

namespace vireo::test {
namespace {

class VireoStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vireo-vouchers-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    CreateDatabaseFromTemplate(dir_ + "/t.fdb");  // closed again at once
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  VireoRun Print(const std::string& relatorio, const std::string& param) {
    return RunVireo("print " + relatorio + " --db " + dir_ + "/t.fdb -o " + Arquivo() + " -p '" +
                    param + "'");
  }
  std::string Arquivo() const { return dir_ + "/r.pdf"; }
  bool HaSaida() const { return std::filesystem::exists(Arquivo()); }

  std::string dir_;
};

TEST_F(VireoStatusTest, HostileSelectionsAndANonNumericCompanyAreParameterErrors) {
  const struct {
    const char* relatorio;
    const char* parametro;
  } casos[] = {
      {"rptSupplierStatement", "pCodigoEscrit"}, {"rptSupplierStatement", "pCodigoFornecedor"},
      {"rptCustomerStatement", "pCodigoEscrit"}, {"rptCustomerStatement", "pCodigoCliente"},
      {"rptPaymentVoucher", "pCodigoAcerto"},    {"rptPaymentVoucher", "pCodigoPessoaFin"},
      {"rptReceiptVoucher", "pCodigoAcerto"},    {"rptReceiptVoucher", "pCodigoPessoaFin"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.relatorio) + " " + c.parametro);
    const auto r = Print(c.relatorio, std::string(c.parametro) + "=1) or (1=1");
    EXPECT_EQ(r.status, 3) << r.output;
    EXPECT_NE(r.output.find(c.parametro), std::string::npos) << r.output;
    EXPECT_FALSE(HaSaida());
  }
  for (const char* relatorio : {"rptPaymentVoucher", "rptReceiptVoucher"}) {
    const auto r = Print(relatorio, "pCodigoEscrit=abc");
    EXPECT_EQ(r.status, 3) << r.output;
    EXPECT_NE(r.output.find("pCodigoEscrit"), std::string::npos) << r.output;
    EXPECT_FALSE(HaSaida());
  }
}

TEST_F(VireoStatusTest, EachReportAnswersAnEndBeforeTheStartItsOwnWay) {
  const std::string antes = "pDataFinal=01/01/2000";
  auto r = Print("rptPaymentVoucher", antes);
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.output.find("Data inicial não pode ser maior que data final."), std::string::npos)
      << r.output;
  EXPECT_FALSE(HaSaida());
  r = Print("rptReceiptVoucher", antes);
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("0 página(s)"), std::string::npos) << r.output;
  std::filesystem::remove(Arquivo());  // an empty print still writes its file
  for (const char* relatorio : {"rptSupplierStatement", "rptCustomerStatement"}) {
    r = Print(relatorio, antes);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("A data inicial não pode ser maior que a data final."),
              std::string::npos)
        << r.output;
    EXPECT_FALSE(HaSaida());
  }
}

}  // namespace
}  // namespace vireo::test
