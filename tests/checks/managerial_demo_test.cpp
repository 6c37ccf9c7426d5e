// rptManagerialEntryCheck on the demo database: the entries it lists as not
// adding up are exactly the allocation faults the generator planted, for
// each product kind; and the posting preview of a demo month agrees with
// the database.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "db/demo.h"
#include "host/biz/origens_contabilizacao.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "reports/checks/rptManagerialEntryCheck.h"
#include "reports/checks/rptPostingPreview.h"
#include "tests/checks/posting_test_support.h"

namespace vireo::test::posting {
namespace {

// company, origin kind, document (settlements: their code), date
using Lancamento = std::tuple<int, int, std::string, std::string>;

int OrigemPelaDescricao(const std::string& descricao) {
  for (int tipo = 0; tipo <= 8; ++tipo) {
    if (TFprListDescricao::DescricaoGerarContabilizacao(tipo) == descricao) return tipo;
  }
  return -1;
}

// The entries a print lists: the first line of each.
std::vector<Lancamento> Listados(const Print& print) {
  std::vector<Lancamento> out;
  for (const json& linha : print.Of(TrptManagerialEntryCheck::kRateio)) {
    if (Var(linha, "pDataLcto").empty()) continue;
    const std::string escritorio = Var(linha, "pEscritorioDesc");
    const int origem = OrigemPelaDescricao(Var(linha, "pTipoDesc"));
    const bool acerto = origem >= 2 && origem <= 4;
    out.emplace_back(std::stoi(escritorio.substr(0, escritorio.find(' '))), origem,
                     Var(linha, acerto ? "pCodigoAcerto" : "pDocumento"), Var(linha, "pDataLcto"));
  }
  std::sort(out.begin(), out.end());
  return out;
}

class GerencialDemoTest : public PostingDbTest {
 protected:
  void SetUp() override {
    PostingDbTest::SetUp();
    resumo_ = GenerateDemo(*db_, DemoOptions{2, 20261209});
  }

  // Allocation faults of the origin kinds this check reads, as a host of
  // that product kind sees them.
  std::vector<Lancamento> Plantados(int produto) const {
    std::vector<Lancamento> out;
    for (const DemoAccountingFault& f : resumo_.accounting_faults) {
      if (f.kind != DemoAccountingFault::kAllocationMismatch) continue;
      if (f.origin > 5 || !f.SeenByProduct(produto)) continue;
      out.emplace_back(f.company, f.origin, f.document, FormatDateTime("dd/mm/yyyy", f.date));
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  Print Gerencial(const std::string& lancamentos) {
    return Imprimir("rptManagerialEntryCheck", {{"pDataInicial", "01/01/2025"},
                                                {"pDataFinal", "30/06/2026"},
                                                {"pLancamentos", lancamentos}});
  }

  DemoSummary resumo_;
};

TEST_F(GerencialDemoTest, NotAddingUpListsExactlyThePlantedAllocationFaults) {
  for (int produto : {0, 2}) {
    SCOPED_TRACE(produto);
    DefinirProduto(produto);
    EXPECT_EQ(Listados(Gerencial("1")), Plantados(produto));
  }
  EXPECT_FALSE(Plantados(0).empty() && Plantados(2).empty()) << "the demo planted nothing here";
}

TEST_F(GerencialDemoTest, EveryListedEntryIsInTheAllOrTheOtherListing) {
  const size_t todos = Listados(Gerencial("2")).size();
  EXPECT_EQ(Listados(Gerencial("0")).size() + Listados(Gerencial("1")).size(), todos);
  EXPECT_GT(todos, 100u);
}

TEST_F(GerencialDemoTest, PostingPreviewOfAMonthCountsEveryEntryOfIt) {
  // Every entry of the month belongs to one document of one origin kind;
  // receivables of the financial module are another product's.
  std::unique_ptr<TnClientDataSet> contagem(
      db_->Query("select count(*) from FPRLCTOCTB LC where LC.DATALCTOCTB between '2025-03-01' and "
                 "'2025-03-31' and not exists (select 1 from FPRCONTARECEBERCABCTB CR where "
                 "CR.CODIGOESCRIT = LC.CODIGOESCRIT and CR.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB)"));
  const Print print = Imprimir("rptPostingPreview", {{"pCompetencia", "03/2025"}});
  EXPECT_EQ(static_cast<int64_t>(print.Of(TrptPostingPreview::kLancamento).size()),
            contagem->Fields(0)->AsInteger());
  EXPECT_EQ(Var(print.Of(TrptPostingPreview::kTotais).back(), "pDescrTotal"), "Total Geral");
}

}  // namespace
}  // namespace vireo::test::posting
