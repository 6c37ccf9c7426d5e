// The host's origin kinds and product kind, and the panel's offered lists.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <set>
#include <string>

#include "host/biz/origens_contabilizacao.h"
#include "host/biz/produto.h"
#include "host/core/exception.h"
#include "host/report/params.h"

namespace vireo {
namespace {

TEST(OrigensContabilizacao, ChoiceListGivesEveryCodeItsDescription) {
  TnpqPowerParam params;
  TnpqParamItem* tipo = params.Add({.name = "pTipo", .kind = TnParamKind::Selection});
  tipo->SetItemsText(OpcoesContabilizacaoGerar());
  const auto& itens = tipo->Definition().items;
  ASSERT_EQ(itens.size(), 9u);
  for (int codigo = 0; codigo <= 8; ++codigo) {
    EXPECT_EQ(itens[codigo].value, std::to_string(codigo));
    EXPECT_EQ(itens[codigo].text, TFprListDescricao::DescricaoGerarContabilizacao(codigo));
  }
}

TEST(OrigensContabilizacao, DescriptionsAreDistinctAndAbbreviationsShorter) {
  std::set<std::string> longas, curtas;
  for (int codigo = 0; codigo <= 8; ++codigo) {
    const std::string longa = TFprListDescricao::DescricaoGerarContabilizacao(codigo);
    const std::string curta = TFprListDescricao::DescricaoGerarContabilizacaoAbrev(codigo);
    EXPECT_FALSE(curta.empty()) << codigo;
    EXPECT_LE(curta.size(), longa.size()) << codigo;
    EXPECT_LE(curta.size(), 12u) << curta;  // fits the entry check's origin column
    longas.insert(longa);
    curtas.insert(curta);
  }
  EXPECT_EQ(longas.size(), 9u);
  EXPECT_EQ(curtas.size(), 9u);
  for (int codigo : {-1, 9, 100}) {
    EXPECT_EQ(TFprListDescricao::DescricaoGerarContabilizacao(codigo), "");
    EXPECT_EQ(TFprListDescricao::DescricaoGerarContabilizacaoAbrev(codigo), "");
  }
}

TEST(PainelItens, ItemsTextReplacesTheListAndKeepsTheValue) {
  TnpqPowerParam params;
  TnpqParamItem* escolha = params.Add(
      {.name = "pOrdem", .kind = TnParamKind::Choice, .default_value = "x", .items = {{"x", "X"}}});
  escolha->SetItemsText("1=Um\r\n\n  2 = Dois  \n3\n");
  const auto& itens = escolha->Definition().items;
  ASSERT_EQ(itens.size(), 3u);
  EXPECT_EQ(itens[1].value, "2");
  EXPECT_EQ(itens[1].text, "Dois");
  EXPECT_EQ(itens[2].text, "3");
  EXPECT_EQ(escolha->Value(), "x");
  escolha->SetValue("Dois");  // the new list is the one values are checked against
  EXPECT_EQ(escolha->Value(), "2");
  EXPECT_THROW(escolha->SetValue("x"), EnParam);
}

class ProdutoTest : public ::testing::Test {
 protected:
  void TearDown() override {
    unsetenv("VIREO_PRODUTO");
    RedefinirProduto();
  }
};

TEST_F(ProdutoTest, EnvironmentSelectsKindTwoAndNothingElse) {
  unsetenv("VIREO_PRODUTO");
  RedefinirProduto();
  EXPECT_EQ(PegarProduto(), 0);
  setenv("VIREO_PRODUTO", " 2 ", 1);
  EXPECT_EQ(PegarProduto(), 0);  // read once, until forgotten
  RedefinirProduto();
  EXPECT_EQ(PegarProduto(), 2);
  for (const char* outro : {"1", "3", "dois", ""}) {
    setenv("VIREO_PRODUTO", outro, 1);
    RedefinirProduto();
    EXPECT_EQ(PegarProduto(), 0) << outro;
  }
}

TEST_F(ProdutoTest, SetterOverridesTheEnvironmentAndRefusesUnknownKinds) {
  setenv("VIREO_PRODUTO", "2", 1);
  DefinirProduto(0);
  EXPECT_EQ(PegarProduto(), 0);
  DefinirProduto(2);
  EXPECT_EQ(PegarProduto(), 2);
  EXPECT_THROW(DefinirProduto(1), Exception);
  EXPECT_EQ(PegarProduto(), 2);
}

}  // namespace
}  // namespace vireo
