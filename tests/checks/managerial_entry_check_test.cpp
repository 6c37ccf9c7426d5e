// rptManagerialEntryCheck printed on hand-made databases: entry sides and
// their totals, the four-decimal sums, which entries pLancamentos keeps, the
// group separators, the two summaries and the heading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/checks/rptManagerialEntryCheck.h"
#include "tests/checks/posting_test_support.h"

namespace vireo::test::posting {
namespace {

using enum TrptManagerialEntryCheck::Secao;

const char kRelatorio[] = "rptManagerialEntryCheck";

class GerencialTest : public PostingDbTest {
 protected:
  void SetUp() override {
    PostingDbTest::SetUp();
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    ContaCtb(1, 1101, "Despesas Gerais");
    ContaCtb(1, 2101, "Fornecedores");
    Centro(10, "Administração");
    Centro(20, "Vendas");
    Centro(30, "Produção");
  }

  // A payable document's entry, dated in March 2024.
  void LctoPagar(int chave, int dia, double valor, int deb, int cred, int escrit = 1) {
    Lcto(escrit, chave, Dia(2024, 3, dia), valor, deb, cred);
    PagarCtb(escrit, chave, 500 + chave);
  }

  Print Gerencial(std::map<std::string, std::string> params = {}) {
    params.try_emplace("pDataInicial", "01/03/2024");
    params.try_emplace("pDataFinal", "31/03/2024");
    params.try_emplace("pLancamentos", "2");
    return Imprimir(kRelatorio, params);
  }

  static std::vector<std::string> Coluna(const std::vector<json>& eventos,
                                         const std::string& nome) {
    std::vector<std::string> out;
    for (const json& e : eventos) out.push_back(Var(e, nome));
    return out;
  }
};

TEST_F(GerencialTest, BothSidesNameTheirAccountOnceAndCloseWithTheirOwnTotal) {
  LctoPagar(1, 5, 100, 1101, 2101);
  Rateio(1, 1, 1, 10, 60);
  Rateio(1, 1, 1, 20, 40);
  Rateio(1, 1, -1, 30, 100);
  const Print print = Gerencial();

  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 9, 9, 10, 12, 9, 11, 12, 13, 14, 14, 14, 15}));
  const std::vector<json> linhas = print.Of(kRateio);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(Coluna(linhas, "pContaContabilDesc"),
            (std::vector<std::string>{"1101 - Despesas Gerais", "", "2101 - Fornecedores"}));
  EXPECT_EQ(Coluna(linhas, "pCentroCustoDesc"),
            (std::vector<std::string>{"10 - Administração", "20 - Vendas", "30 - Produção"}));
  EXPECT_EQ(Coluna(linhas, "pValorGER"), (std::vector<std::string>{"60,00", "40,00", "100,00"}));
  // The entry itself only on its first line.
  EXPECT_EQ(Coluna(linhas, "pDataLcto"), (std::vector<std::string>{"05/03/2024", "", ""}));
  EXPECT_EQ(Coluna(linhas, "pValorCTB"), (std::vector<std::string>{"100,00", "", ""}));
  EXPECT_EQ(Var(linhas[0], "pEscritorioDesc"), "1 - Empresa Um Ltda");
  EXPECT_EQ(Var(linhas[0], "pTipoDesc"), "Contas a Pagar");
  EXPECT_EQ(Var(linhas[0], "pDocumento"), "501");
  EXPECT_EQ(Var(linhas[0], "pCodigoAcerto"), "");
  EXPECT_EQ(Var(print.Of(kTotalDebito)[0], "pTotalDebito"), "100,00");
  EXPECT_EQ(Var(print.Of(kTotalCredito)[0], "pTotalCredito"), "100,00");
}

TEST_F(GerencialTest, EntryAllocatedRightOnBothSidesAddsUp) {
  LctoPagar(1, 5, 100, 1101, 2101);
  Rateio(1, 1, 1, 10, 60);
  Rateio(1, 1, 1, 20, 40);
  Rateio(1, 1, -1, 30, 100);
  EXPECT_EQ(Gerencial({{"pLancamentos", "0"}}).Of(kRateio).size(), 3u);
  EXPECT_TRUE(Gerencial({{"pLancamentos", "1"}}).Bodies().empty());
}

TEST_F(GerencialTest, OnlyTheSideThatMissesItsValueIsListedAsNotAddingUp) {
  LctoPagar(1, 5, 100, 1101, 2101);
  Rateio(1, 1, 1, 10, 100);
  Rateio(1, 1, -1, 20, 70);  // 30 not allocated
  const Print faltando = Gerencial({{"pLancamentos", "1"}});
  EXPECT_EQ(faltando.Bodies(), (std::vector<int>{8, 9, 11, 12, 13, 14, 15}));
  EXPECT_EQ(Var(faltando.Of(kRateio)[0], "pContaContabilDesc"), "2101 - Fornecedores");
  EXPECT_EQ(Var(faltando.Of(kTotalCredito)[0], "pTotalCredito"), "70,00");
  const Print conferem = Gerencial({{"pLancamentos", "0"}});
  EXPECT_EQ(conferem.Bodies(), (std::vector<int>{8, 9, 10, 12, 13, 14, 15}));
}

TEST_F(GerencialTest, AllocationsSumInFourDecimals) {
  LctoPagar(1, 5, 100, 1101, 0);  // three thirds that make the whole
  Rateio(1, 1, 1, 10, 33.3333);
  Rateio(1, 1, 1, 20, 33.3333);
  Rateio(1, 1, 1, 30, 33.3334);
  LctoPagar(2, 6, 100, 1101, 0);  // three thirds a ten-thousandth short
  Rateio(1, 2, 1, 10, 33.3333);
  Rateio(1, 2, 1, 20, 33.3333);
  Rateio(1, 2, 1, 30, 33.3333);

  const Print conferem = Gerencial({{"pLancamentos", "0"}});
  ASSERT_EQ(conferem.Of(kTotalDebito).size(), 1u);
  EXPECT_EQ(Var(conferem.Of(kRateio)[0], "pDocumento"), "501");
  EXPECT_EQ(Var(conferem.Of(kTotalDebito)[0], "pTotalDebito"), "100,00");
  const Print faltam = Gerencial({{"pLancamentos", "1"}});
  ASSERT_EQ(faltam.Of(kTotalDebito).size(), 1u);
  EXPECT_EQ(Var(faltam.Of(kRateio)[0], "pDocumento"), "502");
  EXPECT_EQ(Var(faltam.Of(kTotalDebito)[0], "pTotalDebito"), "99,9999");
}

TEST_F(GerencialTest, ManySmallAllocationsAddUpExactly) {
  for (int c = 100; c < 140; ++c) Centro(c, "Obra " + std::to_string(c));
  LctoPagar(1, 5, 100.10, 1101, 0);
  for (int c = 100; c < 140; ++c) Rateio(1, 1, 1, c, 2.5025);
  const Print print = Gerencial({{"pLancamentos", "0"}});
  ASSERT_EQ(print.Of(kRateio).size(), 40u);
  EXPECT_EQ(Var(print.Of(kTotalDebito)[0], "pTotalDebito"), "100,10");
  EXPECT_EQ(Var(print.Of(kTotalResumos)[0], "pTotValorCC"), "100,10");
}

TEST_F(GerencialTest, CorrectionsThatCancelOutLeaveNoTotalLine) {
  // 0.1 + 0.2 - 0.3 is not 0 in binary floating point; in four decimals it is.
  LctoPagar(1, 5, 0, 1101, 0);
  Rateio(1, 1, 1, 10, 0.1);
  Rateio(1, 1, 1, 20, 0.2);
  Rateio(1, 1, 1, 30, -0.3);
  EXPECT_EQ(Gerencial().Bodies(), (std::vector<int>{8, 9, 9, 9, 12, 13, 14, 14, 14, 15}));
}

TEST_F(GerencialTest, EntryWithoutAllocationsIsNeverListed) {
  LctoPagar(1, 5, 100, 1101, 2101);
  Rateio(1, 1, 1, 10, 100);
  LctoPagar(2, 6, 80, 1101, 2101);  // no allocation at all
  for (const char* lancamentos : {"1", "2"}) {
    const Print print = Gerencial({{"pLancamentos", lancamentos}});
    for (const json& linha : print.Of(kRateio)) EXPECT_NE(Var(linha, "pDocumento"), "502");
  }
}

TEST_F(GerencialTest, UnknownListingOptionPrintsNothing) {
  LctoPagar(1, 5, 100, 1101, 0);
  Rateio(1, 1, 1, 10, 100);
  TnLayout layout = Layout(std::string(kRelatorio) + ".json");
  for (TnParamDef& def : layout.parameters) {
    if (def.name == "pLancamentos") def.kind = TnParamKind::Integer;  // no choice list
  }
  const Print print = Imprimir(
      kRelatorio, layout,
      {{"pDataInicial", "01/03/2024"}, {"pDataFinal", "31/03/2024"}, {"pLancamentos", "3"}});
  EXPECT_TRUE(print.Bodies().empty());
  EXPECT_EQ(print.pages, 0);
}

TEST_F(GerencialTest, SummariesOfDifferentLengthsLeaveTheShorterSideEmpty) {
  LctoPagar(1, 5, 100, 1101, 0);
  Rateio(1, 1, 1, 10, 100);
  LctoPagar(2, 6, 50, 0, 2101);
  Rateio(1, 2, -1, 10, 50);
  const Print print = Gerencial();
  const std::vector<json> resumo = print.Of(kLinhaResumos);
  ASSERT_EQ(resumo.size(), 2u);
  EXPECT_EQ(Coluna(resumo, "pTotContaContabil"),
            (std::vector<std::string>{"1101 - Despesas Gerais", "2101 - Fornecedores"}));
  EXPECT_EQ(Coluna(resumo, "pTotValorContabil"), (std::vector<std::string>{"100,00", "50,00"}));
  EXPECT_EQ(Coluna(resumo, "pTotCC"), (std::vector<std::string>{"10 - Administração", ""}));
  EXPECT_EQ(Coluna(resumo, "pTotValorCC"), (std::vector<std::string>{"150,00", ""}));
  const json totais = print.Of(kTotalResumos).at(0);
  EXPECT_EQ(Var(totais, "pTotContaContabil"), "Total:");
  EXPECT_EQ(Var(totais, "pTotValorContabil"), "150,00");
  EXPECT_EQ(Var(totais, "pTotCC"), "Total:");
  EXPECT_EQ(Var(totais, "pTotValorCC"), "150,00");
}

TEST_F(GerencialTest, SummariesOnANewPageCarryTheirOwnHeadingNotTheEntries) {
  for (int c = 100; c < 160; ++c) {
    Centro(c, "Centro " + std::to_string(c));
    LctoPagar(c, 5, 10, 1101, 0);
    Rateio(1, c, 1, c, 10);
  }
  const Print print = Gerencial();
  ASSERT_GE(print.pages, 3);
  const int inicio = print.Of(kCabecalhoResumos).at(0)["page"];
  ASSERT_LT(inicio, print.pages);
  for (const json& cabecalho : print.Of(kCabecalho)) {
    const int pagina = cabecalho["page"];
    EXPECT_EQ(cabecalho["labels"]["lblCabData"]["visible"], pagina <= inicio) << pagina;
  }
  // Each later page opens with the summaries' heading.
  std::vector<int> primeiras;
  int pagina = 0;
  for (const auto& [secao, p] : print.BodiesWithPage()) {
    if (p != pagina && p > inicio) primeiras.push_back(secao);
    pagina = p;
  }
  EXPECT_EQ(primeiras, std::vector<int>(print.pages - inicio, kCabecalhoResumos));
  EXPECT_EQ(print.Of(kLinhaResumos).size(), 60u);
}

TEST_F(GerencialTest, AccountWithoutDescriptionKeepsATrailingBlank) {
  LctoPagar(1, 5, 100, 9999, 0);  // not in the chart
  Rateio(1, 1, 1, 10, 100);
  const Print print = Gerencial();
  EXPECT_EQ(Var(print.Of(kRateio)[0], "pContaContabilDesc"), "9999 ");
  EXPECT_EQ(Var(print.Of(kLinhaResumos)[0], "pTotContaContabil"), "9999 ");
}

TEST_F(GerencialTest, SummariesFollowEvenWhenTheLastRowsAreLeftOut) {
  LctoPagar(1, 5, 100, 1101, 0);  // misses its value, first by date
  Rateio(1, 1, 1, 10, 90);
  LctoPagar(2, 20, 100, 1101, 0);  // adds up, last by date
  Rateio(1, 2, 1, 10, 100);
  const Print print = Gerencial({{"pLancamentos", "1"}});
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 9, 10, 12, 13, 14, 15}));
  EXPECT_EQ(Var(print.Of(kLinhaResumos)[0], "pTotValorContabil"), "100,00");
  EXPECT_EQ(Var(print.Of(kLinhaResumos)[0], "pTotValorCC"), "90,00");
}

TEST_F(GerencialTest, SeparatorBeforeEachChangeOfCompanyOrOrigin) {
  Empresa(2, "Empresa Dois SA");
  ContaCtb(2, 1101, "Despesas");
  LctoPagar(1, 5, 10, 1101, 0);
  Rateio(1, 1, 1, 10, 10);
  LctoPagar(2, 5, 20, 1101, 0);
  Rateio(1, 2, 1, 10, 20);
  Lcto(1, 3, Dia(2024, 3, 5), 30, 1101, 0);  // a settlement of purpose 1
  Acerto(1, 7, 1, 30);
  AcertoCtb(1, 3, 7);
  Rateio(1, 3, 1, 10, 30);
  LctoPagar(1, 5, 40, 1101, 0, 2);
  Rateio(2, 1, 1, 10, 40);

  const Print print = Gerencial({{"pOrdenacao", "2"}});  // company, then key
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 9, 10, 12, 9, 10, 12, 8, 9, 10, 12, 8, 9, 10, 12,
                                              13, 14, 14, 15}));
  const std::vector<json> linhas = print.Of(kRateio);
  EXPECT_EQ(Coluna(linhas, "pTipoDesc"),
            (std::vector<std::string>{"Contas a Pagar", "Contas a Pagar", "Acerto de Recebimento",
                                      "Contas a Pagar"}));
  EXPECT_EQ(Var(linhas[2], "pCodigoAcerto"), "7");
  EXPECT_EQ(Var(linhas[3], "pEscritorioDesc"), "2 - Empresa Dois SA");
}

TEST_F(GerencialTest, SameKeyInTwoCompaniesMakesTwoEntries) {
  Empresa(2, "Empresa Dois SA");
  ContaCtb(2, 1101, "Despesas");
  for (int escrit : {1, 2}) {
    LctoPagar(1, 5, 100, 1101, 0, escrit);
    Rateio(escrit, 1, 1, 10, 50);
    Rateio(escrit, 1, 1, 20, 50);
  }
  const Print print = Gerencial();
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 9, 9, 10, 12, 8, 9, 9, 10, 12, 13, 14, 14, 15}));
  EXPECT_EQ(Coluna(print.Of(kRateio), "pEscritorioDesc"),
            (std::vector<std::string>{"1 - Empresa Um Ltda", "", "2 - Empresa Dois SA", ""}));
  EXPECT_EQ(Coluna(print.Of(kTotalDebito), "pTotalDebito"),
            (std::vector<std::string>{"100,00", "100,00"}));
}

TEST_F(GerencialTest, NoOrderingClauseStillPrintsEveryEntry) {
  LctoPagar(1, 5, 100, 1101, 0);
  Rateio(1, 1, 1, 10, 100);
  LctoPagar(2, 6, 50, 1101, 0);
  Rateio(1, 2, 1, 20, 50);
  const Print print = Gerencial({{"pOrdenacao", "4"}});
  EXPECT_EQ(print.Of(kRateio).size(), 2u);
  EXPECT_EQ(print.Of(kFimLado).size(), 2u);
}

TEST_F(GerencialTest, CostCentreSelectionShowsItsLinesButChecksTheWholeSide) {
  LctoPagar(1, 5, 100, 1101, 0);
  Rateio(1, 1, 1, 10, 60);
  Rateio(1, 1, 1, 20, 40);
  const Print print = Gerencial({{"pCentroCustos", "20"}, {"pLancamentos", "0"}});
  ASSERT_EQ(print.Of(kRateio).size(), 1u);
  EXPECT_EQ(Var(print.Of(kRateio)[0], "pCentroCustoDesc"), "20 - Vendas");
  EXPECT_EQ(Var(print.Of(kTotalDebito)[0], "pTotalDebito"), "40,00");
}

TEST_F(GerencialTest, AccountFilterKeepsEntriesOnEitherSide) {
  LctoPagar(1, 5, 100, 1101, 0);
  Rateio(1, 1, 1, 10, 100);
  LctoPagar(2, 6, 50, 0, 2101);
  Rateio(1, 2, -1, 10, 50);
  LctoPagar(3, 7, 70, 1101, 2101);
  Rateio(1, 3, 1, 10, 70);
  const Print print = Gerencial({{"pContaContabil", "2101"}});
  EXPECT_EQ(Coluna(print.Of(kRateio), "pDocumento"), (std::vector<std::string>{"502", "503"}));
}

TEST_F(GerencialTest, OriginSelectionWithoutAnyOfTheKindsPrintsNothing) {
  LctoPagar(1, 5, 100, 1101, 0);
  Rateio(1, 1, 1, 10, 100);
  EXPECT_TRUE(Gerencial({{"pTipo", "7;8"}}).Bodies().empty());
  EXPECT_EQ(Gerencial({{"pTipo", "0;1"}}).Of(kRateio).size(), 1u);
}

TEST_F(GerencialTest, EveryOriginKindRunsInOneQuery) {
  Lcto(1, 1, Dia(2024, 3, 1), 10, 1101, 0);
  ReceberCtb(1, 1, 901);
  Lcto(1, 2, Dia(2024, 3, 2), 20, 1101, 0);
  PagarCtb(1, 2, 902);
  for (int finalidade = 1; finalidade <= 3; ++finalidade) {
    const int chave = 2 + finalidade;
    Lcto(1, chave, Dia(2024, 3, chave), 10.0 * chave, 1101, 0);
    Acerto(1, 70 + finalidade, finalidade, 10.0 * chave);
    AcertoCtb(1, chave, 70 + finalidade);
  }
  Lcto(1, 6, Dia(2024, 3, 6), 60, 1101, 0);
  NotaServicoCtb(1, 6, "A", 12);
  for (int chave = 1; chave <= 6; ++chave) Rateio(1, chave, 1, 10, 10.0 * chave);

  const Print print = Gerencial();
  EXPECT_EQ(Coluna(print.Of(kRateio), "pTipoDesc"),
            (std::vector<std::string>{"Contas a Receber", "Contas a Pagar", "Acerto de Recebimento",
                                      "Acerto de Pagamento", "Acerto de Movimentação",
                                      "Nota Fiscal de Serviço"}));
  EXPECT_EQ(Coluna(print.Of(kRateio), "pDocumento"),
            (std::vector<std::string>{"901", "902", "", "", "", "A12"}));
  EXPECT_EQ(Coluna(print.Of(kRateio), "pCodigoAcerto"),
            (std::vector<std::string>{"", "", "71", "72", "73", ""}));
}

TEST_F(GerencialTest, FinancialProductTakesReceivablesOfTheFinancialModule) {
  Lcto(1, 1, Dia(2024, 3, 1), 10, 1101, 0);
  ReceberCtb(1, 1, 901);  // commercial module: not read by this product
  Lcto(1, 2, Dia(2024, 3, 2), 20, 1101, 0);
  ReceberCabCtb(1, 2, 77);
  Rateio(1, 1, 1, 10, 10);
  Rateio(1, 2, 1, 10, 20);
  DefinirProduto(2);
  const Print print = Gerencial({{"pTipo", "0"}});
  EXPECT_EQ(Coluna(print.Of(kRateio), "pDocumento"), (std::vector<std::string>{"77"}));
}

TEST_F(GerencialTest, HeadingNamesTheCompanyOnlyWhenTheSelectionIsOne) {
  Empresa(2, "Empresa Dois SA");
  LctoPagar(1, 5, 100, 1101, 0);
  Rateio(1, 1, 1, 10, 100);
  const Print uma = Gerencial({{"pEscritorio", "1"}});
  const json cabecalho = uma.Of(kCabecalho).at(0);
  EXPECT_EQ(Var(cabecalho, "pNomeEscritorio"), "Empresa Um Ltda");
  EXPECT_EQ(Var(cabecalho, "pCNPJEscritorio"), "11.111.111/0001-11");
  EXPECT_EQ(Var(cabecalho, "pPeriodo"), "01/03/2024 a 31/03/2024");
  for (const char* selecao : {"", "1;2"}) {
    const Print varias = Gerencial({{"pEscritorio", selecao}});
    EXPECT_EQ(Var(varias.Of(kCabecalho).at(0), "pNomeEscritorio"), "") << selecao;
  }
}

TEST_F(GerencialTest, CompanySelectionLimitsTheEntries) {
  Empresa(2, "Empresa Dois SA");
  LctoPagar(1, 5, 100, 1101, 0);
  Rateio(1, 1, 1, 10, 100);
  LctoPagar(1, 5, 40, 1101, 0, 2);
  Rateio(2, 1, 1, 10, 40);
  const Print print = Gerencial({{"pEscritorio", "2"}});
  EXPECT_EQ(Coluna(print.Of(kRateio), "pEscritorioDesc"),
            (std::vector<std::string>{"2 - Empresa Dois SA"}));
}

TEST_F(GerencialTest, ThroughImprimirTheSamePrint) {
  LctoPagar(1, 5, 100, 1101, 0);
  Rateio(1, 1, 1, 10, 100);
  Commit();
  TnPrintSession session(Plugin::Get(kRelatorio), Layout(std::string(kRelatorio) + ".json"),
                         RunVia::kExport);
  SetMarch2024(session.Engine());
  EXPECT_EQ(session.Print({}).pages, 1);
}

}  // namespace
}  // namespace vireo::test::posting
