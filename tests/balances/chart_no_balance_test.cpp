// The chart of accounts without balance: which accounts each company's
// block lists, the synthetic subtree a chosen account brings, the blank
// line before synthetic accounts, the nature, currency and bank texts, and
// the page-end section.
#include <gtest/gtest.h>

#include "reports/balances/rptChartNoBalanceSQL.h"
#include "tests/balances/trial_balance_test_support.h"

namespace vireo::test {
namespace {

const char kPlano[] = "rptChartNoBalance";
enum SecaoPlano : int { kBranco = 8, kFimFolha = 9, kConta = 11 };

class ChartNoBalanceTest : public BalanceDbTest {
 protected:
  // An account with every column the list reads; empresa 0 leaves it
  // shared by all companies.
  void Conta(int codigo, const std::string& classif, const std::string& descr, bool sintetica,
             int natureza = 1, int empresa = 0, int modalidade = 0) {
    Exec(
        "insert into FPRCONTA (CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA, NATURSALDO, "
        "MODALIDADECONTA, CODIGOESCRITORIO) values (?, ?, ?, ?, ?, ?, ?)",
        {codigo, sintetica ? 1 : 2, classif, descr, natureza, modalidade,
         empresa != 0 ? Variant(empresa) : Variant()});
  }

  // Companies 1 and 3; the chart
  //   1 "1" ATIVO (S), 2 "1.1" DISPONÍVEL (S), 11 "1.1.01" Caixa,
  //   12 "1.1.02" Banco do Brasil (company 3, bank account 3/1),
  //   13 "1.1.03" Dólares (currency 2), 14 "1.1.04" Aplicação (company 1),
  //   4 "1.2" ESTOQUES (S, company 3), 3 "2" PASSIVO (S, credit nature),
  //   21 "2.1" Fornecedores (debit nature in a credit group).
  void Plano() {
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Empresa(3, "Empresa Três", "33.333.333/0001-33");
    Banco(1, "Banco do Brasil");
    Exec(
        "insert into AGENCIABANC (CODIGOAGENCIABANC, CODIGOBANCO, NOMEAGENCIA) values (10, 1, "
        "'Centro')");
    ContaBancaria(3, 1, 10, "12345");
    Exec("insert into FPRMOEDA (CODIGOMOEDA, NOMEMOEDA) values (2, 'Dólar americano')");
    Conta(1, "1", "ATIVO", true);
    Conta(2, "1.1", "DISPONÍVEL", true);
    Conta(11, "1.1.01", "Caixa", false);
    Conta(12, "1.1.02", "Banco do Brasil", false, 1, 3, 4);
    Exec("update FPRCONTA set CODIGOPESSOACONTA = 3, CODIGOCONTABANC = 1 where CODIGOCONTA = 12");
    Conta(13, "1.1.03", "Dólares", false, 1, 0, 5);
    Exec("update FPRCONTA set CODIGOMOEDA = 2 where CODIGOCONTA = 13");
    Conta(14, "1.1.04", "Aplicação", false, 1, 1);
    Conta(4, "1.2", "ESTOQUES", true, 1, 3);
    Conta(3, "2", "PASSIVO", true, -1);
    Conta(21, "2.1", "Fornecedores", false, 1);
  }

  // R1 of the account lines, and "|" for a blank line, per company block.
  static std::vector<std::string> Linhas(const TracePrint& print) {
    std::vector<std::string> out;
    for (const json& e : print.trace) {
      if (e["event"] != "section") continue;
      if (e["section"] == kConta) out.push_back(Var(e, "R1"));
      if (e["section"] == kBranco) out.push_back("|");
    }
    return out;
  }
};

TEST_F(ChartNoBalanceTest, EachCompanyBlockListsTheSharedAccountsAndItsOwn) {
  Plano();
  const TracePrint print = Imprimir(kPlano, {});
  EXPECT_EQ(Linhas(print), (std::vector<std::string>{"1", "2", "11", "13", "14", "3", "21", "1",
                                                     "2", "11", "12", "13", "4", "3", "21"}));
  const std::vector<json> linhas = print.Of(kConta);
  EXPECT_EQ(Var(linhas[0], "pNomeEmpresa"), "1 Empresa Um Ltda");
  EXPECT_EQ(Var(linhas[0], "pInscrFederal"), "11.111.111/0001-11");
  EXPECT_EQ(Var(linhas.back(), "pNomeEmpresa"), "3 Empresa Três");
  EXPECT_EQ(print.pages, 2);
}

TEST_F(ChartNoBalanceTest, TheLineShowsKindNatureCurrencyAndBankAccount) {
  Plano();
  const std::vector<json> linhas = Imprimir(kPlano, {{"pCodigoEscritorio", "3"}}).Of(kConta);
  std::map<std::string, json> por_codigo;
  for (const json& e : linhas) por_codigo[Var(e, "R1")] = e;
  EXPECT_EQ(Var(por_codigo["2"], "R2"), "S");
  EXPECT_EQ(Var(por_codigo["2"], "R3"), "1.1       DISPONÍVEL");
  EXPECT_TRUE(LabelOf(por_codigo["2"], "R3")["bold"].get<bool>());
  EXPECT_FALSE(LabelOf(por_codigo["11"], "R3")["bold"].get<bool>());
  EXPECT_EQ(Var(por_codigo["11"], "R2"), "");
  EXPECT_EQ(Var(por_codigo["3"], "R4"), "Crédito");
  EXPECT_EQ(Var(por_codigo["21"], "R4"), "Débito");  // its own nature, not its group's
  EXPECT_EQ(Var(por_codigo["13"], "R5"), "2 - Dólar americano");
  EXPECT_EQ(Var(por_codigo["13"], "R6"), "");
  EXPECT_EQ(Var(por_codigo["12"], "R6"), "1 - Banco do Brasil Ag.: 10 - Centro Conta: 12345");
  EXPECT_EQ(Var(por_codigo["12"], "R5"), "");
}

TEST_F(ChartNoBalanceTest, AChosenSyntheticAccountBringsItsSubtree) {
  Plano();
  EXPECT_EQ(Linhas(Imprimir(kPlano, {{"pCodigoConta", "2;21"}, {"pCodigoEscritorio", "3"}})),
            (std::vector<std::string>{"2", "11", "12", "13", "21"}));
  // Synthetic only, over several chosen accounts.
  EXPECT_EQ(
      Linhas(Imprimir(
          kPlano, {{"pCodigoConta", "1;21"}, {"pImpSinteticas", "1"}, {"pCodigoEscritorio", "3"}})),
      (std::vector<std::string>{"1", "2", "4"}));
  // A selection naming no account prints nothing.
  EXPECT_TRUE(Imprimir(kPlano, {{"pCodigoConta", "500"}}).Bodies().empty());
}

TEST_F(ChartNoBalanceTest, ABlankLineComesBeforeTheNextSyntheticRowEvenWhenItIsSkipped) {
  Plano();
  // In company 1's block "1.2" (company 3's) is skipped, yet 14 before it
  // is followed by a blank line, and "2" after it gets none of its own: the
  // line before it was 14.  The last row (21) is analytic.
  EXPECT_EQ(
      Linhas(Imprimir(kPlano, {{"pPularLinhaCadaSintetica", "1"}, {"pCodigoEscritorio", "1"}})),
      (std::vector<std::string>{"1", "|", "2", "11", "13", "14", "|", "3", "21"}));
  Conta(5, "3", "RECEITAS", true);  // a synthetic last row: a blank line after it
  const std::vector<std::string> linhas =
      Linhas(Imprimir(kPlano, {{"pPularLinhaCadaSintetica", "1"}, {"pCodigoEscritorio", "1"}}));
  EXPECT_EQ(linhas.back(), "|");
  EXPECT_EQ(linhas[linhas.size() - 2], "5");
}

TEST_F(ChartNoBalanceTest, WithoutCompaniesOneUnnamedBlockOfTheSharedAccounts) {
  Empresa(1, "Empresa Um Ltda");
  Conta(1, "1", "ATIVO", true);
  Conta(11, "1.01", "Caixa", false);
  const TracePrint print = Imprimir(kPlano, {});
  EXPECT_EQ(Linhas(print), (std::vector<std::string>{"1", "11"}));
  EXPECT_EQ(Var(print.Of(kConta).front(), "pNomeEmpresa"), "");
  EXPECT_EQ(Var(print.Of(kConta).front(), "pInscrFederal"), "");
}

TEST_F(ChartNoBalanceTest, AccountsThatHadABalanceAreLeftOutWhenAsked) {
  Plano();
  Exec(
      "insert into FPRCONTASALDO (CODIGOESCRIT, CODIGOCONTA, DATASALDO, VALORDEB, VALORCRED) "
      "values (1, 11, '2024-01-01', 10, 4)");
  Exec(
      "insert into FPRCONTASALDO (CODIGOESCRIT, CODIGOCONTA, DATASALDO, VALORDEB, VALORCRED) "
      "values (1, 13, '2024-01-01', 5, 5)");
  EXPECT_EQ(Linhas(Imprimir(kPlano, {{"pContaSaldo", "1"}, {"pCodigoEscritorio", "1"}})),
            (std::vector<std::string>{"1", "2", "13", "14", "3", "21"}));
}

TEST_F(ChartNoBalanceTest, AFullPageClosesWithTheEndOfSheetSection) {
  Plano();
  for (int i = 1; i <= 60; ++i) {
    Conta(100 + i, "2.2." + std::to_string(100 + i), "Conta " + std::to_string(i), false, -1);
  }
  const TracePrint print = Imprimir(kPlano, {{"pCodigoEscritorio", "1"}});
  ASSERT_GE(print.pages, 2);
  const std::vector<std::pair<int, int>> corpos = print.BodiesWithPage();
  // Section 9 only comes near the end of a page: never on its first line,
  // and every section after the first 9 of page 1 on that page follows a 9.
  ASSERT_FALSE(corpos.empty());
  EXPECT_NE(corpos.front().first, kFimFolha);
  size_t primeiro = 0;
  while (primeiro < corpos.size() && corpos[primeiro].first != kFimFolha) ++primeiro;
  ASSERT_LT(primeiro, corpos.size());
  EXPECT_EQ(corpos[primeiro].second, 1);
  for (size_t i = primeiro; i + 1 < corpos.size() && corpos[i + 1].second == 1; ++i) {
    EXPECT_EQ(corpos[i].first == kFimFolha ? kConta : kFimFolha, corpos[i + 1].first) << i;
  }
}

TEST(ChartNoBalanceSQLTest, TheFilterGrowsInItsOrder) {
  TnFiltroPlanoSemSaldo filtro;
  EXPECT_EQ(SelectContasPlano(filtro),
            "SELECT C.CODIGOCONTA ,C.TIPOCONTA ,C.CLASSIFCONTA ,C.DESCRCONTA ,C.NATURSALDO "
            ",C.MODALIDADECONTA ,C.CODIGOMOEDA ,C.CODIGOPESSOACONTA ,C.CODIGOCONTABANC "
            ",C.CODIGOESCRITORIO from FPRCONTA C  order by C.CLASSIFCONTA ");
  filtro.ContaSemSaldo = true;
  EXPECT_NE(SelectContasPlano(filtro).find("from FPRCONTA C where not exists"), std::string::npos);
  filtro.SomenteSinteticas = true;
  filtro.Inclusao = "(C.CODIGOCONTA = 5)";
  filtro.CodigoEscrit = "3";
  const std::string sql = SelectContasPlano(filtro);
  EXPECT_NE(sql.find("where C.TIPOCONTA = 1 and ((C.CODIGOCONTA = 5))and not exists"),
            std::string::npos)
      << sql;
  EXPECT_NE(sql.find(" and ((C.CodigoEscritorio"), std::string::npos) << sql;
  EXPECT_NE(sql.find(" or (C.CodigoEscritorio is null)) "), std::string::npos) << sql;
}

TEST(ChartNoBalanceSQLTest, TheInclusionConditionOfTheChosenAccounts) {
  EXPECT_EQ(CondicaoInclusao({}), "(1=0)");
  EXPECT_EQ(CondicaoInclusao({{"2", true, "1.1"}, {"21", false, "2.1"}}),
            "(C.CLASSIFCONTA LIKE '1.1%')OR  (C.CODIGOCONTA = 21)");
}

}  // namespace
}  // namespace vireo::test
