// The account-balance module on small hand-made databases: the ledger's
// nature rule for opening balances and movement, period inflows and
// outflows, synthetic roll-ups, company sets, the filters and the notes.
#include <gtest/gtest.h>

#include "biz_test_support.h"
#include "host/biz/saldo_conta_individual.h"
#include "host/core/exception.h"
#include "host/data/sql.h"

namespace vireo::test {
namespace {

// Groups: 1 assets (debit nature), 2 liabilities (credit), 3 revenues
// (credit).  Companies 1 and 2.
class SaldoContaTest : public BizDbTest {
 protected:
  void SetUp() override {
    BizDbTest::SetUp();
    Configuracao({1, -1, -1});
    Empresa(1, "Empresa 1");
    Empresa(2, "Empresa 2");
    Historico(1, "Pagamento a fornecedor");
    Sintetica(1, "1", "ATIVO");
    Sintetica(2, "1.1", "DISPONÍVEL");
    Analitica(3, "1.1.01", "Caixa", 1);
    Analitica(4, "1.1.02", "Banco", 4);
    Analitica(10, "1.1.03", "Banco da empresa 2", 4, 2);
    Sintetica(5, "2", "PASSIVO");
    Analitica(6, "2.1.01", "Cartão de crédito", 3);
    Analitica(7, "2.1.02", "Fornecedores", 0);
    Sintetica(8, "3", "RECEITAS");
    Analitica(9, "3.1.01", "Vendas", 0);
  }

  static std::map<std::string, std::string> Period(std::map<std::string, std::string> more = {}) {
    more.emplace("pDataInicial", "01/03/2025");
    more.emplace("pDataFinal", "31/03/2025");
    return more;
  }
};

TEST_F(SaldoContaTest, OpeningBalanceAndMovementFollowTheGroupNature) {
  // Debit-nature cash: inflows add, outflows subtract.
  Caixa(1, 1, 3, Dia(2025, 1, 10), 1, 1000.00);
  Caixa(1, 2, 3, Dia(2025, 2, 28), -1, 300.00);
  Caixa(1, 3, 3, Dia(2025, 3, 1), 1, 50.25);
  Caixa(1, 4, 3, Dia(2025, 3, 31), -1, 20.10);
  Caixa(1, 5, 3, Dia(2025, 4, 1), 1, 999.00);  // after the period
  // Credit-nature card: outflows add, inflows subtract.
  Caixa(1, 6, 6, Dia(2025, 2, 1), 1, 200.00);
  Caixa(1, 7, 6, Dia(2025, 2, 2), -1, 500.00);
  Caixa(1, 8, 6, Dia(2025, 3, 15), 1, 100.00);
  Caixa(1, 9, 6, Dia(2025, 3, 16), -1, 40.00);

  BalanceResult r = Run(Period());
  EXPECT_EQ(r.message, "");
  const Balance& cash = r.At(0, 3);
  EXPECT_DOUBLE_EQ(cash.anterior, 700.00);
  EXPECT_DOUBLE_EQ(cash.debito, 50.25);
  EXPECT_DOUBLE_EQ(cash.credito, 20.10);
  EXPECT_DOUBLE_EQ(cash.movimento, 30.15);
  EXPECT_DOUBLE_EQ(cash.saldo, 730.15);
  EXPECT_EQ(cash.natureza, 1);
  const Balance& card = r.At(0, 6);
  EXPECT_DOUBLE_EQ(card.anterior, 300.00);
  EXPECT_DOUBLE_EQ(card.debito, 100.00);
  EXPECT_DOUBLE_EQ(card.credito, 40.00);
  EXPECT_DOUBLE_EQ(card.movimento, -60.00);
  EXPECT_DOUBLE_EQ(card.saldo, 240.00);
  EXPECT_EQ(card.natureza, -1);
}

TEST_F(SaldoContaTest, WithoutOpeningBalanceTheClosingIsThePeriodMovement) {
  Caixa(1, 1, 3, Dia(2025, 1, 10), 1, 1000.00);
  Caixa(1, 2, 3, Dia(2025, 3, 10), -1, 30.00);
  Caixa(1, 3, 4, Dia(2025, 1, 10), 1, 80.00);  // only before the period
  BalanceResult r = Run(Period({{"pGerarSaldoAnterior", "0"}}));
  EXPECT_DOUBLE_EQ(r.At(0, 3).anterior, 0.0);
  EXPECT_DOUBLE_EQ(r.At(0, 3).saldo, -30.00);
  EXPECT_FALSE(r.Has(0, 4));  // nothing in the period, nothing carried
}

TEST_F(SaldoContaTest, SyntheticRowsSumTheAccountsBelowAndComeFirst) {
  Caixa(1, 1, 3, Dia(2025, 2, 1), 1, 100.00);
  Caixa(1, 2, 4, Dia(2025, 3, 2), 1, 40.00);
  Caixa(2, 1, 4, Dia(2025, 3, 3), -1, 15.00);
  Caixa(1, 3, 6, Dia(2025, 3, 4), -1, 7.00);

  BalanceResult r = Run(Period());
  EXPECT_EQ(r.order, (std::vector<std::string>{"0:1", "0:2", "0:3", "0:4", "0:5", "0:6"}));
  const Balance& assets = r.At(0, 1);
  EXPECT_EQ(assets.tipo, "S");
  EXPECT_EQ(assets.descr, "1 ATIVO");
  EXPECT_DOUBLE_EQ(assets.anterior, 100.00);
  EXPECT_DOUBLE_EQ(assets.debito, 40.00);
  EXPECT_DOUBLE_EQ(assets.credito, 15.00);
  EXPECT_DOUBLE_EQ(assets.saldo, 125.00);
  EXPECT_DOUBLE_EQ(r.At(0, 2).saldo, 125.00);
  EXPECT_EQ(r.At(0, 2).descr, "1.1 DISPONÍVEL");
  EXPECT_EQ(r.At(0, 3).tipo, "A");
  EXPECT_EQ(r.At(0, 3).classif, "1.1.01");
  EXPECT_EQ(r.At(0, 3).descr, "1.1.01 Caixa");
  EXPECT_DOUBLE_EQ(r.At(0, 5).saldo, 7.00);
  EXPECT_EQ(r.At(0, 5).natureza, -1);
}

TEST_F(SaldoContaTest, QuebraTwoGivesOneSetPerCompanyAndQuebraOneAddsThemUp) {
  Caixa(1, 1, 3, Dia(2025, 2, 1), 1, 100.00);
  Caixa(2, 1, 3, Dia(2025, 3, 1), 1, 60.00);
  Caixa(2, 2, 4, Dia(2025, 3, 2), -1, 10.00);

  BalanceResult apart = Run(Period({{"pQuebra", "2"}}));
  EXPECT_EQ(apart.order,
            (std::vector<std::string>{"1:1", "1:2", "1:3", "2:1", "2:2", "2:3", "2:4"}));
  EXPECT_DOUBLE_EQ(apart.At(1, 3).saldo, 100.00);
  EXPECT_DOUBLE_EQ(apart.At(2, 3).saldo, 60.00);
  EXPECT_DOUBLE_EQ(apart.At(2, 1).saldo, 50.00);

  BalanceResult together = Run(Period({{"pQuebra", "1"}}));
  EXPECT_EQ(together.order, (std::vector<std::string>{"0:1", "0:2", "0:3", "0:4"}));
  EXPECT_DOUBLE_EQ(together.At(0, 3).anterior, 100.00);
  EXPECT_DOUBLE_EQ(together.At(0, 3).saldo, 160.00);
  EXPECT_DOUBLE_EQ(together.At(0, 1).saldo, 150.00);

  BalanceResult second_only = Run(Period({{"pQuebra", "1"}, {"pCodigoEscrit", "2"}}));
  EXPECT_DOUBLE_EQ(second_only.At(0, 3).saldo, 60.00);
}

TEST_F(SaldoContaTest, LeftOutOriginsCountNowhere) {
  Caixa(1, 1, 3, Dia(2025, 2, 1), 1, 100.00, {.origem = 0});
  Caixa(1, 2, 3, Dia(2025, 2, 2), 1, 1000.00, {.origem = 5});  // before the period
  Caixa(1, 3, 3, Dia(2025, 3, 2), -1, 10.00, {.origem = 2});
  Caixa(1, 4, 3, Dia(2025, 3, 3), -1, 500.00, {.origem = 7});
  Caixa(1, 5, 4, Dia(2025, 3, 4), 1, 80.00, {.origem = 8});  // the only entry of account 4

  BalanceResult r = Run(Period({{"pOrigemLctoCaixa", "5;7..8"}}));
  EXPECT_DOUBLE_EQ(r.At(0, 3).anterior, 100.00);
  EXPECT_DOUBLE_EQ(r.At(0, 3).credito, 10.00);
  EXPECT_DOUBLE_EQ(r.At(0, 3).saldo, 90.00);
  EXPECT_FALSE(r.Has(0, 4));
  EXPECT_DOUBLE_EQ(r.At(0, 1).saldo, 90.00);
}

TEST_F(SaldoContaTest, AccountsWithoutBalanceAppearOnlyWhenAsked) {
  Caixa(1, 1, 3, Dia(2025, 2, 1), 1, 100.00);
  Caixa(1, 2, 4, Dia(2025, 2, 1), 1, 50.00);  // nets to zero before the period
  Caixa(1, 3, 4, Dia(2025, 2, 2), -1, 50.00);
  Caixa(1, 4, 7, Dia(2025, 3, 5), 1, 20.00);  // movement that nets to zero
  Caixa(1, 5, 7, Dia(2025, 3, 6), -1, 20.00);

  BalanceResult r = Run(Period());
  EXPECT_TRUE(r.Has(0, 3));
  EXPECT_FALSE(r.Has(0, 4));
  EXPECT_TRUE(r.Has(0, 7));
  EXPECT_DOUBLE_EQ(r.At(0, 7).movimento, 0.0);
  EXPECT_FALSE(r.Has(0, 8));  // no revenue account has anything

  BalanceResult all = Run(Period({{"pImpContaSaldoZero", "1"}, {"pQuebra", "2"}}));
  for (int account : {1, 2, 3, 4, 5, 6, 7, 8, 9}) {
    EXPECT_TRUE(all.Has(1, account)) << account;
    EXPECT_TRUE(all.Has(2, account)) << account;
  }
  // The bank account of company 2 belongs to that company's set only.
  EXPECT_FALSE(all.Has(1, 10));
  EXPECT_TRUE(all.Has(2, 10));
  EXPECT_DOUBLE_EQ(all.At(2, 3).saldo, 0.0);
}

TEST_F(SaldoContaTest, OmittingOrdinaryAccountsKeepsOnlyCurrentAccounts) {
  Caixa(1, 1, 3, Dia(2025, 3, 1), 1, 100.00);
  Caixa(1, 2, 9, Dia(2025, 3, 1), -1, 100.00);  // revenue side, modality 0
  Caixa(1, 3, 7, Dia(2025, 3, 2), 1, 30.00);
  Caixa(1, 4, 6, Dia(2025, 3, 2), -1, 30.00);

  BalanceResult r = Run(Period({{"pOmitirContaContabil", "1"}}));
  EXPECT_EQ(r.order, (std::vector<std::string>{"0:1", "0:2", "0:3", "0:5", "0:6"}));
  EXPECT_DOUBLE_EQ(r.At(0, 5).saldo, 30.00);

  BalanceResult kept = Run(Period({{"pOmitirContaContabil", "0"}}));
  EXPECT_TRUE(kept.Has(0, 9));
  EXPECT_TRUE(kept.Has(0, 8));
  EXPECT_DOUBLE_EQ(kept.At(0, 8).saldo, 100.00);  // credit-nature revenue
}

TEST_F(SaldoContaTest, AccountSelectionPicksAccountsAndWhatLiesBelowSyntheticOnes) {
  Caixa(1, 1, 3, Dia(2025, 3, 1), 1, 1.00);
  Caixa(1, 2, 4, Dia(2025, 3, 1), 1, 2.00);
  Caixa(1, 3, 6, Dia(2025, 3, 1), -1, 4.00);
  Caixa(1, 4, 9, Dia(2025, 3, 1), -1, 8.00);

  BalanceResult one = Run(Period({{"pCodigoConta", "4"}}));
  EXPECT_EQ(one.order, (std::vector<std::string>{"0:1", "0:2", "0:4"}));
  EXPECT_DOUBLE_EQ(one.At(0, 1).saldo, 2.00);  // the titles sum the selection only

  BalanceResult groups = Run(Period({{"pCodigoConta", "2;8"}}));
  EXPECT_EQ(groups.order, (std::vector<std::string>{"0:1", "0:2", "0:3", "0:4", "0:8", "0:9"}));
  EXPECT_EQ(groups.message, "");
}

TEST_F(SaldoContaTest, ProblemsThatDoNotStopTheRunAreReported) {
  Caixa(1, 1, 3, Dia(2025, 3, 1), 1, 5.00);
  Caixa(1, 2, 3, Dia(2025, 3, 2), 1, 7.00,
        {.origem = 0, .hist = 99});           // standard history 99 does not exist
  Caixa(1, 3, 77, Dia(2025, 3, 3), 1, 9.00);  // account 77 is not in the chart
  BalanceResult r = Run(Period({{"pCodigoConta", "3;99;200..300"}, {"pCodigoEscrit", "1;42"}}));
  EXPECT_DOUBLE_EQ(r.At(0, 3).saldo, 5.00);
  EXPECT_NE(r.message.find("conta 99 "), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("200..300"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("empresa 42 "), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("1 lançamento(s)"), std::string::npos) << r.message;

  BalanceResult all = Run(Period());
  EXPECT_NE(all.message.find("conta 77,"), std::string::npos) << all.message;
  EXPECT_EQ(all.message.find("conta 99 "), std::string::npos) << all.message;
}

TEST_F(SaldoContaTest, WithoutConfigurationEveryEntrySubtractsAndTheUserIsTold) {
  Exec("delete from FPRCFGCONTA");
  Caixa(1, 1, 3, Dia(2025, 2, 1), 1, 100.00);
  Caixa(1, 2, 3, Dia(2025, 3, 1), -1, 30.00);
  BalanceResult r = Run(Period());
  EXPECT_DOUBLE_EQ(r.At(0, 3).anterior, -100.00);
  EXPECT_DOUBLE_EQ(r.At(0, 3).saldo, -130.00);
  EXPECT_EQ(r.At(0, 3).natureza, 0);
  EXPECT_NE(r.message.find("FPRCFGCONTA"), std::string::npos) << r.message;
}

TEST_F(SaldoContaTest, AGroupWithoutNatureIsReportedForTheAccountsShown) {
  Analitica(20, "4.1.01", "Despesas diversas", 0);
  Caixa(1, 1, 20, Dia(2025, 3, 1), 1, 10.00);
  BalanceResult r = Run(Period());
  EXPECT_DOUBLE_EQ(r.At(0, 20).saldo, -10.00);
  EXPECT_NE(r.message.find("NATURGRUPO4"), std::string::npos) << r.message;
  EXPECT_EQ(Run(Period({{"pCodigoConta", "3"}})).message, "");
}

TEST_F(SaldoContaTest, PeriodParametersAreChecked) {
  EXPECT_THROW(Run({{"pDataInicial", "01/03/2025"}}), EnParam);
  EXPECT_THROW(Run({{"pDataInicial", "01/04/2025"}, {"pDataFinal", "31/03/2025"}}), EnParam);
  EXPECT_THROW(Run(Period({{"pCodigoConta", "3; drop table"}})), EnParam);
  EXPECT_THROW(Run(Period({{"pQuebra", "5"}})), EnParam);
  Caixa(1, 1, 3, Dia(2025, 3, 31), 1, 10.00);
  BalanceResult iso = Run({{"pDataInicial", "2025-03-01"}, {"pDataFinal", "2025-03-31"}});
  EXPECT_DOUBLE_EQ(iso.At(0, 3).debito, 10.00);
}

TEST_F(SaldoContaTest, ARunReplacesTheRowsOfTheLastOneAndSurvivesItsRelease) {
  Caixa(1, 1, 3, Dia(2025, 3, 1), 1, 10.00);
  Caixa(2, 1, 4, Dia(2025, 3, 1), 1, 20.00);
  Run(Period({{"pQuebra", "2"}}));
  TnClientDataSet* ds = module_->nClientDataSet();
  TField* saldo = ds->FieldByName("Saldo");
  ds->SetFilter("CODIGOESCRIT = 2");  // as the ledger walks one company
  ds->SetFiltered(true);
  module_->Param("pQuebra")->SetValue("1");
  module_->Executar();
  EXPECT_EQ(ds->RecordCount(), 4);  // filter gone, rows of the new run only
  EXPECT_EQ(ds->FieldByName("Saldo"), saldo);
  DestruirSQL(ds);  // a report may release the module's dataset itself
  module_->Executar();
  EXPECT_EQ(module_->nClientDataSet()->RecordCount(), 4);
  // The trial balance puts the company in front of the index the module left.
  ds = module_->nClientDataSet();
  EXPECT_EQ(ds->IndexFieldNames(), "CodigoEscrit;ClassifConta;CodigoConta");
  ds->SetIndexFieldNames("CodigoEscrit;" + ds->IndexFieldNames());
  ds->Last();
  EXPECT_EQ(ds->FieldByName("ClassifConta")->AsString(), "1.1.02");
}

TEST_F(SaldoContaTest, FailedRunLeavesNoRowsOfAnEarlierOne) {
  Caixa(1, 1, 3, Dia(2025, 3, 1), 1, 10.00);
  Run(Period());
  module_->Param("pDataFinal")->SetValue("01/01/2025");
  EXPECT_THROW(module_->Executar(), EnParam);
  EXPECT_EQ(module_->nClientDataSet()->RecordCount(), 0);
}

// The typed call and the by-name parameters are one run: the same request
// either way gives the same rows and the same notes.
TEST_F(SaldoContaTest, TypedFilterAndParameterTextsGiveTheSameRows) {
  Caixa(1, 1, 3, Dia(2025, 2, 10), 1, 1000.00, {.origem = 2});
  Caixa(1, 2, 4, Dia(2025, 3, 5), -1, 300.00, {.origem = 3});
  Caixa(2, 3, 6, Dia(2025, 3, 15), 1, 100.00, {.origem = 1});
  Caixa(2, 4, 7, Dia(2025, 3, 16), -1, 40.00, {.origem = 1});
  const BalanceResult by_name = Run(Period({{"pCodigoEscrit", "1;2;9"},
                                            {"pCodigoConta", "1"},
                                            {"pOrigemLctoCaixa", "3"},
                                            {"pQuebra", "2"},
                                            {"pImpContaSaldoZero", "1"}}));
  std::unique_ptr<TnFprDPGerarSaldoContaIndividual> module = CriarDMSaldoConta();
  TnFiltroSaldoConta filtro;
  filtro.DataInicial = EncodeDate(2025, 3, 1);
  filtro.DataFinal = EncodeDate(2025, 3, 31);
  filtro.CodigoEscrit = "1;2;9";
  filtro.CodigoConta = "1";
  filtro.OrigemLctoCaixa = "3";
  filtro.QuebraPorEmpresa = true;
  filtro.ImpContaSaldoZero = true;
  TnClientDataSet* rows = module->Gerar(filtro);
  EXPECT_EQ(rows, module->nClientDataSet());
  const BalanceResult typed = ReadBalances(*module);
  EXPECT_EQ(typed.order, by_name.order);
  EXPECT_EQ(typed.message, by_name.message);
  EXPECT_EQ(module->MsgErro(), "A empresa 9 da seleção não está cadastrada.");
  EXPECT_DOUBLE_EQ(typed.At(1, 3).anterior, 1000.00);
  EXPECT_DOUBLE_EQ(typed.At(1, 4).credito, 0.00);  // its origin is left out
  EXPECT_FALSE(typed.Has(2, 7));                   // outside the chosen accounts
}

TEST_F(SaldoContaTest, TypedFilterRefusesAMissingOrReversedPeriod) {
  std::unique_ptr<TnFprDPGerarSaldoContaIndividual> module = CriarDMSaldoConta();
  TnFiltroSaldoConta filtro;
  filtro.DataFinal = EncodeDate(2025, 3, 31);
  try {
    module->Gerar(filtro);
    FAIL() << "a missing first day was accepted";
  } catch (const EnParam& e) {
    EXPECT_EQ(e.Message(), "Informe a data inicial do período (pDataInicial).");
  }
  filtro.DataInicial = EncodeDate(2025, 4, 1);
  EXPECT_THROW(module->Gerar(filtro), EnParam);
  EXPECT_EQ(module->nClientDataSet()->RecordCount(), 0);
}

TEST(KorvanFin5Test, PeriodDatesOfAPanelReadAsTheModuleReadsItsOwn) {
  TnpqPowerParam params;
  TnParamDef def;
  def.name = "pDataInicial";
  def.caption = "Data inicial";
  def.kind = TnParamKind::Date;
  params.Add(def);
  TnpqParamItem& item = *params.Param("pDataInicial");
  EXPECT_EQ(DataDoPeriodo(item), 0);
  item.SetValue("  ");
  EXPECT_EQ(DataDoPeriodo(item), 0);
  item.SetValue("05/02/2024");
  EXPECT_EQ(DataDoPeriodo(item), EncodeDate(2024, 2, 5));
  item.SetValue("2024-02-05");
  EXPECT_EQ(DataDoPeriodo(item), EncodeDate(2024, 2, 5));
}

// A module registered in the host's place under the name is used only when
// it is of the module's kind: the reports rely on its typed call.
TEST(KorvanFin5Test, CreatingTheModuleRefusesAnotherKindRegisteredUnderItsName) {
  struct Other : TnDMPowerParam {
    void Executar() override {}
  };
  RegistrarClasseDM<Other>("TnFprDPGerarSaldoContaIndividual");
  try {
    CriarDMSaldoConta();
    ADD_FAILURE() << "another kind of module was accepted";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("TnFprDPGerarSaldoContaIndividual"), std::string::npos);
  }
  RegisterKorvanFin5();
  EXPECT_NE(CriarDMSaldoConta(), nullptr);
}

// Read while the test program loads, after the libraries it needs.
const bool kRegisteredAtLoad = DMRegistrado("TnFprDPGerarSaldoContaIndividual");

TEST(KorvanFin5Test, LoadingTheLibraryRegistersTheModule) { EXPECT_TRUE(kRegisteredAtLoad); }

TEST(KorvanFin5Test, RegistersTheModuleByName) {
  RegisterKorvanFin5();
  RegisterKorvanFin5();  // idempotent
  ASSERT_TRUE(DMRegistrado("TnFprDPGerarSaldoContaIndividual"));
  std::unique_ptr<TnDataModule> module(CriarDMNovo("tnfprdpgerarsaldocontaindividual"));
  auto* power = dynamic_cast<TnDMPowerParam*>(module.get());
  ASSERT_NE(power, nullptr);
  EXPECT_EQ(module->FindComponent("nClientDataSet"), power->nClientDataSet());
  for (const char* name : {"pDataInicial", "pDataFinal", "pGerarSaldoAnterior", "pOrigemLctoCaixa",
                           "pCodigoEscrit", "pCodigoConta", "pEhRelMovCaixa", "pImpContaSaldoZero",
                           "pQuebra", "pOmitirContaContabil", "pMsgErro"}) {
    EXPECT_NE(power->GetParams()->FindParam(name), nullptr) << name;
  }
  EXPECT_EQ(power->Param("pGerarSaldoAnterior")->Value(), "1");
}

}  // namespace
}  // namespace vireo::test
