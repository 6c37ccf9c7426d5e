// The transactions of the transaction check: which settlements, in which
// order, with which entries in which list and nature; and the registry of
// lists handed over by number.
#include "host/biz/conferencia_transacoes.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/data/statement_hook.h"
#include "tests/support/fixtures.h"

namespace vireo::test {
namespace {

class ConferenciaTransacoesTest : public FinanceDbTest {
 protected:
  void SetUp() override { OpenDatabase("transacoes", "transacoes.fdb"); }
  void TearDown() override { CloseDatabase(); }

  // Settlements of companies 1 and 2 in March 2024:
  //   1/1 receipt 05/03 500,00: cash +510 on 11, titles -500 on 31, interest -10 on 32
  //   1/2 payment 02/03 80,00:  cash -80 on 11, titles +80 on 41
  //   1/3 movement 05/03 200,00: cash +200 on 11, from -200 on 12
  //   1/4 receipt 10/04 (out of the period); 2/1 payment 20/03 900,00 without entries.
  void Acertos() {
    Analitica(11, "1.1.01", "Caixa");
    Analitica(12, "1.1.02", "Banco");
    Analitica(31, "3.1", "Vendas", 0);
    Analitica(41, "4.1", "Compras", 0);
    AcertoFinanceiro(1, 1, 1, Dia(2024, 3, 5), 500);
    Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 510);
    Caixa(1, 2, 31, Dia(2024, 3, 5), -1, 500);
    Caixa(1, 3, 32, Dia(2024, 3, 5), -1, 10);  // an account the chart lacks
    AcertoCaixa(1, 1, 3, 3, 32);
    AcertoCaixa(1, 1, 2, 1, 31);
    AcertoCaixa(1, 1, 1, 2, 11);
    AcertoFinanceiro(1, 2, 2, Dia(2024, 3, 2), 80);
    Caixa(1, 4, 11, Dia(2024, 3, 2), -1, 80);
    Caixa(1, 5, 41, Dia(2024, 3, 2), 1, 80);
    AcertoCaixa(1, 2, 4, 2, 11);
    AcertoCaixa(1, 2, 5, 1, 41);
    AcertoFinanceiro(1, 3, 3, Dia(2024, 3, 5), 200);
    Caixa(1, 6, 11, Dia(2024, 3, 5), 1, 200);
    Caixa(1, 7, 12, Dia(2024, 3, 5), -1, 200);
    AcertoCaixa(1, 3, 6, 2, 11);
    AcertoCaixa(1, 3, 7, 1, 12);
    AcertoFinanceiro(1, 4, 1, Dia(2024, 4, 10), 50);
    Escritorio(2);
    AcertoFinanceiro(2, 1, 2, Dia(2024, 3, 20), 900);
    Commit();
  }

  static TnConferenciaTransacoes Marco() {
    TnConferenciaTransacoes c;
    c.DataInicial = EncodeDate(2024, 3, 1);
    c.DataFinal = EncodeDate(2024, 3, 31);
    return c;
  }

  static std::vector<std::string> Numeros(const TListaTransacoes& lista) {
    std::vector<std::string> out;
    for (const TTransacao& t : lista)
      out.push_back(std::to_string(t.CodigoEscrit) + "/" + std::to_string(t.Numero));
    return out;
  }
};

TEST_F(ConferenciaTransacoesTest, EntriesGoToTheirListsWithTheirNatures) {
  Acertos();
  const auto lista = Marco().Consultar();
  ASSERT_EQ(Numeros(*lista), (std::vector<std::string>{"1/2", "1/1", "1/3", "2/1"}));
  const TTransacao& recebimento = (*lista)[1];
  EXPECT_EQ(recebimento.TipoOperacao, toRecebimento);
  EXPECT_EQ(recebimento.Valor, 500);
  EXPECT_EQ(recebimento.Data, EncodeDate(2024, 3, 5));
  ASSERT_EQ(recebimento.Contas[lcCaixa].size(), 1u);
  EXPECT_EQ(recebimento.Contas[lcCaixa][0].CodigoConta, 11);
  EXPECT_EQ(recebimento.Contas[lcCaixa][0].Natureza, kNaturezaDebito);
  EXPECT_EQ(recebimento.Contas[lcCaixa][0].Valor, 510);
  EXPECT_EQ(recebimento.Contas[lcCaixa][0].Classificacao, "1.1.01");
  EXPECT_EQ(recebimento.Contas[lcCaixa][0].Descricao, "Caixa");
  ASSERT_EQ(recebimento.Contas[lcTitulos].size(), 1u);
  EXPECT_NE(recebimento.Contas[lcTitulos][0].Natureza, kNaturezaDebito);
  ASSERT_EQ(recebimento.Contas[lcOutras].size(), 1u);
  EXPECT_EQ(recebimento.Contas[lcOutras][0].CodigoConta, 32);
  EXPECT_EQ(recebimento.Contas[lcOutras][0].Classificacao, "");
  // The movement's titles side is the account the money left.
  EXPECT_EQ((*lista)[2].Contas[lcTitulos][0].CodigoConta, 12);
  EXPECT_EQ((*lista)[2].Contas[lcTitulos][0].Natureza, kNaturezaCredito);
  for (const auto& contas : (*lista)[3].Contas) EXPECT_TRUE(contas.empty());
}

TEST_F(ConferenciaTransacoesTest, OrderSelectionsAndValueLimits) {
  Acertos();
  TnConferenciaTransacoes c = Marco();
  c.Ordenar = otAcerto;
  EXPECT_EQ(Numeros(*c.Consultar()), (std::vector<std::string>{"1/1", "1/2", "1/3", "2/1"}));
  c.Ordenar = otValor;
  EXPECT_EQ(Numeros(*c.Consultar()), (std::vector<std::string>{"1/2", "1/3", "1/1", "2/1"}));
  c.ValorMinimo = 200;
  EXPECT_EQ(Numeros(*c.Consultar()), (std::vector<std::string>{"1/3", "1/1", "2/1"}));
  c.ValorMaximo = 500;  // both limits belong to the range
  EXPECT_EQ(Numeros(*c.Consultar()), (std::vector<std::string>{"1/3", "1/1"}));
  c = Marco();
  c.CodigoEscritIncl = "1";
  c.TipoOperacaoIncl = "1;3";
  EXPECT_EQ(Numeros(*c.Consultar()), (std::vector<std::string>{"1/1", "1/3"}));
  c.CodigoAcertoIncl = "3..9";
  EXPECT_EQ(Numeros(*c.Consultar()), (std::vector<std::string>{"1/3"}));
  c = Marco();  // both ends of the period count
  c.DataInicial = c.DataFinal = EncodeDate(2024, 3, 2);
  EXPECT_EQ(Numeros(*c.Consultar()), (std::vector<std::string>{"1/2"}));
  c.TipoOperacaoIncl = "1) or (1=1";
  EXPECT_THROW(c.Consultar(), EnParam);
}

TEST_F(ConferenciaTransacoesTest, TwoQueriesWhateverTheNumberOfSettlements) {
  Acertos();
  int consultas = 0;
  TnStatementHook anterior = SetStatementHook([&](const TnStatementEvent& e) {
    if (e.kind == TnStatementEvent::kPrepare) ++consultas;
  });
  Marco().Consultar();
  SetStatementHook(std::move(anterior));
  EXPECT_EQ(consultas, 2);
}

TEST(RegistroTransacoesTest, HandlesArePositiveNeverReusedAndUnknownOnesRefused) {
  TListaTransacoes lista(1);
  int64_t primeiro = 0;
  {
    TnRegistroTransacoes registro(&lista);
    primeiro = registro.Handle();
    EXPECT_GT(primeiro, 0);
    EXPECT_EQ(&TransacoesPorHandle(primeiro), &lista);
  }
  TnRegistroTransacoes outro(&lista);
  EXPECT_GT(outro.Handle(), primeiro);
  try {
    TransacoesPorHandle(primeiro);
    ADD_FAILURE() << "an unregistered handle was found";
  } catch (const EnParam& e) {
    EXPECT_NE(e.Message().find("pObjetoTransacoes"), std::string::npos);
  }
  EXPECT_THROW(TransacoesPorHandle(-1), EnParam);
}

}  // namespace
}  // namespace vireo::test
