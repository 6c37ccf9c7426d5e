// The transaction check on the demo database agrees with the account
// balances: for every current account, the debits and credits its summary
// line shows for a month are the inflows and outflows the account-balance
// module counts for that month in cash-movement mode (the entries of
// settlements only).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "db/demo.h"
#include "host/biz/korvanfin.h"
#include "host/biz/saldo_conta_individual.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "tests/checks/checks_test_support.h"

namespace vireo::test {
namespace {

const int kResumoAnalitica = 20;

std::string Valor(double valor) { return valor > 0 ? FormatFloat("#,##0.00", valor) : ""; }

class TransactionCheckDemoTest : public ChecksDbTest {
 protected:
  void SetUp() override {
    RegisterKorvanFin5();
    ChecksDbTest::SetUp();
    GenerateDemo(*db_, DemoOptions{});
  }
};

TEST_F(TransactionCheckDemoTest, EachCurrentAccountsSummaryMatchesItsCashMovement) {
  for (int mes : {3, 11}) {
    SCOPED_TRACE(mes);
    const TDateTime inicio = EncodeDate(2025, mes, 1);
    const TDateTime fim = EncodeDate(2025, mes, DaysInAMonth(2025, mes));
    // Debit and credit of each analytic summary line, by classification.
    std::map<std::string, std::pair<std::string, std::string>> resumo;
    const TracePrint print = Imprimir("rptTransactionCheck", {{"pDataInicial", DateToStr(inicio)},
                                                              {"pDataFinal", DateToStr(fim)}});
    for (const json& e : print.Of(kResumoAnalitica)) {
      const std::string conta = Var(e, "R1");
      resumo[conta.substr(0, conta.find(' '))] = {Var(e, "R2"), Var(e, "R3")};
    }
    auto modulo = CriarDMSaldoConta();
    TnFiltroSaldoConta filtro;
    filtro.DataInicial = inicio;
    filtro.DataFinal = fim;
    filtro.EhRelMovCaixa = true;
    TnClientDataSet* saldos = modulo->Gerar(filtro);
    int comparadas = 0;
    for (saldos->First(); !saldos->Eof(); saldos->Next()) {
      if (saldos->FieldByName("TipoConta")->AsString() != "A") continue;
      const std::string classif = saldos->FieldByName("ClassifConta")->AsString();
      const double debito = saldos->FieldByName("ValorDebito")->AsFloat();
      const double credito = saldos->FieldByName("ValorCredito")->AsFloat();
      if (debito == 0 && credito == 0) continue;
      SCOPED_TRACE(classif);
      ASSERT_TRUE(resumo.count(classif));
      EXPECT_EQ(resumo[classif].first, Valor(debito));
      EXPECT_EQ(resumo[classif].second, Valor(credito));
      ++comparadas;
    }
    EXPECT_GE(comparadas, 6);  // two banks and a till of each of three companies
  }
}

}  // namespace
}  // namespace vireo::test
