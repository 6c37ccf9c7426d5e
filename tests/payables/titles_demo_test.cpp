// The listings on the demo database, checked against figures worked out
// another way: the accounting model at a month end is the financial model
// plus the payments posted after that day on the titles listed, and the net
// totals of payments and receipts of a month are the cash their settlements
// moved.  And `vireo print` answers refused parameters with their statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "db/demo.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "tests/payables/payables_test_support.h"

namespace vireo::test {
namespace {

// "1.234,50" as a number.
double Numero(const std::string& texto) {
  std::string limpo;
  for (char c : Trim(texto)) {
    if (c == '.') continue;
    limpo += c == ',' ? '.' : c;
  }
  return limpo.empty() ? 0 : std::stod(limpo);
}

class TitlesDemoTest : public PayablesDbTest {
 protected:
  void SetUp() override {
    OpenDatabase("payables-demo", "demo.fdb");
    GenerateDemo(*db_, DemoOptions{});
  }
  double Soma(const std::string& sql) {
    std::unique_ptr<TnClientDataSet> cds(db_->Query(sql));
    return cds->Fields(0)->AsFloat();
  }
  using Params = std::map<std::string, std::string>;
  double TotalGeral(const std::string& report, const Params& params, const std::string& var) {
    return Numero(Var(Imprimir(report, params).Of(16).at(0), var));
  }
};

TEST_F(TitlesDemoTest, AccountingModelIsTheFinancialOnePlusPaymentsAfterTheDay) {
  struct Caso {
    const char* report;
    const char* titulo;
    const char* baixa;
    const char* chave;
  };
  const Caso casos[] = {
      {"rptPayables", "FPRCONTAPAGAR", "FPRCONTAPAGARBAIXA", "PAG"},
      {"rptReceivables", "FPRCONTARECEBER", "FPRCONTARECEBERBAIXA", "REC"},
  };
  for (const Caso& c : casos) {
    for (const char* fim : {"31/01/2026", "31/03/2026"}) {
      SCOPED_TRACE(std::string(c.report) + " " + fim);
      const Params periodo = {{"pDataInicial", "01/01/2025"}, {"pDataFinal", fim}};
      Params contabil = periodo, financeiro = periodo;
      contabil["pModelo"] = "0";
      financeiro["pModelo"] = "1";
      const std::string k = c.chave;
      const std::string data = std::string(fim).substr(6, 4) + "-" + std::string(fim).substr(3, 2) +
                               "-" + std::string(fim).substr(0, 2);
      const double depois = Soma(
          "select coalesce(sum(BX.VALORBAIXA), 0) from " + std::string(c.baixa) + " BX join " +
          c.titulo + " T on T.CODIGOESCRIT = BX.CODIGOESCRIT and T.CODIGO" +
          (k == "PAG" ? "PAGARCAB" : "RECEBERCAB") + " = BX.CODIGO" +
          (k == "PAG" ? "PAGARCAB" : "RECEBERCAB") + " and T.CODIGO" +
          (k == "PAG" ? "PAGAR" : "RECEBER") + " = BX.CODIGO" + (k == "PAG" ? "PAGAR" : "RECEBER") +
          " where T.DATAVENCIMENTO" + k + " between '2025-01-01' and '" + data +
          "' and T.SITUACAO" + k + " in (1, 2, 3) and BX.DATALANCAMENTOBAIXA > '" + data + "'");
      EXPECT_GT(depois, 0) << "the demo pays some titles after the month end";
      EXPECT_NEAR(TotalGeral(c.report, contabil, "R5"),
                  TotalGeral(c.report, financeiro, "R5") + depois, 0.005);
    }
  }
}

TEST_F(TitlesDemoTest, NetPaymentsAndReceiptsOfAMonthAreTheCashTheirSettlementsMoved) {
  // Payments are listed for titles with a supplier; receipts for all.
  const double pago = Soma(
      "select sum(CX.VALORCAIXA) from FPRCAIXA CX join FPRACERTOCX AX on AX.CODIGOESCRIT = "
      "CX.CODIGOESCRIT and AX.CODIGOCAIXA = CX.CODIGOCAIXA and AX.ORIGEMCAIXA = 2 "
      "where exists (select 1 from FPRCONTAPAGARBAIXA BX join FPRCONTAPAGAR CP on "
      "CP.CODIGOESCRIT = BX.CODIGOESCRIT and CP.CODIGOPAGARCAB = BX.CODIGOPAGARCAB and "
      "CP.CODIGOPAGAR = BX.CODIGOPAGAR where BX.CODIGOESCRIT = AX.CODIGOESCRIT and "
      "BX.CODIGOACERTO = AX.CODIGOACERTO and CP.CODIGOPESSOAFIN is not null and "
      "BX.DATALANCAMENTOBAIXA between '2026-03-01' and '2026-03-31')");
  const double recebido = Soma(
      "select sum(CX.VALORCAIXA) from FPRCAIXA CX join FPRACERTOCX AX on AX.CODIGOESCRIT = "
      "CX.CODIGOESCRIT and AX.CODIGOCAIXA = CX.CODIGOCAIXA and AX.ORIGEMCAIXA = 2 "
      "where exists (select 1 from FPRCONTARECEBERBAIXA BX where BX.CODIGOESCRIT = "
      "AX.CODIGOESCRIT and BX.CODIGOACERTO = AX.CODIGOACERTO and "
      "BX.DATALANCAMENTOBAIXA between '2026-03-01' and '2026-03-31')");
  const Params marco = {{"pDataInicial", "01/03/2026"}, {"pDataFinal", "31/03/2026"}};
  EXPECT_GT(pago, 0);
  EXPECT_GT(recebido, 0);
  EXPECT_NEAR(TotalGeral("rptPayments", marco, "R8"), pago, 0.005);
  EXPECT_NEAR(TotalGeral("rptReceipts", marco, "R9"), recebido, 0.005);
  // The same by date.
  Params por_data = marco;
  por_data["pOrdenar"] = "1";
  EXPECT_NEAR(Numero(Var(Imprimir("rptPayments", por_data).Of(18).at(0), "R8")), pago, 0.005);
  EXPECT_NEAR(TotalGeral("rptReceipts", por_data, "R9"), recebido, 0.005);
}

// `vireo print` with values given on its command line: statuses, and no
// output left behind.
TEST_F(TitlesDemoTest, TheProgramRefusesBadParametersWithTheirStatuses) {
  // The program opens the file itself: this process lets it go.
  Commit();
  SetCurrentConnection(nullptr);
  db_.reset();
  struct Caso {
    const char* report;
    const char* param;
    int status;
  };
  const Caso casos[] = {
      {"rptPayables", "pCodigoEscrit=1) or (1=1", 3},
      {"rptPayables", "pCodigoFornecedor='; delete from FPRCAIXA; --", 3},
      {"rptReceivables", "pCodigoCliente=1 or 1=1", 3},
      {"rptPayments", "pCodigoConta=1) or (1=1", 3},
      {"rptReceipts", "pCodigoCliente=x", 3},
      {"rptPayables", "pOrdenar=um", 3},
      {"rptPayables", "pOrdenar=2", 3},
      {"rptReceivables", "pOrdenar=3", 3},
      {"rptReceipts", "pOrdenar=-1", 3},
      {"rptPayables", "pModelo=1.5", 3},
      {"rptPayments", "pExibirColuna=doc", 3},
      {"rptReceivables", "pCalcularJuros=talvez", 3},
      {"rptPayments", "pDataFinal=01/01/2020", 1},
      {"rptReceipts", "pDataFinal=01/01/2020", 1},
  };
  const std::string out = (dir_ / "out.pdf").string();
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.report) + " " + c.param);
    const std::string cmd = std::string(VIREO_BIN) + " print " + c.report + " --db '" +
                            (dir_ / "demo.fdb").string() + "' -o '" + out + "' -p \"" + c.param +
                            "\" 2>'" + (dir_ / "err.txt").string() + "' >/dev/null";
    const int raw = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), c.status);
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

}  // namespace
}  // namespace vireo::test
