// The cash-flow entities on small databases: which entries and titles
// count, on which side and day, with which person, and the accounts with
// their balances.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "host/biz/fluxo_caixa.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "tests/cashflow/cashflow_test_support.h"

namespace vireo::test {
namespace {

struct Totais {
  double receber = 0, recebido = 0, pagar = 0, pago = 0;
};

struct Detalhe {
  int64_t pessoa;
  std::string nome;
  double receber, recebido, pagar, pago;
  std::string historico;
};

class EntitiesTest : public CashFlowDbTest {
 protected:
  std::unique_ptr<TnItensFluxoCaixa> Itens(int modo, int empresa = 1,
                                           const std::string& origens = "",
                                           const std::string& operacoes = "",
                                           bool detalhar = false) {
    Commit();
    auto itens = std::make_unique<TnItensFluxoCaixa>();
    itens->CodigoEscrit = empresa;
    itens->DataInicial = EncodeDate(2024, 3, 1);
    itens->DataFinal = EncodeDate(2024, 3, 31);
    itens->OrigemLcto = origens;
    itens->Detalhar = detalhar;
    itens->TipoOperacao = operacoes;
    itens->Modo = modo;
    itens->CarregarItens();
    itens->CarregarSaldoAnterior();
    return itens;
  }
  // Day totals by "dd/mm/yyyy".
  static std::map<std::string, Totais> Dias(const std::unique_ptr<TnItensFluxoCaixa>& itens) {
    std::map<std::string, Totais> dias;
    TnClientDataSet* cds = itens->CdsTotaisDia();
    TMapDds* m = cds->GetMapper<TMapDds>();
    for (cds->First(); !cds->Eof(); cds->Next()) {
      dias[DateToStr(m->Data->AsDateTime())] = {m->Receber->AsFloat(), m->Recebido->AsFloat(),
                                                m->Pagar->AsFloat(), m->Pago->AsFloat()};
    }
    return dias;
  }
  static std::vector<Detalhe> Detalhes(const std::unique_ptr<TnItensFluxoCaixa>& itens) {
    std::vector<Detalhe> out;
    TnClientDataSet* cds = itens->CdsDetalheDia();
    TMapDetDds* m = cds->GetMapper<TMapDetDds>();
    for (cds->First(); !cds->Eof(); cds->Next()) {
      out.push_back({m->CodigoPessoaFin->AsInteger(), m->Nome->AsString(), m->Receber->AsFloat(),
                     m->Recebido->AsFloat(), m->Pagar->AsFloat(), m->Pago->AsFloat(),
                     m->DescrHistCtb->AsString()});
    }
    return out;
  }
  static double Saldo(const std::unique_ptr<TnItensFluxoCaixa>& itens) {
    TnClientDataSet* cds = itens->CdsSaldoAnterior();
    cds->First();
    return cds->GetMapper<TMapSal>()->Saldo->AsFloat();
  }
};

TEST_F(EntitiesTest, CountedEntriesBySideAndDay) {
  Basico();
  Caixa(1, 1, 10, Dia(2024, 2, 20), kEntrada, 500);  // before: opening balance
  Caixa(1, 2, 10, Dia(2024, 2, 21), kSaida, 120);
  Caixa(1, 3, 10, Dia(2024, 3, 5), kEntrada, 300);
  Caixa(1, 4, 10, Dia(2024, 3, 5), kEntrada, -50);  // a reversal lowers inflows
  Caixa(1, 5, 90, Dia(2024, 3, 5), kSaida, 999);    // modality 0: ignored
  Caixa(1, 6, 11, Dia(2024, 3, 7), kEntrada, 80);
  Caixa(1, 7, 11, Dia(2024, 3, 7), kSaida, 80);    // a day that cancels out
  Caixa(1, 8, 10, Dia(2024, 3, 9), 0, 70);         // neither side, still a day
  Caixa(1, 9, 90, Dia(2024, 3, 11), kEntrada, 5);  // only modality 0: no day
  const auto dias = Dias(Itens(1));
  ASSERT_EQ(dias.size(), 3u);
  EXPECT_DOUBLE_EQ(dias.at("05/03/2024").recebido, 250);
  EXPECT_DOUBLE_EQ(dias.at("05/03/2024").pago, 0);
  EXPECT_DOUBLE_EQ(dias.at("07/03/2024").recebido, 80);
  EXPECT_DOUBLE_EQ(dias.at("07/03/2024").pago, 80);
  EXPECT_DOUBLE_EQ(dias.at("09/03/2024").recebido, 0);
  EXPECT_DOUBLE_EQ(dias.at("09/03/2024").pago, 0);
  EXPECT_DOUBLE_EQ(Saldo(Itens(1)), 380);
}

TEST_F(EntitiesTest, OriginSelectionNamesTheOriginsCounted) {
  Basico();
  Caixa(1, 1, 10, Dia(2024, 3, 5), kEntrada, 100, {.origem = 1});
  Caixa(1, 2, 10, Dia(2024, 3, 5), kEntrada, 20, {.origem = 2});
  Caixa(1, 3, 10, Dia(2024, 2, 5), kEntrada, 7, {.origem = 2});
  EXPECT_DOUBLE_EQ(Dias(Itens(1, 1, "1")).at("05/03/2024").recebido, 100);
  EXPECT_DOUBLE_EQ(Dias(Itens(1, 1, "2")).at("05/03/2024").recebido, 20);
  EXPECT_DOUBLE_EQ(Dias(Itens(1, 1, "")).at("05/03/2024").recebido, 120);
  EXPECT_DOUBLE_EQ(Saldo(Itens(1, 1, "1")), 0);
  EXPECT_DOUBLE_EQ(Saldo(Itens(1, 1, "2")), 7);
}

TEST_F(EntitiesTest, OperationKindsKeepEntriesOfThoseSettlementsOnce) {
  Basico();
  Acerto(1, 1, kRecebimento);
  Acerto(1, 2, kPagamento);
  Caixa(1, 1, 10, Dia(2024, 3, 5), kEntrada, 100);
  AcertoCaixa(1, 1, 1, 2, 10);
  AcertoCaixa(1, 2, 1, 2, 10);  // the same entry tied to a second settlement
  Caixa(1, 2, 10, Dia(2024, 3, 5), kSaida, 30);
  AcertoCaixa(1, 2, 2, 2, 10);
  Caixa(1, 3, 10, Dia(2024, 3, 5), kEntrada, 9);  // no settlement
  Caixa(1, 4, 10, Dia(2024, 2, 5), kEntrada, 4);  // before, no settlement
  const Totais um = Dias(Itens(1, 1, "", "1")).at("05/03/2024");
  EXPECT_DOUBLE_EQ(um.recebido, 100);
  EXPECT_DOUBLE_EQ(um.pago, 0);
  const Totais dois = Dias(Itens(1, 1, "", "2")).at("05/03/2024");
  EXPECT_DOUBLE_EQ(dois.recebido, 100);  // tied to a payment settlement too
  EXPECT_DOUBLE_EQ(dois.pago, 30);
  EXPECT_TRUE(Dias(Itens(1, 1, "", "3")).empty());
  const Totais todos = Dias(Itens(1, 1, "", "")).at("05/03/2024");
  EXPECT_DOUBLE_EQ(todos.recebido, 109);
  EXPECT_DOUBLE_EQ(Saldo(Itens(1, 1, "", "3")), 4);  // the opening balance keeps every kind
}

TEST_F(EntitiesTest, DetailPersonFromEntrySettlementOrNone) {
  Basico();
  Pessoa(201, "Cliente A");
  Pessoa(202, "Fornecedor B");
  Caixa(1, 1, 10, Dia(2024, 3, 5), kEntrada, 100);
  PessoaDoCaixa(1, 1, 201);
  Acerto(1, 7, kRecebimento, 201);
  Caixa(1, 2, 10, Dia(2024, 3, 5), kEntrada, 40);  // person from its settlement
  AcertoCaixa(1, 7, 2, 2, 10);
  Acerto(1, 8, kPagamento, 202);
  Caixa(1, 3, 10, Dia(2024, 3, 5), kSaida, 25);  // its own person wins
  PessoaDoCaixa(1, 3, 201);
  AcertoCaixa(1, 8, 3, 2, 10);
  Caixa(1, 4, 10, Dia(2024, 3, 5), kSaida, 10, {.historico = "Tarifa março", .hist = 2});
  Caixa(1, 5, 10, Dia(2024, 3, 5), kSaida, 15, {.historico = "Tarifa extra", .hist = 2});
  const auto det = Detalhes(Itens(1, 1, "", "", true));
  ASSERT_EQ(det.size(), 3u);
  EXPECT_EQ(det[0].pessoa, 0);
  EXPECT_EQ(det[1].pessoa, 0);
  EXPECT_EQ(det[0].historico, "Pagamento");
  EXPECT_DOUBLE_EQ(det[0].pago + det[1].pago, 25);
  EXPECT_NE(det[0].nome, det[1].nome);
  EXPECT_EQ(det[2].pessoa, 201);
  EXPECT_EQ(det[2].nome, "Cliente A");
  EXPECT_DOUBLE_EQ(det[2].recebido, 140);
  EXPECT_DOUBLE_EQ(det[2].pago, 25);
  EXPECT_TRUE(Detalhes(Itens(1)).empty());  // no detail asked for
}

TEST_F(EntitiesTest, TitlesBySituationAtTheirOpenAmount) {
  Basico();
  Empresa(2, "Empresa Dois");
  Pessoa(201, "Cliente A");
  Titulo(true, 1, 1, Dia(2024, 3, 10), 500, 500, 1, 201);
  Titulo(true, 1, 2, Dia(2024, 3, 10), 300, 120, 2, 201);   // partly paid
  Titulo(true, 1, 3, Dia(2024, 3, 10), 200, 0, 3);          // settled
  Titulo(true, 1, 4, Dia(2024, 3, 10), 250, 250, 4);        // cancelled
  Titulo(true, 1, 5, Dia(2024, 4, 10), 250, 250, 1);        // due later
  Titulo(false, 1, 1, Dia(2024, 3, 12), 90, Variant(), 1);  // null open amount
  Titulo(false, 1, 2, Dia(2024, 3, 12), 80, 80, 1, Variant(), "Aluguel");
  Titulo(false, 2, 1, Dia(2024, 3, 12), 70, 70, 1);  // other company
  Caixa(1, 1, 10, Dia(2024, 3, 10), kEntrada, 5);
  const auto previsto = Dias(Itens(0));
  ASSERT_EQ(previsto.size(), 2u);
  EXPECT_DOUBLE_EQ(previsto.at("10/03/2024").receber, 620);
  EXPECT_DOUBLE_EQ(previsto.at("10/03/2024").recebido, 0);
  EXPECT_DOUBLE_EQ(previsto.at("12/03/2024").pagar, 80);
  EXPECT_DOUBLE_EQ(Dias(Itens(0, 0)).at("12/03/2024").pagar, 150);  // company 0: all
  const auto ambos = Dias(Itens(2));
  EXPECT_DOUBLE_EQ(ambos.at("10/03/2024").receber, 620);
  EXPECT_DOUBLE_EQ(ambos.at("10/03/2024").recebido, 5);

  const auto det = Detalhes(Itens(0, 1, "", "", true));
  ASSERT_EQ(det.size(), 3u);
  EXPECT_EQ(det[0].pessoa, 201);
  EXPECT_DOUBLE_EQ(det[0].receber, 620);
  EXPECT_EQ(det[1].pessoa, 0);
  EXPECT_EQ(det[2].pessoa, 0);
  EXPECT_EQ(det[1].nome + det[2].nome, "Aluguel");
}

TEST_F(EntitiesTest, CurrentAccountsOfTheCompanyWithLimitAndBalance) {
  Basico();
  Empresa(2, "Empresa Dois");
  Analitica(12, "1.03", "Banco da Dois", 4, 2);
  Analitica(13, "1.04", "Banco da Um", 4, 1);
  Limite(13, Variant());
  Caixa(1, 1, 10, Dia(2024, 2, 5), kEntrada, 100);
  Caixa(1, 2, 10, Dia(2024, 2, 6), kSaida, 30);
  Caixa(2, 1, 10, Dia(2024, 2, 6), kEntrada, 1000);  // other company
  Caixa(1, 3, 10, Dia(2024, 3, 6), kEntrada, 1000);  // in the period
  Commit();
  TnDadosContasCorrentes cc;
  cc.CodigoEscrit = 1;
  cc.DataInicial = EncodeDate(2024, 3, 1);
  cc.CarregarItensCC();
  TnClientDataSet* cds = cc.CdsContas();
  TMapCca* m = cds->GetMapper<TMapCca>();
  std::vector<int64_t> codigos;
  for (cds->First(); !cds->Eof(); cds->Next()) {
    codigos.push_back(m->Codigo->AsInteger());
    if (m->Codigo->AsInteger() == 10) {
      EXPECT_DOUBLE_EQ(m->Limite->AsFloat(), 1000);
      EXPECT_DOUBLE_EQ(m->Saldo->AsFloat(), 70);
    }
    if (m->Codigo->AsInteger() == 13) EXPECT_DOUBLE_EQ(m->Limite->AsFloat(), 0);
  }
  EXPECT_EQ(codigos, (std::vector<int64_t>{10, 11, 13}));
  cc.CodigoEscrit = 0;
  cc.CodigoConta = "10";
  cc.CarregarItensCC();
  cds = cc.CdsContas();
  ASSERT_EQ(cds->RecordCount(), 1);
  cds->First();
  EXPECT_DOUBLE_EQ(cds->GetMapper<TMapCca>()->Saldo->AsFloat(), 1070);
}

}  // namespace
}  // namespace vireo::test
