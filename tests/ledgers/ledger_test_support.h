// Helpers of the ledger tests: the rptLedger plug-in loaded from the plug-in
// directory as the host loads it, a small database made by hand for each
// test, and a print of the plug-in on one of its layouts read back from the
// trace.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "db/schema.h"
#include "host/core/datetime.h"
#include "host/data/connection.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/layout.h"

namespace vireo::test {

using nlohmann::json;

inline std::string PluginDir() {
  const char* env = std::getenv("VIREO_LEDGER_PLUGIN_DIR");
  return env != nullptr ? env : VIREO_PLUGIN_DIR;
}

// The library stays loaded for the whole test run, as in the host.
class LedgerPlugin {
 public:
  static const LedgerPlugin& Get() {
    static const LedgerPlugin plugin;
    return plugin;
  }
  TnrwBaseDllClass* ClassDll() const { return class_dll_(); }
  void Imprimir(void* engine) const { imprimir_(engine); }

 private:
  LedgerPlugin() {
    const std::string path = PluginDir() + "/librptLedger.so";
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

// The word repeated, one blank between, cut to `tamanho` characters.
inline std::string Repetir(const std::string& palavra, size_t tamanho) {
  std::string texto = palavra;
  while (texto.size() < tamanho) texto.append(" ").append(palavra);
  texto.resize(tamanho);
  return texto;
}

inline Variant Dia(int year, int month, int day) {
  return Variant::FromDateTime(EncodeDate(year, month, day));
}

// What one print left behind.
struct LedgerPrint {
  std::vector<json> trace;
  std::vector<TnMessage> messages;
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
  // Sections of one page in print order, page header and footer included.
  std::vector<int> OnPage(int page) const {
    std::vector<int> out;
    for (const json& e : trace) {
      if (e["event"] == "section" && e["page"] == page) out.push_back(e["section"]);
    }
    return out;
  }
};

inline std::string Var(const json& section_event, const std::string& name) {
  const json& vars = section_event["vars"];
  return vars.contains(name) ? vars[name].get<std::string>() : std::string("<ausente>");
}

// A database of its own per test, current for the host's data functions.
class LedgerDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vireo-ledger-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    db_ = CreateDatabaseFromTemplate((dir_ / "ledger.fdb").string());
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

  // FPRCFGCONTA with the natures of groups 1..; 0 leaves a nature null.
  void Configuracao(const std::vector<int>& naturezas) {
    std::string columns = "CODIGOCFGCONTA", marks = "1";
    std::vector<Variant> values;
    for (size_t g = 0; g < naturezas.size(); ++g) {
      columns += ", NATURGRUPO" + std::to_string(g + 1);
      marks += ", ?";
      values.push_back(naturezas[g] != 0 ? Variant(naturezas[g]) : Variant());
    }
    Exec("insert into FPRCFGCONTA (" + columns + ") values (" + marks + ")", values);
  }
  void Empresa(int code, const std::string& nome, const std::string& cnpj) {
    Exec("insert into ESCRITORIO (CODIGOESCRIT) values (?)", {code});
    Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (?, ?, ?)",
         {code, nome, cnpj});
  }
  void Sintetica(int code, const std::string& classif, const std::string& descr) {
    Exec(
        "insert into FPRCONTA (CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA) "
        "values (?, 1, ?, ?)",
        {code, classif, descr});
  }
  void Analitica(int code, const std::string& classif, const std::string& descr,
                 int modalidade = 1) {
    Exec(
        "insert into FPRCONTA (CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA, "
        "MODALIDADECONTA) values (?, 2, ?, ?, ?)",
        {code, classif, descr, modalidade});
  }
  void Historico(int code, const std::string& descr) {
    Exec("insert into FPRHISTORICO (CODIGOHISTCTB, DESCRHISTCTB) values (?, ?)", {code, descr});
  }
  // A cash entry; tipo 1 inflow, -1 outflow.
  void Caixa(int escrit, int codigo, int conta, const Variant& data, int tipo, double valor,
             const std::string& historico = "", int origem = 0, int hist = 1) {
    Exec(
        "insert into FPRCAIXA (CODIGOESCRIT, CODIGOCAIXA, CODIGOCONTA, DATACAIXA, "
        "TIPOMOVCAIXA, VALORCAIXA, HISTORICOCAIXA, ORIGEMLCTOCAIXA, CODIGOHISTCTB) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {escrit, codigo, conta, data, tipo, valor, historico, origem, hist});
  }
  // A settlement row of an entry; origin 1 settles titles, 2 moves money.
  void Acerto(int escrit, int acerto, int caixa, int origem, int conta) {
    Exec(
        "insert into FPRACERTOCX (CODIGOESCRIT, CODIGOACERTO, CODIGOCAIXA, ORIGEMCAIXA, "
        "CODIGOCONTA) values (?, ?, ?, ?, ?)",
        {escrit, acerto, caixa, origem, conta});
  }

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
    TnrwReport engine(std::move(layout));
    engine.GetParams()->Param("pDataInicial")->SetValue("01/03/2024");
    engine.GetParams()->Param("pDataFinal")->SetValue("31/03/2024");
    for (const auto& [name, value] : params) engine.GetParams()->Param(name)->SetValue(value);
    const std::string trace = (dir_ / "trace.jsonl").string();
    engine.BeginPrint({.trace = trace});
    if (pela_exportacao) {
      LedgerPlugin::Get().Imprimir(static_cast<TObject*>(&engine));
    } else {
      std::unique_ptr<TnrwBaseDll> report = LedgerPlugin::Get().ClassDll()->Instanciar(&engine);
      report->ImprimirInterno();
    }
    engine.EndPrint();
    LedgerPrint print;
    std::ifstream in(trace);
    for (std::string line; std::getline(in, line);) print.trace.push_back(json::parse(line));
    print.messages = engine.Messages().Items();
    print.pages = engine.PageCount();
    return print;
  }
  LedgerPrint Razao(const std::map<std::string, std::string>& params = {}) {
    return Imprimir("rptLedger.json", params);
  }
  LedgerPrint MovCaixa(const std::map<std::string, std::string>& params = {}) {
    return Imprimir("rptLedger.movcaixa.json", params);
  }

  std::filesystem::path dir_;
  std::unique_ptr<TnConnection> db_;
  std::unique_ptr<TnWriteTransaction> write_;
};

}  // namespace vireo::test
