// Helpers of the tests of rptManagerialEntryCheck and rptPostingPreview: the
// plug-ins loaded from the plug-in directory as the host loads them, a small
// database made by hand for each test (companies, accounts, cost centres,
// documents, generated entries and their allocations), and a print read
// back from the trace.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/biz/produto.h"
#include "tests/support/fixtures.h"
#include "tests/support/report_harness.h"

namespace vireo::test::posting {

inline std::string PluginDir() { return PluginDirFrom("VIREO_CHECKS_PLUGIN_DIR"); }

// A plug-in library, loaded once for the whole run as in the host.
struct Plugin {
  static const ReportPlugin::Ptr& Get(const std::string& deliverable) {
    return ReportPlugin::Get(PluginDir(), deliverable);
  }
};

using Print = TracePrint;

// A database of its own per test, current for the host's data functions.
// The product kind is put back to 0 after each test.
class PostingDbTest : public FinanceDbTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(OpenDatabase("checks-b", "checks.fdb"));
    DefinirProduto(0);
  }
  void TearDown() override {
    DefinirProduto(0);
    CloseDatabase();
  }

  // --- base data ----------------------------------------------------------
  void Centro(int code, const std::string& descr) {
    Exec("insert into FPRCENTROCUSTO (CODIGOCENTROCUSTO, DESCRCENTROCUSTO) values (?, ?)",
         {code, descr});
  }

  // --- entries -------------------------------------------------------------
  // A generated entry; a debit or credit account of 0 is left null.  The
  // accounting company is the company itself.
  void Lcto(int escrit, int chave, const Variant& data, double valor, int deb, int cred) {
    Exec(
        "insert into FPRLCTOCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOEMPRESA, DATALCTOCTB, "
        "VALORLCTOCTB, CONTACTBDEB, CONTACTBCRED) values (?, ?, ?, ?, ?, ?, ?)",
        {escrit, chave, escrit, data, valor, deb != 0 ? Variant(deb) : Variant(),
         cred != 0 ? Variant(cred) : Variant()});
  }
  // An allocation of an entry's side (1 debit, -1 credit) to a cost centre.
  void Rateio(int escrit, int chave, int natureza, int centro, double valor) {
    Exec(
        "insert into FPRLCTOGER (CODIGOESCRIT, FPRCHAVELCTOCTB, NATURLCTOCTB, "
        "CODIGOCENTROCUSTO, VALORLCTOGER) values (?, ?, ?, ?, ?)",
        {escrit, chave, natureza, centro, valor});
  }

  // --- documents and their links to the entries -------------------------------
  void Pagar(int escrit, int cab, double valor) {
    Exec(
        "insert into FPRCONTAPAGARCAB (CODIGOESCRIT, CODIGOPAGARCAB, VALORPAGCAB) values (?, ?, "
        "?)",
        {escrit, cab, valor});
  }
  void PagarCtb(int escrit, int chave, int cab) {
    Exec(
        "insert into FPRCONTAPAGARCABCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOPAGARCAB) values "
        "(?, ?, ?)",
        {escrit, chave, cab});
  }
  // Receivables of the commercial module (product kind 0).
  void Receber(int escrit, int numero, double valor) {
    Exec("insert into CONTARECEBER (CODIGOESCRIT, NUMERODCTOCR, VALORCR) values (?, ?, ?)",
         {escrit, numero, valor});
  }
  void ReceberCtb(int escrit, int chave, int numero) {
    Exec(
        "insert into CONTARECEBERCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, NUMERODCTOCR) values (?, "
        "?, ?)",
        {escrit, chave, numero});
  }
  // Receivables of the financial module (product kind 2).
  void ReceberCab(int escrit, int cab, double valor) {
    Exec(
        "insert into FPRCONTARECEBERCAB (CODIGOESCRIT, CODIGORECEBERCAB, VALORRECCAB) values "
        "(?, ?, ?)",
        {escrit, cab, valor});
  }
  void ReceberCabCtb(int escrit, int chave, int cab) {
    Exec(
        "insert into FPRCONTARECEBERCABCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGORECEBERCAB) "
        "values (?, ?, ?)",
        {escrit, chave, cab});
  }
  void Acerto(int escrit, int acerto, int finalidade, double valor) {
    Exec(
        "insert into FPRACERTO (CODIGOESCRIT, CODIGOACERTO, FINALIDADEACERTO, VALORACERTO) "
        "values (?, ?, ?, ?)",
        {escrit, acerto, finalidade, valor});
  }
  void AcertoCtb(int escrit, int chave, int acerto) {
    Exec("insert into FPRACERTOCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOACERTO) values (?, ?, ?)",
         {escrit, chave, acerto});
  }
  void NotaServico(int escrit, const std::string& serie, int numero, double valor) {
    Exec(
        "insert into SERVICONOTA (CODIGOESCRIT, SERIENS, NUMERONS, VALORBRUTO) values (?, ?, ?, "
        "?)",
        {escrit, serie, numero, valor});
  }
  void NotaServicoCtb(int escrit, int chave, const std::string& serie, int numero) {
    Exec(
        "insert into SERVICONOTACTB (CODIGOESCRIT, FPRCHAVELCTOCTB, SERIENS, NUMERONS) values "
        "(?, ?, ?, ?)",
        {escrit, chave, serie, numero});
  }
  void Venda(int escrit, int venda, double valor) {
    Exec("insert into VENDA (CODIGOESCRIT, CODIGOVENDA, VALORTOTALVENDA) values (?, ?, ?)",
         {escrit, venda, valor});
  }
  void VendaCtb(int escrit, int chave, int venda) {
    Exec("insert into VENDACTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOVENDA) values (?, ?, ?)",
         {escrit, chave, venda});
  }
  void Obra(int escrit, int obra, const Variant& data, double valor) {
    Exec(
        "insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, VALORTOTALORCADO) "
        "values (?, ?, ?, ?)",
        {escrit, obra, data, valor});
  }
  void ObraCtb(int escrit, int chave, int obra, const Variant& data) {
    Exec(
        "insert into OBRAORCAMENTOCTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGOOBRA, "
        "DATAORCAMENTO) values (?, ?, ?, ?)",
        {escrit, chave, obra, data});
  }
  void NotaEntrada(int escrit, int nota, double valor) {
    Exec("insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, VALORTOTALNOTA) values (?, ?, ?)",
         {escrit, nota, valor});
  }
  void NotaEntradaCtb(int escrit, int chave, int nota) {
    Exec(
        "insert into NOTAENTRADACTB (CODIGOESCRIT, FPRCHAVELCTOCTB, CODIGONOTAENT) values (?, ?, "
        "?)",
        {escrit, chave, nota});
  }

  // --- prints ----------------------------------------------------------------
  static TnLayout Layout(const std::string& file) { return LoadLayout(PluginDir() + "/" + file); }

  // Prints the deliverable on its layout with these parameters (after the
  // layout's defaults), through the class reference as the host's panel
  // does, or through Imprimir.
  Print Imprimir(const std::string& deliverable, const std::map<std::string, std::string>& params,
                 bool pela_exportacao = false) {
    return Imprimir(deliverable, Layout(deliverable + ".json"), params, pela_exportacao);
  }
  // The same on a layout the test changed (a panel that lets any value in).
  Print Imprimir(const std::string& deliverable, TnLayout layout,
                 const std::map<std::string, std::string>& params, bool pela_exportacao = false) {
    Commit();
    TnPrintSession session(Plugin::Get(deliverable), std::move(layout),
                           pela_exportacao ? RunVia::kExport : RunVia::kConfiguredInstance);
    SetParams(session.Engine(), params);
    return PrintAndRead(session, TracePath());
  }
};

}  // namespace vireo::test::posting
