// The payments and receipts listings: net amounts per line and total, the
// history line, groups by person or by date, companies kept apart, the
// cash-account selection and its synthetic-account warning.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "tests/payables/payables_test_support.h"

namespace vireo::test {
namespace {

using Params = std::map<std::string, std::string>;

class PagamentosRecebimentosTest : public PayablesDbTest {
 protected:
  void SetUp() override {
    PayablesDbTest::SetUp();
    Sintetica(1, "1", "ATIVO");
    Analitica(11, "1.1", "Caixa", 1);
    Analitica(12, "1.2", "Banco", 4);
    Analitica(41, "4.1", "Material de escritório", 0);
  }
  TracePrint Pagamentos(Params params) {
    params.emplace("pDataInicial", "01/01/2026");
    params.emplace("pDataFinal", "31/01/2026");
    return Imprimir("rptPayments", params);
  }
  TracePrint Recebimentos(Params params) {
    params.emplace("pDataInicial", "01/01/2026");
    params.emplace("pDataFinal", "31/01/2026");
    return Imprimir("rptReceipts", params);
  }
  // A payable of `pessoa` in company `escrit` with one payment.
  void Pago(int escrit, int cab, int pessoa, const Variant& data, double valor, double juro,
            double multa, double desconto, const std::string& historico = "") {
    Pagar({.escrit = escrit,
           .cab = cab,
           .pessoa = pessoa,
           .documento = "D" + std::to_string(cab),
           .vencimento = Dia(2026, 1, 5),
           .valor = valor,
           .saldo = 0,
           .situacao = 3,
           .historico = historico,
           .numero_nf = 9000 + cab,
           .conta = 41});
    BaixaPagar({.escrit = escrit,
                .cab = cab,
                .data = data,
                .valor = valor,
                .juro = juro,
                .multa = multa,
                .desconto = desconto,
                .acerto = cab});
  }
};

TEST_F(PagamentosRecebimentosTest, PaymentLineAndTotalsAreNetOfDiscount) {
  Pago(1, 1, 101, Dia(2026, 1, 12), 1000, 10, 5, 20, "Compra de papel");
  Pago(1, 2, 101, Dia(2026, 1, 13), 50, 0, 0, 0, "   ");
  const TracePrint print = Pagamentos({});
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 13, 9, 12, 9, 15, 16}));
  const json linha = print.Of(9).at(0);
  EXPECT_EQ(Var(linha, "R1"), "12/01/2026");
  EXPECT_EQ(Var(linha, "R2"), "9001");
  EXPECT_EQ(Var(linha, "R5"), "1.000,00");
  EXPECT_EQ(Var(linha, "R6"), "15,00");
  EXPECT_EQ(Var(linha, "R7"), "20,00");
  EXPECT_EQ(Var(linha, "R8"), "995,00");
  EXPECT_EQ(Var(print.Of(12).at(0), "pObservacao"), "Compra de papel");
  for (int secao : {15, 16}) {
    const json total = print.Of(secao).at(0);
    EXPECT_EQ(Var(total, "R5"), "1.050,00");
    EXPECT_EQ(Var(total, "R6"), "15,00");
    EXPECT_EQ(Var(total, "R7"), "20,00");
    EXPECT_EQ(Var(total, "R8"), "1.045,00");
  }
  EXPECT_EQ(Var(linha, "pTitulo"), "Pagamentos entre 01/01/2026 a 31/01/2026");
  EXPECT_EQ(Var(linha, "pTituloColuna"), "Documento");
  const json conta = Pagamentos({{"pExibirColuna", "1"}}).Of(9).at(0);
  EXPECT_EQ(Var(conta, "R2"), "41 - Material de escritório");
  EXPECT_EQ(Var(conta, "pTituloColuna"), "Conta");
}

TEST_F(PagamentosRecebimentosTest, PaymentsByDateKeepCompaniesApart) {
  Pago(2, 1, 102, Dia(2026, 1, 10), 10, 0, 0, 0);
  Pago(1, 1, 101, Dia(2026, 1, 10), 20, 0, 0, 0);
  Pago(1, 2, 102, Dia(2026, 1, 11), 30, 0, 0, 0);
  for (const char* ordenar : {"1", "2"}) {
    const TracePrint print = Pagamentos({{"pOrdenar", ordenar}});
    EXPECT_EQ(Vars(print, 11, "R1"),
              (std::vector<std::string>{"101 - Beta Papelaria", "102 - Alfa Transportes",
                                        "102 - Alfa Transportes"}));
    // 10/01 of company 1, 11/01, then 10/01 again for company 2.
    EXPECT_EQ(Vars(print, 14, "pPagamento"),
              (std::vector<std::string>{"10/01/2026", "11/01/2026", "10/01/2026"}));
    EXPECT_EQ(Vars(print, 17, "R8"), (std::vector<std::string>{"20,00", "30,00", "10,00"}));
    EXPECT_EQ(Var(print.Of(18).at(0), "R8"), "60,00");
    // Column titles only for the groupings that have them.
    EXPECT_EQ(print.Of(10).size(), ordenar[0] == '1' ? 1u : 0u);
  }
}

TEST_F(PagamentosRecebimentosTest, CashAccountSelectionKeepsPaymentsSettledThroughIt) {
  Pago(1, 1, 101, Dia(2026, 1, 10), 100, 0, 0, 0);  // through the till
  Pago(1, 2, 101, Dia(2026, 1, 11), 200, 0, 0, 0);  // through the bank
  Pago(1, 3, 101, Dia(2026, 1, 12), 300, 0, 0, 0);  // outside the cash book
  Caixa(1, 1, 11, Dia(2026, 1, 10), -1, 100);
  Caixa(1, 2, 12, Dia(2026, 1, 11), -1, 200);
  AcertoPagar(1, 1, 1, 1, 1, 11);
  AcertoPagar(1, 2, 2, 1, 2, 12);
  EXPECT_EQ(Vars(Pagamentos({{"pCodigoConta", "11"}}), 9, "R5"),
            (std::vector<std::string>{"100,00"}));
  EXPECT_EQ(Vars(Pagamentos({{"pCodigoConta", "11;12"}}), 9, "R5"),
            (std::vector<std::string>{"100,00", "200,00"}));
  const TracePrint com_sintetica = Pagamentos({{"pCodigoConta", "1;12"}});
  EXPECT_EQ(Vars(com_sintetica, 9, "R5"), (std::vector<std::string>{"200,00"}));
  ASSERT_EQ(com_sintetica.messages.size(), 1u);
  EXPECT_EQ(com_sintetica.messages[0].kind, 4);
  EXPECT_EQ(com_sintetica.messages[0].text,
            "Encontradas contas sintéticas na seleção, elas foram ignoradas na execução do "
            "relatório.");
  EXPECT_EQ(com_sintetica.message_titles, (std::vector<std::string>{"Mensagem"}));
  EXPECT_EQ(Vars(Pagamentos({}), 9, "R5").size(), 3u);
}

TEST_F(PagamentosRecebimentosTest, ReceiptShowsTheFeeWithoutDeductingIt) {
  Receber({.cab = 1,
           .pessoa = 101,
           .documento = "NF 1",
           .vencimento = Dia(2026, 1, 5),
           .valor = 500,
           .saldo = 0,
           .situacao = 3,
           .tarifa = 3.5});
  BaixaReceber(
      {.cab = 1, .data = Dia(2026, 1, 8), .valor = 500, .juro = 5, .multa = 2, .desconto = 10});
  const TracePrint print = Recebimentos({});
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 13, 9, 15, 16}));
  const json linha = print.Of(9).at(0);
  EXPECT_EQ(Var(linha, "R1"), "08/01/2026");
  EXPECT_EQ(Var(linha, "R2"), "NF 1");
  EXPECT_EQ(Var(linha, "R3"), "05/01/2026");
  EXPECT_EQ(Var(linha, "R4"), "500,00");
  EXPECT_EQ(Var(linha, "R6"), "7,00");
  EXPECT_EQ(Var(linha, "R7"), "10,00");
  EXPECT_EQ(Var(linha, "R8"), "3,50");
  EXPECT_EQ(Var(linha, "R9"), "497,00");
  EXPECT_EQ(Var(print.Of(16).at(0), "R9"), "497,00");
  EXPECT_EQ(Var(print.Of(16).at(0), "R8"), "3,50");
  EXPECT_EQ(Var(linha, "pTitulo"), "Recebimentos entre 01/01/2026 e 31/01/2026");
}

TEST_F(PagamentosRecebimentosTest, ACompanySelectionKeepsEachCompanysCustomersApart) {
  int cab = 0;
  for (int escrit : {2, 1}) {
    for (int pessoa : {101, 102}) {
      ++cab;
      Receber({.escrit = escrit,
               .cab = cab,
               .pessoa = pessoa,
               .documento = "NF",
               .vencimento = Dia(2026, 1, 5),
               .valor = 100.0 * escrit,
               .situacao = 3});
      BaixaReceber(
          {.escrit = escrit, .cab = cab, .data = Dia(2026, 1, 6), .valor = 100.0 * escrit});
    }
  }
  // Company 1 Alfa, Beta; company 2 Alfa, Beta.
  const TracePrint por_empresa = Recebimentos({{"pCodigoEscrit", "1;2"}});
  EXPECT_EQ(Vars(por_empresa, 13, "pCodigoClienteExibir"),
            (std::vector<std::string>{"102", "101", "102", "101"}));
  EXPECT_EQ(Vars(por_empresa, 15, "R5"),
            (std::vector<std::string>{"100,00", "100,00", "200,00", "200,00"}));
  EXPECT_EQ(Var(por_empresa.Of(16).at(0), "R5"), "600,00");
  // Without a selection the companies go together.
  EXPECT_EQ(Vars(Recebimentos({}), 15, "R5"), (std::vector<std::string>{"300,00", "300,00"}));
  const TracePrint por_data = Recebimentos({{"pOrdenar", "1"}});
  EXPECT_EQ(Vars(por_data, 14, "pRecebimento"), (std::vector<std::string>{"06/01/2026"}));
  EXPECT_EQ(Vars(por_data, 11, "R1").front(), "102 - Alfa Transportes");
  EXPECT_THROW(Recebimentos({{"pOrdenar", "2"}}), EnParam);
}

}  // namespace
}  // namespace vireo::test
