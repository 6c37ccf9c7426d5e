// The balance entity TnBalancete: figures of a pair, the trees and lists of
// each kind, zero balances, accounts without apportionment, selections and
// the origin filter, companies, the item count; and the plan filters.
#include <gtest/gtest.h>

#include <vector>

#include "host/biz/filtros_plano.h"
#include "host/biz/plano_item.h"
#include "host/core/exception.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "tests/cost_centres/cost_centre_test_support.h"

namespace vireo::test {
namespace {

const TDateTime kInicio = EncodeDate(2024, 3, 1);
const TDateTime kFim = EncodeDate(2024, 3, 31);

// Code, classification and children of a tree, "code(child child)".
std::string Forma(const TnListaPlanoItem& itens) {
  std::string out;
  for (IPlanoItem* item : itens) {
    if (!out.empty()) out += ' ';
    out += std::to_string(static_cast<int>(item->Codigo()));
    if (item->Filhos().Count() > 0) out += "(" + Forma(item->Filhos()) + ")";
  }
  return out;
}

IPlanoItemSaldo* Item(const TnListaPlanoItem& itens, int codigo) {
  for (IPlanoItem* item : itens) {
    if (static_cast<int>(item->Codigo()) == codigo) return dynamic_cast<IPlanoItemSaldo*>(item);
    if (IPlanoItemSaldo* achado = Item(item->Filhos(), codigo)) return achado;
  }
  return nullptr;
}

std::vector<int64_t> Codigos(const TnListaAnalitica& lista) {
  std::vector<int64_t> out;
  for (const TnItensAnalitico& i : lista) out.push_back(i.Codigo);
  return out;
}

class BalanceteTest : public CentreDbTest {
 protected:
  void SetUp() override {
    CentreDbTest::SetUp();
    Basico();
  }
};

TEST_F(BalanceteTest, FiguresOfAPairFollowTheNatureOfEachShare) {
  Lancar(1, 41, Dia(2024, 2, 29), 1, {{11, 100}});  // debit before: opening -100
  Lancar(1, 41, Dia(2024, 2, 10), -1, {{11, 30}});  // credit before: +30
  Lancar(1, 41, Dia(2024, 3, 1), 1, {{11, 50}});    // first day counts
  Lancar(1, 41, Dia(2024, 3, 31), -1, {{11, 20}});  // last day counts
  Lancar(1, 41, Dia(2024, 4, 1), 1, {{11, 999}});   // after the period
  Lancar(1, 41, Dia(2024, 3, 15), 1, {{11, -5}});   // a negative debit lowers debits
  Movimentar(1, 41, Dia(2024, 3, 16), 1, 7);
  Rateio(1, UltimoCaixa(), 11, 7, 0);  // other natures count zero
  TnBalancete b;
  Processar(b, kMesclaContaCentro, kInicio, kFim);
  const TnListaAnalitica& lista = b.RetornaListaAnalitica(41);
  ASSERT_EQ(lista.size(), 1u);
  EXPECT_EQ(lista[0].CodigoCabecalho, 41);
  EXPECT_EQ(lista[0].Codigo, 11);
  EXPECT_EQ(lista[0].Descricao, "Diretoria");
  EXPECT_EQ(lista[0].Classificacao, "1.01");
  EXPECT_DOUBLE_EQ(lista[0].SaldoAnterior, -70);
  EXPECT_DOUBLE_EQ(lista[0].Debito, 45);
  EXPECT_DOUBLE_EQ(lista[0].Credito, 20);
  EXPECT_DOUBLE_EQ(lista[0].SaldoAtual, -95);
  IPlanoItemSaldo* conta = Item(b.PlanoContas()->Filhos(), 41);
  ASSERT_NE(conta, nullptr);
  EXPECT_DOUBLE_EQ(conta->SaldoAtual(), -95);
}

TEST_F(BalanceteTest, AccountsWithTheirCostCentresInPlanOrderSyntheticsSumming) {
  Lancar(1, 31, Dia(2024, 3, 5), -1, {{21, 300}, {12, 200}});
  Lancar(1, 32, Dia(2024, 3, 6), -1, {{11, 50}});
  Lancar(1, 41, Dia(2024, 3, 7), 1, {{12, 80}});
  TnBalancete b;
  Processar(b, kMesclaContaCentro, kInicio, kFim);
  EXPECT_EQ(Forma(b.PlanoContas()->Filhos()), "1(2(31 32)) 4(41)");
  EXPECT_EQ(Codigos(b.RetornaListaAnalitica(31)), (std::vector<int64_t>{12, 21}));
  EXPECT_TRUE(b.RetornaListaAnalitica(2).empty());    // synthetic
  EXPECT_TRUE(b.RetornaListaAnalitica(999).empty());  // unknown
  IPlanoItemSaldo* receitas = Item(b.PlanoContas()->Filhos(), 1);
  EXPECT_DOUBLE_EQ(receitas->Credito(), 550);
  EXPECT_DOUBLE_EQ(receitas->SaldoAtual(), 550);
  EXPECT_TRUE(receitas->Sintetico());
  EXPECT_EQ(receitas->Classificacao(), "3");
  EXPECT_EQ(receitas->Descricao(), "RECEITAS");
  // Both trees are built: the cost-centre tree sums the same shares.
  EXPECT_EQ(Forma(b.PlanoCentrosCusto()->Filhos()), "1(11 12) 2(21)");
  EXPECT_DOUBLE_EQ(Item(b.PlanoCentrosCusto()->Filhos(), 12)->Debito(), 80);
  // Header items with a list plus their entries: 31 (2), 32 (1), 41 (1).
  EXPECT_EQ(b.TotalItens(), 7);
  EXPECT_EQ(b.ListaFilial(), nullptr);
}

TEST_F(BalanceteTest, CostCentresWithTheirAccountsAndAnyOtherKindAsAccounts) {
  Lancar(1, 31, Dia(2024, 3, 5), -1, {{21, 300}, {12, 200}});
  Lancar(1, 41, Dia(2024, 3, 7), 1, {{12, 80}});
  TnBalancete b;
  Processar(b, kMesclaCentroConta, kInicio, kFim);
  EXPECT_EQ(Forma(b.PlanoCentrosCusto()->Filhos()), "1(12) 2(21)");
  EXPECT_EQ(Codigos(b.RetornaListaAnalitica(12)), (std::vector<int64_t>{31, 41}));
  EXPECT_TRUE(b.RetornaListaAnalitica(31).empty());
  EXPECT_EQ(b.TotalItens(), 5);
  TnBalancete outro;
  Processar(outro, 7, kInicio, kFim);
  EXPECT_EQ(Codigos(outro.RetornaListaAnalitica(31)), (std::vector<int64_t>{12, 21}));
}

TEST_F(BalanceteTest, OneAccountTreePerCostCentreInPlanOrder) {
  Lancar(1, 31, Dia(2024, 3, 5), -1, {{21, 300}, {12, 200}});
  Lancar(1, 41, Dia(2024, 3, 7), 1, {{12, 80}});
  TnBalancete b;
  Processar(b, kMesclaPorCentro, kInicio, kFim);
  const std::vector<TnItensFilial>* filiais = b.ListaFilial();
  ASSERT_NE(filiais, nullptr);
  ASSERT_EQ(filiais->size(), 2u);
  EXPECT_EQ((*filiais)[0].CodigoCentroCusto, 12);
  EXPECT_EQ((*filiais)[0].DescrCentroCusto, "Financeiro");
  EXPECT_EQ(Forma((*filiais)[0].Plano->Filhos()), "1(2(31)) 4(41)");
  EXPECT_EQ(Forma((*filiais)[1].Plano->Filhos()), "1(2(31))");
  EXPECT_DOUBLE_EQ(Item((*filiais)[1].Plano->Filhos(), 1)->Credito(), 300);
  EXPECT_EQ(b.TotalItens(), 2 + 5 + 3);
  TnBalancete vazio;
  Processar(vazio, kMesclaPorCentro, EncodeDate(2025, 1, 1), EncodeDate(2025, 1, 31));
  // The opening balance of 2024 still shows in January 2025.
  ASSERT_NE(vazio.ListaFilial(), nullptr);
  TnBalancete antes;
  Processar(antes, kMesclaPorCentro, EncodeDate(2024, 1, 1), EncodeDate(2024, 1, 31));
  EXPECT_EQ(antes.ListaFilial(), nullptr);
}

TEST_F(BalanceteTest, TreesFollowClassificationsNearestSyntheticAndCodeTies) {
  Sintetica(5, "5", "OUTRAS");
  Analitica(52, "5.1", "Segunda", 0);
  Analitica(51, "5.1", "Primeira", 0);       // same classification: by code
  Analitica(53, "5.1.01.01.9", "Funda", 0);  // deeper than its mask, under 5
  Exec("insert into FPRCONTA (CODIGOCONTA, TIPOCONTA, DESCRCONTA) values (54, 2, 'Nula')");
  Analitica(55, "  ", "Em branco", 0);
  for (int conta : {52, 51, 53, 54, 55}) Lancar(1, conta, Dia(2024, 3, 5), -1, {{11, 1}});
  TnBalancete b;
  Processar(b, kMesclaContaCentro, kInicio, kFim);
  EXPECT_EQ(Forma(b.PlanoContas()->Filhos()), "5(51 52 53) 54 55");
  EXPECT_FALSE(Item(b.PlanoContas()->Filhos(), 54)->Sintetico());
}

TEST_F(BalanceteTest, ZeroBalancesLeftOutUnlessAskedAndItemsNoShareReachedNeverShow) {
  Lancar(1, 31, Dia(2024, 3, 5), -1, {{11, 10}});
  Lancar(1, 32, Dia(2024, 1, 5), -1, {{11, 10}});
  Lancar(1, 32, Dia(2024, 1, 6), 1, {{11, 10}});  // zero opening, no share in March
  Lancar(1, 41, Dia(2024, 3, 6), 1, {{12, 0}});   // a share of zero in the period
  TnBalancete sem;
  Processar(sem, kMesclaContaCentro, kInicio, kFim);
  EXPECT_EQ(Forma(sem.PlanoContas()->Filhos()), "1(2(31)) 4(41)");
  EXPECT_EQ(Forma(sem.PlanoCentrosCusto()->Filhos()), "1(11 12)");
  TnBalancete com;
  com.SetImpSaldoZero(true);
  Processar(com, kMesclaContaCentro, kInicio, kFim);
  EXPECT_EQ(Forma(com.PlanoContas()->Filhos()), "1(2(31 32)) 4(41)");
  EXPECT_DOUBLE_EQ(Item(com.PlanoContas()->Filhos(), 32)->SaldoAtual(), 0);
  TnBalancete filiais;
  Processar(filiais, kMesclaPorCentro, kInicio, kFim);
  ASSERT_NE(filiais.ListaFilial(), nullptr);
  EXPECT_EQ(filiais.ListaFilial()->size(), 2u);
}

TEST_F(BalanceteTest, AccountsWithoutApportionmentJoinWithEmptyLists) {
  Lancar(1, 31, Dia(2024, 3, 5), -1, {{11, 10}});
  Movimentar(1, 32, Dia(2024, 3, 5), -1, 40);    // cash entry, no share
  Movimentar(1, 42, Dia(2024, 4, 5), 1, 40);     // after the period
  Lancar(1, 41, Dia(2024, 3, 5), 1, {{21, 5}});  // its cost centre is not selected
  TnBalancete b;
  b.SetListaContaSemRateio(true);
  b.SetCodigoCentroCusto("1");
  Processar(b, kMesclaContaCentro, kInicio, kFim);
  EXPECT_EQ(Forma(b.PlanoContas()->Filhos()), "1(2(31 32)) 4(41)");
  EXPECT_TRUE(b.RetornaListaAnalitica(32).empty());
  EXPECT_DOUBLE_EQ(Item(b.PlanoContas()->Filhos(), 32)->SaldoAnterior(), 0);
  EXPECT_EQ(b.TotalItens(), 2);
  TnBalancete centros;
  centros.SetListaContaSemRateio(true);
  Processar(centros, kMesclaCentroConta, kInicio, kFim);
  EXPECT_EQ(Forma(centros.PlanoContas()->Filhos()), "1(2(31)) 4(41)");
}

TEST_F(BalanceteTest, SelectionsTakeSubtreesAndFiguresCountOnlySharesInsideBoth) {
  Lancar(1, 31, Dia(2024, 3, 5), -1, {{11, 10}, {21, 20}});
  Lancar(1, 41, Dia(2024, 3, 5), 1, {{11, 5}});
  TnBalancete b;
  b.SetCodigoConta("2");  // synthetic 3.1: accounts 31 and 32
  b.SetCodigoCentroCusto("11;21");
  Processar(b, kMesclaContaCentro, kInicio, kFim);
  EXPECT_EQ(Forma(b.PlanoContas()->Filhos()), "1(2(31))");
  EXPECT_DOUBLE_EQ(Item(b.PlanoContas()->Filhos(), 31)->Credito(), 30);
  TnBalancete c;
  c.SetCodigoCentroCusto("1");  // synthetic ADMINISTRATIVO: 11 and 12
  Processar(c, kMesclaContaCentro, kInicio, kFim);
  EXPECT_DOUBLE_EQ(Item(c.PlanoContas()->Filhos(), 31)->Credito(), 10);
  EXPECT_EQ(Forma(c.PlanoCentrosCusto()->Filhos()), "1(11)");
}

TEST_F(BalanceteTest, OriginFilterAndCompanies) {
  Lancar(1, 31, Dia(2024, 3, 5), -1, {{11, 10}}, 2);
  Lancar(1, 31, Dia(2024, 3, 6), -1, {{11, 1}}, 4);
  Lancar(2, 31, Dia(2024, 3, 7), -1, {{11, 100}});
  TnBalancete b;
  b.SetOrigemDados("2;3");
  Processar(b, kMesclaContaCentro, kInicio, kFim);
  EXPECT_DOUBLE_EQ(b.RetornaListaAnalitica(31)[0].Credito, 1);
  for (int64_t todas : {0, -1}) {
    TnBalancete t;
    Processar(t, kMesclaContaCentro, kInicio, kFim, todas);
    EXPECT_DOUBLE_EQ(t.RetornaListaAnalitica(31)[0].Credito, 111);
  }
  TnBalancete dois;
  Processar(dois, kMesclaContaCentro, kInicio, kFim, 2);
  EXPECT_DOUBLE_EQ(dois.RetornaListaAnalitica(31)[0].Credito, 100);
}

TEST_F(BalanceteTest, ABadSelectionIsRefusedBeforeAnyQuery) {
  Commit();
  SetCurrentConnection(nullptr);  // a query would fail as a database error
  for (auto [conta, centro, origem] :
       {std::tuple{"1) or (1=1", "", ""}, {"", "'; delete", ""}, {"", "", "x"}}) {
    TnBalancete b;
    b.SetCodigoConta(conta);
    b.SetCodigoCentroCusto(centro);
    b.SetOrigemDados(origem);
    EXPECT_THROW(b.ProcessarDados(), EnParam);
    EXPECT_EQ(b.PlanoContas(), nullptr);
    EXPECT_TRUE(b.RetornaListaAnalitica(31).empty());
  }
  SetCurrentConnection(db_.get());
}

TEST_F(BalanceteTest, PlanFiltersSelectWhatTheEntitySelects) {
  Commit();
  auto codigos = [](const std::string& sql) {
    TnClientDataSet* rows = ExecutarSQL(sql);
    TnSQLGuard guard(rows);
    std::vector<int64_t> out;
    for (rows->First(); !rows->Eof(); rows->Next()) out.push_back(rows->Fields(0)->AsInteger());
    return out;
  };
  EXPECT_EQ(codigos("select CODIGOCONTA from FPRCONTA CO where " +
                    MontarFiltroContasPorTipo("2;42", "CO") + " order by 1"),
            (std::vector<int64_t>{31, 32, 42}));
  EXPECT_EQ(codigos("select CODIGOCENTROCUSTO from FPRCENTROCUSTO CT where " +
                    MontarFiltroCentrosCustoPorTipo("1", "CT") + " order by 1"),
            (std::vector<int64_t>{11, 12}));
  EXPECT_EQ(MontarFiltroContasPorTipo("900", "CO"), "(1=0)");
  EXPECT_THROW(MontarFiltroContasPorTipo("1) or (1=1", "CO"), EnParam);
  EXPECT_THROW(MontarFiltroCentrosCustoPorTipo("'", "CT"), EnParam);
}

}  // namespace
}  // namespace vireo::test
