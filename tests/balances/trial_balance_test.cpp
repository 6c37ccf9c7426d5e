// rptTrialBalance: lines and amount mask, column choices, bold synthetic
// accounts, companies and their headers, page breaks, blank lines,
// synthetic-only mode and progress, what the module is given, and the
// closing messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "host/core/exception.h"
#include "tests/balances/trial_balance_test_support.h"

namespace vireo::test {
namespace {

const char kBalancete[] = "rptTrialBalance";

class TrialBalanceTest : public BalanceDbTest {
 protected:
  void SetUp() override {
    BalanceDbTest::SetUp();
    Basico();
  }

  // Company 1: Caixa Geral from 1.000,00 up to 1.234,50, Banco Um down to
  // minus 1.234,50, Fornecedores (credit nature) up by 50,00; company 2:
  // Caixa Geral up by 10,00.
  void Movimentos() {
    Movimentar(1, 11, Dia(2024, 2, 10), 1, 1000);
    Movimentar(1, 11, Dia(2024, 3, 5), 1, 234.5);
    Movimentar(1, 12, Dia(2024, 3, 6), -1, 1234.5);
    Movimentar(1, 21, Dia(2024, 3, 7), -1, 50);
    Movimentar(2, 11, Dia(2024, 3, 8), 1, 10);
  }

  BalancePrint Balancete(const std::map<std::string, std::string>& params,
                         const Ajuste& ajuste = {}) {
    return Imprimir(kBalancete, params, ajuste);
  }

  static std::vector<std::string> Contas(const BalancePrint& print) {
    std::vector<std::string> out;
    for (const json& e : print.Of(8)) out.push_back(Var(e, "R1"));
    return out;
  }
  static json Linha(const BalancePrint& print, const std::string& conta, int nth = 0) {
    for (const json& e : print.Of(8)) {
      if (Var(e, "R1") == conta && nth-- == 0) return e;
    }
    ADD_FAILURE() << "no line for account " << conta;
    return json::object({{"vars", json::object()}, {"labels", json::object()}});
  }
  // Scripted rows of one company: classification and type, in order.
  static std::vector<ModuloLinha> Roteiro(
      const std::vector<std::pair<std::string, std::string>>& linhas, int64_t empresa = 1) {
    std::vector<ModuloLinha> out;
    int64_t conta = 100;
    for (const auto& [classif, tipo] : linhas) {
      ModuloLinha l;
      l.empresa = empresa;
      l.conta = ++conta;
      l.classif = classif;
      l.tipo = tipo;
      l.saldo = 1;
      out.push_back(l);
    }
    return out;
  }
};

TEST_F(TrialBalanceTest, AnswersItsVersionAndStripesLinesAndBlankLines) {
  TnrwReport engine(LoadLayout(BalancePluginDir() + "/rptTrialBalance.json"));
  std::unique_ptr<TnrwBaseDll> report =
      BalancePlugin::Get(kBalancete)->ClassDll()->Instanciar(&engine);
  EXPECT_EQ(report->Versao(), "[versao: 1.1.82.0]");
  EXPECT_EQ(report->CriarListaSectionsParaZebrar(), (std::vector<int>{8, 9}));
}

TEST_F(TrialBalanceTest, LineShowsAccountAndAmountsWithParenthesesForNegatives) {
  Movimentos();
  const BalancePrint print = Balancete({{"pCodigoEscrit", "1"}});
  EXPECT_EQ(Contas(print), (std::vector<std::string>{"1", "2", "11", "12", "3", "21"}));

  const json caixa = Linha(print, "11");
  EXPECT_EQ(Var(caixa, "R2"), "A");
  EXPECT_EQ(Var(caixa, "R3"), "1.1.01 Caixa Geral");
  EXPECT_EQ(Var(caixa, "R4"), "1.000,00 ");
  EXPECT_EQ(Var(caixa, "R5"), "234,50 ");
  EXPECT_EQ(Var(caixa, "R6"), "0,00 ");
  EXPECT_EQ(Var(caixa, "R7"), "1.234,50 ");

  const json banco = Linha(print, "12");
  EXPECT_EQ(Var(banco, "R6"), "1.234,50 ");
  EXPECT_EQ(Var(banco, "R7"), "(1.234,50)");

  // The group sums its accounts: 1.234,50 less 1.234,50.
  const json ativo = Linha(print, "1");
  EXPECT_EQ(Var(ativo, "R2"), "S");
  EXPECT_EQ(Var(ativo, "R4"), "1.000,00 ");
  EXPECT_EQ(Var(ativo, "R7"), "0,00 ");

  EXPECT_EQ(Var(Linha(print, "21"), "R7"), "50,00 ");  // credit nature: outflows raise it
}

TEST_F(TrialBalanceTest, ColumnChoiceDecidesWhichAmountsAreSet) {
  Movimentos();
  struct Caso {
    std::string tipo;
    bool debcred, movim;
  };
  for (const Caso& caso : {Caso{"0", true, false}, Caso{"1", true, true}, Caso{"2", false, true}}) {
    SCOPED_TRACE("pTipoBalancete " + caso.tipo);
    const json banco =
        Linha(Balancete({{"pCodigoEscrit", "1"}, {"pTipoBalancete", caso.tipo}}), "12");
    EXPECT_EQ(Var(banco, "R4"), "0,00 ");
    EXPECT_EQ(Var(banco, "R7"), "(1.234,50)");
    EXPECT_EQ(Var(banco, "R5"), caso.debcred ? "0,00 " : "");
    EXPECT_EQ(Var(banco, "R6"), caso.debcred ? "1.234,50 " : "");
    EXPECT_EQ(Var(banco, "R8"), caso.movim ? "(1.234,50)" : "");
    // The columns left empty are not shown, nor their headings.
    EXPECT_EQ(LabelOf(banco, "R6")["visible"], caso.debcred);
    EXPECT_EQ(LabelOf(banco, "R8")["visible"], caso.movim);
  }
}

TEST_F(TrialBalanceTest, ColumnChoiceOutsideTheChoicesCountsAsDebitAndCredit) {
  Movimentos();
  for (const char* tipo : {"abc", "7"}) {
    SCOPED_TRACE(tipo);
    const BalancePrint print = Balancete({{"pCodigoEscrit", "1"}, {"pTipoBalancete", tipo}},
                                         ParametroTexto("pTipoBalancete"));
    const json banco = Linha(print, "12");
    EXPECT_EQ(Var(banco, "R6"), "1.234,50 ");
    EXPECT_EQ(Var(banco, "R8"), "");
    EXPECT_EQ(LabelOf(print.Of(1).at(0), "lblCabDebito")["visible"], true);
    EXPECT_EQ(LabelOf(print.Of(1).at(0), "lblCabMovimento")["visible"], false);
  }
}

TEST_F(TrialBalanceTest, AmountsLeftUnsetKeepWhatTheyHeld) {
  Movimentos();
  const BalancePrint so_movimento =
      Balancete({{"pCodigoEscrit", "1"}, {"pTipoBalancete", "2"}, {"R5", "antes"}});
  for (const json& linha : so_movimento.Of(8)) EXPECT_EQ(Var(linha, "R5"), "antes");
  const BalancePrint debcred =
      Balancete({{"pCodigoEscrit", "1"}, {"pTipoBalancete", "0"}, {"R8", "antes"}});
  for (const json& linha : debcred.Of(8)) EXPECT_EQ(Var(linha, "R8"), "antes");
}

TEST_F(TrialBalanceTest, SyntheticAccountsPrintInBoldAndTheOthersPlain) {
  Movimentos();
  const BalancePrint print = Balancete({{"pCodigoEscrit", "1"}});
  for (const json& linha : print.Of(8)) {
    const bool sintetica = Var(linha, "R2") == "S";
    for (const char* label : {"R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8"}) {
      EXPECT_EQ(LabelOf(linha, label)["bold"], sintetica) << Var(linha, "R1") << " " << label;
      EXPECT_EQ(LabelOf(linha, label)["italic"], false);
    }
  }
}

TEST_F(TrialBalanceTest, EachCompanyStartsAPageUnderItsOwnHeader) {
  Movimentos();
  const BalancePrint print = Balancete({{"pCodigoEscrit", "1;2"}, {"pQuebra", "2"}});
  ASSERT_EQ(print.pages, 2);
  const std::vector<json> linhas = print.Of(8);
  ASSERT_EQ(linhas.size(), 9u);  // 6 of company 1, 3 of company 2
  for (const json& linha : linhas) {
    const bool um = linha["page"] == 1;
    EXPECT_EQ(Var(linha, "pNomeEmpresa"), um ? "0001 Empresa Um Ltda" : "0002 Empresa Dois S.A.");
    EXPECT_EQ(Var(linha, "pInscrFederal"),
              um ? "CNPJ: 11.111.111/0001-11" : "CNPJ: 22.222.222/0001-22");
  }
  EXPECT_EQ(linhas[5]["page"], 1);
  EXPECT_EQ(linhas[6]["page"], 2);
  // The page header of each page names its company.
  EXPECT_EQ(Var(print.Of(1).at(1), "pNomeEmpresa"), "0002 Empresa Dois S.A.");
}

TEST_F(TrialBalanceTest, CompaniesTogetherHaveNeitherHeaderNorBreak) {
  Movimentos();
  const BalancePrint print = Balancete({{"pCodigoEscrit", "1;2"}, {"pQuebra", "1"}});
  EXPECT_EQ(print.pages, 1);
  EXPECT_EQ(Var(Linha(print, "11"), "R7"), "1.244,50 ");  // both companies' cash
  for (const json& linha : print.Of(8)) {
    EXPECT_EQ(Var(linha, "pNomeEmpresa"), "");
    EXPECT_EQ(Var(linha, "pInscrFederal"), "");
  }
}

TEST_F(TrialBalanceTest, CompanyTheCompanyQueryMissesKeepsThePreviousHeader) {
  Movimentos();
  Escritorio(3);  // an office without its person row
  Movimentar(3, 11, Dia(2024, 3, 9), 1, 7);
  const BalancePrint print = Balancete({{"pCodigoEscrit", "1;3"}, {"pQuebra", "2"}});
  ASSERT_EQ(print.pages, 2);
  const std::vector<json> linhas = print.Of(8);
  ASSERT_EQ(linhas.size(), 9u);
  EXPECT_EQ(linhas.back()["page"], 2);
  EXPECT_EQ(Var(linhas.back(), "R7"), "7,00 ");
  EXPECT_EQ(Var(linhas.back(), "pNomeEmpresa"), "0001 Empresa Um Ltda");
  EXPECT_EQ(Var(linhas.back(), "pInscrFederal"), "CNPJ: 11.111.111/0001-11");
}

TEST_F(TrialBalanceTest, GroupBreakStartsEachTopLevelGroupOnANewPage) {
  Movimentos();
  const BalancePrint junto = Balancete({{"pCodigoEscrit", "1"}});
  EXPECT_EQ(junto.pages, 1);
  const BalancePrint quebrado = Balancete({{"pCodigoEscrit", "1"}, {"pQuebraGrupo", "1"}});
  ASSERT_EQ(quebrado.pages, 2);
  EXPECT_EQ(Linha(quebrado, "12")["page"], 1);
  EXPECT_EQ(Linha(quebrado, "3")["page"], 2);
}

TEST_F(TrialBalanceTest, SyntheticOnlySkipsAnalyticRowsWithoutMovingTheProgress) {
  ModuloRoteiro& roteiro = Roteirizar();
  roteiro.linhas = Roteiro({{"1", "S"}, {"1.1", "A"}, {"1.2", "A"}, {"1.3", "S"}, {"1.3.1", "A"}});
  const BalancePrint print = Balancete({{"pImpSintetica", "1"}});
  EXPECT_EQ(Contas(print), (std::vector<std::string>{"101", "104"}));
  std::vector<long long> posicoes;
  for (const auto& p : print.progress_at) {
    if (p.section == 8) posicoes.push_back(p.position);
  }
  // Before each line: the lines printed so far; the total counts every row.
  EXPECT_EQ(posicoes, (std::vector<long long>{0, 1}));
  EXPECT_EQ(print.progress_at.back().total, 5);
  EXPECT_EQ(print.progress_position, 0);  // reset when the walk ends
  EXPECT_EQ(print.progress_total, 0);
}

TEST_F(TrialBalanceTest, SyntheticOnlyGroupBreaksCompareWithTheLastPrintedRow) {
  ModuloRoteiro& roteiro = Roteirizar();
  // A skipped row of another group between two synthetic rows of group 1.
  roteiro.linhas = Roteiro({{"1", "S"}, {"2.1", "A"}, {"1.9", "S"}, {"3", "S"}});
  const BalancePrint print = Balancete({{"pImpSintetica", "1"}, {"pQuebraGrupo", "1"}});
  ASSERT_EQ(print.pages, 2);
  EXPECT_EQ(Linha(print, "103")["page"], 1);
  EXPECT_EQ(Linha(print, "104")["page"], 2);
}

TEST_F(TrialBalanceTest, BlankLinePrecedesEachSyntheticAccountButTheFirstRow) {
  ModuloRoteiro& roteiro = Roteirizar();
  roteiro.linhas =
      Roteiro({{"1", "S"}, {"1.1", "S"}, {"1.1.1", "A"}, {"1.1.2", "A"}, {"2", "S"}, {"2.1", "A"}});
  EXPECT_EQ(Balancete({{"pPularLinha", "1"}}).Bodies(), (std::vector<int>{8, 9, 8, 8, 8, 9, 8, 8}));
  EXPECT_EQ(Balancete({}).Bodies(), (std::vector<int>{8, 8, 8, 8, 8, 8}));
}

TEST_F(TrialBalanceTest, LastRowSyntheticIsFollowedByOneBlankLine) {
  ModuloRoteiro& roteiro = Roteirizar();
  roteiro.linhas = Roteiro({{"1.1", "A"}, {"2", "S"}});
  EXPECT_EQ(Balancete({{"pPularLinha", "1"}}).Bodies(), (std::vector<int>{8, 9, 8, 9}));
}

TEST_F(TrialBalanceTest, SyntheticOnlyWithBlankLinesPutsOneAfterEveryLine) {
  ModuloRoteiro& roteiro = Roteirizar();
  roteiro.linhas = Roteiro({{"1", "S"}, {"1.1", "A"}, {"2", "S"}, {"2.1", "A"}});
  EXPECT_EQ(Balancete({{"pPularLinha", "1"}, {"pImpSintetica", "1"}}).Bodies(),
            (std::vector<int>{8, 9, 8, 9}));
}

TEST_F(TrialBalanceTest, ModuleGetsTheReportsChoices) {
  ModuloRoteiro& roteiro = Roteirizar();
  roteiro.linhas = Roteiro({{"1", "S"}});
  Balancete({{"pCodigoEscrit", "  1;2 "},
             {"pCodigoConta", "11..12"},
             {"pOrigemLctoCaixaCh", "3;4"},
             {"pImpContaSaldoZero", "1"},
             {"pQuebra", "1"},
             {"pDataInicial", "05/02/2024"},
             {"pDataFinal", "20/03/2024"}});
  EXPECT_EQ(roteiro.execucoes, 1);
  const TnFiltroSaldoConta& f = roteiro.recebido;
  EXPECT_EQ(f.DataInicial, EncodeDate(2024, 2, 5));
  EXPECT_EQ(f.DataFinal, EncodeDate(2024, 3, 20));
  EXPECT_TRUE(f.GerarSaldoAnterior);
  EXPECT_EQ(f.OrigemLctoCaixa, "3;4");
  EXPECT_EQ(f.CodigoEscrit, "1;2");
  EXPECT_EQ(f.CodigoConta, "11..12");
  EXPECT_TRUE(f.ImpContaSaldoZero);
  EXPECT_FALSE(f.QuebraPorEmpresa);
  EXPECT_FALSE(f.EhRelMovCaixa);
  Balancete({{"pQuebra", "2"}});
  EXPECT_TRUE(roteiro.recebido.QuebraPorEmpresa);
}

TEST_F(TrialBalanceTest, EmptyResultPrintsNothingAndSaysNothing) {
  ModuloRoteiro& roteiro = Roteirizar();
  roteiro.msg_erro = "A empresa 9 da seleção não está cadastrada.";
  const BalancePrint print = Balancete({{"pOrigemLctoCaixaCh", "2"}});
  EXPECT_TRUE(print.Bodies().empty());
  EXPECT_TRUE(print.messages.empty());
}

TEST_F(TrialBalanceTest, ClosingMessagesListTheFilterWarningThenTheModulesNote) {
  Movimentos();
  const BalancePrint print = Balancete({{"pCodigoEscrit", "1;9"}, {"pOrigemLctoCaixaCh", " 7 "}});
  EXPECT_EQ(print.message_titles, (std::vector<std::string>{"Mensagem"}));
  ASSERT_EQ(print.messages.size(), 2u);
  EXPECT_EQ(print.messages[0].kind, 1);
  EXPECT_EQ(print.messages[0].text,
            "Existe um filtro para lançamentos ativo. Cuidado com as informações apresentadas pois "
            "houve lançamentos ignorados.");
  EXPECT_EQ(print.messages[1].kind, 0);
  EXPECT_EQ(print.messages[1].text, "A empresa 9 da seleção não está cadastrada.");
}

TEST_F(TrialBalanceTest, NoMessagesWithoutFilterOrNote) {
  Movimentos();
  const BalancePrint print = Balancete({{"pCodigoEscrit", "1"}});
  EXPECT_TRUE(print.messages.empty());
  EXPECT_TRUE(print.message_titles.empty());
}

TEST_F(TrialBalanceTest, ProgressIsResetWhenTheWalkFails) {
  ModuloRoteiro& roteiro = Roteirizar();
  roteiro.linhas = Roteiro({{"1.1", "A"}, {"1.2", "A"}, {"2", "S"}});
  Commit();
  // Without its blank-line section the layout fails at the third row.
  TnLayout layout = LoadLayout(BalancePluginDir() + "/rptTrialBalance.json");
  layout.sections.erase(std::remove_if(layout.sections.begin(), layout.sections.end(),
                                       [](const TnSectionDef& s) { return s.number == 9; }),
                        layout.sections.end());
  TnPrintSession session(BalancePlugin::Get(kBalancete), std::move(layout), RunVia::kExport);
  TnrwReport& engine = session.Engine();
  SetMarch2024(engine);
  engine.GetParams()->Param("pPularLinha")->SetValue("1");
  long long antes = -1;
  engine.OnSectionPrint = [&](TObject*, int section) {
    if (section == 8) antes = engine.ProgressPosition();
  };
  EXPECT_THROW(session.Print({}), Exception);
  EXPECT_EQ(antes, 1);  // the second line printed after one had counted
  EXPECT_EQ(engine.ProgressPosition(), 0);
  EXPECT_EQ(engine.ProgressTotal(), 0);
}

TEST_F(TrialBalanceTest, PrintsThroughTheExportedEntryPoint) {
  Movimentos();
  const BalancePrint print = Imprimir(kBalancete, {{"pCodigoEscrit", "2"}}, {}, true);
  EXPECT_EQ(Contas(print), (std::vector<std::string>{"1", "2", "11"}));
  EXPECT_EQ(Var(Linha(print, "11"), "R5"), "10,00 ");
}

}  // namespace
}  // namespace vireo::test
