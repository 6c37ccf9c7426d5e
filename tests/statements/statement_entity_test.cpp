// The statement entities of the host: which titles and settlements become
// rows, on which side, in which order and with which texts, and when a
// person is listed at all.
#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "tests/statements/statements_test_support.h"

namespace vireo::test {
namespace {

using Row = LinhaLida;

// Histories of the rows, in order.
std::vector<std::string> Historicos(const std::vector<Row>& rows) {
  std::vector<std::string> out;
  for (const Row& r : rows) out.push_back(r.historico);
  return out;
}

// The balance the rows leave on the title side (suppliers: credits add).
double Saldo(const std::vector<Row>& rows, const std::string& lado_titulo) {
  double saldo = 0;
  for (const Row& r : rows) saldo += r.lado == lado_titulo ? r.valor : -r.valor;
  return saldo;
}

class StatementEntityTest : public StatementDbTest {};

TEST_F(StatementEntityTest, OpensWithTheBalanceBeforeTheRangeThenTheRowsOfTheRange) {
  Basico();
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 2, 10), 500, {.documento = "NF 77"});
  Baixa(Lado::kPagar, 1, 10, 1, 5, Dia(2024, 3, 4), 200);
  Titulo(Lado::kPagar, 1, 11, 1, 100, Dia(2024, 3, 20), 90,
         {.documento = "  ", .historico = "Frete"});
  const std::vector<Row> rows = Fornecedores();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].historico, "Saldo anterior");
  EXPECT_EQ(rows[0].data, "29/02/2024");
  EXPECT_EQ(rows[0].lado, "C");
  EXPECT_DOUBLE_EQ(rows[0].valor, 500);
  EXPECT_EQ(rows[0].complemento, "");
  EXPECT_EQ(rows[1].historico, "Pagamento NF 77/1");
  EXPECT_EQ(rows[1].complemento, "Acerto 5");
  EXPECT_EQ(rows[1].lado, "D");
  EXPECT_EQ(rows[2].historico, "Título 11/1");  // no document: the header code
  EXPECT_EQ(rows[2].complemento, "Frete");
  EXPECT_EQ(rows[2].data, "20/03/2024");
  EXPECT_EQ(rows[0].empresa, "0001 Empresa Um Ltda");
  EXPECT_DOUBLE_EQ(Saldo(rows, "C"), 390);
}

TEST_F(StatementEntityTest, OpeningGoesToTheOtherSideWhenMoreWasPaidThanOwed) {
  Basico();
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 2, 10), 100);
  Baixa(Lado::kPagar, 1, 10, 1, 5, Dia(2024, 2, 11), 130);
  Titulo(Lado::kReceber, 1, 20, 1, 200, Dia(2024, 2, 10), 100);
  Baixa(Lado::kReceber, 1, 20, 1, 6, Dia(2024, 2, 11), 130);
  const std::vector<Row> fornecedor = Fornecedores();
  ASSERT_EQ(fornecedor.size(), 1u);
  EXPECT_EQ(fornecedor[0].lado, "D");
  EXPECT_DOUBLE_EQ(fornecedor[0].valor, 30);
  const std::vector<Row> cliente = Clientes();
  ASSERT_EQ(cliente.size(), 1u);
  EXPECT_EQ(cliente[0].lado, "C");  // a customer's titles are debits
  EXPECT_DOUBLE_EQ(cliente[0].valor, 30);
}

TEST_F(StatementEntityTest, InterestFineAndDiscountFollowTheirSettlementAndNetToTheAmountSettled) {
  Basico();
  Titulo(Lado::kReceber, 1, 20, 1, 200, Dia(2024, 3, 1), 1000, {.documento = "Fat 9"});
  Baixa(Lado::kReceber, 1, 20, 1, 8, Dia(2024, 3, 15), 1000,
        {.juros = 10, .multa = 20, .desconto = 5});
  const std::vector<Row> rows = Clientes();
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(Historicos(rows),
            (std::vector<std::string>{"Saldo anterior", "Título Fat 9/1", "Recebimento Fat 9/1",
                                      "Juros Fat 9/1", "Multa Fat 9/1", "Desconto Fat 9/1"}));
  EXPECT_EQ(rows[2].lado, "C");
  EXPECT_DOUBLE_EQ(rows[2].valor, 1025);  // what was received
  EXPECT_EQ(rows[3].lado, "D");
  EXPECT_EQ(rows[4].lado, "D");
  EXPECT_EQ(rows[5].lado, "C");
  EXPECT_EQ(rows[5].complemento, "Acerto 8");
  EXPECT_DOUBLE_EQ(Saldo(rows, "D"), 0);  // settled in full
}

TEST_F(StatementEntityTest, ZeroInterestFineAndDiscountAddNoRows) {
  Basico();
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 3, 1), 100);
  Baixa(Lado::kPagar, 1, 10, 1, 5, Dia(2024, 3, 2), 100);
  EXPECT_EQ(Fornecedores().size(), 3u);
}

TEST_F(StatementEntityTest, CancelledTitlesAndTheirSettlementsAreLeftOut) {
  Basico();
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 2, 1), 700, {.situacao = 4});
  Baixa(Lado::kPagar, 1, 10, 1, 5, Dia(2024, 3, 2), 700);
  Titulo(Lado::kPagar, 1, 10, 2, 100, Dia(2024, 3, 3), 50, {.situacao = 2});
  const std::vector<Row> rows = Fornecedores();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_DOUBLE_EQ(rows[0].valor, 0);
  EXPECT_EQ(rows[1].historico, "Título NF 100/2");
}

TEST_F(StatementEntityTest, ASettlementCountsAtItsOwnDateEvenBeforeItsTitle) {
  Basico();
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 3, 10), 300);
  Baixa(Lado::kPagar, 1, 10, 1, 5, Dia(2024, 3, 5), 300);
  std::vector<Row> rows = Fornecedores();
  EXPECT_EQ(Historicos(rows),
            (std::vector<std::string>{"Saldo anterior", "Pagamento NF 100/1", "Título NF 100/1"}));
  // From the 7th the payment is history: an opening on the debit side.
  rows = Fornecedores("", "", EncodeDate(2024, 3, 7), EncodeDate(2024, 3, 31));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].lado, "D");
  EXPECT_DOUBLE_EQ(rows[0].valor, 300);
  // Up to the 6th the title does not exist yet.
  rows = Fornecedores("", "", EncodeDate(2024, 3, 1), EncodeDate(2024, 3, 6));
  EXPECT_EQ(Historicos(rows), (std::vector<std::string>{"Saldo anterior", "Pagamento NF 100/1"}));
}

TEST_F(StatementEntityTest, OneDateHoldsTitlesFirstThenEachSettlementWithItsExtras) {
  Basico();
  Titulo(Lado::kPagar, 1, 12, 1, 100, Dia(2024, 3, 9), 10, {.documento = "B"});
  Titulo(Lado::kPagar, 1, 11, 2, 100, Dia(2024, 3, 9), 10, {.documento = "A"});
  Titulo(Lado::kPagar, 1, 11, 1, 100, Dia(2024, 3, 9), 10, {.documento = "A"});
  Baixa(Lado::kPagar, 1, 12, 1, 7, Dia(2024, 3, 9), 10, {.juros = 1});
  Baixa(Lado::kPagar, 1, 11, 1, 7, Dia(2024, 3, 9), 10, {.desconto = 1});
  EXPECT_EQ(
      Historicos(Fornecedores()),
      (std::vector<std::string>{"Saldo anterior", "Título A/1", "Título A/2", "Título B/1",
                                "Pagamento A/1", "Desconto A/1", "Pagamento B/1", "Juros B/1"}));
}

TEST_F(StatementEntityTest, ListsAPersonWithAnOpeningBalanceOrARowInTheRange) {
  Basico();
  Pessoa(102, "Fornecedor Quitado");
  Pessoa(103, "Fornecedor Sem Nada no Mês");
  Pessoa(104, "Fornecedor Só Depois");
  Titulo(Lado::kPagar, 1, 10, 1, 102, Dia(2024, 1, 10), 80);  // settled before the range
  Baixa(Lado::kPagar, 1, 10, 1, 5, Dia(2024, 1, 20), 80);
  Titulo(Lado::kPagar, 1, 11, 1, 103, Dia(2024, 1, 10), 80);  // owed, quiet in March
  Titulo(Lado::kPagar, 1, 12, 1, 104, Dia(2024, 4, 2), 80);   // after the range
  Titulo(Lado::kPagar, 1, 13, 1, 101, Dia(2024, 3, 2), 80);
  std::vector<int> pessoas;
  for (const Row& r : Fornecedores()) {
    if (r.historico == "Saldo anterior") pessoas.push_back(r.pessoa);
  }
  EXPECT_EQ(pessoas, (std::vector<int>{101, 103}));
}

TEST_F(StatementEntityTest, SelectedCompaniesGoTogetherInOneGroupPerPerson) {
  Basico();
  Titulo(Lado::kPagar, 2, 10, 1, 100, Dia(2024, 2, 1), 40);
  Titulo(Lado::kPagar, 1, 10, 1, 100, Dia(2024, 3, 3), 10);
  Titulo(Lado::kPagar, 2, 11, 1, 100, Dia(2024, 3, 4), 20);
  Titulo(Lado::kPagar, 2, 12, 1, 101, Dia(2024, 3, 4), 30);
  std::vector<Row> rows = Fornecedores("1;2");
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].pessoa, 100);
  EXPECT_EQ(rows[0].empresa, "0001 Empresa Um Ltda");  // the person's lowest company
  EXPECT_DOUBLE_EQ(rows[0].valor, 40);
  EXPECT_EQ(rows[1].empresa, "0001 Empresa Um Ltda");
  EXPECT_EQ(rows[2].empresa, "0002 Empresa Dois Ltda");
  EXPECT_EQ(rows[3].pessoa, 101);
  EXPECT_EQ(rows[3].empresa, "0002 Empresa Dois Ltda");
  // One company alone leaves the other's rows out.
  rows = Fornecedores("1", "100");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_DOUBLE_EQ(rows[0].valor, 0);
}

TEST_F(StatementEntityTest, SelectsPersonsByTheInstallmentsOwnPerson) {
  Basico();
  Titulo(Lado::kReceber, 1, 20, 1, 200, Dia(2024, 3, 1), 10);
  Titulo(Lado::kReceber, 1, 20, 2, 201, Dia(2024, 3, 1), 20);  // same document, other person
  const std::vector<Row> rows = Clientes("", "201");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].pessoa, 201);
  EXPECT_DOUBLE_EQ(rows[1].valor, 20);
}

TEST_F(StatementEntityTest, RefusesATextThatIsNoSelection) {
  Basico();
  TnExtratoFornecedor extrato;
  extrato.SetCodigoPessoa("1) or (1=1");
  EXPECT_THROW(Extrato(extrato, "", "1) or (1=1"), EnParam);
  EXPECT_THROW(Fornecedores("'; delete from FPRCONTAPAGAR; --"), EnParam);
}

}  // namespace
}  // namespace vireo::test
