// rptTrialBalanceAccountCentre and rptTrialBalanceCentreAccount: the tree
// lines and their cost-centre (or account) entries, masks, blank lines and
// group breaks, accounts without apportionment, entry labels, the header,
// the origin warning and the period check.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "host/core/exception.h"
#include "tests/cost_centres/cost_centre_test_support.h"

namespace vireo::test {
namespace {

const char kContaCentro[] = "rptTrialBalanceAccountCentre";
const char kCentroConta[] = "rptTrialBalanceCentreAccount";

using Linhas = std::vector<std::pair<int, std::string>>;

Linhas Corpo(const CentrePrint& print) {
  Linhas out;
  for (const json& e : print.trace) {
    if (e["event"] != "section" || e["section"] == 1 || e["section"] == 3) continue;
    out.emplace_back(e["section"].get<int>(), Var(e, "R3"));
  }
  return out;
}

class AccountCentreTest : public CentreDbTest {
 protected:
  // March 2024, company 1: Vendas credited 300 to Vendas Loja and 200 to
  // Financeiro; Serviços 50 to Diretoria; Salários debited 80 to
  // Financeiro and a negative debit of 25 to Diretoria; company 2 apart.
  void SetUp() override {
    CentreDbTest::SetUp();
    Basico();
    Lancar(1, 31, Dia(2024, 3, 5), -1, {{21, 300}, {12, 200}});
    Lancar(1, 32, Dia(2024, 3, 6), -1, {{11, 50}});
    Lancar(1, 41, Dia(2024, 3, 7), 1, {{12, 80}});
    Lancar(1, 41, Dia(2024, 3, 8), 1, {{11, -25}});
    Lancar(2, 42, Dia(2024, 3, 8), 1, {{11, 1000}});
  }
};

TEST_F(AccountCentreTest, AccountsThenTheirCostCentresOneLevelBelow) {
  const CentrePrint print = Imprimir(kContaCentro);
  EXPECT_EQ(Corpo(print), (Linhas{{9, "3  RECEITAS"},
                                  {9, "3.1  RECEITAS OPERACIONAIS"},
                                  {9, "3.1.01  Vendas"},
                                  {8, "3.1.01.01  Financeiro"},
                                  {8, "3.1.01.01  Vendas Loja"},
                                  {9, "3.1.02  Serviços"},
                                  {8, "3.1.02.01  Diretoria"},
                                  {9, "4  DESPESAS"},
                                  {9, "4.1  Salários"},
                                  {8, "4.1.01  Diretoria"},
                                  {8, "4.1.01  Financeiro"}}));
  const json vendas = print.Linha(9, "3.1.01  Vendas");
  EXPECT_EQ(Var(vendas, "R4"), "0,00 ");
  EXPECT_EQ(Var(vendas, "R5"), "0,00");
  EXPECT_EQ(Var(vendas, "R6"), "500,00");
  EXPECT_EQ(Var(vendas, "R7"), "500,00 ");
  // A negative debit prints without sign; the closing balance it raises.
  const json diretoria = print.Linha(8, "4.1.01  Diretoria");
  EXPECT_EQ(Var(diretoria, "R5"), "25,00");
  EXPECT_EQ(Var(diretoria, "R7"), "25,00 ");
  EXPECT_EQ(Var(print.Linha(9, "4  DESPESAS"), "R7"), "(55,00)");
  EXPECT_EQ(Var(print.Of(9).front(), "pNomeEmpresa"), "0001 Empresa Um Ltda");
  EXPECT_EQ(Var(print.Of(9).front(), "pInscrFederal"), "CNPJ: 11.111.111/0001-11");
  EXPECT_TRUE(print.messages.empty());
}

TEST_F(AccountCentreTest, BlankLinesBeforeSyntheticsButNotFirstNorAfterAGroupBreak) {
  const CentrePrint sem_quebra = Imprimir(kContaCentro, {{"pPularLinhaCadaSintetica", "True"}});
  std::vector<std::string> antes_de_branco;
  const Linhas corpo = Corpo(sem_quebra);
  for (size_t i = 0; i + 1 < corpo.size(); ++i) {
    if (corpo[i].second.empty()) antes_de_branco.push_back(corpo[i + 1].second);
  }
  EXPECT_EQ(antes_de_branco,
            (std::vector<std::string>{"3.1  RECEITAS OPERACIONAIS", "4  DESPESAS"}));
  EXPECT_EQ(sem_quebra.pages, 1);

  const CentrePrint com_quebra =
      Imprimir(kContaCentro, {{"pPularLinhaCadaSintetica", "1"}, {"pQuebrarPorGrupo", "true"}});
  const Linhas corpo2 = Corpo(com_quebra);
  EXPECT_EQ(std::count(corpo2.begin(), corpo2.end(), std::pair<int, std::string>{8, ""}), 1);
  EXPECT_EQ(com_quebra.pages, 2);
  EXPECT_EQ(com_quebra.Linha(9, "4  DESPESAS")["page"], 2);
  for (const json& e : com_quebra.Of(8)) {
    if (Var(e, "R3").empty()) {
      for (const char* r : {"R1", "R2", "R4", "R5", "R6", "R7"}) EXPECT_EQ(Var(e, r), "") << r;
    }
  }
}

TEST_F(AccountCentreTest, AccountsWithoutApportionmentPrintAsEntries) {
  Movimentar(1, 42, Dia(2024, 3, 9), 1, 70);
  const CentrePrint sem = Imprimir(kContaCentro);
  EXPECT_EQ(Corpo(sem).size(), 11u);
  const CentrePrint com = Imprimir(kContaCentro, {{"pListaContaSemRateio", " sim "}});
  EXPECT_EQ(Var(com.Linha(8, "4.2  Aluguel"), "R7"), "0,00 ");
  EXPECT_EQ(Corpo(com).back(), (std::pair<int, std::string>{8, "4.2  Aluguel"}));
  // Every other account keeps its own section.
  EXPECT_EQ(com.Linha(9, "4.1  Salários")["section"], 9);
  // Not a Boolean: off, no error.
  EXPECT_EQ(Corpo(Imprimir(kContaCentro, {{"pListaContaSemRateio", "talvez"}})).size(), 11u);
}

TEST_F(AccountCentreTest, EntryLabelsTakeTheNextLevelOfTheMaskOrThreeDigits) {
  Sintetica(5, "3.2", "OUTRAS RECEITAS");
  Analitica(33, "3.2.01.001", "Mais funda que a máscara", 0);
  Lancar(1, 33, Dia(2024, 3, 9), -1, {{21, 1}});
  Exec("update FPRCONTA set CLASSIFCONTA = '0.1' where CODIGOCONTA = 42");
  Lancar(1, 42, Dia(2024, 3, 9), 1, {{21, 1}});
  const CentrePrint print = Imprimir(kContaCentro);
  const std::vector<std::string> entradas = print.R3(8);
  EXPECT_NE(std::find(entradas.begin(), entradas.end(), "3.2.01.001.001  Vendas Loja"),
            entradas.end());
  // Group 0 names no mask column.
  EXPECT_EQ(print.R3(8).front(), "0.1.001  Vendas Loja");
}

TEST_F(AccountCentreTest, WithoutCompanyTheHeaderIsEmptyAndEveryCompanyCounts) {
  const CentrePrint print = Imprimir(kContaCentro, {{"pCodigoEscrit", "abc"}});
  EXPECT_EQ(Var(print.Of(9).front(), "pNomeEmpresa"), "");
  EXPECT_EQ(Var(print.Of(9).front(), "pInscrFederal"), "");
  EXPECT_EQ(Var(print.Linha(9, "4.2  Aluguel"), "R5"), "1.000,00");
}

TEST_F(AccountCentreTest, OriginFilterWarnsEvenWhenThePrintFails) {
  const CentrePrint print = Imprimir(kContaCentro, {{"pOrigemDados", "7"}});
  ASSERT_EQ(print.messages.size(), 1u);
  EXPECT_EQ(print.messages[0].text,
            "Existe um filtro para lançamentos ativo. Cuidado com as informações apresentadas "
            "pois houve lançamentos ignorados.");
  EXPECT_EQ(print.message_titles, (std::vector<std::string>{"Mensagem"}));
}

TEST_F(AccountCentreTest, AFinalDateBeforeTheInitialOneStopsBeforeAnyLine) {
  for (const char* relatorio : {kContaCentro, kCentroConta}) {
    try {
      Imprimir(relatorio, {{"pDataInicial", "10/03/2024"}, {"pDataFinal", "09/03/2024"}});
      ADD_FAILURE() << relatorio << " printed";
    } catch (const EnParam&) {
      ADD_FAILURE() << relatorio << ": a parameter error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "A data inicial não pode ser maior que a data final.");
    }
  }
}

TEST_F(AccountCentreTest, StrictOptionsRefuseWhatIsNoBoolean) {
  for (const char* relatorio : {kContaCentro, kCentroConta}) {
    EXPECT_THROW(Imprimir(relatorio, {{"pImpSaldoZero", "talvez"}}), EConvertError);
    EXPECT_THROW(Imprimir(relatorio, {{"pFprCodigoCentroCusto", "1) or (1=1"}}), EnParam);
  }
}

TEST_F(AccountCentreTest, CostCentresThenTheirAccountsWithCodes) {
  const CentrePrint print = Imprimir(kCentroConta, {{"pPularLinhaCadaSintetica", "1"}});
  EXPECT_EQ(Corpo(print), (Linhas{{9, "1  ADMINISTRATIVO"},
                                  {9, "1.01  Diretoria"},
                                  {8, "00032  3.1.02  Serviços"},
                                  {8, "00041  4.1  Salários"},
                                  {9, "1.02  Financeiro"},
                                  {8, "00031  3.1.01  Vendas"},
                                  {8, "00041  4.1  Salários"},
                                  {8, ""},
                                  {9, "2  COMERCIAL"},
                                  {9, "2.01  Vendas Loja"},
                                  {8, "00031  3.1.01  Vendas"}}));
  // The cost centre's negative debit in parentheses, its account's without
  // sign but with the blank of the signed mask.
  const json diretoria = print.Linha(9, "1.01  Diretoria");
  EXPECT_EQ(Var(diretoria, "R5"), "(25,00)");
  EXPECT_EQ(Var(diretoria, "R6"), "50,00 ");
  const json salarios = print.Of(8).at(1);
  EXPECT_EQ(Var(salarios, "R5"), "25,00 ");
  EXPECT_EQ(Var(salarios, "R6"), "0,00 ");
  EXPECT_EQ(Var(salarios, "R7"), "25,00 ");
  EXPECT_EQ(Var(print.Linha(9, "1  ADMINISTRATIVO"), "R4"), "0,00 ");
}

}  // namespace
}  // namespace vireo::test
