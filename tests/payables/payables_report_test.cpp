// The accounts-payable listing: the two models around the end of the range,
// the date the range applies to, other documents without invoice, the
// supplier's telephone, the order of headers, lines and totals, column
// titles on every page, and what the parameters refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "tests/payables/payables_test_support.h"

namespace vireo::test {
namespace {

using Params = std::map<std::string, std::string>;

class ContasPagarTest : public PayablesDbTest {
 protected:
  // A title of 100,00 due 25/01/2026, settled by one payment on `pago_em`.
  void Quitado(int cab, const Variant& pago_em) {
    Pagar({.cab = cab,
           .pessoa = 101,
           .documento = "NF " + std::to_string(cab),
           .emissao = Dia(2026, 1, 2),
           .vencimento = Dia(2026, 1, 25),
           .valor = 100,
           .saldo = 0,
           .situacao = 3});
    BaixaPagar({.cab = cab, .data = pago_em, .valor = 100});
  }
  TracePrint Contas(Params params) {
    params.emplace("pDataInicial", "01/01/2026");
    params.emplace("pDataFinal", "31/01/2026");
    return Imprimir("rptPayables", params);
  }
};

TEST_F(ContasPagarTest, AccountingModelCountsPaymentsAfterTheEndOfTheRange) {
  Quitado(1, Dia(2026, 2, 10));  // open on 31/01
  Quitado(2, Dia(2026, 1, 20));  // paid inside the range
  Quitado(3, Dia(2026, 1, 31));  // paid on the last day
  // Partly paid: 40 inside the range, 25 after it, 35 still open.
  Pagar({.cab = 4,
         .pessoa = 101,
         .documento = "NF 4",
         .emissao = Dia(2026, 1, 3),
         .vencimento = Dia(2026, 1, 28),
         .valor = 100,
         .saldo = 35,
         .situacao = 2});
  BaixaPagar({.cab = 4, .data = Dia(2026, 1, 15), .valor = 40});
  BaixaPagar({.cab = 4, .data = Dia(2026, 2, 2), .valor = 25});

  const TracePrint contabil = Contas({{"pModelo", "0"}});
  EXPECT_EQ(Vars(contabil, 9, "R1"), (std::vector<std::string>{"NF 1", "NF 4"}));
  EXPECT_EQ(Vars(contabil, 9, "R5"), (std::vector<std::string>{"100,00", "60,00"}));
  EXPECT_EQ(Var(contabil.Of(16).at(0), "R5"), "160,00");
  EXPECT_EQ(Var(contabil.Of(9).at(0), "pTitulo"),
            "Contas a Pagar por Fornecedor entre 01/01/2026 e 31/01/2026 - Modelo Contábil");

  const TracePrint financeiro = Contas({{"pModelo", "1"}});
  EXPECT_EQ(Vars(financeiro, 9, "R1"), (std::vector<std::string>{"NF 4"}));
  EXPECT_EQ(Vars(financeiro, 9, "R5"), (std::vector<std::string>{"35,00"}));
  EXPECT_EQ(Var(financeiro.Of(9).at(0), "pTitulo"),
            "Contas a Pagar por Fornecedor entre 01/01/2026 e 31/01/2026 - Modelo Financeiro");

  // Another model is valued as the financial one, with no model in the title.
  const TracePrint outro = Contas({{"pModelo", "2"}});
  EXPECT_EQ(Vars(outro, 9, "R5"), (std::vector<std::string>{"35,00"}));
  EXPECT_EQ(Var(outro.Of(9).at(0), "pTitulo"),
            "Contas a Pagar por Fornecedor entre 01/01/2026 e 31/01/2026");
}

TEST_F(ContasPagarTest, CancelledTitlesNeverShow) {
  Pagar({.cab = 1,
         .pessoa = 101,
         .documento = "NF 1",
         .vencimento = Dia(2026, 1, 5),
         .valor = 50,
         .saldo = 50,
         .situacao = 4});
  EXPECT_TRUE(Contas({{"pModelo", "0"}}).Bodies().empty());
  EXPECT_TRUE(Contas({{"pModelo", "1"}}).Bodies().empty());
}

TEST_F(ContasPagarTest, RangeAppliesToTheDueDateUnlessAskedForTheIssueDate) {
  // Issued in December, due in January; issued in January, due in March.
  Pagar({.cab = 1,
         .pessoa = 101,
         .documento = "DEZ",
         .emissao = Dia(2025, 12, 20),
         .vencimento = Dia(2026, 1, 10),
         .valor = 10,
         .saldo = 10});
  Pagar({.cab = 2,
         .pessoa = 101,
         .documento = "JAN",
         .emissao = Dia(2026, 1, 5),
         .vencimento = Dia(2026, 3, 10),
         .valor = 20,
         .saldo = 20});
  for (const char* vencimento : {"0", "abc", ""}) {
    EXPECT_EQ(Vars(Contas({{"pDataFiltrar", vencimento}}), 9, "R1"),
              (std::vector<std::string>{"DEZ"}))
        << vencimento;
  }
  EXPECT_EQ(Vars(Contas({{"pDataFiltrar", "1"}}), 9, "R1"), (std::vector<std::string>{"JAN"}));
}

TEST_F(ContasPagarTest, ByDueDateOtherDocumentsWithoutInvoiceShowTheirDescription) {
  Pagar({.cab = 1,
         .pessoa = 101,
         .documento = "GUIA 1",
         .emissao = Dia(2026, 1, 2),
         .vencimento = Dia(2026, 1, 10),
         .valor = 10,
         .saldo = 10,
         .tipo_doc = 99,
         .descr_tipo_doc = "Guia de recolhimento",
         .numero_nf = Variant()});
  Pagar({.cab = 2,
         .pessoa = 101,
         .documento = "GUIA 2",
         .emissao = Dia(2026, 1, 2),
         .vencimento = Dia(2026, 1, 11),
         .valor = 10,
         .saldo = 10,
         .tipo_doc = 99,
         .descr_tipo_doc = "Boleto avulso",
         .numero_nf = 0});
  Pagar({.cab = 3,
         .pessoa = 101,
         .documento = "NF 77",
         .emissao = Dia(2026, 1, 2),
         .vencimento = Dia(2026, 1, 12),
         .valor = 10,
         .saldo = 10,
         .tipo_doc = 99,
         .descr_tipo_doc = "Outro",
         .numero_nf = 77});
  Pagar({.cab = 4,
         .pessoa = 102,
         .documento = "NF 0",
         .emissao = Dia(2026, 1, 2),
         .vencimento = Dia(2026, 1, 13),
         .valor = 10,
         .saldo = 10,
         .tipo_doc = 1,
         .numero_nf = Variant()});
  const TracePrint print = Contas({{"pOrdenar", "1"}});
  EXPECT_EQ(Vars(print, 11, "R3"),
            (std::vector<std::string>{"Guia de recolhimento", "Boleto avulso", "NF 77", "NF 0"}));
  EXPECT_EQ(Vars(print, 14, "pVencimento"),
            (std::vector<std::string>{"10/01/2026", "11/01/2026", "12/01/2026", "13/01/2026"}));
  // The supplier's telephone, not its e-mail; none for a supplier without one.
  EXPECT_EQ(Vars(print, 11, "R2"),
            (std::vector<std::string>{"(41) 3333-1010", "(41) 3333-1010", "(41) 3333-1010", ""}));
  EXPECT_EQ(Var(print.Of(11).at(3), "R1"), "102 - Alfa Transportes");
}

TEST_F(ContasPagarTest, SupplierHeaderAddsATelephoneOnlyWhenThereIsOne) {
  Contato(102, kEmail, "alfa@alfa.com.br");
  Pagar({.cab = 1,
         .pessoa = 101,
         .documento = "B",
         .vencimento = Dia(2026, 1, 10),
         .valor = 1,
         .saldo = 1});
  Pagar({.cab = 2,
         .pessoa = 102,
         .documento = "A",
         .vencimento = Dia(2026, 1, 10),
         .valor = 1,
         .saldo = 1});
  Pagar({.cab = 3, .documento = "SEM", .vencimento = Dia(2026, 1, 10), .valor = 1, .saldo = 1});
  const TracePrint print = Contas({});
  // By name: the title without a supplier first, then Alfa, then Beta.
  EXPECT_EQ(
      Vars(print, 13, "pDescFornecedor"),
      (std::vector<std::string>{"", "Alfa Transportes", "Beta Papelaria - Fone: (41) 3333-1010"}));
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 13, 9, 15, 13, 9, 15, 13, 9, 15, 16}));
}

TEST_F(ContasPagarTest, EveryPageOpensWithTheColumnTitles) {
  for (int i = 1; i <= 150; ++i) {
    Pagar({.cab = i,
           .pessoa = i % 2 ? 101 : 102,
           .documento = "NF " + std::to_string(i),
           .vencimento = Dia(2026, 1, 1 + i % 28),
           .valor = 10,
           .saldo = 10});
  }
  for (const char* ordenar : {"0", "1"}) {
    const TracePrint print = Contas({{"pOrdenar", ordenar}});
    const int titulos = ordenar[0] == '0' ? 8 : 10;
    ASSERT_GT(print.pages, 1);
    for (int page = 1; page <= print.pages; ++page) {
      EXPECT_EQ(print.OnPage(page).at(1), titulos) << "page " << page;
    }
    EXPECT_EQ(print.Of(titulos).size(), static_cast<size_t>(print.pages));
    EXPECT_EQ(Var(print.Of(16).at(0), "R5"), "1.500,00");
  }
}

TEST_F(ContasPagarTest, CompanyHeaderOnlyForOneCompany) {
  Pagar({.cab = 1,
         .pessoa = 101,
         .documento = "A",
         .vencimento = Dia(2026, 1, 10),
         .valor = 1,
         .saldo = 1});
  Pagar({.escrit = 2,
         .cab = 1,
         .pessoa = 101,
         .documento = "B",
         .vencimento = Dia(2026, 1, 10),
         .valor = 1,
         .saldo = 1});
  const json um = Contas({{"pCodigoEscrit", "1"}}).Of(9).at(0);
  EXPECT_EQ(Var(um, "pNomeEmpresa"), "Empresa Um Ltda");
  EXPECT_EQ(Var(um, "pInscrFederal"), "11.111.111/0001-11");
  const json todas = Contas({{"pCodigoEscrit", "1..2"}}).Of(9).at(0);
  EXPECT_EQ(Var(todas, "pNomeEmpresa"), "");
}

TEST_F(ContasPagarTest, RefusedParameters) {
  Pagar({.cab = 1,
         .pessoa = 101,
         .documento = "A",
         .vencimento = Dia(2026, 1, 10),
         .valor = 1,
         .saldo = 1});
  try {
    Contas({{"pOrdenar", "2"}});
    FAIL() << "grouping 2 printed";
  } catch (const EnParam& e) {
    EXPECT_EQ(e.ParamName(), "pOrdenar");
  }
  try {
    Imprimir("rptPayables", {{"pDataInicial", "01/02/2026"}, {"pDataFinal", "31/01/2026"}});
    FAIL() << "reversed range printed";
  } catch (const EnParam&) {
    FAIL() << "a reversed range is no parameter error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "A data inicial não pode ser maior que a data final.");
  }
}

}  // namespace
}  // namespace vireo::test
