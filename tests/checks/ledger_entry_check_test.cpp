// The accounting entry check printed on small hand-made databases: documents
// and their sides, the company totals and summaries, the difference-only
// option, orderings, filters and the two receivable tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/biz/produto.h"
#include "host/report/labels.h"
#include "host/report/params.h"
#include "reports/checks/rptLedgerEntryCheck.h"
#include "tests/checks/checks_test_support.h"

namespace vireo::test {
namespace {

using enum TrptLedgerEntryCheck::Secao;

const char kRelatorio[] = "rptLedgerEntryCheck";

class ConferenciaCtbTest : public ChecksDbTest {
 protected:
  void SetUp() override {
    ChecksDbTest::SetUp();
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    for (int e : {1, 2}) {
      ContaCtb(e, 11, "Caixa");
      ContaCtb(e, 14, "Duplicatas a Receber");
      ContaCtb(e, 21, "Fornecedores");
      ContaCtb(e, 32, "Receita de Vendas");
      ContaCtb(e, 42, "Despesas Administrativas");
    }
    Usuario(1, "ana", "Ana Souza");
  }
  void TearDown() override {
    RedefinirProduto();
    ChecksDbTest::TearDown();
  }

  ChecksPrint Conferir(const std::map<std::string, std::string>& params = {}) {
    return Imprimir(kRelatorio, params);
  }

  // A payable posted as expense and supplier on one entry.
  void PagarSimples(int escrit, int chave, int cab, const Variant& data, double valor) {
    Lcto(escrit, chave, data, valor, 42, 21);
    Pagar(escrit, chave, cab);
  }
};

std::vector<std::string> Vars(const std::vector<json>& events, const std::string& name) {
  std::vector<std::string> out;
  for (const json& e : events) out.push_back(Var(e, name));
  return out;
}

TEST_F(ConferenciaCtbTest, NoEntriesInThePeriodPrintsNothing) {
  PagarSimples(1, 1, 10, Dia(2024, 2, 28), 100);  // outside March
  const ChecksPrint print = Conferir();
  EXPECT_TRUE(print.Bodies().empty());
  EXPECT_EQ(print.pages, 0);
}

TEST_F(ConferenciaCtbTest, DifferenceOnlyWithEveryDocumentBalancedPrintsNothing) {
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  Lcto(1, 2, Dia(2024, 3, 6), 80, 42, 0);  // split document, balanced
  Lcto(1, 3, Dia(2024, 3, 6), 80, 0, 21);
  Pagar(1, 2, 11);
  Pagar(1, 3, 11);
  const ChecksPrint print = Conferir({{"pSomenteDiferenca", "1"}});
  EXPECT_TRUE(print.Bodies().empty());
  EXPECT_EQ(print.pages, 0);
}

TEST_F(ConferenciaCtbTest, DifferenceOnlyKeepsWholeUnbalancedDocuments) {
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  Lcto(1, 2, Dia(2024, 3, 6), 80, 42, 0);
  Lcto(1, 3, Dia(2024, 3, 6), 70, 0, 21);
  Pagar(1, 2, 11);
  Pagar(1, 3, 11);
  const ChecksPrint print = Conferir({{"pSomenteDiferenca", "1"}});
  const auto linhas = print.Of(kLancamento);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "pDocumento"), "11");
  EXPECT_EQ(Var(print.Of(kTotais).at(0), "pValorDiferenca"), "Diferença: (10,00)");
  // Only what was shown is summed: the balanced document stays out of the
  // company total and the summaries.
  EXPECT_EQ(Var(print.Of(kTotais).at(1), "pTotalDeb"), "Débito: 80,00");
  EXPECT_EQ(Vars(print.Of(kContaResumo), "R1"),
            (std::vector<std::string>{"21 - Fornecedores", "42 - Despesas Administrativas",
                                      "21 - Fornecedores", "42 - Despesas Administrativas"}));
}

TEST_F(ConferenciaCtbTest, OneSidedEntriesAddToTheirSideAndTwoSidedToBoth) {
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);  // both accounts: balances alone
  Lcto(1, 2, Dia(2024, 3, 5), 30, 42, 0);        // debit only
  Pagar(1, 2, 10);
  const ChecksPrint print = Conferir();
  ASSERT_EQ(print.Of(kTotais).size(), 2u);
  const json total = print.Of(kTotais)[0];
  EXPECT_EQ(Var(total, "pTotalTitulo"), "");
  EXPECT_EQ(Var(total, "pTotalDeb"), "Débito: 130,00");
  EXPECT_EQ(Var(total, "pTotalCred"), "Crédito: 100,00");
  EXPECT_EQ(Var(total, "pValorDiferenca"), "Diferença: (30,00)");
}

TEST_F(ConferenciaCtbTest, BalancedDocumentShowsAZeroDifference) {
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 1234.5);
  const json total = Conferir().Of(kTotais).at(0);
  EXPECT_EQ(Var(total, "pTotalDeb"), "Débito: 1.234,50");
  EXPECT_EQ(Var(total, "pTotalCred"), "Crédito: 1.234,50");
  EXPECT_EQ(Var(total, "pValorDiferenca"), "Diferença: 0,00");
}

TEST_F(ConferenciaCtbTest, CreditsAboveDebitsGiveAPositiveDifference) {
  Lcto(1, 1, Dia(2024, 3, 5), 50, 0, 21);
  Pagar(1, 1, 10);
  const ChecksPrint print = Conferir();
  EXPECT_EQ(Var(print.Of(kTotais).at(0), "pValorDiferenca"), "Diferença: 50,00");
  const json conta = print.Of(kContaResumo).at(0);
  EXPECT_EQ(Var(conta, "R4"), "50,00");
  EXPECT_EQ(Var(conta, "pFechaParentese"), "");
}

TEST_F(ConferenciaCtbTest, NegativeBalanceOfAnAccountOpensAndClosesParentheses) {
  Lcto(1, 1, Dia(2024, 3, 5), 1500, 42, 0);
  Pagar(1, 1, 10);
  const ChecksPrint print = Conferir();
  const json conta = print.Of(kContaResumo).at(0);
  EXPECT_EQ(Var(conta, "R1"), "42 - Despesas Administrativas");
  EXPECT_EQ(Var(conta, "R2"), "1.500,00");
  EXPECT_EQ(Var(conta, "R3"), "0,00");
  EXPECT_EQ(Var(conta, "R4"), "(1.500,00");
  EXPECT_EQ(Var(conta, "pFechaParentese"), ")");
  const json total = print.Of(kTotalResumo).at(0);
  EXPECT_EQ(Var(total, "R4"), "(1.500,00");
  EXPECT_EQ(Var(total, "pFechaParentese"), ")");
  EXPECT_EQ(Var(print.Of(kTotais).at(0), "pValorDiferenca"), "Diferença: (1.500,00)");
}

// Entry lines, document totals, company totals and both summaries, in order.
TEST_F(ConferenciaCtbTest, SectionsFollowDocumentsCompanyAndSummaries) {
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  Lcto(1, 2, Dia(2024, 3, 5), 100, 11, 0);
  Lcto(1, 3, Dia(2024, 3, 5), 100, 0, 32);
  Venda(1, 2, 7);
  Venda(1, 3, 7);
  const ChecksPrint print = Conferir();
  // The sale's debit has no credit description and sorts first.
  const std::vector<int> esperado = {8,  8,  9,  10, 8,  9,  10, 10, 9,  11, 12,
                                     12, 12, 12, 13, 11, 12, 12, 12, 12, 13};
  EXPECT_EQ(print.Bodies(), esperado);
  const json escritorio = print.Of(kTotais).at(2);
  EXPECT_EQ(Var(escritorio, "pTotalTitulo"), "Escritório");
  EXPECT_EQ(Var(escritorio, "pTotalDeb"), "Débito: 200,00");
  EXPECT_EQ(Var(escritorio, "pTotalCred"), "Crédito: 200,00");
  EXPECT_EQ(Vars(print.Of(kCabecalhoResumo), "pTotalTitulo"),
            (std::vector<std::string>{"Escritório", "Geral"}));
}

TEST_F(ConferenciaCtbTest, FirstLineOfADocumentCarriesItsHeading) {
  Usuario(2, Variant(), "Bruno Lima");
  Lcto(1, 1, Dia(2024, 3, 5), 100, 42, 0, Variant(2), 2);
  Lcto(1, 2, Dia(2024, 3, 5), 100, 0, 21, Variant(2), 2);
  Pagar(1, 1, 10);
  Pagar(1, 2, 10);
  const auto linhas = Conferir().Of(kLancamento);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(Var(linhas[0], "pDataLcto"), "05/03/2024");
  EXPECT_EQ(Var(linhas[0], "pTipoDesc"), "Pagar");
  EXPECT_EQ(Var(linhas[0], "pDocumento"), "10");
  EXPECT_EQ(Var(linhas[0], "pCodigoAcerto"), "");
  EXPECT_EQ(Var(linhas[0], "pOrigemDado"), "Dig");
  EXPECT_EQ(Var(linhas[0], "pUsuario"), "Bruno Lima");  // no short name: the full one
  EXPECT_EQ(Var(linhas[0], "pContaDeb"), "42 - Despesas Administrativas");
  EXPECT_EQ(Var(linhas[0], "pContaCred"), "");
  EXPECT_EQ(Var(linhas[0], "pValorCtb"), "100,00");
  for (const char* nome :
       {"pDataLcto", "pTipoDesc", "pDocumento", "pCodigoAcerto", "pOrigemDado", "pUsuario"}) {
    EXPECT_EQ(Var(linhas[1], nome), "") << nome;
  }
  EXPECT_EQ(Var(linhas[1], "pContaCred"), "21 - Fornecedores");
  EXPECT_EQ(Var(linhas[1], "pContaDeb"), "");
}

TEST_F(ConferenciaCtbTest, UserAndDataOriginTexts) {
  Usuario(3, "  carla  ", "Carla Dias");
  Lcto(1, 1, Dia(2024, 3, 1), 10, 42, 21, Variant(3), 1);
  Lcto(1, 2, Dia(2024, 3, 2), 10, 42, 21, Variant(0), 3);
  Lcto(1, 3, Dia(2024, 3, 3), 10, 42, 21, Variant(7), 0);  // no such user
  Lcto(1, 4, Dia(2024, 3, 4), 10, 42, 21, Variant(), 9);
  for (int chave = 1; chave <= 4; ++chave) Pagar(1, chave, chave);
  const auto linhas = Conferir().Of(kLancamento);
  EXPECT_EQ(Vars(linhas, "pUsuario"),
            (std::vector<std::string>{"carla", "Administrador", "7", "Administrador"}));
  EXPECT_EQ(Vars(linhas, "pOrigemDado"), (std::vector<std::string>{"Auto", "Imp", "", ""}));
}

TEST_F(ConferenciaCtbTest, AccountWithoutDescriptionPrintsItsNumberAlone) {
  Lcto(1, 1, Dia(2024, 3, 5), 10, 99, 21);
  Pagar(1, 1, 10);
  const ChecksPrint print = Conferir();
  EXPECT_EQ(Var(print.Of(kLancamento).at(0), "pContaDeb"), "99");
  EXPECT_EQ(Vars(print.Of(kContaResumo), "R1"),
            (std::vector<std::string>{"21 - Fornecedores", "99", "21 - Fornecedores", "99"}));
}

TEST_F(ConferenciaCtbTest, CompanyWhoseDocumentsTotalZeroStillGetsItsSummary) {
  Lcto(1, 1, Dia(2024, 3, 5), 0, 42, 21);
  Pagar(1, 1, 10);
  const ChecksPrint print = Conferir();
  ASSERT_EQ(print.Of(kTotais).size(), 1u);  // the document's, no company total
  EXPECT_EQ(Var(print.Of(kTotais)[0], "pTotalTitulo"), "");
  EXPECT_EQ(print.Bodies(), (std::vector<int>{8, 9, 10, 11, 12, 12, 13, 11, 12, 12, 13}));
  EXPECT_EQ(Var(print.Of(kContaResumo).at(0), "R2"), "0,00");
}

TEST_F(ConferenciaCtbTest, EachCompanyStartsAPageAndTheLastForcesNoPageEnd) {
  Empresa(2, "Empresa Dois S.A.", "22.222.222/0001-22");
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  PagarSimples(2, 1, 10, Dia(2024, 3, 5), 40);
  const ChecksPrint print = Conferir();
  EXPECT_EQ(print.pages, 2);
  EXPECT_EQ(print.BodiesOnPage(1), (std::vector<int>{8, 9, 10, 10, 9, 11, 12, 12, 13}));
  // The second company, then the final summary on the same page.
  EXPECT_EQ(print.BodiesOnPage(2),
            (std::vector<int>{8, 9, 10, 10, 9, 11, 12, 12, 13, 11, 12, 12, 13}));
  const auto cabecalhos = print.Of(kCabecalho);
  ASSERT_EQ(cabecalhos.size(), 2u);
  EXPECT_EQ(Var(cabecalhos[0], "pEscritorioDesc"), "1 - Empresa Um Ltda");
  EXPECT_EQ(Var(cabecalhos[0], "pInscrFedEscrit"), "11.111.111/0001-11");
  EXPECT_EQ(Var(cabecalhos[1], "pEscritorioDesc"), "2 - Empresa Dois S.A.");
}

TEST_F(ConferenciaCtbTest, FinalSummaryAddsAnAccountOverAllCompanies) {
  Empresa(2, "Empresa Dois S.A.", "22.222.222/0001-22");
  Exec(
      "update PLANOESPEC set DESCRCONTA = 'Fornecedores a Pagar' where CODIGOEMPRESA = 2 and "
      "CONTACTB = 21");
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  PagarSimples(2, 1, 10, Dia(2024, 3, 5), 40);
  Lcto(2, 2, Dia(2024, 3, 6), 5, 0, 21);
  Pagar(2, 2, 11);
  const ChecksPrint print = Conferir();
  const auto resumo = print.Of(kContaResumo);
  ASSERT_EQ(resumo.size(), 6u);
  // The last two rows are the final summary: account order, summed, the
  // description of the account's last row.
  EXPECT_EQ(Var(resumo[4], "R1"), "21 - Fornecedores a Pagar");
  EXPECT_EQ(Var(resumo[4], "R3"), "145,00");
  EXPECT_EQ(Var(resumo[4], "R4"), "145,00");
  EXPECT_EQ(Var(resumo[5], "R1"), "42 - Despesas Administrativas");
  EXPECT_EQ(Var(resumo[5], "R2"), "140,00");
  const json total = print.Of(kTotalResumo).back();
  EXPECT_EQ(Var(total, "R2"), "140,00");
  EXPECT_EQ(Var(total, "R3"), "145,00");
  EXPECT_EQ(Var(total, "R4"), "5,00");
}

TEST_F(ConferenciaCtbTest, CompanySummaryListsOnlyItsOwnAccounts) {
  Empresa(2, "Empresa Dois S.A.", "22.222.222/0001-22");
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  Lcto(2, 1, Dia(2024, 3, 5), 40, 11, 32);
  Venda(2, 1, 3);
  const ChecksPrint print = Conferir();
  EXPECT_EQ(
      Vars(print.Of(kContaResumo), "R1"),
      (std::vector<std::string>{"21 - Fornecedores", "42 - Despesas Administrativas", "11 - Caixa",
                                "32 - Receita de Vendas", "11 - Caixa", "21 - Fornecedores",
                                "32 - Receita de Vendas", "42 - Despesas Administrativas"}));
}

// Two documents of one day whose entries the ordering clause interleaves
// (it sorts by account descriptions): each still gets its own totals.
TEST_F(ConferenciaCtbTest, InterleavedEntriesOfTwoDocumentsStayTogether) {
  Lcto(1, 1, Dia(2024, 3, 5), 100, 42, 0);  // payable 10
  Lcto(1, 2, Dia(2024, 3, 5), 100, 0, 21);
  Lcto(1, 3, Dia(2024, 3, 5), 60, 42, 0);  // payable 11
  Lcto(1, 4, Dia(2024, 3, 5), 60, 0, 21);
  Pagar(1, 1, 10);
  Pagar(1, 2, 10);
  Pagar(1, 3, 11);
  Pagar(1, 4, 11);
  const ChecksPrint print = Conferir();
  const auto totais = print.Of(kTotais);
  ASSERT_EQ(totais.size(), 3u);
  EXPECT_EQ(Vars(totais, "pValorDiferenca"),
            (std::vector<std::string>{"Diferença: 0,00", "Diferença: 0,00", "Diferença: 0,00"}));
  const std::vector<std::string> documentos = Vars(print.Of(kLancamento), "pDocumento");
  ASSERT_EQ(documentos.size(), 4u);
  EXPECT_EQ(documentos[1], "");
  EXPECT_EQ(documentos[3], "");
  EXPECT_NE(documentos[0], documentos[2]);
}

TEST_F(ConferenciaCtbTest, OrderingsZeroAndOneKeyDocumentsByDate) {
  Lcto(1, 1, Dia(2024, 3, 5), 100, 42, 0);
  Lcto(1, 2, Dia(2024, 3, 6), 100, 0, 21);
  Pagar(1, 1, 10);
  Pagar(1, 2, 10);
  for (const char* ordem : {"0", "1"}) {
    const auto totais = Conferir({{"pOrdenacao", ordem}}).Of(kTotais);
    ASSERT_EQ(totais.size(), 3u) << ordem;  // two documents and the company
    EXPECT_EQ(Var(totais[0], "pValorDiferenca"), "Diferença: (100,00)") << ordem;
  }
}

TEST_F(ConferenciaCtbTest, OtherOrderingKeysDocumentsByTheirNumber) {
  Lcto(1, 1, Dia(2024, 3, 5), 100, 42, 0);
  Lcto(1, 2, Dia(2024, 3, 6), 100, 0, 21);
  Pagar(1, 1, 10);
  Pagar(1, 2, 10);
  const ChecksPrint print = Conferir({{"pOrdenacao", "2"}});
  const auto totais = print.Of(kTotais);
  ASSERT_EQ(totais.size(), 2u);  // one document and the company
  EXPECT_EQ(Var(totais[0], "pValorDiferenca"), "Diferença: 0,00");
  EXPECT_EQ(Vars(print.Of(kLancamento), "pDataLcto"), (std::vector<std::string>{"05/03/2024", ""}));
}

TEST_F(ConferenciaCtbTest, DocumentsOfDifferentKindsWithTheSameNumberStayApart) {
  PagarSimples(1, 1, 7, Dia(2024, 3, 5), 100);
  Lcto(1, 2, Dia(2024, 3, 5), 100, 11, 32);
  Venda(1, 2, 7);
  const auto linhas = Conferir({{"pOrdenacao", "2"}}).Of(kLancamento);
  EXPECT_EQ(Vars(linhas, "pTipoDesc"), (std::vector<std::string>{"Pagar", "Venda"}));
}

TEST_F(ConferenciaCtbTest, EveryOriginKindIsListedWithItsShortDescription) {
  Lcto(1, 1, Dia(2024, 3, 1), 1, 14, 32);
  ReceberComercial(1, 1, 501);
  PagarSimples(1, 2, 502, Dia(2024, 3, 2), 2);
  for (int finalidade = 1; finalidade <= 3; ++finalidade) {
    Acerto(1, 600 + finalidade, finalidade);
    Lcto(1, 2 + finalidade, Dia(2024, 3, 2 + finalidade), 3, 11, 14);
    AcertoCtb(1, 2 + finalidade, 600 + finalidade);
  }
  Lcto(1, 6, Dia(2024, 3, 6), 6, 14, 32);
  NotaServico(1, 6, "A", 55);
  Lcto(1, 7, Dia(2024, 3, 7), 7, 11, 32);
  Venda(1, 7, 77);
  Lcto(1, 8, Dia(2024, 3, 8), 8, 42, 21);
  Obra(1, 8, 88);
  Lcto(1, 9, Dia(2024, 3, 9), 9, 42, 21);
  NotaEntrada(1, 9, 99);
  const auto linhas = Conferir().Of(kLancamento);
  EXPECT_EQ(Vars(linhas, "pTipoDesc"),
            (std::vector<std::string>{"Receber", "Pagar", "Acerto Rec.", "Acerto Pag.",
                                      "Acerto Mov.", "NF Serviço", "Venda", "Obra", "NF Entrada"}));
  EXPECT_EQ(Vars(linhas, "pCodigoAcerto"),
            (std::vector<std::string>{"", "", "601", "602", "603", "", "", "", ""}));
  EXPECT_EQ(Var(linhas[5], "pDocumento"), "A55");
  EXPECT_EQ(Var(linhas[8], "pDocumento"), "99");
}

TEST_F(ConferenciaCtbTest, SettlementDocumentNamesTheTitlesItSettled) {
  Acerto(1, 7, 2);
  Exec(
      "insert into FPRCONTAPAGAR (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, PARCELAPAG, "
      "DOCUMENTOPAG) values (1, 40, 1, 1, 'NF 123')");
  Exec(
      "insert into FPRCONTAPAGARBAIXA (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, CODIGOACERTO) "
      "values (1, 40, 1, 7)");
  Lcto(1, 1, Dia(2024, 3, 5), 100, 21, 11);
  AcertoCtb(1, 1, 7);
  const json linha = Conferir().Of(kLancamento).at(0);
  EXPECT_EQ(Var(linha, "pDocumento"), "NF 123/1");
  EXPECT_EQ(Var(linha, "pCodigoAcerto"), "7");
  EXPECT_EQ(Var(linha, "pTipoDesc"), "Acerto Pag.");
}

TEST_F(ConferenciaCtbTest, ProductKindChoosesTheReceivablesTable) {
  Lcto(1, 1, Dia(2024, 3, 1), 10, 14, 32);
  ReceberComercial(1, 1, 501);
  Lcto(1, 2, Dia(2024, 3, 2), 20, 14, 32);
  ReceberFinanceiro(1, 2, 902);
  EXPECT_EQ(Vars(Conferir().Of(kLancamento), "pDocumento"), (std::vector<std::string>{"501"}));
  DefinirProduto(2);
  EXPECT_EQ(Vars(Conferir().Of(kLancamento), "pDocumento"), (std::vector<std::string>{"902"}));
}

TEST_F(ConferenciaCtbTest, OriginSelectionKeepsTheChosenKinds) {
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  Lcto(1, 2, Dia(2024, 3, 6), 40, 11, 32);
  Venda(1, 2, 3);
  EXPECT_EQ(Vars(Conferir({{"pTipo", "6"}}).Of(kLancamento), "pTipoDesc"),
            (std::vector<std::string>{"Venda"}));
  EXPECT_EQ(Vars(Conferir({{"pTipo", "0..1"}}).Of(kLancamento), "pTipoDesc"),
            (std::vector<std::string>{"Pagar"}));
  // No kind selected at all: nothing to list, and no query to fail.
  EXPECT_TRUE(Conferir({{"pTipo", "9"}}).Bodies().empty());
}

TEST_F(ConferenciaCtbTest, AccountFilterKeepsEntriesOnEitherSide) {
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  Lcto(1, 2, Dia(2024, 3, 6), 40, 11, 32);
  Venda(1, 2, 3);
  Lcto(1, 3, Dia(2024, 3, 7), 15, 14, 0);
  Venda(1, 3, 4);
  EXPECT_EQ(Vars(Conferir({{"pContaContabil", "32"}}).Of(kLancamento), "pValorCtb"),
            (std::vector<std::string>{"40,00"}));
  EXPECT_EQ(Vars(Conferir({{"pContaContabil", "42"}}).Of(kLancamento), "pValorCtb"),
            (std::vector<std::string>{"100,00"}));
}

TEST_F(ConferenciaCtbTest, CompanySelectionKeepsOnlyThoseCompanies) {
  Empresa(2, "Empresa Dois S.A.", "22.222.222/0001-22");
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  PagarSimples(2, 1, 10, Dia(2024, 3, 5), 40);
  const ChecksPrint print = Conferir({{"pCodigoEscrit", "2"}});
  EXPECT_EQ(Vars(print.Of(kLancamento), "pValorCtb"), (std::vector<std::string>{"40,00"}));
  EXPECT_EQ(print.pages, 1);
}

// Sums of doubles are rounded to cents before their sign decides: 0.10 plus
// 0.20 against 0.30 balances.
TEST_F(ConferenciaCtbTest, BalancedCentsNeverShowANegativeZero) {
  Lcto(1, 1, Dia(2024, 3, 5), 0.10, 42, 0);
  Lcto(1, 2, Dia(2024, 3, 5), 0.20, 42, 0);
  Lcto(1, 3, Dia(2024, 3, 5), 0.30, 0, 21);
  for (int chave = 1; chave <= 3; ++chave) Pagar(1, chave, 10);
  const ChecksPrint print = Conferir();
  EXPECT_EQ(Vars(print.Of(kTotais), "pValorDiferenca"),
            (std::vector<std::string>{"Diferença: 0,00", "Diferença: 0,00"}));
  for (const json& total : print.Of(kTotalResumo)) {
    EXPECT_EQ(Var(total, "R4"), "0,00");
    EXPECT_EQ(Var(total, "pFechaParentese"), "");
  }
}

bool Visivel(const json& secao, const std::string& label) {
  return secao["labels"].at(label)["visible"].get<bool>();
}

// Pages that a summary runs on to head their columns as the summary does;
// pages of entries as the entries do; pages of the final summary name no
// company.
TEST_F(ConferenciaCtbTest, PageHeadingsFollowWhatThePageShows) {
  Empresa(2, "Empresa Dois S.A.", "22.222.222/0001-22");
  for (int i = 0; i < 40; ++i) {
    Lcto(1, i + 1, Dia(2024, 3, 1 + i % 28), 10 + i, 100 + i, 200 + i);
    Pagar(1, i + 1, i + 1);
  }
  PagarSimples(2, 1, 1, Dia(2024, 3, 5), 100);
  const ChecksPrint print = Conferir();
  std::map<int, int> primeira;  // first body section of each page
  for (const json& e : print.trace) {
    if (e["event"] != "section") continue;
    const int s = e["section"];
    if (s != kCabecalho && s != kRodape) primeira.try_emplace(e["page"].get<int>(), s);
  }
  bool viu_resumo = false, viu_geral = false;
  for (const json& cabecalho : print.Of(kCabecalho)) {
    const int inicio = primeira.at(cabecalho["page"].get<int>());
    const bool resumo = inicio == kContaResumo || inicio == kTotalResumo;
    viu_resumo = viu_resumo || resumo;
    EXPECT_EQ(Visivel(cabecalho, "lblCabData"), !resumo) << cabecalho["page"];
    EXPECT_EQ(Visivel(cabecalho, "lblCabValor"), !resumo) << cabecalho["page"];
    EXPECT_EQ(Visivel(cabecalho, "lblCabResConta"), resumo) << cabecalho["page"];
    EXPECT_EQ(Visivel(cabecalho, "lblCabResSaldo"), resumo) << cabecalho["page"];
    if (Var(cabecalho, "pEscritorioDesc") == "Todos os escritórios") {
      viu_geral = true;
      EXPECT_EQ(Var(cabecalho, "pInscrFedEscrit"), "");
      EXPECT_FALSE(Visivel(cabecalho, "lblCNPJ"));
    } else {
      EXPECT_TRUE(Visivel(cabecalho, "lblCNPJ"));
    }
  }
  EXPECT_TRUE(viu_resumo);
  EXPECT_TRUE(viu_geral);
  EXPECT_EQ(Var(print.Of(kCabecalho).back(), "pEscritorioDesc"), "Todos os escritórios");
}

// A document starts on a new page rather than leave its heading line on one
// page and its other entries on the next.
TEST_F(ConferenciaCtbTest, DocumentsAreNotSplitAcrossPages) {
  for (int d = 0; d < 40; ++d) {
    Lcto(1, 3 * d + 1, Dia(2024, 3, 1 + d % 28), 10, 42, 0);
    Lcto(1, 3 * d + 2, Dia(2024, 3, 1 + d % 28), 5, 42, 0);
    Lcto(1, 3 * d + 3, Dia(2024, 3, 1 + d % 28), 15, 0, 21);
    for (int e = 1; e <= 3; ++e) Pagar(1, 3 * d + e, d + 1);
  }
  const ChecksPrint print = Conferir();
  ASSERT_GT(print.pages, 2);
  int pagina_do_documento = 0;
  for (const json& e : print.trace) {
    if (e["event"] != "section") continue;
    const int s = e["section"];
    if (s == kLancamento && !Var(e, "pDataLcto").empty()) pagina_do_documento = e["page"];
    if (s == kLancamento || (s == kTotais && Var(e, "pTotalTitulo").empty())) {
      EXPECT_EQ(e["page"].get<int>(), pagina_do_documento) << Var(e, "pDocumento");
    }
  }
}

// The label of the difference turns red when the difference is not zero,
// and back when it is.
TEST_F(ConferenciaCtbTest, ADifferenceThatIsNotZeroIsPrintedInRed) {
  Lcto(1, 1, Dia(2024, 3, 5), 10, 42, 0);
  Pagar(1, 1, 10);
  Commit();
  auto cor_final = [this]() {
    TnPrintSession session(ChecksPlugin::Get(kRelatorio), Layout(std::string(kRelatorio) + ".json"),
                           RunVia::kExport);
    SetMarch2024(session.Engine());
    session.Print({});
    return session.Engine().LabelByName("pValorDiferenca")->Font().color;
  };
  EXPECT_EQ(cor_final(), 0xC62828u);
  Exec("update FPRLCTOCTB set CONTACTBCRED = 21");
  Commit();
  EXPECT_EQ(cor_final(), 0x000000u);
}

TEST_F(ConferenciaCtbTest, WorksThroughTheExportAsWell) {
  PagarSimples(1, 1, 10, Dia(2024, 3, 5), 100);
  const ChecksPrint print = Imprimir(kRelatorio, {}, true);
  EXPECT_EQ(print.Of(kLancamento).size(), 1u);
}

TEST_F(ConferenciaCtbTest, PanelOffersTheOriginKindsAndTheClassItsVersion) {
  TnrwReport engine(Layout(std::string(kRelatorio) + ".json"));
  std::unique_ptr<TnrwBaseDll> report =
      ChecksPlugin::Get(kRelatorio)->ClassDll()->Instanciar(&engine);
  report->AntesConfigurar(engine.Panel());
  const std::vector<TnParamChoice>& itens =
      engine.GetParams()->FindParam("pTipo")->Definition().items;
  ASSERT_EQ(itens.size(), 9u);
  EXPECT_EQ(itens.front().value, "0");
  EXPECT_EQ(itens.back().value, "8");
  EXPECT_EQ(report->Versao(), "[versao: 1.0.0.0]");
  EXPECT_EQ(report->CriarListaSectionsParaZebrar(), (std::vector<int>{8, 9, 10}));
}

}  // namespace
}  // namespace vireo::test
