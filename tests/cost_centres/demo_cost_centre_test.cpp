// The cost-centre reports on the demo database: every entry's shares add up
// to it; each pair of an account and a cost centre shows the same figures
// in the three arrangements; each month of the tracking is the trial
// balance by cost centre of that month; the ledger by cost centre prints
// every share once and ends on the entity's balances.  And `vireo` on bad
// input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "db/demo.h"
#include "db/schema.h"
#include "host/biz/plano_item.h"
#include "host/data/dataset.h"
#include "tests/cost_centres/cost_centre_test_support.h"
#include "tests/support/vireo_run.h"

namespace vireo::test {
namespace {

struct Figuras {
  double anterior = 0, debito = 0, credito = 0, atual = 0;
  bool operator==(const Figuras& o) const {
    return std::fabs(anterior - o.anterior) < 0.005 && std::fabs(debito - o.debito) < 0.005 &&
           std::fabs(credito - o.credito) < 0.005 && std::fabs(atual - o.atual) < 0.005;
  }
};

std::ostream& operator<<(std::ostream& out, const Figuras& f) {
  return out << "{" << f.anterior << " " << f.debito << " " << f.credito << " " << f.atual << "}";
}

// Debits and credits without sign: each arrangement prints them its way.
Figuras FigurasDe(const json& e) {
  return {Valor(Var(e, "R4")), std::fabs(Valor(Var(e, "R5"))), std::fabs(Valor(Var(e, "R6"))),
          Valor(Var(e, "R7"))};
}

// "classification  description" -> the part before or after the two blanks.
std::string Antes(const std::string& r3) { return r3.substr(0, r3.find("  ")); }
std::string Depois(const std::string& r3) { return r3.substr(r3.find("  ") + 2); }

// (account classification, cost-centre name) -> figures.
using Pares = std::map<std::pair<std::string, std::string>, Figuras>;

class DemoCostCentreTest : public CentreDbTest {
 protected:
  void SetUp() override {
    CentreDbTest::SetUp();
    GenerateDemo(*db_, DemoOptions{});
  }

  const std::map<std::string, std::string> kPrimeiroTrimestre = {{"pDataInicial", "01/01/2025"},
                                                                 {"pDataFinal", "31/03/2025"}};

  Pares ContaCentro() {
    Pares out;
    std::string conta;
    for (const json& e : Imprimir("rptTrialBalanceAccountCentre", kPrimeiroTrimestre).trace) {
      if (e["event"] != "section") continue;
      const std::string r3 = Var(e, "R3");
      if (e["section"] == 9) conta = Antes(r3);
      if (e["section"] == 8 && !r3.empty()) out[{conta, Depois(r3)}] = FigurasDe(e);
    }
    return out;
  }
  Pares CentroConta() {
    Pares out;
    std::string centro;
    for (const json& e : Imprimir("rptTrialBalanceCentreAccount", kPrimeiroTrimestre).trace) {
      if (e["event"] != "section") continue;
      const std::string r3 = Var(e, "R3");
      if (e["section"] == 9) centro = Depois(r3);
      if (e["section"] == 8 && !r3.empty()) out[{Antes(Depois(r3)), centro}] = FigurasDe(e);
    }
    return out;
  }
  // Month (first day) -> cost centre, account line and figures of every line.
  using Blocos = std::map<std::string, std::vector<std::tuple<std::string, std::string, Figuras>>>;
  Pares CentroPlano(const std::map<std::string, std::string>& params, Blocos* blocos = nullptr) {
    Pares out;
    std::string centro;
    for (const json& e : Imprimir("rptTrialBalanceCentreChart", params).trace) {
      if (e["event"] != "section") continue;
      const std::string r3 = Var(e, "R3");
      if (e["section"] == 9 && !r3.empty()) centro = r3;
      if (e["section"] != 8 || r3.empty()) continue;
      if (blocos) (*blocos)[params.at("pDataInicial")].emplace_back(centro, r3, FigurasDe(e));
      if (!LabelOf(e, "R3")["bold"]) {
        out[{Antes(r3), centro.substr(std::string("Centro Custo: ").size())}] = FigurasDe(e);
      }
    }
    return out;
  }
};

TEST_F(DemoCostCentreTest, SharesAddUpToTheirEntriesWithTheEntrysNature) {
  auto contar = [this](const std::string& sql) {
    std::unique_ptr<TnClientDataSet> rows(db_->Query(sql));
    return rows->Fields(0)->AsInteger();
  };
  EXPECT_GT(contar("select count(*) from FPRCAIXACUSTO"), 1000);
  EXPECT_EQ(contar("select count(*) from (select CX.CODIGOCAIXA from FPRCAIXACUSTO CC join "
                   "FPRCAIXA CX on CX.CODIGOESCRIT = CC.CODIGOESCRIT and CX.CODIGOCAIXA = "
                   "CC.CODIGOCAIXA group by CX.CODIGOESCRIT, CX.CODIGOCAIXA, CX.VALORCAIXA "
                   "having sum(CC.VALORCUSTO) <> CX.VALORCAIXA)"),
            0);
  EXPECT_EQ(contar("select count(*) from FPRCAIXACUSTO CC join FPRCAIXA CX on CX.CODIGOESCRIT = "
                   "CC.CODIGOESCRIT and CX.CODIGOCAIXA = CC.CODIGOCAIXA where CC.NATURLCTOCUSTO "
                   "<> CX.TIPOMOVCAIXA or CX.ORIGEMLCTOCAIXA not in (1, 2)"),
            0);
  EXPECT_GT(contar("select count(*) from FPRCAIXACUSTO where VALORCUSTO < 0"), 0);
  EXPECT_GT(contar("select count(*) from (select CODIGOCAIXA from FPRCAIXACUSTO group by "
                   "CODIGOESCRIT, CODIGOCAIXA having count(*) = 3)"),
            0);
}

TEST_F(DemoCostCentreTest, EveryPairShowsTheSameFiguresInTheThreeArrangements) {
  const Pares conta_centro = ContaCentro();
  EXPECT_GT(conta_centro.size(), 50u);
  EXPECT_EQ(CentroConta(), conta_centro);
  EXPECT_EQ(CentroPlano(kPrimeiroTrimestre), conta_centro);
}

TEST_F(DemoCostCentreTest, EachMonthOfTheTrackingIsThatMonthsTrialBalanceByCostCentre) {
  Blocos esperado;
  for (const auto& [inicio, fim] :
       std::vector<std::pair<std::string, std::string>>{{"01/01/2025", "31/01/2025"},
                                                        {"01/02/2025", "28/02/2025"},
                                                        {"01/03/2025", "31/03/2025"}}) {
    CentroPlano({{"pDataInicial", inicio}, {"pDataFinal", fim}}, &esperado);
  }
  Blocos acompanhamento;
  std::string centro;
  for (const json& e : Imprimir("rptCentreChartTracking", kPrimeiroTrimestre).trace) {
    if (e["event"] != "section") continue;
    if (e["section"] == 8) centro = Var(e, "R1");
    if (e["section"] == 9)
      acompanhamento[Var(e, "P1")].emplace_back(centro, Var(e, "R3"), FigurasDe(e));
  }
  EXPECT_EQ(acompanhamento.size(), 3u);
  EXPECT_EQ(acompanhamento, esperado);
}

// The running balance text of the ledger: "D" marks a balance below zero.
double Corrente(const std::string& texto) {
  const double v = Valor(texto.substr(0, texto.size() - 1));
  return texto.back() == 'D' ? -v : v;
}

IPlanoItemSaldo* Achar(const TnListaPlanoItem& itens, int64_t codigo) {
  for (IPlanoItem* item : itens) {
    if (std::llround(item->Codigo()) == codigo) return dynamic_cast<IPlanoItemSaldo*>(item);
    if (IPlanoItemSaldo* achado = Achar(item->Filhos(), codigo)) return achado;
  }
  return nullptr;
}

TEST_F(DemoCostCentreTest, TheLedgerPrintsEveryShareOnceAndEndsOnTheEntitysBalances) {
  std::unique_ptr<TnClientDataSet> partes(db_->Query(
      "select count(*) from FPRCAIXACUSTO CC join FPRCAIXA CX on CX.CODIGOESCRIT = "
      "CC.CODIGOESCRIT and CX.CODIGOCAIXA = CC.CODIGOCAIXA where CC.CODIGOESCRIT = 1 and "
      "CX.DATACAIXA between '2025-01-01' and '2025-01-31'"));
  const int64_t esperadas = partes->Fields(0)->AsInteger();
  ASSERT_GT(esperadas, 20);
  for (TnTipoMescla mescla : {kMesclaCentroConta, kMesclaContaCentro}) {
    SCOPED_TRACE(static_cast<int>(mescla));
    TnBalancete balancete;
    balancete.SetCodigoEscrit(1);
    balancete.SetTipoMescla(mescla);
    balancete.SetDataInicial(EncodeDate(2025, 1, 1));
    balancete.SetDataFinal(EncodeDate(2025, 1, 31));
    balancete.ProcessarDados();
    const CentrePrint print =
        Imprimir("rptCostCentreLedger", {{"pDataInicial", "01/01/2025"},
                                         {"pDataFinal", "31/01/2025"},
                                         {"pTipoMesclarPlano", std::to_string(mescla)},
                                         {"pListarSaldo", "3"},
                                         {"pTotalDebCred", "0"}});
    IPlanoItem* raiz =
        mescla == kMesclaCentroConta ? balancete.PlanoCentrosCusto() : balancete.PlanoContas();
    int64_t cabecalho = 0, detalhe = 0, lancamentos = 0, detalhes = 0, cabecalhos = 0;
    std::string ultimo_saldo;
    int anterior = 0;
    auto fechar_detalhe = [&] {
      if (ultimo_saldo.empty()) return;
      double esperado = 0;
      for (const TnItensAnalitico& i : balancete.RetornaListaAnalitica(cabecalho)) {
        if (i.Codigo == detalhe) esperado = i.SaldoAtual;
      }
      EXPECT_NEAR(Corrente(ultimo_saldo), esperado, 0.005) << cabecalho << "/" << detalhe;
      ++detalhes;
      ultimo_saldo.clear();
    };
    for (const json& e : print.trace) {
      if (e["event"] != "section") continue;
      const int secao = e["section"];
      if (secao == 9 || secao == 10) fechar_detalhe();
      if (secao == 9) cabecalho = std::stoll(Var(e, "R2"));
      if (secao == 10) detalhe = std::stoll(Var(e, "R2"));
      if (secao == 11) ++lancamentos, ultimo_saldo = Var(e, "R5");
      if (secao == 8 && anterior == 13) {  // the header's closing line
        fechar_detalhe();
        const double valor = Var(e, "R4").empty() ? -Valor(Var(e, "R3")) : Valor(Var(e, "R4"));
        IPlanoItemSaldo* item = Achar(raiz->Filhos(), cabecalho);
        ASSERT_NE(item, nullptr) << cabecalho;
        EXPECT_NEAR(valor, item->SaldoAtual(), 0.005) << cabecalho;
        ++cabecalhos;
      }
      if (secao != 1 && secao != 3) anterior = secao;
    }
    EXPECT_EQ(lancamentos, esperadas);
    EXPECT_GT(detalhes, 5);
    EXPECT_GT(cabecalhos, 3);
  }
}

// --- `vireo print` on bad input ------------------------------------------------------

class CostCentreCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vireo-centres-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    CreateDatabaseFromTemplate(dir_ + "/t.fdb");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  VireoRun Print(const std::string& report, const std::string& params) {
    std::filesystem::remove(dir_ + "/r.pdf");
    return RunVireo("print " + report + " --db " + dir_ + "/t.fdb -o " + dir_ + "/r.pdf " + params);
  }
  bool Pdf() const { return std::filesystem::exists(dir_ + "/r.pdf"); }
  std::string dir_;
};

TEST_F(CostCentreCliTest, BadInputEndsWithTheParameterStatusAndNoFile) {
  const std::map<std::string, std::vector<std::string>> selecoes = {
      {"rptTrialBalanceAccountCentre", {"pCodigodaConta", "pFprCodigoCentroCusto", "pOrigemDados"}},
      {"rptTrialBalanceCentreAccount", {"pCodigodaConta", "pFprCodigoCentroCusto", "pOrigemDados"}},
      {"rptTrialBalanceCentreChart", {"pCodigodaConta", "pFprCodigoCentroCusto", "pOrigemDados"}},
      {"rptCentreChartTracking", {"pCodigoCentroCusto"}},
      {"rptCostCentreLedger", {"pCodigoConta", "pCodigoCentroCusto"}}};
  for (const auto& [relatorio, parametros] : selecoes) {
    SCOPED_TRACE(relatorio);
    for (const std::string& p : parametros) {
      const VireoRun s = Print(relatorio, "-p '" + p + "=1) or (1=1'");
      EXPECT_EQ(s.status, 3) << p << ": " << s.output;
      EXPECT_FALSE(Pdf()) << p;
    }
    EXPECT_EQ(Print(relatorio, "-p pDataFinal=30/02/2025").status, 3);
    EXPECT_FALSE(Pdf());
    const VireoRun invertidas =
        Print(relatorio, "-p pDataInicial=10/03/2025 -p pDataFinal=09/03/2025");
    const bool razao = relatorio == "rptCostCentreLedger";
    EXPECT_EQ(invertidas.status, razao ? 3 : 1);
    EXPECT_NE(invertidas.output.find(razao ? "Data inicial não pode ser maior que data final."
                                           : "A data inicial não pode ser maior que a data final."),
              std::string::npos)
        << invertidas.output;
    EXPECT_FALSE(Pdf());
    const VireoRun empresa = Print(relatorio, "-p pCodigoEscrit=abc");
    EXPECT_EQ(empresa.status, 0) << empresa.output;
    if (relatorio != "rptCentreChartTracking" && relatorio != "rptCostCentreLedger") {
      EXPECT_EQ(Print(relatorio, "-p pImpSaldoZero=talvez").status, 3);
      EXPECT_FALSE(Pdf());
    }
  }
}

}  // namespace
}  // namespace vireo::test
