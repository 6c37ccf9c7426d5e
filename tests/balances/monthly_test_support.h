// Helpers of the monthly tracking tests: the rptMonthlyTracking plug-in loaded
// from the plug-in directory as the host loads it, a small database made by
// hand for each test, and prints read back from the trace.
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
#include "host/core/variant.h"
#include "host/data/connection.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/layout.h"
#include "host/report/panel.h"

// Kept apart from the other balance tests' helpers, which share the program.
namespace vireo::test::monthly {

using nlohmann::json;

inline std::string MonthlyPluginDir() {
  const char* env = std::getenv("VIREO_BALANCES_PLUGIN_DIR");
  return env != nullptr ? env : VIREO_PLUGIN_DIR;
}

// The library stays loaded for the whole test run, as in the host.
class MonthlyPlugin {
 public:
  static const MonthlyPlugin& Get() {
    static const MonthlyPlugin plugin;
    return plugin;
  }
  TnrwBaseDllClass* ClassDll() const { return class_dll_(); }
  static std::string Path() { return MonthlyPluginDir() + "/librptMonthlyTracking.so"; }

 private:
  MonthlyPlugin() {
    void* lib = dlopen(Path().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (lib == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
    class_dll_ = reinterpret_cast<TnrwBaseDllClass* (*)()>(dlsym(lib, "ClassDll"));
    if (class_dll_ == nullptr) throw std::runtime_error(Path() + " does not export ClassDll");
  }
  TnrwBaseDllClass* (*class_dll_)() = nullptr;
};

inline Variant Dia(int year, int month, int day) {
  return Variant::FromDateTime(EncodeDate(year, month, day));
}

// What one print left behind.
struct MonthlyPrint {
  std::vector<json> trace;
  std::vector<TnMessage> messages;
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

inline std::string Var(const json& section_event, const std::string& name) {
  const json& vars = section_event["vars"];
  return vars.contains(name) ? vars[name].get<std::string>() : std::string("<ausente>");
}

inline const json& Label(const json& section_event, const std::string& name) {
  return section_event["labels"].at(name);
}

// A database of its own per test, current for the host's data functions.
class MonthlyDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vireo-monthly-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    db_ = CreateDatabaseFromTemplate((dir_ / "monthly.fdb").string());
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

  // FPRCFGCONTA with the natures of groups 1..n.
  void Configuracao(const std::vector<int>& naturezas) {
    std::string columns = "CODIGOCFGCONTA", marks = "1";
    std::vector<Variant> values;
    for (size_t g = 0; g < naturezas.size(); ++g) {
      columns += ", NATURGRUPO" + std::to_string(g + 1);
      marks += ", ?";
      values.push_back(naturezas[g]);
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
  void Analitica(int code, const std::string& classif, const std::string& descr) {
    Exec(
        "insert into FPRCONTA (CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA, "
        "MODALIDADECONTA) values (?, 2, ?, ?, 0)",
        {code, classif, descr});
  }
  // A cash entry; tipo 1 inflow, -1 outflow.
  void Caixa(int conta, const Variant& data, int tipo, double valor, int escrit = 1,
             int origem = 0) {
    Exec(
        "insert into FPRCAIXA (CODIGOESCRIT, CODIGOCAIXA, CODIGOCONTA, DATACAIXA, "
        "TIPOMOVCAIXA, VALORCAIXA, ORIGEMLCTOCAIXA, CODIGOHISTCTB) "
        "values (?, ?, ?, ?, ?, ?, ?, 1)",
        {escrit, ++caixas_, conta, data, tipo, valor, origem});
  }

  // Company 1, groups 1 (debit) and 2 (credit), and a small tree:
  //   1 ATIVO / 1.1 DISPONÍVEL / 11 Caixa, 12 Banco
  //   2 PASSIVO / 2.1 FORNECEDORES / 21 Fornecedores Diversos
  void Basico() {
    Configuracao({1, -1});
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Exec("insert into FPRHISTORICO (CODIGOHISTCTB, DESCRHISTCTB) values (1, 'Diversos')");
    Sintetica(1, "1", "ATIVO");
    Sintetica(2, "1.1", "DISPONÍVEL");
    Analitica(11, "1.1.01", "Caixa");
    Analitica(12, "1.1.02", "Banco");
    Sintetica(3, "2", "PASSIVO");
    Sintetica(4, "2.1", "FORNECEDORES");
    Analitica(21, "2.1.01", "Fornecedores Diversos");
  }

  static TnLayout Layout() { return LoadLayout(MonthlyPluginDir() + "/rptMonthlyTracking.json"); }

  // Prints with these parameters over the default period January to March
  // 2025, the parameters set in the panel as the host does (each change
  // reaches DoParamChange, unless `painel` is false).
  MonthlyPrint Imprimir(const std::vector<std::pair<std::string, std::string>>& params = {},
                        TnLayout layout = Layout(), bool painel = true) {
    Commit();
    TnrwReport engine(std::move(layout));
    std::unique_ptr<TnrwBaseDll> report = MonthlyPlugin::Get().ClassDll()->Instanciar(&engine);
    report->AntesConfigurar(engine.Panel());
    report->DepoisConfigurar();
    Definir(engine, *report, "pDataInicial", "01/01/2025");
    Definir(engine, *report, "pDataFinal", "31/03/2025");
    for (const auto& [name, value] : params) {
      if (painel) {
        Definir(engine, *report, name, value);
      } else {
        engine.GetParams()->Param(name)->SetValue(value);
      }
    }
    const std::string trace = (dir_ / "trace.jsonl").string();
    engine.BeginPrint({.trace = trace});
    report->ImprimirInterno();
    engine.EndPrint();
    MonthlyPrint print;
    std::ifstream in(trace);
    for (std::string line; std::getline(in, line);) print.trace.push_back(json::parse(line));
    print.messages = engine.Messages().Items();
    print.pages = engine.PageCount();
    return print;
  }

  static void Definir(TnrwReport& engine, TnrwBaseDll& report, const std::string& name,
                      const std::string& value) {
    TnpqParamItem* item = engine.GetParams()->Param(name);
    item->SetValue(value);
    report.DoParamChange(engine.Panel(), item);
  }

  std::filesystem::path dir_;
  std::unique_ptr<TnConnection> db_;
  std::unique_ptr<TnWriteTransaction> write_;
  int caixas_ = 0;
};

}  // namespace vireo::test::monthly
