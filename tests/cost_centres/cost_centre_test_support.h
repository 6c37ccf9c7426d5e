// Helpers of the cost-centre tests: a small database made by hand for each
// test (two companies, a chart of revenue and expense accounts, a
// cost-centre plan of two groups), entries with their shares, the balance
// entity run on it, and the four plug-ins printed through the runner with
// their trace read back.
#pragma once

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/biz/balancete.h"
#include "host/biz/korvanfin.h"
#include "host/core/format.h"
#include "tests/support/fixtures.h"
#include "tests/support/report_harness.h"

namespace vireo::test {

inline const ReportPlugin::Ptr& CentrePlugin(const std::string& deliverable) {
  return ReportPlugin::Get(PluginDirFrom(nullptr), deliverable);
}

// A share of an entry: cost centre and amount.
struct Parte {
  int centro;
  double valor;
};

struct CentrePrint : TracePrint {
  // R3 of every section of that number, in order.
  std::vector<std::string> R3(int section) const {
    std::vector<std::string> out;
    for (const json& e : Of(section)) out.push_back(Var(e, "R3"));
    return out;
  }
  // The first line of that section whose R3 begins with `inicio`.
  json Linha(int section, const std::string& inicio) const {
    for (const json& e : Of(section)) {
      if (Var(e, "R3").rfind(inicio, 0) == 0) return e;
    }
    ADD_FAILURE() << "no line " << inicio << " in section " << section;
    return json::object({{"vars", json::object()}, {"labels", json::object()}});
  }
};

class CentreDbTest : public FinanceDbTest {
 protected:
  void SetUp() override {
    RegisterKorvanFin5();
    OpenDatabase("centres", "centres.fdb");
  }
  void TearDown() override { CloseDatabase(); }

  // Companies 1 and 2, one history; the chart
  //   1 "3" RECEITAS (S), 2 "3.1" RECEITAS OPERACIONAIS (S), 31 "3.1.01" Vendas,
  //   32 "3.1.02" Serviços, 4 "4" DESPESAS (S), 41 "4.1" Salários, 42 "4.2" Aluguel
  // with the masks 9.9.99.99 (group 3) and 9.9.99.999 (group 4); the cost-centre plan
  //   1 "1" ADMINISTRATIVO (S), 11 "1.01" Diretoria, 12 "1.02" Financeiro,
  //   2 "2" COMERCIAL (S), 21 "2.01" Vendas Loja
  // with the masks 9.99 (group 1 debit, group 2 credit).
  void Basico() {
    Configuracao({1, -1, -1, 1});
    Exec("update FPRCFGCONTA set MASCGRUPO3 = '9.9.99.99', MASCGRUPO4 = '9.9.99.999'");
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Empresa(2, "Empresa Dois S.A.", "22.222.222/0001-22");
    Historico(1, "Movimento");
    Sintetica(1, "3", "RECEITAS");
    Sintetica(2, "3.1", "RECEITAS OPERACIONAIS");
    Analitica(31, "3.1.01", "Vendas", 0);
    Analitica(32, "3.1.02", "Serviços", 0);
    Sintetica(4, "4", "DESPESAS");
    Analitica(41, "4.1", "Salários", 0);
    Analitica(42, "4.2", "Aluguel", 0);
    ConfiguracaoCentros({"9.99", "9.99"}, {1, -1});
    CentroCusto(1, "1", "ADMINISTRATIVO", true);
    CentroCusto(11, "1.01", "Diretoria");
    CentroCusto(12, "1.02", "Financeiro");
    CentroCusto(2, "2", "COMERCIAL", true);
    CentroCusto(21, "2.01", "Vendas Loja");
  }

  // A cash entry of `conta` and its shares, each with the entry's kind as
  // nature.  Returns the entry's code.
  int Lancar(int escrit, int conta, const Variant& data, int tipo, const std::vector<Parte>& partes,
             int origem = 0) {
    double total = 0;
    for (const Parte& p : partes) total += p.valor;
    Movimentar(escrit, conta, data, tipo, total, {.origem = origem});
    for (const Parte& p : partes) Rateio(escrit, UltimoCaixa(), p.centro, p.valor, tipo);
    return UltimoCaixa();
  }

  // Runs the entity on the committed rows.
  void Processar(TnBalancete& b, TnTipoMescla tipo, TDateTime inicio, TDateTime fim,
                 int64_t escrit = 1) {
    Commit();
    b.SetCodigoEscrit(escrit);
    b.SetTipoMescla(tipo);
    b.SetDataInicial(inicio);
    b.SetDataFinal(fim);
    b.ProcessarDados();
  }

  // Prints the deliverable, March 2024 unless the parameters say otherwise,
  // company 1 unless they say so.
  CentrePrint Imprimir(const std::string& deliverable,
                       const std::map<std::string, std::string>& params = {}) {
    Commit();
    TnLayout layout = LoadLayout(PluginDirFrom(nullptr) + "/" + deliverable + ".json");
    for (TnParamDef& def : layout.parameters) def.kind = TnParamKind::Text;  // the report reads
    TnPrintSession session(CentrePlugin(deliverable), std::move(layout), RunVia::kInstance);
    TnrwReport& engine = session.Engine();
    SetMarch2024(engine);
    engine.GetParams()->Param("pCodigoEscrit")->SetValue("1");
    SetParams(engine, params);
    CentrePrint print;
    const std::string trace = TracePath();
    session.Print({.trace = trace});
    ReadPrint(print, engine, trace);
    return print;
  }
};

// A signed amount of the trial balances back to a number: "(1.234,50)" is
// -1234.5, "10,00 " is 10.
inline double Valor(std::string texto) {
  while (!texto.empty() && texto.back() == ' ') texto.pop_back();
  const bool negativo = !texto.empty() && texto.front() == '(';
  if (negativo) texto = texto.substr(1, texto.size() - 2);
  std::string digitos;
  for (char c : texto) {
    if (c == ',')
      digitos += '.';
    else if (c != '.')
      digitos += c;
  }
  const double v = digitos.empty() ? 0 : std::stod(digitos);
  return negativo ? -v : v;
}

}  // namespace vireo::test
