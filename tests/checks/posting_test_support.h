// Helpers of the tests of rptManagerialEntryCheck and rptPostingPreview: the
// plug-ins loaded from the plug-in directory as the host loads them, a small
// database made by hand for each test (companies, accounts, cost centres,
// documents, generated entries and their allocations), and a print read
// back from the trace.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "db/schema.h"
#include "host/biz/produto.h"
#include "host/core/datetime.h"
#include "host/data/connection.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/layout.h"
#include "host/report/panel.h"

namespace vireo::test::posting {

using nlohmann::json;

inline std::string PluginDir() {
  const char* env = std::getenv("VIREO_CHECKS_PLUGIN_DIR");
  return env != nullptr ? env : VIREO_PLUGIN_DIR;
}

// A plug-in library, loaded once for the whole run as in the host.
class Plugin {
 public:
  static const Plugin& Get(const std::string& deliverable) {
    static std::map<std::string, std::unique_ptr<Plugin>> loaded;
    std::unique_ptr<Plugin>& p = loaded[deliverable];
    if (!p) p.reset(new Plugin(deliverable));
    return *p;
  }
  TnrwBaseDllClass* ClassDll() const { return class_dll_(); }
  void Imprimir(void* engine) const { imprimir_(engine); }

 private:
  explicit Plugin(const std::string& deliverable) {
    const std::string path = PluginDir() + "/lib" + deliverable + ".so";
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (lib == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
    class_dll_ = reinterpret_cast<TnrwBaseDllClass* (*)()>(dlsym(lib, "ClassDll"));
    imprimir_ = reinterpret_cast<void (*)(void*)>(dlsym(lib, "Imprimir"));
    if (class_dll_ == nullptr || imprimir_ == nullptr) {
      throw std::runtime_error(path + " does not export ClassDll and Imprimir");
    }
  }
  TnrwBaseDllClass* (*class_dll_)() = nullptr;
  void (*imprimir_)(void*) = nullptr;
};

inline Variant Dia(int year, int month, int day) {
  return Variant::FromDateTime(EncodeDate(year, month, day));
}

// What one print left behind.
struct Print {
  std::vector<json> trace;
  int pages = 0;

  std::vector<json> Of(int section) const {
    std::vector<json> out;
    for (const json& e : trace) {
      if (e["event"] == "section" && e["section"] == section) out.push_back(e);
    }
    return out;
  }
  // Body sections in print order (page header and footer left out).
  std::vector<int> Bodies() const {
    std::vector<int> out;
    for (const json& e : trace) {
      if (e["event"] != "section") continue;
      const int s = e["section"];
      if (s != 1 && s != 3) out.push_back(s);
    }
    return out;
  }
  // Body sections with the page they landed on.
  std::vector<std::pair<int, int>> BodiesWithPage() const {
    std::vector<std::pair<int, int>> out;
    for (const json& e : trace) {
      if (e["event"] != "section") continue;
      const int s = e["section"];
      if (s != 1 && s != 3) out.emplace_back(s, e["page"].get<int>());
    }
    return out;
  }
};

inline std::string Var(const json& section_event, const std::string& name) {
  const json& vars = section_event["vars"];
  return vars.contains(name) ? vars[name].get<std::string>() : std::string("<ausente>");
}

// A database of its own per test, current for the host's data functions.
// The product kind is put back to 0 after each test.
class PostingDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vireo-checks-b-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    db_ = CreateDatabaseFromTemplate((dir_ / "checks.fdb").string());
    SetCurrentConnection(db_.get());
    DefinirProduto(0);
  }
  void TearDown() override {
    DefinirProduto(0);
    SetCurrentConnection(nullptr);
    write_.reset();
    db_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  void Exec(const std::string& sql, const std::vector<Variant>& params = {}) {
    if (!write_) write_ = db_->StartWrite();
    write_->Execute(sql, params);
  }
  void Commit() {
    if (write_) write_->Commit();
    write_.reset();
  }

  // --- base data ----------------------------------------------------------
  void Empresa(int code, const std::string& nome, const std::string& cnpj = "") {
    Exec("insert into ESCRITORIO (CODIGOESCRIT) values (?)", {code});
    Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (?, ?, ?)",
         {code, nome, cnpj});
  }
  // An account of the accounting chart of accounting company `empresa`.
  void Conta(int empresa, int conta, const std::string& descr) {
    Exec("insert into PLANOESPEC (CODIGOEMPRESA, CONTACTB, DESCRCONTA) values (?, ?, ?)",
         {empresa, conta, descr});
  }
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
    TnrwReport engine(std::move(layout));
    for (const auto& [name, value] : params) engine.GetParams()->Param(name)->SetValue(value);
    const std::string trace = (dir_ / "trace.jsonl").string();
    engine.BeginPrint({.trace = trace});
    if (pela_exportacao) {
      Plugin::Get(deliverable).Imprimir(static_cast<TObject*>(&engine));
    } else {
      std::unique_ptr<TnrwBaseDll> report =
          Plugin::Get(deliverable).ClassDll()->Instanciar(&engine);
      report->AntesConfigurar(engine.Panel());
      report->DepoisConfigurar();
      report->ImprimirInterno();
    }
    engine.EndPrint();
    Print print;
    std::ifstream in(trace);
    for (std::string line; std::getline(in, line);) print.trace.push_back(json::parse(line));
    print.pages = engine.PageCount();
    return print;
  }

  std::filesystem::path dir_;
  std::unique_ptr<TnConnection> db_;
  std::unique_ptr<TnWriteTransaction> write_;
};

}  // namespace vireo::test::posting
