// Helpers of the accounting-check tests: a check plug-in loaded from the
// plug-in directory as the host loads it, a small database made by hand for
// each test (companies, the accounting chart, generated entries and the
// documents they belong to), and a print read back from its trace.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/fixtures.h"
#include "tests/support/report_harness.h"

namespace vireo::test {

inline std::string ChecksPluginDir() { return PluginDirFrom("VIREO_CHECKS_PLUGIN_DIR"); }

// A check plug-in, loaded once per name and kept for the whole run.
struct ChecksPlugin {
  static const ReportPlugin::Ptr& Get(const std::string& name) {
    return ReportPlugin::Get(ChecksPluginDir(), name);
  }
};

using ChecksPrint = TracePrint;

inline TnLayout ChecksLayout(const std::string& file) {
  return LoadLayout(ChecksPluginDir() + "/" + file);
}

// Prints a check on its layout against the current connection, March 2024
// unless the parameters say otherwise, through the class reference after
// the panel's configure steps (as `vireo print` does) or through the
// Imprimir export, and reads the trace back.
inline ChecksPrint ImprimirCheck(const std::string& report,
                                 const std::map<std::string, std::string>& params,
                                 const std::filesystem::path& trace, bool pela_exportacao = false) {
  TnPrintSession session(ChecksPlugin::Get(report), ChecksLayout(report + ".json"),
                         pela_exportacao ? RunVia::kExport : RunVia::kConfiguredInstance);
  SetMarch2024(session.Engine());
  SetParams(session.Engine(), params);
  return PrintAndRead(session, trace.string());
}

// A database of its own per test, current for the host's data functions.
class ChecksDbTest : public FinanceDbTest {
 protected:
  void SetUp() override { OpenDatabase("checks", "checks.fdb"); }
  void TearDown() override { CloseDatabase(); }

  void Usuario(int code, const Variant& nome, const Variant& nome_compl) {
    Exec("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (?, ?, ?)",
         {code, nome, nome_compl});
  }
  // A generated entry of the company's own chart; account 0 leaves that
  // side empty.
  void Lcto(int escrit, int chave, const Variant& data, double valor, int deb, int cred,
            const Variant& usuario = Variant(1), int origem_dado = 1) {
    Exec(
        "insert into FPRLCTOCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOEMPRESA, DATALCTOCTB, "
        "VALORLCTOCTB, CONTACTBDEB, CONTACTBCRED, CODIGOUSUARIO, ORIGEMDADO) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {escrit, chave, escrit, data, valor, deb != 0 ? Variant(deb) : Variant(),
         cred != 0 ? Variant(cred) : Variant(), usuario, origem_dado});
  }
  void Allocation(int escrit, int chave, int natureza, int centro, double valor) {
    Exec(
        "insert into FPRLCTOGER (CODIGOESCRIT, FPRCHAVELCTOCTB, NATURLCTOCTB, "
        "CODIGOCENTROCUSTO, VALORLCTOGER) values (?, ?, ?, ?, ?)",
        {escrit, chave, natureza, centro, valor});
  }

  // Links of an entry to its document, one per origin kind.
  void Pagar(int escrit, int chave, int cab) {
    Exec(
        "insert into FPRCONTAPAGARCABCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOPAGARCAB) "
        "values (?, ?, ?)",
        {escrit, chave, cab});
  }
  void ReceberComercial(int escrit, int chave, int numero) {
    Exec(
        "insert into CONTARECEBERCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, NUMERODCTOCR) "
        "values (?, ?, ?)",
        {escrit, chave, numero});
  }
  void ReceberFinanceiro(int escrit, int chave, int cab) {
    Exec(
        "insert into FPRCONTARECEBERCABCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGORECEBERCAB) "
        "values (?, ?, ?)",
        {escrit, chave, cab});
  }
  void Acerto(int escrit, int acerto, int finalidade) {
    Exec("insert into FPRACERTO (CODIGOESCRIT, CODIGOACERTO, FINALIDADEACERTO) values (?, ?, ?)",
         {escrit, acerto, finalidade});
  }
  void AcertoCtb(int escrit, int chave, int acerto) {
    Exec("insert into FPRACERTOCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOACERTO) values (?, ?, ?)",
         {escrit, chave, acerto});
  }
  void NotaServico(int escrit, int chave, const std::string& serie, int numero) {
    Exec(
        "insert into SERVICONOTACTB (CODIGOESCRIT, FPRCHAVELCTOCTB, SERIENS, NUMERONS) "
        "values (?, ?, ?, ?)",
        {escrit, chave, serie, numero});
  }
  void Venda(int escrit, int chave, int venda) {
    Exec("insert into VENDACTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOVENDA) values (?, ?, ?)",
         {escrit, chave, venda});
  }
  void Obra(int escrit, int chave, int obra) {
    Exec(
        "insert into OBRAORCAMENTOCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOOBRA) values (?, ?, ?)",
        {escrit, chave, obra});
  }
  void NotaEntrada(int escrit, int chave, int nota) {
    Exec(
        "insert into NOTAENTRADACTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGONOTAENT) "
        "values (?, ?, ?)",
        {escrit, chave, nota});
  }

  static TnLayout Layout(const std::string& file) { return ChecksLayout(file); }

  // Prints the plug-in on its layout, March 2024 unless the parameters say
  // otherwise, through the class reference after the panel's configure
  // steps (as `vireo print` does) or through the Imprimir export.
  ChecksPrint Imprimir(const std::string& report, const std::map<std::string, std::string>& params,
                       bool pela_exportacao = false) {
    Commit();
    return ImprimirCheck(report, params, dir_ / "trace.jsonl", pela_exportacao);
  }
};

}  // namespace vireo::test
