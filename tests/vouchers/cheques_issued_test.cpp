// The list of issued cheques: groups by bank account and expected date
// with their three levels of totals, the filters, the date of the latest
// detail, and a query that fails.
#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/data/host_session.h"
#include "host/data/statement_hook.h"
#include "host/report/panel.h"
#include "tests/vouchers/cheques_test_support.h"

namespace vireo::test {
namespace {

const char kEmitidos[] = "rptChequesIssued";

class ChequesIssuedTest : public ChequesDbTest {};

TEST_F(ChequesIssuedTest, TwoAccountsAndThreeDatesCloseEachGroupInTurn) {
  Basico();
  Emitido(1, 1, 5, 100);
  Emitido(2, 1, 5, 50);
  Emitido(3, 1, 10, 30);
  Emitido(4, 2, 20, 200);
  const TracePrint print = Imprimir(kEmitidos, {});
  EXPECT_EQ(print.Bodies(), (std::vector<int>{10, 10, 10, 8,  8, 9, 10, 8, 9,  10, 9,
                                              10, 10, 10, 10, 8, 9, 10, 9, 10, 9}));
  EXPECT_EQ(Totais(print),
            (std::vector<std::string>{"Total em 05/03/2024=150,00", "Total em 10/03/2024=30,00",
                                      "Total Conta Bancária:=180,00", "Total em 20/03/2024=200,00",
                                      "Total Conta Bancária:=200,00", "Total:=380,00"}));
  const std::vector<std::string> cabecalhos = Cabecalhos(print);
  EXPECT_EQ(cabecalhos.front(), "Conta Bancária: 100-0. Agência: 10. Banco: 1 Banco Um");
  EXPECT_EQ(cabecalhos[2], "Data Previsão: 05/03/2024");
  // The lines of a total show nothing of the cheque before them.
  for (const json& e : print.Of(kTotal)) EXPECT_EQ(Var(e, "R6"), "");
  // All companies together: no company in the page header.
  EXPECT_EQ(Var(print.Of(kLinha).front(), "pNomeEmpresa"), "");
}

TEST_F(ChequesIssuedTest, AnAccountChangeOnTheSameDateCarriesTheDateGroupOn) {
  Basico();
  Emitido(1, 1, 5, 100);
  Emitido(2, 2, 5, 40);
  const TracePrint print = Imprimir(kEmitidos, {});
  EXPECT_EQ(print.Bodies(),
            (std::vector<int>{10, 10, 10, 8, 10, 9, 10, 10, 10, 8, 9, 10, 9, 10, 9}));
  EXPECT_EQ(Totais(print),
            (std::vector<std::string>{"Total Conta Bancária:=100,00", "Total em 05/03/2024=140,00",
                                      "Total Conta Bancária:=40,00", "Total:=140,00"}));
}

TEST_F(ChequesIssuedTest, ACheckedLineShowsItsColumns) {
  Basico();
  Emitido(7, 1, 5, 1234.5, "Fornecedor Alfa", 2);
  ChequeDetalhe(1, 7, 1, Dia(2024, 3, 1));
  ChequeDetalhe(1, 7, 2, Dia(2024, 3, 3));
  ChequeDetalhe(1, 7, 2, Dia(2024, 3, 4));     // deposited again: the latest counts
  Emitido(8, 1, 5, 10, "Fornecedor Alfa", 3);  // no detail of its status
  const std::vector<json> linhas = Imprimir(kEmitidos, {}).Of(kLinha);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "R1"), "000007");
  EXPECT_EQ(Var(linhas[0], "R2"), "Fornecedor Alfa");
  EXPECT_EQ(Var(linhas[0], "R3"), "Depositado");
  EXPECT_EQ(Var(linhas[0], "R4"), "01/03/2024");
  EXPECT_EQ(Var(linhas[0], "R5"), "05/03/2024");
  EXPECT_EQ(Var(linhas[0], "R6"), "1.234,50");
  EXPECT_EQ(Var(linhas[0], "R8"), "04/03/2024");
  EXPECT_EQ(Var(linhas[1], "R3"), "Compensado");
  EXPECT_EQ(Var(linhas[1], "R8"), "");
}

TEST_F(ChequesIssuedTest, CompaniesPrintApartAndOneWithoutChequesPrintsNothing) {
  Basico();
  Empresa(3, "Empresa Três");
  Emitido(1, 1, 5, 100);
  Emitido(2, 1, 6, 70, "Alfa", 1, 2);
  const TracePrint print = Imprimir(kEmitidos, {{"pCodigoEscrit", "1..3"}});
  EXPECT_EQ(Totais(print),
            (std::vector<std::string>{"Total em 05/03/2024=100,00", "Total Conta Bancária:=100,00",
                                      "Total:=100,00", "Total em 06/03/2024=70,00",
                                      "Total Conta Bancária:=70,00", "Total:=70,00"}));
  EXPECT_EQ(print.pages, 2);
  EXPECT_EQ(Var(print.Of(kLinha).back(), "pNomeEmpresa"), "0002 Empresa Dois S.A.");
  EXPECT_EQ(Var(print.Of(kLinha).back(), "pInscrFederal"), "CNPJ: 22.222.222/0001-22");
}

TEST_F(ChequesIssuedTest, FiltersByNumberStatusAccountAndPayee) {
  Basico();
  Emitido(1, 1, 5, 100, "fornecedor alfa");
  Emitido(2, 2, 5, 50, "D'Ávila Materiais", 3);
  Emitido(3, 1, 6, 30, "Outro", 5);
  auto linhas = [&](const std::map<std::string, std::string>& params) {
    std::vector<std::string> out;
    for (const json& e : Imprimir(kEmitidos, params).Of(kLinha)) out.push_back(Var(e, "R1"));
    return out;
  };
  EXPECT_EQ(linhas({{"pNumeroChequeFpr", "2"}}), (std::vector<std::string>{"000002"}));
  EXPECT_EQ(linhas({{"pNumeroChequeFpr", "0"}}).size(), 3u);
  EXPECT_EQ(linhas({{"pStatusDoCheque", "3;5"}}), (std::vector<std::string>{"000003", "000002"}));
  EXPECT_EQ(linhas({{"pCodigoContaBanc", "2"}}), (std::vector<std::string>{"000002"}));
  EXPECT_EQ(linhas({{"pNominal", "FORNECEDOR"}}), (std::vector<std::string>{"000001"}));
  EXPECT_EQ(linhas({{"pNominal", "d'ávila"}}), (std::vector<std::string>{"000002"}));
  EXPECT_TRUE(linhas({{"pNominal", "' or 1=1 --"}}).empty());
}

TEST_F(ChequesIssuedTest, BadInputIsAParameterErrorAndAReversedPeriodIsRefused) {
  Basico();
  Emitido(1, 1, 5, 100);
  EXPECT_THROW(Imprimir(kEmitidos, {{"pNumeroChequeFpr", "12a"}}), EnParam);
  EXPECT_THROW(Imprimir(kEmitidos, {{"pCodigoContaBanc", "1) or (1=1"}}), EnParam);
  try {
    Imprimir(kEmitidos, {{"pDataInicial", "10/03/2024"}, {"pDataFinal", "09/03/2024"}});
    ADD_FAILURE() << "printed";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "A data inicial não pode ser maior que a data final.");
  }
}

TEST_F(ChequesIssuedTest, AFailingQueryPrintsNothingAndIsListedAsAWarning) {
  Basico();
  Emitido(1, 1, 5, 100);
  TnStatementHook anterior = SetStatementHook([](const TnStatementEvent& e) {
    if (e.kind == TnStatementEvent::kPrepare && e.sql.find("FPRCHEQUE") != std::string::npos)
      throw EDatabaseError("tabela indisponível");
  });
  const TracePrint print = Imprimir(kEmitidos, {});
  SetStatementHook(std::move(anterior));
  EXPECT_TRUE(print.Bodies().empty());
  ASSERT_EQ(print.messages.size(), 1u);
  EXPECT_EQ(print.messages[0].kind, 1);
  EXPECT_NE(print.messages[0].text.find("tabela indisponível"), std::string::npos);
}

// The bank-account lookup offers the accounts of the company the user works
// in; without one it offers all.
TEST_F(ChequesIssuedTest, TheAccountLookupKeepsToTheCurrentCompany) {
  TnPrintSession session(ChequesPlugin(kEmitidos), ChequesLayout(kEmitidos),
                         RunVia::kConfiguredInstance);
  session.Prepare();
  auto* conta =
      dynamic_cast<TnFraCtrlNDLinkEdit*>(session.Engine().EdFindFieldControl("pCodigoContaBanc"));
  ASSERT_NE(conta, nullptr);
  const std::string sem_empresa = conta->LookupSQL();
  EXPECT_EQ(sem_empresa.find("CODIGOPESSOAFIN = 3"), std::string::npos);
  DefinirEmpresaAtual(3);
  const std::string com_empresa = conta->LookupSQL();
  DefinirEmpresaAtual(std::nullopt);
  EXPECT_EQ(com_empresa, sem_empresa + " and CODIGOPESSOAFIN = 3");
}

}  // namespace
}  // namespace vireo::test
