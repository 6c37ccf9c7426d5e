// Helpers of the payables and receivables tests: the four plug-ins loaded
// from the plug-in directory as the host loads them, a small database made
// by hand for each test, and a print read back from its trace.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "tests/support/report_harness.h"
#include "tests/support/titles_fixtures.h"

namespace vireo::test {

inline std::string PluginDir() { return PluginDirFrom("VIREO_PAYABLES_PLUGIN_DIR"); }

// Contact kinds of PESSOACONTATO.
enum { kFone = 0, kFoneComercial = 2, kCelular = 3, kEmail = 6 };

class PayablesDbTest : public TitlesDbTest {
 protected:
  void SetUp() override {
    OpenDatabase("payables", "payables.fdb");
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Empresa(2, "Empresa Dois S.A.", "22.222.222/0001-22");
    Pessoa(101, "Beta Papelaria");
    Pessoa(102, "Alfa Transportes");
    Contato(101, kEmail, "vendas@beta.com.br");
    Contato(101, kFoneComercial, "(41) 3333-1010");
  }
  void TearDown() override { CloseDatabase(); }

  // Prints the report with these parameters (after the layout's defaults),
  // each set as the panel sets it.
  TracePrint Imprimir(const std::string& report, const std::map<std::string, std::string>& params) {
    Commit();
    TnPrintSession session(ReportPlugin::Get(PluginDir(), report),
                           LoadLayout(PluginDir() + "/" + report + ".json"),
                           RunVia::kConfiguredInstance);
    for (const auto& [name, value] : params) session.SetParameter(name, value);
    return PrintAndRead(session, TracePath());
  }
};

// The variable of every print of a section, in print order.
inline std::vector<std::string> Vars(const TracePrint& print, int section, const std::string& var) {
  std::vector<std::string> out;
  for (const json& e : print.Of(section)) out.push_back(Var(e, var));
  return out;
}

}  // namespace vireo::test
