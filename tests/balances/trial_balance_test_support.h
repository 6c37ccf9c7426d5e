// Helpers of the trial-balance tests: the plug-ins loaded from the plug-in
// directory as the host loads them, a small database made by hand for each
// test, a scripted stand-in for the account-balance data module, and a
// print read back from the trace.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "db/schema.h"
#include "host/biz/korvanfin.h"
#include "host/core/datetime.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/base_dll.h"
#include "host/report/data_module.h"
#include "host/report/engine.h"
#include "host/report/layout.h"

namespace vireo::test {

using nlohmann::json;

inline std::string BalancePluginDir() { return VIREO_PLUGIN_DIR; }

// A plug-in library, loaded once for the whole test run, as in the host.
class BalancePlugin {
 public:
  static const BalancePlugin& Get(const std::string& deliverable) {
    static std::map<std::string, std::unique_ptr<BalancePlugin>> loaded;
    auto& plugin = loaded[deliverable];
    if (!plugin) plugin.reset(new BalancePlugin(deliverable));
    return *plugin;
  }
  TnrwBaseDllClass* ClassDll() const { return class_dll_(); }
  void Imprimir(void* engine) const { imprimir_(engine); }

 private:
  explicit BalancePlugin(const std::string& deliverable) {
    const std::string path = BalancePluginDir() + "/lib" + deliverable + ".so";
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

inline Variant Data(int year, int month, int day) {
  return Variant::FromDateTime(EncodeDate(year, month, day));
}

// What one print left behind.
struct BalancePrint {
  std::vector<json> trace;
  std::vector<TnMessage> messages;
  std::vector<std::string> message_titles;
  int pages = 0;
  long long progress_position = -1;
  long long progress_total = -1;
  // The engine's progress when a body section printed (a report that sets
  // its own OnSectionPrint handler leaves this empty).
  struct Progress {
    int section;
    long long position, total;
  };
  std::vector<Progress> progress_at;

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

inline const json& LabelOf(const json& section_event, const std::string& name) {
  return section_event["labels"].at(name);
}

// One row the scripted module hands out.
struct ModuloLinha {
  int64_t empresa = 0;
  int64_t conta = 0;
  std::string classif;
  std::string tipo;  // "S" or "A"
  double anterior = 0, debito = 0, credito = 0, movimento = 0, saldo = 0;
  std::string descr;  // empty: classification and "Conta <code>"
};

// Stands in for TnFprDPGerarSaldoContaIndividual: hands out the rows a test
// scripts, in that order within each company, and keeps the parameters it
// was given.
struct ModuloRoteiro {
  std::vector<ModuloLinha> linhas;
  std::string msg_erro;
  std::map<std::string, std::string> recebidos;
  int execucoes = 0;
};

class TnModuloRoteirizado : public TnDMPowerParam {
 public:
  explicit TnModuloRoteirizado(ModuloRoteiro* roteiro) : roteiro_(roteiro) {}
  void Executar() override {
    ++roteiro_->execucoes;
    TnpqPowerParam& params = *GetParams();
    for (int i = 0; i < params.Count(); ++i) {
      roteiro_->recebidos[params.Items(i)->Name()] = params.Items(i)->Value();
    }
    TnClientDataSet& cds = *nClientDataSet();
    if (!cds.Active()) {
      cds.AddFieldDef("CodigoEscrit", TFieldType::Integer);
      cds.AddFieldDef("CodigoConta", TFieldType::Integer);
      cds.AddFieldDef("ClassifConta", TFieldType::String, 30);
      cds.AddFieldDef("DescrConta", TFieldType::String, 81);
      cds.AddFieldDef("TipoConta", TFieldType::String, 1);
      for (const char* f : {"Movimento", "ValorDebito", "ValorCredito", "Saldo", "SaldoAnterior"}) {
        cds.AddFieldDef(f, TFieldType::Float);
      }
      cds.AddFieldDef("NaturSaldo", TFieldType::Integer);
      cds.AddFieldDef("Ordem", TFieldType::Integer);
      cds.CreateDataSet();
    }
    cds.SetIndexFieldNames("");
    cds.EmptyDataSet();
    int ordem = 0;
    for (const ModuloLinha& l : roteiro_->linhas) {
      cds.Append();
      cds.FieldByName("CodigoEscrit")->SetAsInteger(l.empresa);
      cds.FieldByName("CodigoConta")->SetAsInteger(l.conta);
      cds.FieldByName("ClassifConta")->SetAsString(l.classif);
      cds.FieldByName("DescrConta")
          ->SetAsString(l.descr.empty() ? l.classif + " Conta " + std::to_string(l.conta)
                                        : l.descr);
      cds.FieldByName("TipoConta")->SetAsString(l.tipo);
      cds.FieldByName("SaldoAnterior")->SetAsFloat(l.anterior);
      cds.FieldByName("ValorDebito")->SetAsFloat(l.debito);
      cds.FieldByName("ValorCredito")->SetAsFloat(l.credito);
      cds.FieldByName("Movimento")->SetAsFloat(l.movimento);
      cds.FieldByName("Saldo")->SetAsFloat(l.saldo);
      cds.FieldByName("NaturSaldo")->SetAsInteger(1);
      cds.FieldByName("Ordem")->SetAsInteger(++ordem);
      cds.Post();
    }
    cds.SetIndexFieldNames("Ordem");
    params.SetValues("pMsgErro", roteiro_->msg_erro);
  }

 private:
  ModuloRoteiro* roteiro_;
};

// A database of its own per test, current for the host's data functions.
class BalanceDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vireo-balances-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    RegisterKorvanFin5();
    db_ = CreateDatabaseFromTemplate((dir_ / "balances.fdb").string());
    SetCurrentConnection(db_.get());
  }
  void TearDown() override {
    RegisterKorvanFin5();  // the real module again, after a scripted one
    SetCurrentConnection(nullptr);
    write_.reset();
    db_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  // From here on the plug-ins get the scripted module.
  ModuloRoteiro& Roteirizar() {
    ModuloRoteiro* roteiro = &roteiro_;
    RegistrarDM("TnFprDPGerarSaldoContaIndividual", [roteiro] {
      return std::unique_ptr<TnDataModule>(std::make_unique<TnModuloRoteirizado>(roteiro));
    });
    return roteiro_;
  }

  void Exec(const std::string& sql, const std::vector<Variant>& params = {}) {
    if (!write_) write_ = db_->StartWrite();
    write_->Execute(sql, params);
  }
  void Commit() {
    if (write_) write_->Commit();
    write_.reset();
  }

  // FPRCFGCONTA with the natures of groups 1..
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
  void Escritorio(int code) { Exec("insert into ESCRITORIO (CODIGOESCRIT) values (?)", {code}); }
  void Empresa(int code, const std::string& nome, const std::string& cnpj) {
    Escritorio(code);
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
        "MODALIDADECONTA) values (?, 2, ?, ?, 1)",
        {code, classif, descr});
  }
  void Historico(int code, const std::string& descr) {
    Exec("insert into FPRHISTORICO (CODIGOHISTCTB, DESCRHISTCTB) values (?, ?)", {code, descr});
  }
  // A cash entry; tipo 1 inflow, -1 outflow.
  void Caixa(int escrit, int conta, const Variant& data, int tipo, double valor, int origem = 0) {
    Exec(
        "insert into FPRCAIXA (CODIGOESCRIT, CODIGOCAIXA, CODIGOCONTA, DATACAIXA, "
        "TIPOMOVCAIXA, VALORCAIXA, HISTORICOCAIXA, ORIGEMLCTOCAIXA, CODIGOHISTCTB) "
        "values (?, ?, ?, ?, ?, ?, '', ?, 1)",
        {escrit, ++caixas_, conta, data, tipo, valor, origem});
  }

  // Companies 1 and 2, groups 1 (debit) and 2 (credit), one history, and
  // the chart
  //   1 "1" ATIVO (S), 2 "1.1" DISPONÍVEL (S), 11 "1.1.01" Caixa Geral,
  //   12 "1.1.02" Banco Um, 3 "2" PASSIVO (S), 21 "2.1" Fornecedores.
  void Basico() {
    Configuracao({1, -1});
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Empresa(2, "Empresa Dois S.A.", "22.222.222/0001-22");
    Historico(1, "Movimento");
    Sintetica(1, "1", "ATIVO");
    Sintetica(2, "1.1", "DISPONÍVEL");
    Analitica(11, "1.1.01", "Caixa Geral");
    Analitica(12, "1.1.02", "Banco Um");
    Sintetica(3, "2", "PASSIVO");
    Analitica(21, "2.1", "Fornecedores");
  }

  using Ajuste = std::function<void(TnLayout&)>;

  // Prints the deliverable on its layout (changed by `ajuste` when given),
  // March 2024 unless the parameters say otherwise; through the class
  // reference as the host's panel does, or through Imprimir.
  BalancePrint Imprimir(const std::string& deliverable,
                        const std::map<std::string, std::string>& params, const Ajuste& ajuste = {},
                        bool pela_exportacao = false) {
    Commit();
    TnLayout layout = LoadLayout(BalancePluginDir() + "/" + deliverable + ".json");
    if (ajuste) ajuste(layout);
    TnrwReport engine(std::move(layout));
    engine.GetParams()->Param("pDataInicial")->SetValue("01/03/2024");
    engine.GetParams()->Param("pDataFinal")->SetValue("31/03/2024");
    for (const auto& [name, value] : params) engine.GetParams()->Param(name)->SetValue(value);
    const std::string trace = (dir_ / "trace.jsonl").string();
    BalancePrint print;
    engine.OnSectionPrint = [&print, &engine](TObject*, int section) {
      if (section != 1 && section != 3) {
        print.progress_at.push_back({section, engine.ProgressPosition(), engine.ProgressTotal()});
      }
    };
    engine.BeginPrint({.trace = trace});
    const BalancePlugin& plugin = BalancePlugin::Get(deliverable);
    if (pela_exportacao) {
      plugin.Imprimir(static_cast<TObject*>(&engine));
    } else {
      std::unique_ptr<TnrwBaseDll> report = plugin.ClassDll()->Instanciar(&engine);
      report->ImprimirInterno();
    }
    print.progress_position = engine.ProgressPosition();
    print.progress_total = engine.ProgressTotal();
    engine.EndPrint();
    std::ifstream in(trace);
    for (std::string line; std::getline(in, line);) print.trace.push_back(json::parse(line));
    print.messages = engine.Messages().Items();
    print.message_titles = engine.Messages().Titles();
    print.pages = engine.PageCount();
    return print;
  }

  // A parameter of the layout turned into free text, as a host whose panel
  // does not check the value would hand it over.
  static Ajuste ParametroTexto(const std::string& name) {
    return [name](TnLayout& layout) {
      for (TnParamDef& def : layout.parameters) {
        if (def.name == name) def.kind = TnParamKind::Text;
      }
    };
  }

  std::filesystem::path dir_;
  std::unique_ptr<TnConnection> db_;
  std::unique_ptr<TnWriteTransaction> write_;
  ModuloRoteiro roteiro_;
  int caixas_ = 0;
};

}  // namespace vireo::test
