// The trial balance of the demo database agrees with the ledger: for every
// analytic account of every company, the opening balance, debits, credits
// and closing balance the trial balance prints are what the ledger prints
// for the same account over the same period.  And the `vireo` program
// refuses a parameter the panel would refuse.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "db/demo.h"
#include "host/core/convert.h"
#include "host/core/text.h"
#include "tests/balances/trial_balance_test_support.h"
#include "tests/support/vireo_run.h"

namespace vireo::test {
namespace {

struct Figuras {
  double anterior = 0, debito = 0, credito = 0, saldo = 0;
};

// "1.234,50" as a number.
double Numero(std::string texto) {
  std::string limpo;
  for (char c : Trim(texto)) {
    if (c == '.') continue;
    limpo += c == ',' ? '.' : c;
  }
  return limpo.empty() ? 0 : std::stod(limpo);
}

// The trial balance's mask: "(1.234,50)" negative, "1.234,50 " positive.
double ValorBalancete(const std::string& texto) {
  const bool negativo = !texto.empty() && texto.front() == '(';
  std::string digitos = texto;
  if (negativo) digitos = texto.substr(1, texto.size() - 2);
  return negativo ? -Numero(digitos) : Numero(digitos);
}

// The ledger's balance: the letter of the account's own nature means a
// positive balance, the other letter a negative one; without a nature the
// number carries its sign.
double ValorRazao(const std::string& texto, int natureza) {
  const char letra = texto.empty() ? ' ' : texto.back();
  if (letra != 'D' && letra != 'C') return Numero(texto);
  const double valor = Numero(texto.substr(0, texto.size() - 1));
  const char propria = natureza == -1 ? 'C' : 'D';
  return letra == propria ? valor : -valor;
}

class DemoAgreementTest : public BalanceDbTest {
 protected:
  void SetUp() override {
    BalanceDbTest::SetUp();
    GenerateDemo(*db_, DemoOptions{});
  }

  std::vector<int> Empresas() {
    std::vector<int> out;
    auto rows = std::unique_ptr<TnClientDataSet>(
        db_->Query("select CODIGOESCRIT from ESCRITORIO order by CODIGOESCRIT", {}));
    for (rows->First(); !rows->Eof(); rows->Next()) {
      out.push_back(static_cast<int>(rows->Fields(0)->AsInteger()));
    }
    return out;
  }
  int Natureza(const std::string& classificacao) {
    auto rows = std::unique_ptr<TnClientDataSet>(
        db_->Query("select NATURGRUPO" + classificacao.substr(0, 1) + " from FPRCFGCONTA", {}));
    return rows->IsEmpty() ? 0 : static_cast<int>(rows->Fields(0)->AsInteger());
  }

  std::map<std::string, Figuras> Balancete(const std::map<std::string, std::string>& params) {
    std::map<std::string, Figuras> out;
    for (const json& linha : Imprimir("rptTrialBalance", params).Of(8)) {
      if (Var(linha, "R2") == "S") continue;
      Figuras& f = out[Var(linha, "R1")];
      f.anterior = ValorBalancete(Var(linha, "R4"));
      f.debito = ValorBalancete(Var(linha, "R5"));
      f.credito = ValorBalancete(Var(linha, "R6"));
      f.saldo = ValorBalancete(Var(linha, "R7"));
    }
    return out;
  }

  // Walks the ledger's trace: the account header opens an account, the
  // opening line and every entry carry the running balance, the totals line
  // the period's debits and credits.
  std::map<std::string, Figuras> Razao(const std::map<std::string, std::string>& params) {
    std::map<std::string, Figuras> out;
    Figuras* atual = nullptr;
    int natureza = 0;
    for (const json& e : Imprimir("rptLedger", params).trace) {
      if (e["event"] != "section") continue;
      const int secao = e["section"];
      if (secao == 13) {
        const std::string conta = Var(e, "pCabContaCtb").substr(std::string("Conta: ").size());
        atual = &out[conta];
        natureza = Natureza(Var(e, "pCabClassifConta"));
      } else if (atual == nullptr) {
        continue;
      } else if (secao == 14) {
        atual->anterior = atual->saldo = ValorRazao(Var(e, "R8"), natureza);
      } else if (secao == 8 && !Var(e, "R8").empty()) {
        atual->saldo = ValorRazao(Var(e, "R8"), natureza);
      } else if (secao == 16) {
        atual->debito = Numero(Var(e, "pTotalDebito"));
        atual->credito = Numero(Var(e, "pTotalCredito"));
      }
    }
    return out;
  }
};

TEST_F(DemoAgreementTest, EveryAnalyticAccountAgreesWithTheLedger) {
  const std::vector<int> empresas = Empresas();
  ASSERT_GE(empresas.size(), 2u);
  int contas = 0;
  for (int empresa : empresas) {
    SCOPED_TRACE("company " + std::to_string(empresa));
    const std::map<std::string, std::string> periodo = {{"pCodigoEscrit", std::to_string(empresa)},
                                                        {"pDataInicial", "01/02/2025"},
                                                        {"pDataFinal", "30/04/2025"}};
    std::map<std::string, std::string> balancete = periodo;
    balancete["pQuebra"] = "2";
    const std::map<std::string, Figuras> saldos = Balancete(balancete);
    const std::map<std::string, Figuras> razao = Razao(periodo);
    ASSERT_FALSE(saldos.empty());
    ASSERT_EQ(saldos.size(), razao.size());
    for (const auto& [conta, f] : saldos) {
      SCOPED_TRACE("account " + conta);
      ASSERT_TRUE(razao.count(conta));
      const Figuras& r = razao.at(conta);
      EXPECT_NEAR(f.anterior, r.anterior, 0.001);
      EXPECT_NEAR(f.debito, r.debito, 0.001);
      EXPECT_NEAR(f.credito, r.credito, 0.001);
      EXPECT_NEAR(f.saldo, r.saldo, 0.001);
      ++contas;
    }
  }
  EXPECT_GT(contas, 10);
}

class VireoPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vireo-balances-cli-XXXXXX";
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

TEST_F(VireoPrintTest, OptionThatIsNotAnIntegerStopsThePrint) {
  struct Caso {
    const char* relatorio;
    const char* parametro;
  };
  for (const Caso& caso :
       {Caso{"rptTrialBalance", "pQuebraGrupo"}, Caso{"rptTrialBalance", "pTipoBalancete"},
        Caso{"rptTrialBalancePercent", "pPercentualSobre"},
        Caso{"rptTrialBalancePercent", "pPulaLinha"}}) {
    SCOPED_TRACE(std::string(caso.relatorio) + " " + caso.parametro);
    const VireoRun saida =
        RunVireo(Print(caso.relatorio, std::string("-p ") + caso.parametro + "=x"));
    EXPECT_EQ(saida.status, 3) << saida.output;
    EXPECT_NE(saida.output.find(caso.parametro), std::string::npos) << saida.output;
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/r.pdf"));
  }
}

TEST_F(VireoPrintTest, EmptyDatabasePrintsNoLines) {
  const VireoRun saida = RunVireo(Print("rptTrialBalance", "--trace " + dir_ + "/t.trace"));
  EXPECT_EQ(saida.status, 0) << saida.output;
}

}  // namespace
}  // namespace vireo::test
