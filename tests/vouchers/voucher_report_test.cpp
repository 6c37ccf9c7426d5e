// The payment and the receipt voucher plug-ins: one framed voucher per
// receipt number with its event lines, blank lines up to a fixed height,
// the total and the closing block; the reference month and the payment
// date; the letterhead; vouchers never split over two sheets.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "host/core/exception.h"
#include "tests/vouchers/vouchers_test_support.h"

namespace vireo::test {
namespace {

class VoucherReportTest : public VoucherDbTest {};

TEST_F(VoucherReportTest, InstallmentsDueInSeveralMonthsReadDiversosAndTheLatestPaymentDate) {
  Basico();
  TituloExtra marco{.vencimento = Dia(2024, 3, 10)};
  TituloExtra abril{.vencimento = Dia(2024, 4, 10)};
  Parcela(Lado::kPagar, 10, 1, 100, 5, 5, 100, {}, marco);
  Parcela(Lado::kPagar, 10, 2, 100, 5, 20, 100, {}, marco);
  Parcela(Lado::kPagar, 10, 3, 100, 5, 12, 100, {}, abril);
  Parcela(Lado::kPagar, 11, 1, 101, 6, 7, 50, {}, marco);
  const TracePrint print = Pagamentos();
  const auto cabecalhos = print.Of(kCabecalho);
  ASSERT_EQ(cabecalhos.size(), 2u);
  EXPECT_EQ(Var(cabecalhos[0], "pCompetenciaExibir"), "Diversos");
  EXPECT_EQ(Var(cabecalhos[0], "pDataPagamento"), "20/03/2024");
  EXPECT_EQ(Var(cabecalhos[0], "pNumeroReciboExibir"), "1005");
  EXPECT_EQ(Var(cabecalhos[0], "pPessoaPagamento"), "0100 Fornecedor Cem");
  EXPECT_EQ(Var(cabecalhos[0], "pInscrFederalPessoaPag"), "123.456.789-09");
  EXPECT_EQ(Var(cabecalhos[1], "pCompetenciaExibir"), "03/2024");
  EXPECT_EQ(Var(cabecalhos[1], "pDataPagamento"), "07/03/2024");
  EXPECT_EQ(Var(print.Of(kFechamento)[0], "pData"), "03/2024");
}

TEST_F(VoucherReportTest, InterestFineAndDiscountGetTheirOwnLinesAndEnterTheTotal) {
  Basico();
  Parcela(Lado::kPagar, 10, 1, 100, 5, 5, 100, {.juros = 10, .desconto = 5});
  Parcela(Lado::kPagar, 10, 2, 100, 5, 5, 1000, {.multa = 20},
          {.historico = "   "});  // a blank history adds no parentheses
  const TracePrint print = Pagamentos();
  EXPECT_EQ(
      Eventos(print),
      (std::vector<std::string>{
          "Parcela 1, Conta Pagar 10 (Parcela única) = 100,00",
          "Juros Parcela 1, Conta Pagar 10 = 10,00", "Desconto Parcela 1, Conta Pagar 10 = -5,00",
          "Parcela 2, Conta Pagar 10 = 1.000,00", "Multa Parcela 2, Conta Pagar 10 = 20,00"}));
  EXPECT_EQ(Var(print.Of(kTotal)[0], "pTotalEventos"), "1.125,00");
}

TEST_F(VoucherReportTest, BlankLinesFillAVoucherUpToFifteenLines) {
  Basico();
  for (int p = 1; p <= 3; ++p) Parcela(Lado::kPagar, 10, p, 100, 5, 5, 10);
  for (int p = 1; p <= 10; ++p) Parcela(Lado::kPagar, 11, p, 101, 6, 6, 10, {.juros = 1});
  const std::vector<int> corpo = Pagamentos().Bodies();
  std::vector<int> primeiro = {kInicio, kEspaco, kCabecalho, kFavorecido,
                               kEvento, kEvento, kEvento};
  primeiro.insert(primeiro.end(), 12, kBranco);
  primeiro.insert(primeiro.end(),
                  {kTotal, kEspaco, kBranco, kFechamento, kBranco, kBranco, kBranco});
  std::vector<int> segundo = {kInicio, kEspaco, kCabecalho, kFavorecido};
  segundo.insert(segundo.end(), 20, kEvento);
  segundo.insert(segundo.end(), {kTotal, kEspaco, kBranco, kFechamento, kBranco, kBranco, kBranco});
  std::vector<int> esperado = primeiro;
  esperado.insert(esperado.end(), segundo.begin(), segundo.end());
  EXPECT_EQ(corpo, esperado);
}

TEST_F(VoucherReportTest, TwoReceiptsShareTheLetterheadAndCloseWithTheirOwnPayee) {
  Basico();
  Parcela(Lado::kPagar, 10, 1, 100, 5, 5, 10);
  Parcela(Lado::kPagar, 11, 1, 101, 6, 6, 10);
  const TracePrint print = Pagamentos();
  int imagens = 0;
  for (const json& e : print.trace) {
    if (e["event"] == "image") ++imagens;
  }
  EXPECT_EQ(imagens, 1);
  EXPECT_EQ(print.Of(kInicio).size(), 2u);
  const auto fechamentos = print.Of(kFechamento);
  ASSERT_EQ(fechamentos.size(), 2u);
  EXPECT_EQ(Var(fechamentos[0], "pAssinatura"), "Fornecedor Cem");
  EXPECT_EQ(Var(fechamentos[1], "pAssinatura"), "Fornecedor Cento e Um");
  EXPECT_EQ(Var(fechamentos[0], "pCidadeImobiliaria"), "Curitiba");
  EXPECT_EQ(Var(fechamentos[0], "pUFImobiliaria"), "PR");
  const json cabecalho = print.Of(kCabecalho)[0];
  EXPECT_EQ(Var(cabecalho, "pEmpresaNome"), "Empresa Um Ltda");
  EXPECT_EQ(Var(cabecalho, "pEmpresaInscricaoEstadual"), "11.111.111/0001-11");
  EXPECT_EQ(Var(cabecalho, "pEmpresaEndereco"), "Rua das Flores, 100   - Centro");
  EXPECT_EQ(Var(cabecalho, "pEmpresaTelefone"), "(41) 3333-4444");
}

TEST_F(VoucherReportTest, ALatestContactThatIsNoTelephonePrintsNone) {
  Basico();
  Contato(1, kEmail, "financeiro@empresaum.com.br");
  Parcela(Lado::kPagar, 10, 1, 100, 5, 5, 10);
  EXPECT_EQ(Var(Pagamentos().Of(kCabecalho)[0], "pEmpresaTelefone"), "");
}

TEST_F(VoucherReportTest, NoVoucherIsSplitAndTwoFitOnASheet) {
  Basico();
  for (int a = 1; a <= 7; ++a) {
    for (int p = 1; p <= a % 4 + 1; ++p) Parcela(Lado::kPagar, a, p, 100, a, a, 10);
  }
  const TracePrint print = Pagamentos();
  EXPECT_EQ(print.pages, 4);
  int pagina_inicio = 0;
  for (const auto& [secao, pagina] : print.BodiesWithPage()) {
    if (secao == kInicio) pagina_inicio = pagina;
    if (secao == kFechamento) EXPECT_EQ(pagina, pagina_inicio);
  }
}

TEST_F(VoucherReportTest, SelectionsOfSettlementAndPayeeNarrowTheVouchers) {
  Basico();
  Parcela(Lado::kPagar, 10, 1, 100, 5, 5, 10);
  Parcela(Lado::kPagar, 11, 1, 101, 6, 6, 10);
  Parcela(Lado::kPagar, 12, 1, 100, 7, 7, 10);
  EXPECT_EQ(Pagamentos({{"pCodigoAcerto", "6..7"}}).Of(kInicio).size(), 2u);
  EXPECT_EQ(Pagamentos({{"pCodigoPessoaFin", "100"}}).Of(kInicio).size(), 2u);
  EXPECT_EQ(Pagamentos({{"pCodigoEscrit", "2"}}).pages, 0);
  EXPECT_EQ(Pagamentos({{"pDataFinal", "06/03/2024"}}).Of(kInicio).size(), 2u);
}

TEST_F(VoucherReportTest, PaymentVoucherRefusesAnEndBeforeTheStart) {
  Basico();
  Parcela(Lado::kPagar, 10, 1, 100, 5, 5, 10);
  try {
    Pagamentos({{"pDataInicial", "01/04/2024"}});
    ADD_FAILURE() << "printed";
  } catch (const EnParam& e) {
    EXPECT_EQ(e.ParamName(), "pDataInicial");
    EXPECT_EQ(e.Message(), "Data inicial não pode ser maior que data final.");
  }
}

TEST_F(VoucherReportTest, ReceiptVoucherListsEachInstallmentWithItsExtras) {
  Basico();
  Parcela(Lado::kReceber, 20, 1, 100, 5, 5, 300, {.juros = 3, .multa = 6});
  Parcela(Lado::kReceber, 20, 2, 100, 5, 9, 300, {.desconto = 9});
  const TracePrint print = Imprimir("rptReceiptVoucher");
  EXPECT_EQ(Eventos(print),
            (std::vector<std::string>{"Parcela 1, Conta Receber 20 (Parcela única) = 300,00",
                                      "Juros Parcela 1, Conta Receber 20 = 3,00",
                                      "Multa Parcela 1, Conta Receber 20 = 6,00",
                                      "Parcela 2, Conta Receber 20 (Parcela única) = 300,00",
                                      "Desconto Parcela 2, Conta Receber 20 = -9,00"}));
  EXPECT_EQ(Var(print.Of(kTotal)[0], "pTotalEventos"), "600,00");
  EXPECT_EQ(Var(print.Of(kCabecalho)[0], "pDataRecebimento"), "09/03/2024");
  // An end before the start selects nothing and is no error.
  EXPECT_EQ(Imprimir("rptReceiptVoucher", {{"pDataInicial", "01/04/2024"}}).pages, 0);
}

}  // namespace
}  // namespace vireo::test
