// rptPostingPreview printed on hand-made databases: documents with several
// entries, one-sided entries, companies with and without entries and their
// pages, totals, the month's bounds, ordering and the origin kinds.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/core/exception.h"
#include "reports/checks/rptPostingPreview.h"
#include "tests/checks/posting_test_support.h"

namespace vireo::test::posting {
namespace {

using enum TrptPostingPreview::Secao;

const char kRelatorio[] = "rptPostingPreview";

class PreviaTest : public PostingDbTest {
 protected:
  void SetUp() override {
    PostingDbTest::SetUp();
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Empresa(2, "Empresa Dois SA", "22.222.222/0001-22");
    Empresa(3, "Empresa Três ME", "33.333.333/0001-33");
    for (int escrit : {1, 2, 3}) {
      ContaCtb(escrit, 1101, "Despesas Gerais");
      ContaCtb(escrit, 2101, "Fornecedores");
    }
  }

  // A payable document and one entry of it, in March 2024 unless told.
  void Pagavel(int escrit, int cab, double valor_doc) { Pagar(escrit, cab, valor_doc); }
  void LctoPagar(int escrit, int chave, int cab, int dia, double valor, int deb, int cred,
                 int mes = 3) {
    Lcto(escrit, chave, Dia(2024, mes, dia), valor, deb, cred);
    PagarCtb(escrit, chave, cab);
  }

  Print Previa(std::map<std::string, std::string> params = {}) {
    params.try_emplace("pCompetencia", "15/03/2024");
    return Imprimir(kRelatorio, params);
  }

  static std::vector<std::string> Coluna(const std::vector<json>& eventos,
                                         const std::string& nome) {
    std::vector<std::string> out;
    for (const json& e : eventos) out.push_back(Var(e, nome));
    return out;
  }
};

TEST_F(PreviaTest, DocumentWithSeveralEntriesShowsItsDataOnceAndCountsItsValueOnce) {
  Pagavel(1, 501, 300);
  LctoPagar(1, 1, 501, 5, 100, 1101, 0);
  LctoPagar(1, 2, 501, 5, 200, 1101, 0);
  LctoPagar(1, 3, 501, 5, 300, 0, 2101);
  const Print print = Previa({{"pCodigoEscrit", "1"}});

  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 8, 8, 10, 9, 10, 9}));
  const std::vector<json> linhas = print.Of(kLancamento);
  EXPECT_EQ(Coluna(linhas, "pDataLcto"), (std::vector<std::string>{"05/03/2024", "", ""}));
  EXPECT_EQ(Coluna(linhas, "pTipoDesc"), (std::vector<std::string>{"Contas a Pagar", "", ""}));
  EXPECT_EQ(Coluna(linhas, "pDocumento"), (std::vector<std::string>{"501", "", ""}));
  EXPECT_EQ(Coluna(linhas, "pValorLcto"), (std::vector<std::string>{"300,00", "", ""}));
  const json empresa = print.Of(kTotais).at(0);
  EXPECT_EQ(Var(empresa, "pDescrTotal"), "Total Escritório");
  EXPECT_EQ(Var(empresa, "pTotalLcto"), "300,00");
  EXPECT_EQ(Var(empresa, "pTotalDeb"), "300,00");
  EXPECT_EQ(Var(empresa, "pTotalCred"), "300,00");
}

TEST_F(PreviaTest, CreditOnlyEntryLeavesTheDebitSideEmpty) {
  Pagavel(1, 501, 100);
  LctoPagar(1, 1, 501, 5, 100, 1101, 2101);
  Pagavel(1, 502, 50);
  LctoPagar(1, 2, 502, 6, 50, 0, 2101);
  const std::vector<json> linhas = Previa({{"pCodigoEscrit", "1"}}).Of(kLancamento);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "pContaDeb"), "1101 - Despesas Gerais");
  EXPECT_EQ(Var(linhas[0], "pValorDeb"), "100,00");
  EXPECT_EQ(Var(linhas[1], "pContaDeb"), "");
  EXPECT_EQ(Var(linhas[1], "pValorDeb"), "");
  EXPECT_EQ(Var(linhas[1], "pContaCred"), "2101 - Fornecedores");
  EXPECT_EQ(Var(linhas[1], "pValorCred"), "50,00");
}

TEST_F(PreviaTest, AccountOutsideTheChartShowsItsNumberAlone) {
  Pagavel(1, 501, 100);
  LctoPagar(1, 1, 501, 5, 100, 7777, 0);
  EXPECT_EQ(Var(Previa({{"pCodigoEscrit", "1"}}).Of(kLancamento).at(0), "pContaDeb"), "7777");
}

TEST_F(PreviaTest, EachCompanyWithEntriesStartsAPageAndOthersPrintNothing) {
  Pagavel(1, 501, 100);
  LctoPagar(1, 1, 501, 5, 100, 1101, 2101);
  Pagavel(3, 701, 70);
  LctoPagar(3, 1, 701, 7, 70, 1101, 2101);
  const Print print = Previa();

  EXPECT_EQ(print.pages, 2);
  EXPECT_EQ(print.BodiesWithPage(),
            (std::vector<std::pair<int, int>>{
                {8, 1}, {10, 1}, {9, 1}, {8, 2}, {10, 2}, {9, 2}, {10, 2}, {9, 2}}));
  // Each company's own entries, though the dataset is one for the print.
  EXPECT_EQ(Coluna(print.Of(kLancamento), "pDocumento"), (std::vector<std::string>{"501", "701"}));
  EXPECT_EQ(Coluna(print.Of(kTotais), "pDescrTotal"),
            (std::vector<std::string>{"Total Escritório", "Total Escritório", "Total Geral"}));
  EXPECT_EQ(Coluna(print.Of(kTotais), "pTotalLcto"),
            (std::vector<std::string>{"100,00", "70,00", "170,00"}));
}

TEST_F(PreviaTest, FirstCompanyWithEntriesStartsOnTheFirstPage) {
  Pagavel(2, 601, 60);
  LctoPagar(2, 1, 601, 7, 60, 1101, 2101);
  const Print print = Previa();
  EXPECT_EQ(print.pages, 1);
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 10, 9, 10, 9}));
}

TEST_F(PreviaTest, CompaniesWithoutEntriesPrintNothingAtAll) {
  const Print print = Previa();
  EXPECT_TRUE(print.Bodies().empty());
  EXPECT_EQ(print.pages, 0);
}

TEST_F(PreviaTest, NoGrandTotalWhenEveryTotalIsZero) {
  Pagavel(1, 501, 0);
  LctoPagar(1, 1, 501, 5, 0, 1101, 2101);
  const Print print = Previa();
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 10, 9}));
  EXPECT_EQ(Var(print.Of(kTotais).at(0), "pDescrTotal"), "Total Escritório");
}

TEST_F(PreviaTest, FinancialProductNamesTheCompanyTotalAndReadsItsReceivables) {
  ReceberCab(1, 77, 500);
  Lcto(1, 1, Dia(2024, 3, 9), 500, 1101, 2101);
  ReceberCabCtb(1, 1, 77);
  Receber(1, 88, 800);  // the commercial module's, not read by this product
  Lcto(1, 2, Dia(2024, 3, 9), 800, 1101, 2101);
  ReceberCtb(1, 2, 88);
  DefinirProduto(2);
  const Print print = Previa({{"pCodigoEscrit", "1"}});
  EXPECT_EQ(Coluna(print.Of(kLancamento), "pDocumento"), (std::vector<std::string>{"77"}));
  EXPECT_EQ(Var(print.Of(kLancamento).at(0), "pValorLcto"), "500,00");
  EXPECT_EQ(Var(print.Of(kTotais).at(0), "pDescrTotal"), "Total Empresa");
}

TEST_F(PreviaTest, EntriesThatReadAlikeAreBothListed) {
  Pagavel(1, 501, 100);
  LctoPagar(1, 1, 501, 5, 50, 1101, 2101);
  LctoPagar(1, 2, 501, 5, 50, 1101, 2101);
  const Print print = Previa({{"pCodigoEscrit", "1"}});
  EXPECT_EQ(print.Of(kLancamento).size(), 2u);
  EXPECT_EQ(Var(print.Of(kTotais).at(0), "pTotalDeb"), "100,00");
}

TEST_F(PreviaTest, TheWholeMonthAndNothingElse) {
  Pagavel(1, 501, 10);
  LctoPagar(1, 1, 501, 29, 10, 1101, 0, 2);
  Pagavel(1, 502, 20);
  LctoPagar(1, 2, 502, 1, 20, 1101, 0);
  Pagavel(1, 503, 30);
  LctoPagar(1, 3, 503, 31, 30, 1101, 0);
  Pagavel(1, 504, 40);
  LctoPagar(1, 4, 504, 1, 40, 1101, 0, 4);
  for (const char* competencia : {"15/03/2024", "03/2024", "2024-03-31"}) {
    const Print print = Previa({{"pCodigoEscrit", "1"}, {"pCompetencia", competencia}});
    EXPECT_EQ(Coluna(print.Of(kLancamento), "pDocumento"), (std::vector<std::string>{"502", "503"}))
        << competencia;
    EXPECT_EQ(Var(print.Of(kLancamento).at(0), "pCompetencia"), "03/2024");
  }
}

TEST_F(PreviaTest, CompetenceThatIsNoDateIsRefused) {
  EXPECT_THROW(Previa({{"pCompetencia", "março"}}), EnParam);
}

TEST_F(PreviaTest, OrderingByDateOrByKindAndDocument) {
  Receber(1, 900, 90);
  Lcto(1, 1, Dia(2024, 3, 10), 90, 1101, 2101);
  ReceberCtb(1, 1, 900);
  Pagavel(1, 501, 50);
  LctoPagar(1, 2, 501, 20, 50, 1101, 2101);
  Pagavel(1, 401, 40);
  LctoPagar(1, 3, 401, 25, 40, 1101, 2101);
  EXPECT_EQ(
      Coluna(Previa({{"pCodigoEscrit", "1"}, {"pOrdenar", "0"}}).Of(kLancamento), "pDocumento"),
      (std::vector<std::string>{"900", "501", "401"}));
  EXPECT_EQ(
      Coluna(Previa({{"pCodigoEscrit", "1"}, {"pOrdenar", "1"}}).Of(kLancamento), "pDocumento"),
      (std::vector<std::string>{"900", "401", "501"}));
}

TEST_F(PreviaTest, DocumentPostedOnTwoDatesCountsItsValueOnce) {
  Pagavel(1, 501, 300);
  LctoPagar(1, 1, 501, 5, 100, 1101, 2101);
  Pagavel(1, 502, 20);
  LctoPagar(1, 2, 502, 10, 20, 1101, 2101);
  LctoPagar(1, 3, 501, 20, 200, 1101, 2101);
  const Print print = Previa({{"pCodigoEscrit", "1"}, {"pOrdenar", "0"}});
  EXPECT_EQ(Coluna(print.Of(kLancamento), "pDocumento"),
            (std::vector<std::string>{"501", "502", "501"}));
  EXPECT_EQ(Coluna(print.Of(kLancamento), "pValorLcto"),
            (std::vector<std::string>{"300,00", "20,00", ""}));
  EXPECT_EQ(Var(print.Of(kTotais).at(0), "pTotalLcto"), "320,00");
}

TEST_F(PreviaTest, EveryOriginKindWithItsDocumentAndValue) {
  Receber(1, 900, 10);
  Lcto(1, 1, Dia(2024, 3, 1), 10, 1101, 2101);
  ReceberCtb(1, 1, 900);
  Pagavel(1, 501, 20);
  LctoPagar(1, 2, 501, 2, 20, 1101, 2101);
  for (int finalidade = 1; finalidade <= 3; ++finalidade) {
    const int chave = 2 + finalidade;
    Acerto(1, 70 + finalidade, finalidade, 10.0 * chave);
    Lcto(1, chave, Dia(2024, 3, chave), 10.0 * chave, 1101, 2101);
    AcertoCtb(1, chave, 70 + finalidade);
  }
  NotaServico(1, "A", 12, 60);
  Lcto(1, 6, Dia(2024, 3, 6), 60, 1101, 2101);
  NotaServicoCtb(1, 6, "A", 12);
  Venda(1, 31, 70);
  Lcto(1, 7, Dia(2024, 3, 7), 70, 1101, 2101);
  VendaCtb(1, 7, 31);
  Obra(1, 41, Dia(2024, 1, 2), 80);
  Lcto(1, 8, Dia(2024, 3, 8), 80, 1101, 2101);
  ObraCtb(1, 8, 41, Dia(2024, 1, 2));
  NotaEntrada(1, 51, 90);
  Lcto(1, 9, Dia(2024, 3, 9), 90, 1101, 2101);
  NotaEntradaCtb(1, 9, 51);

  const Print print = Previa({{"pCodigoEscrit", "1"}});
  const std::vector<json> linhas = print.Of(kLancamento);
  EXPECT_EQ(Coluna(linhas, "pTipoDesc"),
            (std::vector<std::string>{"Contas a Receber", "Contas a Pagar", "Acerto de Recebimento",
                                      "Acerto de Pagamento", "Acerto de Movimentação",
                                      "Nota Fiscal de Serviço", "Venda", "Orçamento de Obra",
                                      "Nota Fiscal de Entrada"}));
  EXPECT_EQ(Coluna(linhas, "pDocumento"),
            (std::vector<std::string>{"900", "501", "71", "72", "73", "A12", "31", "41", "51"}));
  EXPECT_EQ(Coluna(linhas, "pValorLcto"),
            (std::vector<std::string>{"10,00", "20,00", "30,00", "40,00", "50,00", "60,00", "70,00",
                                      "80,00", "90,00"}));
  EXPECT_EQ(Var(print.Of(kTotais).at(0), "pTotalLcto"), "450,00");
}

TEST_F(PreviaTest, OriginSelectionKeepsOnlyItsKinds) {
  Pagavel(1, 501, 20);
  LctoPagar(1, 1, 501, 2, 20, 1101, 2101);
  Venda(1, 31, 70);
  Lcto(1, 2, Dia(2024, 3, 7), 70, 1101, 2101);
  VendaCtb(1, 2, 31);
  EXPECT_EQ(Coluna(Previa({{"pTipo", "6"}}).Of(kLancamento), "pDocumento"),
            (std::vector<std::string>{"31"}));
  EXPECT_TRUE(Previa({{"pTipo", "9"}}).Bodies().empty());
}

TEST_F(PreviaTest, CompanySelectionOfTheLayoutQuery) {
  Pagavel(1, 501, 100);
  LctoPagar(1, 1, 501, 5, 100, 1101, 2101);
  Pagavel(3, 701, 70);
  LctoPagar(3, 1, 701, 7, 70, 1101, 2101);
  EXPECT_EQ(Coluna(Previa({{"pCodigoEscrit", "3"}}).Of(kLancamento), "pDocumento"),
            (std::vector<std::string>{"701"}));
  EXPECT_TRUE(Previa({{"pCodigoEscrit", "99"}}).Bodies().empty());
}

}  // namespace
}  // namespace vireo::test::posting
