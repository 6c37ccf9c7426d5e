// The parameter collection: names, kinds and the checks a value meets when
// it is set.
#include "host/report/params.h"

#include <gtest/gtest.h>

#include "host/core/datetime.h"
#include "host/core/exception.h"

namespace vireo {
namespace {

TnParamDef Def(const std::string& name, TnParamKind kind, const std::string& def = "") {
  TnParamDef d;
  d.name = name;
  d.caption = name + " caption";
  d.kind = kind;
  d.default_value = def;
  return d;
}

TEST(PowerParam, NamesIgnoreCaseAndKeepInsertionOrder) {
  TnpqPowerParam params;
  params.Add(Def("pDataInicial", TnParamKind::Date, "01/02/2024"));
  params.SetValues("R1", "um");
  params.SetValues("r1", "dois");  // same item
  params.Param("C1");
  ASSERT_EQ(params.Count(), 3);
  EXPECT_EQ(params.Items(0)->Name(), "pDataInicial");
  EXPECT_EQ(params.Items(1)->Name(), "R1");
  EXPECT_EQ(params.Items(2)->Name(), "C1");
  EXPECT_EQ(params.GetValues("PDATAINICIAL"), "01/02/2024");
  EXPECT_EQ(params.GetValues("R1"), "dois");
  EXPECT_EQ(params.GetValues("naoExiste"), "");
  EXPECT_EQ(params.FindParam("naoExiste"), nullptr);
  EXPECT_FALSE(params.Items(1)->IsParameter());
  EXPECT_TRUE(params.ParamUnCheck("pdatainicial"));
  EXPECT_FALSE(params.ParamUnCheck("R1"));
}

TEST(PowerParam, RefusesANameTwice) {
  TnpqPowerParam params;
  params.Add(Def("pConta", TnParamKind::Text));
  EXPECT_THROW(params.Add(Def("PCONTA", TnParamKind::Integer)), Exception);
}

TEST(PowerParam, VersionMovesOnlyWhenAValueChanges) {
  TnpqPowerParam params;
  TnpqParamItem* r1 = params.Param("R1");
  const uint64_t v = params.Version(), item_v = r1->Version();
  r1->SetValue("");
  EXPECT_EQ(params.Version(), v);
  r1->SetValue("x");
  EXPECT_GT(params.Version(), v);
  EXPECT_GT(r1->Version(), item_v);
}

TEST(ParamItem, DateIsStoredInTheLocaleFormAndReadBack) {
  TnpqPowerParam params;
  TnpqParamItem* date = params.Add(Def("pDataInicial", TnParamKind::Date));
  date->SetValue("2024-03-05");
  EXPECT_EQ(date->Value(), "05/03/2024");
  EXPECT_EQ(date->GetAsDate(), EncodeDate(2024, 3, 5));
  date->SetValue("");
  try {
    date->GetAsDate();
    FAIL() << "an empty date must be refused";
  } catch (const EnParam& e) {
    EXPECT_EQ(e.ParamName(), "pDataInicial");
  }
}

TEST(ParamItem, BadDateIsRefusedNamingTheParameter) {
  TnpqPowerParam params;
  TnpqParamItem* date = params.Add(Def("pDataFinal", TnParamKind::Date, "31/01/2024"));
  try {
    date->SetValue("31/02/2024");
    FAIL() << "31/02 is no date";
  } catch (const EnParam& e) {
    EXPECT_EQ(e.ParamName(), "pDataFinal");
    EXPECT_NE(e.Message().find("31/02/2024"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("pDataFinal caption"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(date->Value(), "31/01/2024");  // unchanged
}

TEST(ParamItem, IntegerKind) {
  TnpqPowerParam params;
  TnpqParamItem* n = params.Add(Def("pLimite", TnParamKind::Integer));
  EXPECT_EQ(n->GetAsInteger(), 0);  // empty reads as 0
  n->SetValue(" 42 ");
  EXPECT_EQ(n->GetAsInteger(), 42);
  EXPECT_THROW(n->SetValue("12a"), EnParam);
  // A variable holds any text, and reading it as a number is what fails.
  TnpqParamItem* v = params.Param("R1");
  v->SetValue("abc");
  EXPECT_THROW(v->GetAsInteger(), EnParam);
}

// An amount as the reports read it: the locale's decimal comma.
TEST(ParamItem, DecimalKindRefusesWhatIsNoNumber) {
  TnpqPowerParam params;
  TnpqParamItem* v = params.Add(Def("pValorMinimo", TnParamKind::Decimal));
  v->SetValue(" 1234,56 ");
  EXPECT_EQ(v->Value(), "1234,56");
  v->SetValue("");
  EXPECT_EQ(v->Value(), "");
  for (const char* bad : {"dez", "1,2,3", "1) or (1=1", "12a"}) {
    try {
      v->SetValue(bad);
      ADD_FAILURE() << bad << " was taken";
    } catch (const EnParam& e) {
      EXPECT_NE(e.Message().find("pValorMinimo"), std::string::npos) << e.Message();
    }
  }
  EXPECT_STREQ(ParamKindName(TnParamKind::Decimal), "decimal");
}

TEST(ParamItem, SelectionIsCheckedWhenSet) {
  TnpqPowerParam params;
  TnpqParamItem* sel = params.Add(Def("pCodigoEscrit", TnParamKind::Selection));
  sel->SetValue("1;3;5..9");
  EXPECT_EQ(sel->Value(), "1;3;5..9");
  sel->SetValue("");
  for (const char* bad : {"1;abc", "1); drop table x", "9..5"}) {
    try {
      sel->SetValue(bad);
      FAIL() << bad << " must be refused";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.ParamName(), "pCodigoEscrit") << bad;
    }
  }
  EXPECT_EQ(sel->Value(), "");
}

TEST(ParamItem, YesNoStoresOneOrZeroAndShowsSimNao) {
  TnpqPowerParam params;
  TnpqParamItem* yn = params.Add(Def("pImpSintetica", TnParamKind::YesNo, "0"));
  EXPECT_EQ(yn->DisplayText(), kTextoNao);
  for (const char* yes : {"Sim", "S", "1", "true"}) {
    yn->SetValue("0");
    yn->SetValue(yes);
    EXPECT_EQ(yn->Value(), "1") << yes;
  }
  EXPECT_EQ(yn->DisplayText(), kTextoSim);
  yn->SetValue("Não");
  EXPECT_EQ(yn->Value(), "0");
  EXPECT_THROW(yn->SetValue("talvez"), EnParam);
}

TEST(ParamItem, ChoiceTakesAValueOrItsCaption) {
  TnpqPowerParam params;
  TnParamDef def = Def("pOrdenar", TnParamKind::Choice, "0");
  def.items = {{"0", "Data"}, {"1", "Tipo"}};
  TnpqParamItem* choice = params.Add(def);
  choice->SetValue("tipo");
  EXPECT_EQ(choice->Value(), "1");
  EXPECT_EQ(choice->DisplayText(), "Tipo");
  try {
    choice->SetValue("2");
    FAIL();
  } catch (const EnParam& e) {
    EXPECT_NE(e.Message().find("0 (Data), 1 (Tipo)"), std::string::npos) << e.Message();
  }
}

TEST(ParamItem, BadDefaultIsRefusedWhenTheParameterIsMade) {
  TnpqPowerParam params;
  EXPECT_THROW(params.Add(Def("pData", TnParamKind::Date, "ontem")), EnParam);
  EXPECT_EQ(params.Count(), 0);
}

}  // namespace
}  // namespace vireo
