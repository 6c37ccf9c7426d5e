// Printed history of a cash entry.
#include "host/biz/historico.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

std::string Join(std::string descr, std::string text) { return MontarHistoricoCaixa(descr, text); }

TEST(MontarHistoricoCaixaTest, JoinsDescriptionAndTextOrKeepsTheOneThereIs) {
  EXPECT_EQ(Join("Pagamento de fornecedor", "NF 123"), "Pagamento de fornecedor - NF 123");
  EXPECT_EQ(Join("  Pagamento de fornecedor ", "\tNF 123  "), "Pagamento de fornecedor - NF 123");
  EXPECT_EQ(Join("", "NF 123"), "NF 123");
  EXPECT_EQ(Join("Tarifa bancária", "   "), "Tarifa bancária");
  EXPECT_EQ(Join(" ", ""), "");
}

TEST(MontarHistoricoCaixaTest, DoesNotRepeatADescriptionTheTextStartsWith) {
  EXPECT_EQ(Join("Pagamento de fornecedor", "Pagamento de fornecedor NF 123"),
            "Pagamento de fornecedor NF 123");
  EXPECT_EQ(Join("Venda à vista", "VENDA À VISTA"), "VENDA À VISTA");
  EXPECT_EQ(Join("Recebimento", "Recebimento: parcela 2/3"), "Recebimento: parcela 2/3");
  // Only whole words: "Tarifa" does not begin "Tarifas de março".
  EXPECT_EQ(Join("Tarifa", "Tarifas de março"), "Tarifa - Tarifas de março");
  EXPECT_EQ(Join("Saque", "Saqueado o cofre"), "Saque - Saqueado o cofre");
  EXPECT_EQ(Join("Juros", "Jurosé"), "Juros - Jurosé");
}

TEST(MontarHistoricoCaixaTest, LeavesItsArgumentsAlone) {
  std::string descr = " Depósito ", text = " envelope 7 ";
  EXPECT_EQ(MontarHistoricoCaixa(descr, text), "Depósito - envelope 7");
  EXPECT_EQ(descr, " Depósito ");
  EXPECT_EQ(text, " envelope 7 ");
  const std::string fixed = "Saque";
  EXPECT_EQ(MontarHistoricoCaixa(fixed, std::string("caixa eletrônico")),
            "Saque - caixa eletrônico");
}

}  // namespace
}  // namespace vireo
