// The list of received cheques: date groups, the company total printed
// even without cheques, the person of the status-1 detail, and a cheque
// listed once however many detail rows it has.
#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "tests/vouchers/cheques_test_support.h"

namespace vireo::test {
namespace {

const char kRecebidos[] = "rptChequesReceived";

class ChequesReceivedTest : public ChequesDbTest {};

TEST_F(ChequesReceivedTest, DateGroupsThenABlankLineAndTheCompanyTotal) {
  Basico();
  Recebido(1, 5, 100, 101);
  Recebido(2, 5, 25.5, 102);
  Recebido(3, 9, 10, 101);
  const TracePrint print = Imprimir(kRecebidos, {});
  EXPECT_EQ(print.Bodies(), (std::vector<int>{10, 8, 8, 9, 10, 8, 9, 8, 9}));
  EXPECT_EQ(Totais(print),
            (std::vector<std::string>{"Total em 05/03/2024=125,50", "Total em 09/03/2024=10,00",
                                      "Total:=135,50"}));
  const std::vector<json> linhas = print.Of(kLinha);
  EXPECT_EQ(Var(linhas[0], "R2"), "000101 - Fornecedor Alfa");
  EXPECT_EQ(Var(linhas[1], "R2"), "000102 - D'Ávila Materiais");
  EXPECT_EQ(Var(linhas[1], "R3"), "Cadastrado");
  EXPECT_EQ(Var(linhas[1], "R6"), "25,50");
  EXPECT_EQ(Var(linhas.back(), "R1"), "");  // the blank line before the total
}

TEST_F(ChequesReceivedTest, ACompanyWithoutChequesStillPrintsItsZeroTotal) {
  Basico();
  Recebido(1, 5, 100, 101);
  const TracePrint print = Imprimir(kRecebidos, {{"pCodigoEscrit", "1;2"}});
  EXPECT_EQ(Totais(print), (std::vector<std::string>{"Total em 05/03/2024=100,00", "Total:=100,00",
                                                     "Total:=0,00"}));
  const json ultimo = print.Of(kTotal).back();
  EXPECT_EQ(Var(ultimo, "pNomeEmpresa"), "0002 Empresa Dois S.A.");
  EXPECT_EQ(print.pages, 2);
}

TEST_F(ChequesReceivedTest, CompaniesTogetherShareADateGroup) {
  Basico();
  Recebido(1, 5, 100, 101, 1);
  Recebido(1, 5, 40, 102, 2);
  EXPECT_EQ(Totais(Imprimir(kRecebidos, {})),
            (std::vector<std::string>{"Total em 05/03/2024=140,00", "Total:=140,00"}));
}

// Several detail rows of the current status or of status 1 would repeat the
// cheque (and its value in the totals) once per combination of rows.
TEST_F(ChequesReceivedTest, RepeatedDetailRowsListTheChequeOnce) {
  Basico();
  Recebido(1, 5, 100, 101);
  ChequeDetalhe(1, 1, 1, Dia(2024, 3, 2), 101);  // a second row of status 1
  Recebido(2, 5, 30, 0);                         // status 1 naming nobody
  const TracePrint print = Imprimir(kRecebidos, {});
  const std::vector<json> linhas = print.Of(kLinha);
  ASSERT_EQ(linhas.size(), 3u);  // two cheques and the blank line
  EXPECT_EQ(Var(linhas[0], "R2"), "000101 - Fornecedor Alfa");
  EXPECT_EQ(Var(linhas[1], "R2"), "");
  EXPECT_EQ(Totais(print),
            (std::vector<std::string>{"Total em 05/03/2024=130,00", "Total:=130,00"}));
}

TEST_F(ChequesReceivedTest, FiltersByPersonStatusAndNumber) {
  Basico();
  Recebido(1, 5, 100, 101);
  Recebido(2, 6, 30, 102);
  auto linhas = [&](const std::map<std::string, std::string>& params) {
    size_t n = 0;
    for (const json& e : Imprimir(kRecebidos, params).Of(kLinha)) n += Var(e, "R1").empty() ? 0 : 1;
    return n;
  };
  EXPECT_EQ(linhas({{"pCodigoPessoaFin", "102"}}), 1u);
  EXPECT_EQ(linhas({{"pNumeroChequeFpr", "1"}}), 1u);
  EXPECT_EQ(linhas({{"pStatusDoCheque", "2..6"}}), 0u);
  EXPECT_THROW(Imprimir(kRecebidos, {{"pNumeroChequeFpr", "um"}}), EnParam);
}

}  // namespace
}  // namespace vireo::test
