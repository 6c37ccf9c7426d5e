// Helpers of the accounting-check tests: a check plug-in loaded from the
// plug-in directory as the host loads it, a small database made by hand for
// each test (companies, the accounting chart, generated entries and the
// documents they belong to), and a print read back from its trace.
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
#include "host/core/datetime.h"
#include "host/data/connection.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/layout.h"
#include "host/report/panel.h"

namespace vireo::test {

using nlohmann::json;

inline std::string ChecksPluginDir() {
  const char* env = std::getenv("VIREO_CHECKS_PLUGIN_DIR");
  return env != nullptr ? env : VIREO_PLUGIN_DIR;
}

// A plug-in, loaded once per name and kept for the whole run, as in the host.
class ChecksPlugin {
 public:
  static const ChecksPlugin& Get(const std::string& name) {
    static std::map<std::string, std::unique_ptr<ChecksPlugin>> loaded;
    std::unique_ptr<ChecksPlugin>& plugin = loaded[name];
    if (!plugin) plugin.reset(new ChecksPlugin(name));
    return *plugin;
  }
  TnrwBaseDllClass* ClassDll() const { return class_dll_(); }
  void Imprimir(void* engine) const { imprimir_(engine); }

 private:
  explicit ChecksPlugin(const std::string& name) {
    const std::string path = ChecksPluginDir() + "/lib" + name + ".so";
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
struct ChecksPrint {
  std::vector<json> trace;
  int pages = 0;

  // Section events of that number, in print order.
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
  // Body sections of one page.
  std::vector<int> BodiesOnPage(int page) const {
    std::vector<int> out;
    for (const json& e : trace) {
      if (e["event"] != "section" || e["page"] != page) continue;
      const int s = e["section"];
      if (s != 1 && s != 3) out.push_back(s);
    }
    return out;
  }
};

inline std::string Var(const json& section_event, const std::string& name) {
  const json& vars = section_event["vars"];
  return vars.contains(name) ? vars[name].get<std::string>() : std::string("<ausente>");
}

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
  TnrwReport engine(ChecksLayout(report + ".json"));
  engine.GetParams()->Param("pDataInicial")->SetValue("01/03/2024");
  engine.GetParams()->Param("pDataFinal")->SetValue("31/03/2024");
  for (const auto& [name, value] : params) engine.GetParams()->Param(name)->SetValue(value);
  engine.BeginPrint({.trace = trace.string()});
  if (pela_exportacao) {
    ChecksPlugin::Get(report).Imprimir(static_cast<TObject*>(&engine));
  } else {
    std::unique_ptr<TnrwBaseDll> instance =
        ChecksPlugin::Get(report).ClassDll()->Instanciar(&engine);
    instance->AntesConfigurar(engine.Panel());
    instance->DepoisConfigurar();
    instance->ImprimirInterno();
  }
  engine.EndPrint();
  ChecksPrint print;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) print.trace.push_back(json::parse(line));
  print.pages = engine.PageCount();
  return print;
}

// A database of its own per test, current for the host's data functions.
class ChecksDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vireo-checks-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    db_ = CreateDatabaseFromTemplate((dir_ / "checks.fdb").string());
    SetCurrentConnection(db_.get());
  }
  void TearDown() override {
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

  void Empresa(int code, const std::string& nome, const std::string& cnpj) {
    Exec("insert into ESCRITORIO (CODIGOESCRIT) values (?)", {code});
    Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (?, ?, ?)",
         {code, nome, cnpj});
  }
  // An account of the accounting chart of the company (CODIGOEMPRESA).
  void ContaCtb(int empresa, int conta, const std::string& descr) {
    Exec("insert into PLANOESPEC (CODIGOEMPRESA, CONTACTB, DESCRCONTA) values (?, ?, ?)",
         {empresa, conta, descr});
  }
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

  std::filesystem::path dir_;
  std::unique_ptr<TnConnection> db_;
  std::unique_ptr<TnWriteTransaction> write_;
};

}  // namespace vireo::test
