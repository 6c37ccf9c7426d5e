// Pages of the ledger: the continuation header inside an account, the
// account that fills its page, the struck-through page of a period without
// movement, and companies on sheets of their own.
#include <gtest/gtest.h>

#include <string>

#include "tests/ledgers/ledger_test_support.h"

namespace vireo::test {
namespace {

double Altura(const TnLayout& layout, int section) { return layout.FindSection(section)->height; }

// Height a page offers to body sections.
double Corpo(const TnLayout& layout) {
  return layout.page.height - layout.page.margin_top - layout.page.margin_bottom -
         Altura(layout, 1) - Altura(layout, 3);
}

// Height of an account of n one-line entries, header to totals.
double Conta(const TnLayout& layout, int n) {
  return Altura(layout, 13) + Altura(layout, 10) + Altura(layout, 14) + n * Altura(layout, 8) +
         Altura(layout, 16);
}

class PaginasTest : public LedgerDbTest {
 protected:
  void SetUp() override {
    LedgerDbTest::SetUp();
    Basico();
    Analitica(12, "1.1.02", "Banco Um", 4);
  }
  // n one-line inflows of 1,00 on the account, from 1 March on.
  void Entradas(int conta, int n, int primeiro_codigo) {
    for (int i = 0; i < n; ++i) {
      Caixa(1, primeiro_codigo + i, conta, Dia(2024, 3, 1 + i % 28), 1, 1,
            {.historico = "Recebimento"});
    }
  }
};

TEST_F(PaginasTest, PageBreakInsideAnAccountRepeatsItsHeaderUnderThePageHeader) {
  Entradas(11, 100, 1);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  ASSERT_GE(print.pages, 2);
  const std::vector<int> pagina2 = print.OnPage(2);
  ASSERT_GE(pagina2.size(), 4u);
  EXPECT_EQ(std::vector<int>(pagina2.begin(), pagina2.begin() + 4),
            (std::vector<int>{1, 12, 10, 8}));
  EXPECT_EQ(Var(print.Of(12).at(0), "pCabContaCtb"), "Conta: 11");
  EXPECT_EQ(print.Of(12).size(), static_cast<size_t>(print.pages - 1));
  EXPECT_EQ(print.OnPage(1).at(1), 13);  // the first page needs no repetition
}

TEST_F(PaginasTest, AccountThatLeavesNoRoomSendsTheNextOneToANewPage) {
  const TnLayout layout = Layout("rptLedger.json");
  int n = 0;
  while (Conta(layout, n + 1) <= Corpo(layout)) ++n;
  ASSERT_LT(Corpo(layout) - Conta(layout, n), Altura(layout, 9) + Altura(layout, 4));
  Entradas(11, n, 1);
  Caixa(1, 500, 12, Dia(2024, 3, 7), 1, 5);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1"}});
  ASSERT_EQ(print.pages, 2);
  const std::vector<int> pagina2 = print.OnPage(2);
  ASSERT_GE(pagina2.size(), 6u);
  // No separator and no continuation header: the account begins the page.
  EXPECT_EQ(std::vector<int>(pagina2.begin(), pagina2.begin() + 6),
            (std::vector<int>{1, 13, 10, 14, 8, 16}));
  EXPECT_EQ(Var(print.Of(13).at(1), "pCabContaCtb"), "Conta: 12");
}

TEST_F(PaginasTest, AccountHeaderThatStartsAPageIsNotPrecededByAContinuationHeader) {
  // Little room kept between accounts, so the separator of the next account
  // still fits at the foot of the page while its header does not.
  TnLayout layout = Layout("rptLedger.json");
  for (TnSectionDef& section : layout.sections) {
    if (section.number == 9 || section.number == 4) section.height = 1;
  }
  int n = 0;
  auto sobra = [&](int k) { return Corpo(layout) - Conta(layout, k); };
  while (!(sobra(n) >= Altura(layout, 11) && sobra(n) < Altura(layout, 11) + Altura(layout, 13))) {
    ASSERT_GT(sobra(++n), 0);
  }
  Entradas(11, n, 1);
  Caixa(1, 500, 12, Dia(2024, 3, 7), 1, 5);
  const LedgerPrint print = Imprimir(layout, {{"pCodigoEscrit", "1"}});
  ASSERT_EQ(print.pages, 2);
  EXPECT_EQ(print.OnPage(1).back(), 3);
  EXPECT_EQ(print.OnPage(1).at(print.OnPage(1).size() - 2), 11);
  const std::vector<int> pagina2 = print.OnPage(2);
  EXPECT_EQ(std::vector<int>(pagina2.begin(), pagina2.begin() + 3), (std::vector<int>{1, 13, 10}));
  EXPECT_TRUE(print.Of(12).empty());
}

TEST_F(PaginasTest, PeriodWithoutMovementStrikesThroughAPage) {
  // The label starts large and bold; the report writes the stroke small.
  TnLayout layout = Layout("rptLedger.json");
  for (TnSectionDef& section : layout.sections) {
    for (TnObjectDef& object : section.objects) {
      if (object.name == "R9") object.font.size = 12, object.font.bold = true;
    }
  }
  const LedgerPrint print = Imprimir(layout, {{"pCodigoEscrit", "1"}});
  ASSERT_EQ(print.pages, 1);
  const auto linhas = print.Of(15);
  // The 55 lines fill the sheet: no end-of-sheet cancel adds more.
  ASSERT_EQ(linhas.size(), 55u);
  for (int i = 1; i <= 55; ++i) {
    const std::string esperado =
        i == 25 ? std::string(100, ' ') + "P E R Í O D O   S E M   M O V I M E N T O"
                : std::string(i * 5, ' ') + "**";
    EXPECT_EQ(Var(linhas[i - 1], "R9"), esperado) << "linha " << i;
  }
  EXPECT_EQ(linhas[0]["labels"]["R9"]["size"], 12);
  EXPECT_EQ(linhas[0]["labels"]["R9"]["bold"], true);
  EXPECT_EQ(linhas[1]["labels"]["R9"]["size"], 8);
  EXPECT_EQ(linhas[1]["labels"]["R9"]["bold"], false);
  const std::vector<int> corpo = print.Bodies();
  EXPECT_EQ(corpo.back(), 15);
  EXPECT_TRUE(print.Of(17).empty());
  EXPECT_TRUE(print.Of(13).empty());
  EXPECT_TRUE(print.messages.empty());
}

TEST_F(PaginasTest, CompanyWithoutAccountsGetsItsOwnStruckPageWithoutTheLastAccountsHeader) {
  Empresa(2, "Empresa Dois SA", "22.222.222/0001-22");
  Entradas(11, 100, 1);  // company 1 ends in the middle of its second page
  const LedgerPrint print = Razao({{"pCodigoEscrit", "1;2"}});
  const int ultima = print.pages;
  ASSERT_GE(ultima, 3);
  const std::vector<int> pagina = print.OnPage(ultima);
  ASSERT_GE(pagina.size(), 2u);
  EXPECT_EQ(pagina[0], 1);
  EXPECT_EQ(pagina[1], 15);
  for (int s : pagina) EXPECT_NE(s, 12);
  EXPECT_EQ(Var(print.Of(1).back(), "pNomeEmpresa"), "0002 Empresa Dois SA");
}

TEST_F(PaginasTest, NoCompanyPrintsNothing) {
  Caixa(1, 1, 11, Dia(2024, 3, 5), 1, 10);
  const LedgerPrint print = Razao({{"pCodigoEscrit", "9"}});
  EXPECT_EQ(print.pages, 0);
  EXPECT_TRUE(print.Bodies().empty());
}

}  // namespace
}  // namespace vireo::test
