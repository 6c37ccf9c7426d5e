// The transaction check: per transaction its heading, entries and totals,
// the grand totals and the summary tree; the company heading; a list
// handed over by number; and what it refuses.
#include <gtest/gtest.h>

#include "host/biz/conferencia_transacoes.h"
#include "host/core/exception.h"
#include "tests/checks/checks_test_support.h"

namespace vireo::test {
namespace {

const char kConferencia[] = "rptTransactionCheck";
enum SecaoConferencia : int {
  kEntrada = 8,
  kSeparador = 11,
  kTransacao = 12,
  kTotalTransacao = 14,
  kCabecalhoResumo = 18,
  kSintetica = 19,
  kAnalitica = 20,
  kTotalGeral = 21,
};

class TransactionCheckTest : public ChecksDbTest {
 protected:
  // Company 1 "Empresa Um Ltda"; the chart 1 ATIVO > 2 DISPONÍVEL >
  // 11 Caixa, 12 Banco; 3 RECEITAS > 31 Vendas.  Settlement 1 (receipt,
  // 05/03, 500): Caixa debit 500, Vendas credit 500; settlement 2
  // (movement, 06/03, 80) without entries; settlement 3 (movement, 07/03,
  // 40): Banco debit 40, Caixa credit 40.
  void Basico() {
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Sintetica(1, "1", "ATIVO");
    Sintetica(2, "1.1", "DISPONÍVEL");
    Analitica(11, "1.1.01", "Caixa");
    Analitica(12, "1.1.02", "Banco");
    Sintetica(3, "3", "RECEITAS");
    Analitica(31, "3.1", "Vendas", 0);
    AcertoFinanceiro(1, 1, 1, Dia(2024, 3, 5), 500);
    Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 500);
    Caixa(1, 2, 31, Dia(2024, 3, 5), -1, 500);
    AcertoCaixa(1, 1, 1, 2, 11);
    AcertoCaixa(1, 1, 2, 1, 31);
    AcertoFinanceiro(1, 2, 3, Dia(2024, 3, 6), 80);
    AcertoFinanceiro(1, 3, 3, Dia(2024, 3, 7), 40);
    Caixa(1, 3, 12, Dia(2024, 3, 7), 1, 40);
    Caixa(1, 4, 11, Dia(2024, 3, 7), -1, 40);
    AcertoCaixa(1, 3, 3, 2, 12);
    AcertoCaixa(1, 3, 4, 1, 11);
  }

  // "R1|R2|R3|R4|R8R7" of the summary lines, with the section.
  static std::vector<std::string> Resumo(const TracePrint& print) {
    std::vector<std::string> out;
    for (const json& e : print.trace) {
      if (e["event"] != "section") continue;
      const int s = e["section"];
      if (s != kSintetica && s != kAnalitica) continue;
      out.push_back(std::to_string(s) + " " + Var(e, "R1") + "|" + Var(e, "R2") + "|" +
                    Var(e, "R3") + "|" + Var(e, "R8") + Var(e, "R4") + Var(e, "R7"));
    }
    return out;
  }
};

TEST_F(TransactionCheckTest, TransactionsTotalsAndTheSummaryTree) {
  Basico();
  const TracePrint print = Imprimir(kConferencia, {});
  EXPECT_EQ(print.Bodies(), (std::vector<int>{12, 8,  8,  14, 11, 12, 14, 11, 12, 8, 8,
                                              14, 11, 21, 18, 19, 19, 20, 20, 19, 20}));
  const std::vector<json> cabecalhos = print.Of(kTransacao);
  EXPECT_EQ(Var(cabecalhos[0], "pImpTransacao"), "1");
  EXPECT_EQ(Var(cabecalhos[0], "pImpData"), "05/03/2024");
  EXPECT_EQ(Var(cabecalhos[0], "pImpValor"), "500,00");
  EXPECT_EQ(Var(cabecalhos[0], "pImpOperacao"), "Recebimento");
  EXPECT_EQ(Var(cabecalhos[1], "pImpOperacao"), "Movimentação");
  const std::vector<json> entradas = print.Of(kEntrada);
  EXPECT_EQ(Var(entradas[0], "R1"), "11 1.1.01");
  EXPECT_EQ(Var(entradas[0], "R2"), "Caixa");
  EXPECT_EQ(Var(entradas[0], "R3"), "500,00");
  EXPECT_EQ(Var(entradas[0], "R4"), "");
  EXPECT_EQ(Var(entradas[1], "R3"), "");
  EXPECT_EQ(Var(entradas[1], "R4"), "500,00");
  // A transaction without entries: its heading and a zero total line.
  const std::vector<json> totais = print.Of(kTotalTransacao);
  EXPECT_EQ(Var(totais[1], "R7"), "0,00");
  EXPECT_EQ(Var(totais[1], "R8"), "0,00");
  const json geral = print.Of(kTotalGeral).front();
  EXPECT_EQ(Var(geral, "pTotalDebitosGeral"), "540,00");
  EXPECT_EQ(Var(geral, "pTotalCreditosGeral"), "540,00");
  // Debits and credits add up the tree; a zero balance has no parentheses,
  // a negative one has them around its absolute value.
  EXPECT_EQ(Resumo(print),
            (std::vector<std::string>{
                "19 1 ATIVO|540,00|40,00|500,00", "19 1.1 DISPONÍVEL|540,00|40,00|500,00",
                "20 1.1.01 Caixa|500,00|40,00|460,00", "20 1.1.02 Banco|40,00||40,00",
                "19 3 RECEITAS||500,00|(500,00)", "20 3.1 Vendas||500,00|(500,00)"}));
  // Without a company selection the company heading stays empty.
  EXPECT_EQ(Var(cabecalhos[0], "pNomeEmpresa"), "");
}

TEST_F(TransactionCheckTest, TheSummaryIndentsByLevelAndAZeroBalanceHasNoParentheses) {
  Basico();
  AcertoFinanceiro(1, 4, 3, Dia(2024, 3, 8), 460);
  Caixa(1, 5, 12, Dia(2024, 3, 8), 1, 460);
  Caixa(1, 6, 11, Dia(2024, 3, 8), -1, 460);
  AcertoCaixa(1, 4, 5, 2, 12);
  AcertoCaixa(1, 4, 6, 1, 11);
  const TracePrint print = Imprimir(kConferencia, {});
  std::map<std::string, json> linhas;
  for (const int s : {kSintetica, kAnalitica})
    for (const json& e : print.Of(s)) linhas[Var(e, "R1")] = e;
  const json& caixa = linhas.at("1.1.01 Caixa");
  EXPECT_EQ(Var(caixa, "R4"), "0,00");
  EXPECT_EQ(Var(caixa, "R8"), "");
  EXPECT_EQ(Var(caixa, "R7"), "");
  const json& ativo = LabelOf(linhas.at("1 ATIVO"), "lblSinteticaConta");
  const json& conta = LabelOf(caixa, "lblAnaliticaConta");
  EXPECT_GT(conta["left"].get<double>(), ativo["left"].get<double>());
  // The right edge stays, so the amounts keep their columns.
  EXPECT_DOUBLE_EQ(conta["left"].get<double>() + conta["width"].get<double>(),
                   ativo["left"].get<double>() + ativo["width"].get<double>());
}

TEST_F(TransactionCheckTest, CompanyHeadingOnlyWithASelection) {
  Basico();
  Escritorio(2);
  AcertoFinanceiro(2, 1, 2, Dia(2024, 3, 9), 10);
  const TracePrint print = Imprimir(kConferencia, {{"pCodigoEscrit", "1;2"}});
  const std::vector<json> cabecalhos = print.Of(kTransacao);
  ASSERT_EQ(cabecalhos.size(), 4u);
  EXPECT_EQ(Var(cabecalhos[0], "pNomeEmpresa"), "0001 Empresa Um Ltda");
  EXPECT_EQ(Var(cabecalhos[0], "pInscrFederal"), "CNPJ: 11.111.111/0001-11");
  // Company 2 has no person record: its heading stays empty.
  EXPECT_EQ(Var(cabecalhos[3], "pNomeEmpresa"), "");
  EXPECT_EQ(Var(cabecalhos[3], "pInscrFederal"), "");
}

TEST_F(TransactionCheckTest, AListHandedOverByNumberIsPrintedAsItIs) {
  Basico();
  TListaTransacoes lista(1);
  lista[0].CodigoEscrit = 1;
  lista[0].Numero = 77;
  lista[0].Data = EncodeDate(2020, 1, 2);  // outside the period: not the report's to filter
  lista[0].Valor = 12;
  lista[0].TipoOperacao = toPagamento;
  lista[0].Contas[lcOutras].push_back({12, "1.1.02", "Banco", 12, kNaturezaCredito});
  TnRegistroTransacoes registro(&lista);
  const TracePrint print =
      Imprimir(kConferencia, {{"pObjetoTransacoes", std::to_string(registro.Handle())}});
  EXPECT_EQ(print.Bodies(), (std::vector<int>{12, 8, 14, 11, 21, 18, 19, 19, 20}));
  EXPECT_EQ(Var(print.Of(kTransacao).front(), "pImpTransacao"), "77");
  EXPECT_EQ(Var(print.Of(kEntrada).front(), "R4"), "12,00");
  EXPECT_EQ(lista.size(), 1u);  // still the registrant's
}

TEST_F(TransactionCheckTest, ThroughImprimirTooAndWithAnEmptyList) {
  Basico();
  EXPECT_EQ(Imprimir(kConferencia, {}, true).Of(kTransacao).size(), 3u);
  const TracePrint vazio =
      Imprimir(kConferencia, {{"pDataInicial", "01/01/2023"}, {"pDataFinal", "31/01/2023"}});
  EXPECT_EQ(vazio.Bodies(), (std::vector<int>{11, 21}));
}

TEST_F(TransactionCheckTest, RefusesAReversedPeriodBadValuesAndUnknownHandles) {
  Basico();
  try {
    Imprimir(kConferencia, {{"pDataInicial", "02/03/2024"}, {"pDataFinal", "01/03/2024"}});
    ADD_FAILURE() << "printed";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Data inicial não pode ser maior que a data final. Verifique!");
  }
  EXPECT_THROW(Imprimir(kConferencia, {{"pObjetoTransacoes", "987654"}}), EnParam);
  EXPECT_THROW(Imprimir(kConferencia, {{"pValorMinimo", "dez"}}), EnParam);
  EXPECT_THROW(Imprimir(kConferencia, {{"pOrdenar", "9"}}), EnParam);
  EXPECT_THROW(Imprimir(kConferencia, {{"pTipoOperacao", "1) or (1=1"}}), EnParam);
  // Same-day periods are fine; the value limits apply.
  EXPECT_EQ(Imprimir(kConferencia, {{"pDataInicial", "05/03/2024"}, {"pDataFinal", "05/03/2024"}})
                .Of(kTransacao)
                .size(),
            1u);
  EXPECT_EQ(Imprimir(kConferencia, {{"pValorMinimo", "50"}, {"pValorMaximo", "100,5"}})
                .Of(kTransacao)
                .size(),
            1u);
}

}  // namespace
}  // namespace vireo::test
