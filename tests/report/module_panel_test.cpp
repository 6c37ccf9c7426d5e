// Data modules made by name, and the panel controls a report adjusts.
#include <gtest/gtest.h>

#include <memory>

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/data_module.h"
#include "host/report/panel.h"
#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

class TestSaldo : public TnDMPowerParam {
 public:
  TestSaldo() { ++alive; }
  ~TestSaldo() override { --alive; }
  void Executar() override {
    TnClientDataSet* rows = nClientDataSet();
    rows->FieldDefs().clear();
    rows->AddFieldDef("CODIGOCONTA", TFieldType::Integer);
    rows->CreateDataSet();
    rows->Append();
    rows->FieldByName("CODIGOCONTA")->SetAsInteger(StrToInt(Param("pCodigoConta")->Value()));
    rows->Post();
  }
  static int alive;
};
int TestSaldo::alive = 0;

class DataModules : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegistrarClasseDM<TestSaldo>("TnTestSaldo"); }
};

TEST_F(DataModules, MadeByNameRunAndGiveTheirResult) {
  std::unique_ptr<TnDataModule> module(CriarDMNovo("tntestsaldo"));
  auto* dm = dynamic_cast<TnDMPowerParam*>(module.get());
  ASSERT_NE(dm, nullptr);
  EXPECT_EQ(dm->ClassName(), "tntestsaldo");
  dm->Param("pCodigoConta")->SetValue("42");
  dm->Executar();
  auto* rows = dynamic_cast<TnClientDataSet*>(dm->FindComponent("nClientDataSet"));
  ASSERT_EQ(rows, dm->nClientDataSet());
  ASSERT_EQ(rows->RecordCount(), 1);
  EXPECT_EQ(rows->FieldByName("CodigoConta")->AsInteger(), 42);
  EXPECT_EQ(dm->FindComponent("outro"), nullptr);
}

TEST_F(DataModules, ResultFreedByTheReportIsNotFreedAgain) {
  auto* dm = static_cast<TnDMPowerParam*>(CriarDMNovo("TnTestSaldo"));
  dm->Param("pCodigoConta")->SetValue("1");
  dm->Executar();
  TnClientDataSet* rows = dm->nClientDataSet();
  DestruirSQL(rows);  // as some reports do before freeing the module
  EXPECT_EQ(rows, nullptr);
  TnClientDataSet* again = dm->nClientDataSet();  // a fresh, empty one
  EXPECT_NE(again, nullptr);
  delete dm;
  EXPECT_EQ(TestSaldo::alive, 0);
}

TEST_F(DataModules, UnknownClassIsNamed) {
  try {
    delete CriarDMNovo("TnNaoExiste");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "O módulo de dados TnNaoExiste não está registrado no sistema.");
  }
}

TEST_F(DataModules, HostModulesAreSharedUntilReleased) {
  TnDataModule* a = CriarDM("TnTestSaldo");
  EXPECT_EQ(CriarDM("TNTESTSALDO"), a);
  EXPECT_EQ(TestSaldo::alive, 1);
  LiberarDMs();
  EXPECT_EQ(TestSaldo::alive, 0);
}

TEST_F(DataModules, UnregisteredClassIsGoneWithItsHostModule) {
  RegistrarClasseDM<TestSaldo>("TnTestSaldoTemporario");
  CriarDM("TnTestSaldoTemporario");
  const int before = TestSaldo::alive;
  DesregistrarDM("TnTestSaldoTemporario");
  EXPECT_EQ(TestSaldo::alive, before - 1);
  EXPECT_FALSE(DMRegistrado("TnTestSaldoTemporario"));
  EXPECT_THROW(CriarDM("TnTestSaldoTemporario"), Exception);
  EXPECT_TRUE(DMRegistrado("TnTestSaldo"));
}

// --- panel ------------------------------------------------------------------

TEST(Panel, ControlsAreViewsOfTheirParameters) {
  TnrwReport engine(test::TestLayout());
  TnFraControle* yes_no = engine.EdFindFieldControl("pimpsintetica");
  ASSERT_NE(yes_no, nullptr);
  EXPECT_EQ(yes_no->GetAsString(), kTextoNao);
  yes_no->SetAsInteger(1);
  EXPECT_EQ(yes_no->GetAsString(), kTextoSim);
  EXPECT_EQ(engine.GetValues("pImpSintetica"), "1");
  EXPECT_EQ(yes_no->GetAsInteger(), 1);

  TnFraControle* order = engine.EdFindFieldControl("pOrdenar");
  order->SetAsString("Tipo");
  EXPECT_EQ(order->GetAsInteger(), 1);
  EXPECT_EQ(order->GetAsString(), "Tipo");

  EXPECT_EQ(engine.EdFindFieldControl("R1"), nullptr);  // variables are not on the panel
  EXPECT_NE(engine.EdFindFieldControl("pEhRelMovCaixa"), nullptr);  // hidden ones are
}

TEST(Panel, EnabledAndRequiredStatesAreTheParameters) {
  TnrwReport engine(test::TestLayout());
  engine.EdEnabledField("pLimite", false);
  EXPECT_FALSE(engine.GetParams()->FindParam("pLimite")->Enabled());
  EXPECT_FALSE(engine.EdFindFieldControl("pLimite")->Enabled());
  TnFraControle* limit = engine.EdFindFieldControl("pLimite");
  EXPECT_TRUE(limit->GetFieldValido());  // empty but not required
  engine.EdRequiredField("pLimite", true);
  EXPECT_FALSE(limit->GetFieldValido());
  limit->SetAsString("7");
  EXPECT_TRUE(limit->GetFieldValido());
  EXPECT_THROW(engine.EdEnabledField("pNaoExiste", true), Exception);
}

TEST(Panel, LookupControlTakesAnExtraCondition) {
  TnrwReport engine(ParseLayout(R"({"parameters": [
      {"name": "pConta", "kind": "selection", "lookup": "select CODIGOCONTA from FPRCONTA"},
      {"name": "pBanco", "kind": "selection",
       "lookup": ["select CODIGOBANCO from BANCO", "where ATIVO = 1"]}],
      "sections": []})",
                                "x.json"));
  auto* conta = dynamic_cast<TnFraCtrlNDLinkEdit*>(engine.EdFindFieldControl("pConta"));
  ASSERT_NE(conta, nullptr);
  EXPECT_EQ(conta->LookupSQL(), "select CODIGOCONTA from FPRCONTA");
  conta->SetSQLAdicional([] { return "MODALIDADECONTA <> 0"; });
  EXPECT_EQ(conta->LookupSQL(), "select CODIGOCONTA from FPRCONTA where MODALIDADECONTA <> 0");
  auto* banco = dynamic_cast<TnFraCtrlNDLinkEdit*>(engine.EdFindFieldControl("pBanco"));
  banco->SetSQLAdicional([] { return "X = 2"; });
  EXPECT_EQ(banco->LookupSQL(), "select CODIGOBANCO from BANCO where ATIVO = 1 and X = 2");
}

}  // namespace
}  // namespace vireo
