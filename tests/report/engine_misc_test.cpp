// The engine's smaller duties: reading parameters, the layout's query text,
// messages, progress, the page-header helper and shared routines.
#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/data/selection.h"
#include "host/report/cabecalho.h"
#include "host/report/progress.h"
#include "host/report/render/status_area.h"
#include "host/report/report_utils.h"
#include "tests/report/report_test_support.h"

namespace vireo {
namespace {

TEST(EngineParams, RepParamNeedsADeclaredName) {
  TnrwReport engine(test::TestLayout());
  EXPECT_EQ(engine.RepParam("pEhRelMovCaixa"), "1");
  EXPECT_EQ(engine.GetValues("pNaoExiste"), "");
  try {
    engine.RepParam("pNaoExiste");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "test_layout.json: o relatório lê o parâmetro pNaoExiste, que o layout não declara");
  }
  std::vector<std::string> names;
  for (TnpqParamItem* p : engine.Parametros()) names.push_back(p->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"pDataInicial", "pCodigoEscrit", "pOrdenar",
                                             "pImpSintetica", "pLimite", "pEhRelMovCaixa"}));
  // Labels' variables exist from the start, empty.
  ASSERT_NE(engine.GetParams()->FindParam("R9"), nullptr);
  EXPECT_EQ(engine.Param("R9")->Value(), "");
}

TEST(EngineQuery, FiltersAndMarkersComeFromTheParameters) {
  TnrwReport engine(ParseLayout(R"({
      "parameters": [{"name": "pDataInicial", "kind": "date", "default": "05/03/2024"},
                     {"name": "pCodigoEscrit", "kind": "selection", "default": "1;3..4"},
                     {"name": "pLimite", "kind": "integer", "default": "7"}],
      "query": ["select * from FPRCAIXA where DATACAIXA >= :pDataInicial",
                "{filter:CODIGOESCRIT:pCodigoEscrit} and N < :pLimite",
                "and DATACAIXA <> :pDataInicial"],
      "sections": []})",
                                "q.json"));
  TnMainQuery q = engine.MontarConsultaPrincipal();
  EXPECT_EQ(q.sql, "select * from FPRCAIXA where DATACAIXA >= :pDataInicial " +
                       FilterInterval("CODIGOESCRIT", "1;3..4", {1}, true, 0) +
                       " and N < :pLimite and DATACAIXA <> :pDataInicial");
  ASSERT_TRUE(q.params.Named());
  EXPECT_EQ(q.params.Names(), (std::vector<std::string>{"pDataInicial", "pLimite"}));
  EXPECT_EQ(q.params.Values()[0], Variant::FromDateTime(EncodeDate(2024, 3, 5)));
  EXPECT_EQ(q.params.Values()[1], Variant(int64_t{7}));
  // An empty selection filters nothing.
  engine.GetParams()->SetValues("pCodigoEscrit", "");
  EXPECT_EQ(engine.MontarConsultaPrincipal().sql.find("CODIGOESCRIT"), std::string::npos);
}

TEST(EngineQuery, ReferencesToMissingParametersAreRefused) {
  EXPECT_THROW(
      TnrwReport(ParseLayout(
          R"({"query": "select 1 from X where 1=1 {filter:A:pNada}", "sections": []})", "q.json")),
      Exception);
  TnrwReport engine(
      ParseLayout(R"({"query": "select 1 from X where A = :pNada", "sections": []})", "q.json"));
  EXPECT_THROW(engine.MontarConsultaPrincipal(), Exception);
  TnrwReport none(test::TestLayout());
  EXPECT_EQ(none.MainDataSet(), nullptr);  // no query, no rows
}

TEST(EngineMessages, ListKeepsKindsAndOrder) {
  TnrwReport engine(test::TestLayout());
  engine.MsgMensagem(0, "antes");
  engine.MsgConfigurar({"Mensagem"}, 0);  // keeps what was said
  engine.MsgMensagem(1, "aviso");
  engine.MsgMensagem(4, "nota");
  const auto& items = engine.Messages().Items();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].kind, 1);
  EXPECT_EQ(items[2].text, "nota");
  EXPECT_EQ(engine.Messages().Titles(), std::vector<std::string>{"Mensagem"});
  EXPECT_STREQ(TnMessageList::KindName(1), "Aviso");
}

TEST(Progress, EngineCountersAndTheFrame) {
  TnrwReport engine(test::TestLayout());
  engine.CSLShowProgress(3, 10);
  EXPECT_EQ(engine.ProgressPosition(), 3);
  EXPECT_EQ(engine.ProgressTotal(), 10);
  engine.CSLShowProgress(0, 0);
  EXPECT_EQ(engine.ProgressTotal(), 0);

  TnProgresso* frame = CriarProgresso();
  EXPECT_EQ(CriarProgresso(), frame);  // the host has one
  frame->MostrarMultiplo();
  frame->ConfigurarProgressoTotal(0, 3);
  frame->SetTextos("Processando contas", "Processando intervalos");
  frame->IncProgressoTotal(0);  // 0 advances by one
  frame->ConfigurarProgressoParcial(0, 100);
  frame->IncProgressoParcial(5);
  EXPECT_EQ(frame->Total().position, 1);
  EXPECT_EQ(frame->Parcial().position, 5);
  EXPECT_EQ(frame->Parcial().text, "Processando intervalos");
  frame->Hide();
  EXPECT_FALSE(frame->Visible());
  EXPECT_EQ(CriarProgresso()->Total().position, 0);  // handed out reset
}

TEST(Progress, LineShowsBarAndCounts) {
  EXPECT_EQ(ProgressLine("Contas", 5, 0, 10), "Contas  [###############...............]  5/10");
  EXPECT_EQ(ProgressLine("", 0, 0, 0), "[..............................]  0/0");
  EXPECT_EQ(ProgressLine("x", 20, 0, 10).substr(0, 35), "x  [" + std::string(30, '#') + "]");
}

TEST(Cabecalho, FillsTheHeaderVariables) {
  TnrwReport engine(test::TestLayout());
  engine.GetParams()->SetValues("pCodigoEscrit", "1;2");
  TnCabecalhoRelatorio header(&engine, true, false, false, false, true, Variant(), -1, 0, 0, "",
                              "Sub", false);
  EXPECT_EQ(engine.GetValues("pTituloRelatorio"), "Relatório de teste");
  EXPECT_EQ(engine.GetValues("pSubtituloRelatorio"), "Sub");
  EXPECT_EQ(engine.GetValues("pFiltrosRelatorio"),
            "Data inicial: 01/01/2024; Empresas: 1;2; Ordenar por: Data; Só sintéticas: Não");
}

TEST(ReportUtils, GroupOfAClassification) {
  EXPECT_EQ(PegarGrupoClassif("1.1.02"), "1");
  EXPECT_EQ(PegarGrupoClassif(" 3 "), "3");
  EXPECT_EQ(PegarGrupoClassif(""), "");
  EXPECT_EQ(CarregarLogoEmpresa(nullptr), "");
}

}  // namespace
}  // namespace vireo
