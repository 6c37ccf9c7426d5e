// The monthly tracking's layout arrangement by the number of months, its
// panel rules for totals and percentages, and the strict reading of its
// integer parameters (in the engine and through `vireo print`).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "host/core/exception.h"
#include "host/report/panel.h"
#include "tests/balances/monthly_test_support.h"
#include "tests/support/vireo_run.h"

namespace vireo::test::monthly {
namespace {

class ArranjoTest : public MonthlyDbTest {
 protected:
  void SetUp() override {
    MonthlyDbTest::SetUp();
    Basico();
    for (int mes = 1; mes <= 12; ++mes) Movimentar(1, 11, Dia(2025, mes, 5), 1, mes);
  }
  // The line of account 11 (after its titles 1 and 1.1) of a print from
  // January 2025 over n months.
  json Linha(int meses, std::vector<std::pair<std::string, std::string>> params = {}) {
    const int ultimo = meses - 1;
    params.insert(params.begin(), {"pDataFinal", "01/" + std::to_string(ultimo % 12 + 1) + "/" +
                                                     std::to_string(2025 + ultimo / 12)});
    return Imprimir(params).Of(11).at(2);
  }
};

double Left(const json& linha, const std::string& nome) { return Label(linha, nome)["left"]; }
double Width(const json& linha, const std::string& nome) { return Label(linha, nome)["width"]; }
bool Visible(const json& linha, const std::string& nome) { return Label(linha, nome)["visible"]; }

// Month columns from `first`, sixty apart, then total and percent.
void ExpectColunas(const json& linha, int meses, double first) {
  const int colunas = std::min(meses, 12);
  for (int i = 1; i <= colunas; ++i) {
    std::string r = "R";
    r += std::to_string(i);
    EXPECT_EQ(Left(linha, r), first + (i - 1) * 60) << r;
    EXPECT_TRUE(Visible(linha, r)) << r;
  }
  for (int i = colunas + 1; i <= 12; ++i) {
    std::string r = "R";
    r += std::to_string(i);
    EXPECT_FALSE(Visible(linha, r)) << r;
  }
  EXPECT_EQ(Left(linha, "R13"), first + colunas * 60);
  EXPECT_EQ(Left(linha, "R14"), first + (colunas + 1) * 60);
}

TEST_F(ArranjoTest, OneMonthPutsTotalAndPercentOneStepRight) {
  const json linha = Linha(1);
  ExpectColunas(linha, 1, 489);
  EXPECT_EQ(Left(linha, "R13"), 549);
  EXPECT_EQ(Left(linha, "R14"), 609);
  EXPECT_TRUE(Visible(linha, "R13"));
  EXPECT_TRUE(Visible(linha, "R14"));
  // The description ends short of the first month column.
  EXPECT_EQ(Left(linha, "pContaDescricao"), 91);
  EXPECT_EQ(Width(linha, "pContaDescricao"), 489 - 6 - 91);
}

TEST_F(ArranjoTest, ThreeMonths) {
  const json linha = Linha(3);
  ExpectColunas(linha, 3, 489);
  EXPECT_EQ(Width(linha, "pContaDescricao"), 392);
  EXPECT_EQ(Left(linha, "pContaTipo"), 74);
  EXPECT_TRUE(Visible(linha, "pConta"));
}

TEST_F(ArranjoTest, SixMonths) {
  const json linha = Linha(6);
  ExpectColunas(linha, 6, 358);
  EXPECT_EQ(Width(linha, "pContaDescricao"), 358 - 6 - 91);
}

TEST_F(ArranjoTest, ElevenMonths) {
  const json linha = Linha(11);
  ExpectColunas(linha, 11, 249);
  EXPECT_EQ(Left(linha, "R11"), 849);
  EXPECT_EQ(Width(linha, "pContaDescricao"), 249 - 6 - 91);
}

TEST_F(ArranjoTest, TwelveMonthsOrMoreLeaveTotalAndPercentAsTheLayoutHasThem) {
  for (int meses : {12, 14}) {
    const json linha = Linha(meses, {{"pIncTotais", "0"}});
    ExpectColunas(linha, meses, 249);
    EXPECT_EQ(Left(linha, "R13"), 969);
    EXPECT_EQ(Left(linha, "R14"), 1029);
    EXPECT_TRUE(Visible(linha, "R13")) << meses;  // but left empty
    EXPECT_EQ(Var(linha, "R13"), "");
    EXPECT_EQ(Width(linha, "pContaDescricao"), 249 - 6 - 91);
  }
}

TEST_F(ArranjoTest, FewMonthsHideTheColumnsNotWanted) {
  const json linha = Linha(3, {{"pListar", "1"}});  // totals refused, percentages kept
  EXPECT_FALSE(Visible(linha, "R13"));
  EXPECT_TRUE(Visible(linha, "R14"));
  EXPECT_EQ(Left(linha, "R14"), 489 + 4 * 60);
}

TEST_F(ArranjoTest, WithoutTheCodeColumnTypeAndDescriptionMoveLeft) {
  const json linha = Linha(3, {{"pImpContaContabil", "0"}});
  EXPECT_FALSE(Visible(linha, "pConta"));
  EXPECT_EQ(Left(linha, "pContaTipo"), 34);
  EXPECT_EQ(Left(linha, "pContaDescricao"), 51);
  EXPECT_EQ(Width(linha, "pContaDescricao"), 489 - 6 - 51);
}

TEST_F(ArranjoTest, HeadingsFollowTheLines) {
  const MonthlyPrint print = Imprimir({{"pDataFinal", "01/06/2025"}});
  const json cabecalho = print.Of(8).at(0);
  const json linha = print.Linha("11");
  const std::pair<const char*, const char*> pares[] = {{"C1", "R1"},
                                                       {"C6", "R6"},
                                                       {"C13", "R13"},
                                                       {"C14", "R14"},
                                                       {"pCabContaTipo", "pContaTipo"},
                                                       {"pCabContaDescricao", "pContaDescricao"}};
  for (const auto& [titulo, coluna] : pares) {
    EXPECT_EQ(Left(cabecalho, titulo), Left(linha, coluna)) << titulo;
  }
  EXPECT_FALSE(Visible(cabecalho, "C7"));
  EXPECT_EQ(Width(cabecalho, "pCabContaDescricao"), 358 - 6 - 91);
}

// --- panel ---------------------------------------------------------------------------

class PainelTest : public MonthlyDbTest {
 protected:
  void SetUp() override {
    MonthlyDbTest::SetUp();
    engine_ = std::make_unique<TnrwReport>(Layout());
    report_ = MonthlyPlugin::Get()->ClassDll()->Instanciar(engine_.get());
  }
  void TearDown() override {
    report_.reset();
    engine_.reset();
    MonthlyDbTest::TearDown();
  }
  void Mudar(const std::string& nome, const std::string& valor) {
    Definir(*engine_, *report_, nome, valor);
  }
  TnFraControle* Campo(const char* nome) { return engine_->EdFindFieldControl(nome); }
  bool Habilitado(const char* nome) { return Campo(nome)->Enabled(); }
  int64_t Valor(const char* nome) { return Campo(nome)->GetAsInteger(); }

  std::unique_ptr<TnrwReport> engine_;
  std::unique_ptr<TnrwBaseDll> report_;
};

TEST_F(PainelTest, ClosingBalanceRefusesTotalsAndKeepsPercentages) {
  Mudar("pListar", "1");
  EXPECT_FALSE(Habilitado("pIncTotais"));
  EXPECT_EQ(Valor("pIncTotais"), 0);
  EXPECT_TRUE(Habilitado("pIncPercentuais"));
  EXPECT_EQ(Valor("pIncPercentuais"), 1);
}

TEST_F(PainelTest, OtherAmountsOfferTotalsAndPercentagesOnlyWithTotals) {
  Mudar("pListar", "1");
  Mudar("pListar", "2");
  EXPECT_TRUE(Habilitado("pIncTotais"));
  EXPECT_EQ(Valor("pIncTotais"), 0);  // zeroed while refused, not given back
  EXPECT_FALSE(Habilitado("pIncPercentuais"));
  EXPECT_EQ(Valor("pIncPercentuais"), 0);

  Mudar("pIncTotais", "1");
  EXPECT_TRUE(Habilitado("pIncPercentuais"));
  Mudar("pIncPercentuais", "1");
  Mudar("pListar", "3");
  EXPECT_TRUE(Habilitado("pIncTotais"));
  EXPECT_TRUE(Habilitado("pIncPercentuais"));
  EXPECT_EQ(Valor("pIncPercentuais"), 1);

  Mudar("pIncTotais", "0");
  EXPECT_FALSE(Habilitado("pIncPercentuais"));
  EXPECT_EQ(Valor("pIncPercentuais"), 0);
}

TEST_F(PainelTest, TotalsChangedUnderClosingBalanceKeepPercentagesOpen) {
  Mudar("pListar", "1");
  Mudar("pIncTotais", "0");
  EXPECT_TRUE(Habilitado("pIncPercentuais"));
}

TEST_F(PainelTest, ParameterNamesAreComparedWithoutRegardToCase) {
  engine_->GetParams()->Param("pListar")->SetValue("1");
  TnParamDef def;
  def.name = "PLISTAR";
  def.kind = TnParamKind::Integer;
  TnpqParamItem outro(nullptr, def);
  report_->DoParamChange(engine_->Panel(), &outro);
  EXPECT_FALSE(Habilitado("pIncTotais"));
}

// --- integer parameters ----------------------------------------------------------------

class ConversaoTest : public MonthlyDbTest {
 protected:
  void SetUp() override {
    MonthlyDbTest::SetUp();
    Basico();
    Movimentar(1, 11, Dia(2025, 1, 5), 1, 5);
  }
};

// The panel keeps yes/no answers as 1 or 0; a host whose panel hands over
// free text must still not print on a word.
TEST_F(ConversaoTest, NonIntegerStopsThePrintBeforeAnythingPrints) {
  for (const char* nome :
       {"pQuebraGrupo", "pImpSintetica", "pPulaLinha", "pListar", "pImpContaContabil",
        "pImpClassificacao", "pIncTotais", "pIncPercentuais"}) {
    TnLayout layout = Layout();
    for (TnParamDef& def : layout.parameters) {
      if (def.name == nome) def.kind = TnParamKind::Text;
    }
    try {
      Imprimir({{nome, "sim"}}, layout, false);
      ADD_FAILURE() << nome << " aceitou \"sim\"";
    } catch (const EConvertError& e) {
      EXPECT_NE(e.Message().find(nome), std::string::npos) << e.Message();
    }
  }
}

TEST_F(ConversaoTest, EmptyYesNoIsNotAnInteger) {
  EXPECT_THROW(Imprimir({{"pPulaLinha", ""}}), EConvertError);
}

TEST_F(ConversaoTest, VireoPrintEndsWithTheParameterStatus) {
  Commit();
  db_.reset();  // the program opens the file itself
  SetCurrentConnection(nullptr);
  const std::string pdf = (dir_ / "m.pdf").string();
  const VireoRun saida = RunVireo("print " + MonthlyPlugin::Path() + " --db " +
                                  (dir_ / "monthly.fdb").string() + " -p pQuebraGrupo= -o " + pdf);
  EXPECT_EQ(saida.status, 3) << saida.output;
  EXPECT_NE(saida.output.find("pQuebraGrupo"), std::string::npos) << saida.output;
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

}  // namespace
}  // namespace vireo::test::monthly
