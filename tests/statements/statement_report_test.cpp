// The supplier and the customer statement plug-ins: the running balance
// with its sign outside the digits, one group per person, the column
// titles on every page, the company header, and what stops a print.
#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "tests/statements/statements_test_support.h"

namespace vireo::test {
namespace {

enum Secao { kCabecalhoPagina = 1, kTitulos = 8, kLinha = 9, kGrupo = 10, kRodape = 11 };

class StatementReportTest : public StatementDbTest {};

TEST_F(StatementReportTest, SupplierBalanceRunsFromTheOpeningRowAndShowsItsSignOutsideTheDigits) {
  Basico();
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 2, 10), 500);
  Baixa(Lado::kPagar, 1, 10, 1, 5, Dia(2024, 3, 4), 200);
  Baixa(Lado::kPagar, 1, 10, 1, 6, Dia(2024, 3, 8), 400);
  const TracePrint print = Imprimir("rptSupplierStatement");
  const auto grupo = print.Of(kGrupo);
  ASSERT_EQ(grupo.size(), 1u);
  EXPECT_EQ(Var(grupo[0], "R2"), "Saldo anterior");
  EXPECT_EQ(Var(grupo[0], "pCodigoFornecedorExibir"), "100");
  EXPECT_EQ(Var(grupo[0], "pDescFornecedor"), "Fornecedor Cem");
  EXPECT_EQ(Var(grupo[0], "R5"), "500,00");
  EXPECT_EQ(Var(grupo[0], "R6"), "");
  const auto linhas = print.Of(kLinha);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "R1"), "04/03/2024");
  EXPECT_EQ(Var(linhas[0], "R3"), "200,00");
  EXPECT_EQ(Var(linhas[0], "R4"), "");
  EXPECT_EQ(Var(linhas[0], "R7"), "Acerto 5");
  EXPECT_EQ(Var(linhas[0], "R5"), "300,00");
  EXPECT_EQ(Var(linhas[1], "R5"), "(100,00");
  EXPECT_EQ(Var(linhas[1], "R6"), ")");
  EXPECT_EQ(Var(linhas[0], "pTitulo"), "Extrato Fornecedor entre 01/03/2024 e 31/03/2024");
  EXPECT_EQ(print.Bodies(), (std::vector<int>{kTitulos, kGrupo, kLinha, kLinha, kRodape}));
}

TEST_F(StatementReportTest, CustomerBalanceFallsWithCredits) {
  Basico();
  Titulo(Lado::kReceber, 1, 20, 1, 200, Dia(2024, 2, 10), 800);
  Baixa(Lado::kReceber, 1, 20, 1, 5, Dia(2024, 3, 4), 300);
  Baixa(Lado::kReceber, 1, 20, 1, 6, Dia(2024, 3, 8), 600);
  const TracePrint print = Imprimir("rptCustomerStatement");
  const auto grupo = print.Of(kGrupo);
  ASSERT_EQ(grupo.size(), 1u);
  EXPECT_EQ(Var(grupo[0], "pCodigoClienteExibir"), "200");
  EXPECT_EQ(Var(grupo[0], "pDescCliente"), "Cliente Duzentos");
  EXPECT_EQ(Var(grupo[0], "R5"), "800,00");
  const auto linhas = print.Of(kLinha);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "R4"), "300,00");  // a credit in the credit column
  EXPECT_EQ(Var(linhas[0], "R5"), "500,00");
  EXPECT_EQ(Var(linhas[1], "R5"), "(100,00");
  EXPECT_EQ(Var(linhas[1], "R6"), ")");
  EXPECT_EQ(Var(linhas[0], "pTitulo"), "Extrato Cliente entre 01/03/2024 e 31/03/2024");
}

TEST_F(StatementReportTest, BalanceRestartsForEveryPersonAndAnOpeningAloneGetsHeaderAndFooter) {
  Basico();
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 2, 10), 70);  // only an opening balance
  Titulo(Lado::kPagar, 1, 11, 1, 101, Dia(2024, 3, 2), 30);
  const TracePrint print = Imprimir("rptSupplierStatement");
  EXPECT_EQ(print.Bodies(), (std::vector<int>{kTitulos, kGrupo, kRodape, kGrupo, kLinha, kRodape}));
  const auto grupos = print.Of(kGrupo);
  EXPECT_EQ(Var(grupos[1], "pCodigoFornecedorExibir"), "101");
  EXPECT_EQ(Var(grupos[1], "R5"), "0,00");
  EXPECT_EQ(Var(print.Of(kLinha)[0], "R5"), "30,00");
}

TEST_F(StatementReportTest, AZeroBalanceOnPaperNeverPrintsAsNegative) {
  Basico();
  // Cents that binary fractions cannot hold exactly.
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 3, 1), 0.1);
  Titulo(Lado::kPagar, 1, 10, 2, 100, Dia(2024, 3, 1), 0.2);
  Baixa(Lado::kPagar, 1, 10, 1, 5, Dia(2024, 3, 2), 0.3);
  const auto linhas = Imprimir("rptSupplierStatement").Of(kLinha);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(Var(linhas[2], "R5"), "0,00");
  EXPECT_EQ(Var(linhas[2], "R6"), "");
}

TEST_F(StatementReportTest, ColumnTitlesFollowEveryPageHeader) {
  Basico();
  for (int i = 1; i <= 150; ++i) Titulo(Lado::kPagar, 1, i, 1, 100, Dia(2024, 3, 1 + i % 28), 1);
  const TracePrint print = Imprimir("rptSupplierStatement");
  ASSERT_GE(print.pages, 3);
  for (int page = 1; page <= print.pages; ++page) {
    const std::vector<int> secoes = print.OnPage(page);
    ASSERT_GE(secoes.size(), 2u);
    EXPECT_EQ(secoes[0], kCabecalhoPagina);
    EXPECT_EQ(secoes[1], kTitulos) << "page " << page;
  }
  EXPECT_EQ(Var(print.Of(kLinha).back(), "R5"), "150,00");
}

TEST_F(StatementReportTest, CompanyHeaderOnlyForOneCompany) {
  Basico();
  Titulo(Lado::kPagar, 2, 10, 1, 100, Dia(2024, 3, 2), 10);
  TracePrint print = Imprimir("rptSupplierStatement", {{"pCodigoEscrit", "2"}});
  EXPECT_EQ(Var(print.Of(kGrupo)[0], "pNomeEmpresa"), "0002 Empresa Dois Ltda");
  EXPECT_EQ(Var(print.Of(kGrupo)[0], "pInscrFederal"), "CNPJ: 22.222.222/0001-22");
  print = Imprimir("rptSupplierStatement", {{"pCodigoEscrit", "1..2"}});
  EXPECT_EQ(Var(print.Of(kGrupo)[0], "pNomeEmpresa"), "");
  EXPECT_EQ(Var(print.Of(kGrupo)[0], "pInscrFederal"), "");
}

TEST_F(StatementReportTest, NothingToShowPrintsNothing) {
  Basico();
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 3, 2), 10);
  EXPECT_EQ(Imprimir("rptSupplierStatement", {{"pCodigoFornecedor", "101"}}).pages, 0);
  EXPECT_EQ(Imprimir("rptCustomerStatement").pages, 0);
}

TEST_F(StatementReportTest, StartAfterEndStopsWithTheMessage) {
  Basico();
  for (const char* relatorio : {"rptSupplierStatement", "rptCustomerStatement"}) {
    try {
      Imprimir(relatorio, {{"pDataInicial", "01/04/2024"}});
      ADD_FAILURE() << relatorio << " printed";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "A data inicial não pode ser maior que a data final.");
    }
  }
}

}  // namespace
}  // namespace vireo::test
