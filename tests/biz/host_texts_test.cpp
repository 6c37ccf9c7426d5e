// The small business functions the reports format and decide with.
#include <gtest/gtest.h>

#include "host/biz/exibe_empresa.h"
#include "host/biz/formatar_numero.h"
#include "host/biz/helper_enum_str.h"
#include "host/biz/plano_item.h"
#include "host/core/exception.h"

namespace vireo {
namespace {

TEST(ExibeEmpresaRel, OnlyASelectionOfOneCompany) {
  for (const char* one : {"1", " 1 ", "1..1", "7;7", "0012"})
    EXPECT_TRUE(ExibeEmpresaRel(one)) << one;
  for (const char* many : {"", "  ", "1;2", "1..2", "1;1..3"})
    EXPECT_FALSE(ExibeEmpresaRel(many)) << many;
  for (const char* bad : {"1 or 1=1", "a", "3..1", "1'"})
    EXPECT_THROW(ExibeEmpresaRel(bad), EnParam) << bad;
}

TEST(FormatarNumero, GroupsThousandsAndSignsNegatives) {
  EXPECT_EQ(FormatarNumero(1234567.891), "1.234.567,89");
  EXPECT_EQ(FormatarNumero(-1500), "-1.500,00");
  EXPECT_EQ(FormatarNumero(0), "0,00");
}

TEST(THelperEnumStr, YesNoTextsOfThePanel) {
  EXPECT_EQ(THelperEnumStr::TDicSimNao(1), "Sim");
  EXPECT_EQ(THelperEnumStr::TDicSimNao(0), "Não");
  EXPECT_EQ(THelperEnumStr::TDicSimNao(2), "");
}

// A two-level tree as an entity would build it: the enumerator and the
// list walk the same children, and the balance view is reached by cast.
struct Item : IPlanoItemSaldo {
  explicit Item(double code) : code(code) {}
  const TnListaPlanoItem& Filhos() const override { return filhos; }
  double Codigo() const override { return code; }
  std::string Descricao() const override { return "Conta"; }
  std::string Classificacao() const override { return "1"; }
  bool Sintetico() const override { return filhos.Count() > 0; }
  double SaldoAnterior() const override { return 0; }
  double Debito() const override { return 10; }
  double Credito() const override { return 4; }
  double SaldoAtual() const override { return -6; }
  double code;
  TnListaPlanoItem filhos;
};

TEST(PlanoItem, EnumeratorAndListAgree) {
  Item root(0), a(1), b(2);
  root.filhos.Add(&a);
  root.filhos.Add(&b);
  std::vector<double> seen;
  for (TnEnumeradorPlanoItem e = root.Filhos().GetEnumerator(); e.MoveNext();)
    seen.push_back(e.GetCurrent()->Codigo());
  EXPECT_EQ(seen, (std::vector<double>{1, 2}));
  EXPECT_EQ(root.Filhos().Items(1), &b);
  EXPECT_FALSE(a.Filhos().GetEnumerator().MoveNext());
  IPlanoItem* item = root.Filhos().Items(0);
  ASSERT_NE(dynamic_cast<IPlanoItemSaldo*>(item), nullptr);
  EXPECT_EQ(dynamic_cast<IPlanoItemSaldo*>(item)->SaldoAtual(), -6);
}

}  // namespace
}  // namespace vireo
