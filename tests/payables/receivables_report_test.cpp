// The accounts-receivable listing: interest and fine off and on, the
// collector of each title, the customer's telephone, and the panel rules of
// the interest option.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/report/panel.h"
#include "tests/payables/payables_test_support.h"

namespace vireo::test {
namespace {

using Params = std::map<std::string, std::string>;

class ContasReceberTest : public PayablesDbTest {
 protected:
  void SetUp() override {
    PayablesDbTest::SetUp();
    ContaBancaria(1, 7, 70, 341, "Itaú Unibanco");
    CfgBoleto(1, 1, 3.0, 2.0, 0, 7);
    CfgBoleto(1, 2, 0, 0, 0, 99);  // its bank account does not exist
    Boleto(1, 500, 1);
    Boleto(1, 501, 2);
    // Due 10/01: 1.000,00 by boleto, 200,00 in portfolio, 300,00 whose bank is lost.
    Receber({.cab = 1,
             .pessoa = 101,
             .documento = "NF 1",
             .emissao = Dia(2026, 1, 2),
             .vencimento = Dia(2026, 1, 10),
             .valor = 1000,
             .saldo = 1000,
             .boleto = 500});
    Receber({.cab = 2,
             .pessoa = 102,
             .documento = "NF 2",
             .emissao = Dia(2026, 1, 2),
             .vencimento = Dia(2026, 1, 10),
             .valor = 200,
             .saldo = 200,
             .historico = "Entrega parcial"});
    Receber({.cab = 3,
             .pessoa = 102,
             .documento = "NF 3",
             .emissao = Dia(2026, 1, 2),
             .vencimento = Dia(2026, 1, 20),
             .valor = 300,
             .saldo = 300,
             .boleto = 501});
  }
  TracePrint Contas(Params params) {
    params.emplace("pDataInicial", "01/01/2026");
    params.emplace("pDataFinal", "31/01/2026");
    return Imprimir("rptReceivables", params);
  }
};

TEST_F(ContasReceberTest, WithoutInterestTheTotalIsTheValue) {
  const TracePrint print = Contas({{"pCalcularJuros", "Não"}});
  EXPECT_EQ(Vars(print, 9, "R5"), (std::vector<std::string>{"200,00", "300,00", "1.000,00"}));
  EXPECT_EQ(Vars(print, 9, "R6"), (std::vector<std::string>{"0,00", "0,00", "0,00"}));
  EXPECT_EQ(Vars(print, 9, "R7"), Vars(print, 9, "R5"));
  EXPECT_EQ(Vars(print, 15, "R6"), (std::vector<std::string>{"0,00", "0,00"}));
  EXPECT_EQ(Vars(print, 15, "R7"), Vars(print, 15, "R5"));
  const json total = print.Of(16).at(0);
  EXPECT_EQ(Var(total, "R5"), "1.500,00");
  EXPECT_EQ(Var(total, "R6"), "0,00");
  EXPECT_EQ(Var(total, "R7"), "1.500,00");
  // Collector: the bank of the boleto, the portfolio, or nothing when the
  // boleto's bank account is gone.
  EXPECT_EQ(Vars(print, 9, "R8"), (std::vector<std::string>{"CARTEIRA", "", "Itaú Unibanco"}));
  EXPECT_EQ(Vars(print, 9, "R9"), (std::vector<std::string>{"Entrega parcial", "", ""}));
  EXPECT_EQ(
      Vars(print, 13, "pDescCliente"),
      (std::vector<std::string>{"Alfa Transportes", "Beta Papelaria - Fone: (41) 3333-1010"}));
}

TEST_F(ContasReceberTest, InterestAndFineUpToTheReferenceDate) {
  // 3 % a month and 2 % fine for company 1; on 09/02: 30 days late on the
  // first two titles, 20 on the third.
  const TracePrint print = Contas({{"pCalcularJuros", "Sim"},
                                   {"pTipoCalculo", "0"},
                                   {"pDataBase", "09/02/2026"},
                                   {"pOrdenar", "1"}});
  EXPECT_EQ(Vars(print, 11, "R3"), (std::vector<std::string>{"NF 2", "NF 1", "NF 3"}));
  // 200: 6,00 + 4,00; 1.000: 30,00 + 20,00; 300: 6,00 + 6,00.
  EXPECT_EQ(Vars(print, 11, "R6"), (std::vector<std::string>{"10,00", "50,00", "12,00"}));
  EXPECT_EQ(Vars(print, 11, "R7"), (std::vector<std::string>{"210,00", "1.050,00", "312,00"}));
  EXPECT_EQ(Vars(print, 15, "R6"), (std::vector<std::string>{"60,00", "12,00"}));
  const json total = print.Of(16).at(0);
  EXPECT_EQ(Var(total, "R6"), "72,00");
  EXPECT_EQ(Var(total, "R7"), "1.572,00");
  EXPECT_EQ(Vars(print, 11, "R2"), (std::vector<std::string>{"", "(41) 3333-1010", ""}));
  EXPECT_EQ(print.Bodies(), (std::vector<int>{10, 14, 11, 11, 15, 14, 11, 15, 16}));
}

TEST_F(ContasReceberTest, PanelFollowsTheInterestOption) {
  TnPrintSession session(ReportPlugin::Get(PluginDir(), "rptReceivables"),
                         LoadLayout(PluginDir() + "/rptReceivables.json"),
                         RunVia::kConfiguredInstance);
  TnrwReport& engine = session.Engine();
  auto controle = [&](const char* nome) { return engine.EdFindFieldControl(nome); };

  session.SetParameter("pCalcularJuros", "Sim");
  EXPECT_TRUE(controle("pTipoCalculo")->Enabled());
  EXPECT_TRUE(controle("pTipoCalculo")->Required());
  EXPECT_TRUE(controle("pDataBase")->Enabled());
  EXPECT_TRUE(controle("pDataBase")->Required());
  EXPECT_FALSE(controle("pCodigoMoeda")->Enabled());

  session.SetParameter("pTipoCalculo", "1");
  EXPECT_TRUE(controle("pCodigoMoeda")->Enabled());
  EXPECT_TRUE(controle("pCodigoMoeda")->Required());
  session.SetParameter("pCodigoMoeda", "5");
  session.SetParameter("pDataBase", "10/02/2026");
  session.SetParameter("pTipoCalculo", "0");
  EXPECT_FALSE(controle("pCodigoMoeda")->Enabled());
  EXPECT_FALSE(controle("pCodigoMoeda")->Required());

  session.SetParameter("pTipoCalculo", "1");
  session.SetParameter("pCalcularJuros", "Não");
  for (const char* nome : {"pTipoCalculo", "pDataBase", "pCodigoMoeda"}) {
    EXPECT_FALSE(controle(nome)->Enabled()) << nome;
    EXPECT_FALSE(controle(nome)->Required()) << nome;
  }
  EXPECT_EQ(controle("pTipoCalculo")->GetAsString(), "0");
  EXPECT_EQ(controle("pDataBase")->GetAsString(), "");
  EXPECT_EQ(controle("pCodigoMoeda")->GetAsString(), "");
}

// What `vireo params` shows after the panel handled the values, in order.
std::string Painel(const std::string& args) {
  const std::string cmd = std::string(VIREO_BIN) + " params rptReceivables " + args + " 2>&1";
  std::string out;
  FILE* pipe = popen(cmd.c_str(), "r");
  char buf[512];
  while (pipe != nullptr && fgets(buf, sizeof buf, pipe) != nullptr) out += buf;
  if (pipe != nullptr) pclose(pipe);
  return out;
}

std::string Linha(const std::string& painel, const std::string& nome) {
  const size_t at = painel.find("  " + nome + " ");
  return at == std::string::npos ? "" : painel.substr(at, painel.find('\n', at) - at);
}

TEST(PainelContasReceberTest, TheProgramShowsThePanelRules) {
  const std::string ligado = Painel("-p pCalcularJuros=Sim -p pTipoCalculo=1");
  EXPECT_NE(Linha(ligado, "pTipoCalculo").find("= 1 [obrigatório]"), std::string::npos) << ligado;
  EXPECT_NE(Linha(ligado, "pDataBase").find("[obrigatório]"), std::string::npos) << ligado;
  EXPECT_NE(Linha(ligado, "pCodigoMoeda").find("[obrigatório]"), std::string::npos) << ligado;
  const std::string desligado =
      Painel("-p pCalcularJuros=Sim -p pTipoCalculo=1 -p pCodigoMoeda=5 -p pCalcularJuros=False");
  EXPECT_NE(Linha(desligado, "pTipoCalculo").find("= 0 [desabilitado]"), std::string::npos)
      << desligado;
  EXPECT_NE(Linha(desligado, "pCodigoMoeda").find("=  [desabilitado]"), std::string::npos)
      << desligado;
  EXPECT_NE(Linha(desligado, "pDataBase").find("[desabilitado]"), std::string::npos) << desligado;
}

TEST_F(ContasReceberTest, MonetaryCorrectionWithoutQuotationFailsTheprint) {
  EXPECT_THROW(Contas({{"pCalcularJuros", "Sim"},
                       {"pTipoCalculo", "1"},
                       {"pCodigoMoeda", "5"},
                       {"pDataBase", "09/02/2026"}}),
               Exception);
  Cotacao(5, Dia(2026, 1, 1), 100);
  Cotacao(5, Dia(2026, 2, 1), 102);
  const TracePrint print = Contas({{"pCalcularJuros", "Sim"},
                                   {"pTipoCalculo", "1"},
                                   {"pCodigoMoeda", "5"},
                                   {"pDataBase", "09/02/2026"}});
  // 2 % correction plus the 2 % fine.
  EXPECT_EQ(Vars(print, 9, "R6"), (std::vector<std::string>{"8,00", "12,00", "40,00"}));
}

}  // namespace
}  // namespace vireo::test
