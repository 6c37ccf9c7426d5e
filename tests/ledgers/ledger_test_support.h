// Helpers of the ledger tests: the rptLedger plug-in loaded from the plug-in
// directory as the host loads it, a small database made by hand for each
// test, and a print of the plug-in on one of its layouts read back from the
// trace.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/fixtures.h"
#include "tests/support/report_harness.h"

namespace vireo::test {

inline std::string PluginDir() { return PluginDirFrom("VIREO_LEDGER_PLUGIN_DIR"); }

// The rptLedger library, loaded once for the whole test run.
struct LedgerPlugin {
  static const ReportPlugin::Ptr& Get() { return ReportPlugin::Get(PluginDir(), "rptLedger"); }
};

// The word repeated, one blank between, cut to `tamanho` characters.
inline std::string Repetir(const std::string& palavra, size_t tamanho) {
  std::string texto = palavra;
  while (texto.size() < tamanho) texto.append(" ").append(palavra);
  texto.resize(tamanho);
  return texto;
}

using LedgerPrint = TracePrint;

// A database of its own per test, current for the host's data functions.
class LedgerDbTest : public FinanceDbTest {
 protected:
  void SetUp() override { OpenDatabase("ledger", "ledger.fdb"); }
  void TearDown() override { CloseDatabase(); }

  // Company 1, groups 1 (debit), 2 (credit) and 3 (no nature), two
  // histories, and one analytic account in each group under its title.
  void Basico() {
    Configuracao({1, -1, 0});
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Historico(1, "Recebimento");
    Historico(2, "Pagamento");
    Sintetica(1, "1", "ATIVO");
    Sintetica(2, "1.1", "DISPONÍVEL");
    Analitica(11, "1.1.01", "Caixa Geral", 1);
    Sintetica(3, "2", "PASSIVO");
    Analitica(21, "2.1", "Cartão de Crédito", 3);
    Sintetica(4, "3", "OUTROS");
    Analitica(31, "3.1", "Conta Sem Natureza", 1);
  }

  // Prints on a layout of the plug-in with these parameters, through the
  // class reference (as the host's panel does) or through Imprimir.
  static TnLayout Layout(const std::string& file) { return LoadLayout(PluginDir() + "/" + file); }

  LedgerPrint Imprimir(const std::string& layout, const std::map<std::string, std::string>& params,
                       bool pela_exportacao = false) {
    return Imprimir(Layout(layout), params, pela_exportacao);
  }
  LedgerPrint Imprimir(TnLayout layout, const std::map<std::string, std::string>& params,
                       bool pela_exportacao = false) {
    Commit();
    TnPrintSession session(LedgerPlugin::Get(), std::move(layout),
                           pela_exportacao ? RunVia::kExport : RunVia::kInstance);
    SetMarch2024(session.Engine());
    SetParams(session.Engine(), params);
    return PrintAndRead(session, TracePath());
  }
  LedgerPrint Razao(const std::map<std::string, std::string>& params = {}) {
    return Imprimir("rptLedger.json", params);
  }
  LedgerPrint MovCaixa(const std::map<std::string, std::string>& params = {}) {
    return Imprimir("rptLedger.movcaixa.json", params);
  }
};

}  // namespace vireo::test
