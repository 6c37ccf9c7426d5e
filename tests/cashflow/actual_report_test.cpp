// The realised cash flow printed on small databases, read back from the
// trace: the output kinds, the column switch of the operation kinds, the
// day lines and their detail, companies and their pages, and what the panel
// and the `vireo` program refuse.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/report/panel.h"
#include "tests/cashflow/cashflow_test_support.h"

namespace vireo::test {
namespace {

constexpr int kLinhaConta = 8, kCabecalhoDias = 11, kLinhaDia = 12, kTotalContas = 13;
constexpr int kLinhaSaldo = 14, kGrafico = 15;

std::vector<json> Graficos(const TracePrint& print) {
  std::vector<json> out;
  for (const json& e : print.trace) {
    if (e["event"] == "chart") out.push_back(e);
  }
  return out;
}

class ActualReportTest : public CashFlowDbTest {
 protected:
  // 5/3: received 300 (a receipt settlement), paid 100; 6/3 paid 50 (both
  // of a payment settlement); 7/3 received 10 (a movement).
  void Movimento() {
    Basico();
    Acerto(1, 1, kRecebimento);
    Acerto(1, 2, kPagamento);
    Caixa(1, 1, 10, Dia(2024, 2, 1), kEntrada, 1000);
    Caixa(1, 2, 10, Dia(2024, 3, 5), kEntrada, 300);
    AcertoCaixa(1, 1, 2, 2, 10);
    Caixa(1, 3, 10, Dia(2024, 3, 5), kSaida, 100);
    AcertoCaixa(1, 2, 3, 2, 10);
    Caixa(1, 4, 11, Dia(2024, 3, 6), kSaida, 50);
    AcertoCaixa(1, 2, 4, 2, 11);
    Acerto(1, 3, kMovimentacao);
    Caixa(1, 5, 11, Dia(2024, 3, 7), kEntrada, 10);  // 7/3: a movement brings 10
    AcertoCaixa(1, 3, 5, 2, 11);
  }
  TracePrint Realizado(const std::map<std::string, std::string>& params = {}) {
    return Imprimir("rptCashFlowActual", params);
  }
};

TEST_F(ActualReportTest, ListingPrintsAccountsOpeningDaysAndTotal) {
  Movimento();
  const TracePrint p = Realizado({{"pCodigoEscrit", "1"}});
  EXPECT_EQ(p.Bodies(),
            (std::vector<int>{kLinhaConta, kLinhaConta, kTotalContas, 10, kCabecalhoDias,
                              kLinhaSaldo, kLinhaDia, kLinhaDia, kLinhaDia, kLinhaSaldo}));
  const auto contas = p.Of(kLinhaConta);
  EXPECT_EQ(Var(contas[0], "R1"), "0010  Banco Um");
  EXPECT_EQ(Var(contas[0], "R2"), "1.000,00");
  EXPECT_EQ(Var(contas[0], "R4"), "2.000,00");
  EXPECT_EQ(Var(p.Of(kTotalContas)[0], "C3"), "2.000,00");
  const auto saldos = p.Of(kLinhaSaldo);
  EXPECT_EQ(Var(saldos[0], "F1"), "Saldo Anterior...");
  EXPECT_EQ(Var(saldos[0], "F4"), "1.000,00");
  EXPECT_EQ(Var(saldos[0], "F5"), "2.000,00");
  EXPECT_EQ(Var(saldos[1], "F1"), "Total:");
  EXPECT_EQ(Var(saldos[1], "F6"), "310,00");
  EXPECT_EQ(Var(saldos[1], "F7"), "150,00");
  EXPECT_EQ(Var(saldos[1], "F4"), "1.160,00");
  EXPECT_EQ(Var(saldos[1], "F5"), "2.160,00");
  EXPECT_EQ(Var(p.Of(kLinhaDia)[0], "T1"), "05/03/2024");
  EXPECT_EQ(Var(p.Of(kLinhaDia)[0], "pNomeEmpresa"), "0001 Empresa Um Ltda");
  EXPECT_EQ(Var(p.Of(kLinhaDia)[0], "pInscrFederal"), "CNPJ: 11.111.111/0001-11");
}

TEST_F(ActualReportTest, ChartOnlyKindPrintsNoListingAndNoLimit) {
  Movimento();
  const TracePrint p = Realizado({{"pTipoRelatorio", "1"}});
  EXPECT_EQ(p.Bodies(), std::vector<int>{kGrafico});
  const auto graficos = Graficos(p);
  ASSERT_EQ(graficos.size(), 1u);
  const json& saldo = graficos[0]["series"][0];
  ASSERT_EQ(saldo.size(), 4u);
  EXPECT_EQ(saldo[0][0], "Saldo Anterior");
  EXPECT_DOUBLE_EQ(saldo[0][1].get<double>(), 1000);
  EXPECT_EQ(saldo[3][0], "07/03/2024");
  EXPECT_DOUBLE_EQ(saldo[3][1].get<double>(), 1160);
  for (const json& ponto : graficos[0]["series"][1]) {
    EXPECT_EQ(ponto[0], "");
    EXPECT_DOUBLE_EQ(ponto[1].get<double>(), 0);
  }
  // Text that is not a kind prints the listing.
  EXPECT_EQ(Realizado({{"pTipoRelatorio", "gráfico"}}).Of(kGrafico).size(), 0u);
  const TracePrint ambos = Realizado({{"pTipoRelatorio", "2"}});
  EXPECT_EQ(ambos.Bodies().back(), kGrafico);
  EXPECT_EQ(Var(ambos.Of(kLinhaSaldo)[1], "F5"), "2.160,00");
}

TEST_F(ActualReportTest, OperationSelectionSwitchesColumnsButNotBalances) {
  Movimento();
  struct Caso {
    const char* selecao;
    bool rcto, pgto;
  };
  for (const Caso& c : {Caso{"1", true, false}, Caso{"2", false, true}, Caso{"3", true, true},
                        Caso{"", true, true}}) {
    SCOPED_TRACE(c.selecao);
    const TracePrint p = Realizado({{"pTipoOper", c.selecao}});
    const auto dias = p.Of(kLinhaDia);
    ASSERT_FALSE(dias.empty());
    EXPECT_EQ(Var(dias[0], "pTituloColunaRcto"), c.rcto ? "Valor Recebido" : "");
    EXPECT_EQ(Var(dias[0], "pTituloColunaPgto"), c.pgto ? "Valor Pago" : "");
    const json total = p.Of(kLinhaSaldo).back();
    EXPECT_EQ(Var(total, "F6").empty(), !c.rcto);
    EXPECT_EQ(Var(total, "F7").empty(), !c.pgto);
  }
  // "1" keeps entries of receipt settlements only; what is hidden still
  // moves the balance.
  const TracePrint um = Realizado({{"pTipoOper", "1"}});
  ASSERT_EQ(um.Of(kLinhaDia).size(), 1u);
  EXPECT_EQ(Var(um.Of(kLinhaDia)[0], "T6"), "300,00");
  EXPECT_EQ(Var(um.Of(kLinhaDia)[0], "T7"), "");
  const TracePrint dois = Realizado({{"pTipoOper", "2"}});
  EXPECT_EQ(Var(dois.Of(kLinhaDia)[0], "T6"), "");
  EXPECT_EQ(Var(dois.Of(kLinhaSaldo).back(), "F4"), "850,00");
  const TracePrint tres = Realizado({{"pTipoOper", "3"}});
  ASSERT_EQ(tres.Of(kLinhaDia).size(), 1u);
  EXPECT_EQ(Var(tres.Of(kLinhaDia)[0], "T6"), "10,00");
  EXPECT_EQ(Var(tres.Of(kLinhaDia)[0], "T7"), "0,00");
}

TEST_F(ActualReportTest, DetailLinesPersonsHistoriesAndWrapping) {
  Basico();
  Pessoa(201, "Cliente A");
  const std::string longo =
      "Transferência recebida de terceiros referente ao contrato de prestação de serviços";
  Caixa(1, 1, 10, Dia(2024, 3, 5), kEntrada, 100);
  PessoaDoCaixa(1, 1, 201);
  Caixa(1, 2, 10, Dia(2024, 3, 5), kEntrada, 50);
  PessoaDoCaixa(1, 2, 201);
  Caixa(1, 3, 10, Dia(2024, 3, 5), kSaida, 10, {.historico = "Tarifa", .hist = 2});
  Caixa(1, 4, 10, Dia(2024, 3, 5), kSaida, 15, {.historico = longo, .hist = Variant()});
  // A day whose only amount is a reversal: no day line, but its detail.
  Caixa(1, 5, 10, Dia(2024, 3, 8), kEntrada, -20, {.historico = "Estorno"});
  const TracePrint p = Realizado({{"pRelacionarCliFor", "Sim"}});
  std::vector<std::string> t2, t6, t1;
  for (const json& e : p.Of(kLinhaDia)) {
    t1.push_back(Var(e, "T1"));
    t2.push_back(Var(e, "T2"));
    t6.push_back(Var(e, "T6") + "|" + Var(e, "T7") + "|" + Var(e, "T4"));
  }
  ASSERT_EQ(t2.size(), 6u) << ::testing::PrintToString(t2);
  EXPECT_EQ(t1[0], "05/03/2024");
  EXPECT_EQ(t2[1], "Pagamento - Tarifa");
  EXPECT_EQ(t6[1], "0,00|10,00|");
  EXPECT_GT(t2[2].size(), 20u);
  EXPECT_LE(Utf8Length(t2[2]), 53u);
  EXPECT_EQ(t2[2] + " " + t2[3], longo);
  EXPECT_EQ(t6[2], "0,00|15,00|");
  EXPECT_EQ(t6[3], "||");  // amounts on the first line only
  EXPECT_EQ(t2[4], "0201 Cliente A");
  EXPECT_EQ(t6[4], "150,00|0,00|");
  EXPECT_EQ(t1[5], "");  // 8/3 has no day line...
  EXPECT_EQ(t2[5], "Recebimento - Estorno");
  EXPECT_EQ(t6[5], "-20,00|0,00|");
  EXPECT_EQ(Var(p.Of(kLinhaSaldo).back(), "F4"), "105,00");  // ...but moves the balance
  EXPECT_TRUE(LabelOf(p.Of(kCabecalhoDias)[0], "Etiqueta4")["visible"]);
  EXPECT_TRUE(LabelOf(p.Of(kLinhaDia)[1], "Etiqueta5")["italic"]);
  EXPECT_TRUE(LabelOf(p.Of(kLinhaDia)[1], "Etiqueta32")["italic"]);
  EXPECT_FALSE(LabelOf(p.Of(kLinhaDia)[0], "Etiqueta5")["italic"]);

  const TracePrint sem = Realizado({{"pRelacionarCliFor", "N"}});
  EXPECT_EQ(sem.Of(kLinhaDia).size(), 1u);
  EXPECT_FALSE(LabelOf(sem.Of(kCabecalhoDias)[0], "Etiqueta4")["visible"]);
  EXPECT_EQ(Realizado({{"pRelacionarCliFor", "1"}}).Of(kLinhaDia).size(), 6u);
}

TEST_F(ActualReportTest, CompaniesEachOnTheirPagesWithTheirChart) {
  Basico();
  Empresa(2, "Empresa Dois");
  Empresa(3, "Empresa Três");
  Empresa(4, "Empresa Sem Movimento");
  for (int e = 1; e <= 3; ++e) Caixa(e, 1, 10, Dia(2024, 3, 5), kEntrada, 100.0 * e);
  const TracePrint p = Realizado({{"pCodigoEscrit", "1..4"}, {"pTipoRelatorio", "2"}});
  const auto graficos = Graficos(p);
  ASSERT_EQ(graficos.size(), 3u);
  for (int e = 0; e < 3; ++e) {
    EXPECT_DOUBLE_EQ(graficos[e]["series"][0].back()[1].get<double>(), 100.0 * (e + 1));
    EXPECT_EQ(graficos[e]["series"][0].size(), 2u);
  }
  std::vector<int> paginas;
  for (const json& e : p.Of(kCabecalhoDias)) paginas.push_back(e["page"]);
  ASSERT_EQ(paginas.size(), 3u);
  EXPECT_LT(paginas[0], paginas[1]);
  EXPECT_LT(paginas[1], paginas[2]);
  for (const auto& [secao, pagina] : p.BodiesWithPage()) {
    if (secao == kLinhaConta)
      EXPECT_TRUE(pagina == paginas[0] || pagina == paginas[1] || pagina == paginas[2]);
  }
  EXPECT_EQ(Var(p.Of(kCabecalhoDias)[2], "pNomeEmpresa"), "0003 Empresa Três");

  const TracePrint junto = Realizado({{"pTipoRelatorio", "2"}});
  ASSERT_EQ(Graficos(junto).size(), 1u);
  EXPECT_DOUBLE_EQ(Graficos(junto)[0]["series"][0].back()[1].get<double>(), 600);
  EXPECT_EQ(Var(junto.Of(kCabecalhoDias)[0], "pNomeEmpresa"), "");
  EXPECT_EQ(junto.Of(kCabecalhoDias).size(), 1u);
}

TEST_F(ActualReportTest, NothingToPrintWithoutMovement) {
  Basico();
  Caixa(1, 1, 10, Dia(2024, 2, 5), kEntrada, 100);  // before the period only
  EXPECT_TRUE(Realizado().Bodies().empty());
  EXPECT_TRUE(Realizado({{"pCodigoEscrit", "1"}}).Bodies().empty());
}

TEST_F(ActualReportTest, AccountLookupLeavesModalityZeroOut) {
  Commit();
  for (const char* relatorio :
       {"rptCashFlowActual", "rptCashFlowForecast", "rptCashFlowComparison"}) {
    TnPrintSession session(ReportPlugin::Get(CashFlowPluginDir(), relatorio),
                           LoadLayout(CashFlowPluginDir() + "/" + relatorio + ".json"),
                           RunVia::kConfiguredInstance);
    session.SetParameter("pDataInicial", "01/03/2024");  // runs the configure steps
    auto* conta =
        dynamic_cast<TnFraCtrlNDLinkEdit*>(session.Engine().EdFindFieldControl("pCodigodaConta"));
    ASSERT_NE(conta, nullptr) << relatorio;
    EXPECT_NE(conta->LookupSQL().find("MODALIDADECONTA <> 0"), std::string::npos)
        << conta->LookupSQL();
  }
}

class CashFlowProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vireo-cashflow-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    CreateDatabaseFromTemplate(dir_ + "/t.fdb");  // closed again at once
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Print(const std::string& report, const std::string& extra) {
    return "print " + report + " --db " + dir_ + "/t.fdb -o " + dir_ + "/r.pdf " + extra;
  }
  std::string dir_;
};

TEST_F(CashFlowProgramTest, OperationKindsFollowTheOriginsCounted) {
  for (const char* relatorio : {"rptCashFlowActual", "rptCashFlowComparison"}) {
    for (const auto& [origens, habilitado] : std::vector<std::pair<std::string, bool>>{
             {"", true}, {"2", true}, {"1..3", true}, {"1", false}, {"3;4", false}}) {
      SCOPED_TRACE(std::string(relatorio) + " " + origens);
      const VireoRun s =
          RunVireo(std::string("params ") + relatorio + " -p pOrigemLctoCaixaCh='" + origens + "'");
      ASSERT_EQ(s.status, 0) << s.output;
      const size_t linha = s.output.find("pTipoOper");
      ASSERT_NE(linha, std::string::npos);
      const std::string texto = s.output.substr(linha, s.output.find('\n', linha) - linha);
      EXPECT_EQ(texto.find("desabilitado") == std::string::npos, habilitado) << texto;
    }
  }
}

TEST_F(CashFlowProgramTest, HostileSelectionsAndReversedDatesWriteNothing) {
  for (const char* relatorio :
       {"rptCashFlowActual", "rptCashFlowForecast", "rptCashFlowComparison"}) {
    for (const char* parametro :
         {"pCodigoEscrit", "pCodigodaConta", "pOrigemLctoCaixaCh", "pTipoOper"}) {
      if (std::string(relatorio) == "rptCashFlowForecast" && std::string(parametro) == "pTipoOper")
        continue;
      SCOPED_TRACE(std::string(relatorio) + " " + parametro);
      const VireoRun s =
          RunVireo(Print(relatorio, std::string("-p \"") + parametro + "=1) or (1=1\""));
      EXPECT_EQ(s.status, 3) << s.output;
      EXPECT_NE(s.output.find(parametro), std::string::npos) << s.output;
      EXPECT_FALSE(std::filesystem::exists(dir_ + "/r.pdf"));
    }
    const VireoRun s =
        RunVireo(Print(relatorio, "-p pDataInicial=10/03/2024 -p pDataFinal=09/03/2024"));
    EXPECT_EQ(s.status, 1) << s.output;
    EXPECT_NE(s.output.find("A data inicial não pode ser maior que a data final."),
              std::string::npos)
        << s.output;
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/r.pdf"));
  }
}

}  // namespace
}  // namespace vireo::test
