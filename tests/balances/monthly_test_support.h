// Helpers of the monthly tracking tests: the rptMonthlyTracking plug-in loaded
// from the plug-in directory as the host loads it, a small database made by
// hand for each test, and prints read back from the trace.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/fixtures.h"
#include "tests/support/report_harness.h"

// Kept apart from the other balance tests' helpers, which share the program.
namespace vireo::test::monthly {

inline std::string MonthlyPluginDir() { return PluginDirFrom("VIREO_BALANCES_PLUGIN_DIR"); }

// The library stays loaded for the whole test run, as in the host.
struct MonthlyPlugin {
  static const ReportPlugin::Ptr& Get() {
    return ReportPlugin::Get(MonthlyPluginDir(), "rptMonthlyTracking");
  }
  static std::string Path() {
    return ReportPlugin::PathOf(MonthlyPluginDir(), "rptMonthlyTracking");
  }
};

// What one print left behind.
struct MonthlyPrint : TracePrint {
  // Account lines, by the code they show (continuation rows show none).
  std::vector<std::string> Contas() const {
    std::vector<std::string> out;
    for (const json& e : Of(11)) out.push_back(e["vars"]["pConta"].get<std::string>());
    return out;
  }
  // The first line of the account with that code.
  json Linha(const std::string& conta) const {
    for (const json& e : Of(11)) {
      if (e["vars"]["pConta"] == conta) return e;
    }
    throw std::runtime_error("conta " + conta + " não impressa");
  }
};

inline const json& Label(const json& section_event, const std::string& name) {
  return LabelOf(section_event, name);
}

// A database of its own per test, current for the host's data functions.
class MonthlyDbTest : public FinanceDbTest {
 protected:
  void SetUp() override { OpenDatabase("monthly", "monthly.fdb"); }
  void TearDown() override { CloseDatabase(); }

  // Company 1, groups 1 (debit) and 2 (credit), and a small tree of
  // ordinary accounts (modality 0):
  //   1 ATIVO / 1.1 DISPONÍVEL / 11 Caixa, 12 Banco
  //   2 PASSIVO / 2.1 FORNECEDORES / 21 Fornecedores Diversos
  void Basico() {
    Configuracao({1, -1});
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Historico(1, "Diversos");
    Sintetica(1, "1", "ATIVO");
    Sintetica(2, "1.1", "DISPONÍVEL");
    Analitica(11, "1.1.01", "Caixa", 0);
    Analitica(12, "1.1.02", "Banco", 0);
    Sintetica(3, "2", "PASSIVO");
    Sintetica(4, "2.1", "FORNECEDORES");
    Analitica(21, "2.1.01", "Fornecedores Diversos", 0);
  }

  static TnLayout Layout() { return LoadLayout(MonthlyPluginDir() + "/rptMonthlyTracking.json"); }

  // Prints with these parameters over the default period January to March
  // 2025, the parameters set in the panel as the host does (each change
  // reaches DoParamChange, unless `painel` is false).
  MonthlyPrint Imprimir(const std::vector<std::pair<std::string, std::string>>& params = {},
                        TnLayout layout = Layout(), bool painel = true) {
    Commit();
    TnPrintSession session(MonthlyPlugin::Get(), std::move(layout));
    session.SetParameters({{"pDataInicial", "01/01/2025"}, {"pDataFinal", "31/03/2025"}});
    for (const auto& [name, value] : params) {
      if (painel) {
        session.SetParameter(name, value);
      } else {
        session.Engine().GetParams()->Param(name)->SetValue(value);
      }
    }
    const std::string trace = TracePath();
    session.Print({.trace = trace});
    MonthlyPrint print;
    ReadPrint(print, session.Engine(), trace);
    return print;
  }

  static void Definir(TnrwReport& engine, TnrwBaseDll& report, const std::string& name,
                      const std::string& value) {
    TnpqParamItem* item = engine.GetParams()->Param(name);
    item->SetValue(value);
    report.DoParamChange(engine.Panel(), item);
  }
};

}  // namespace vireo::test::monthly
