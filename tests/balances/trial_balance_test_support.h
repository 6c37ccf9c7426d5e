// Helpers of the trial-balance tests: the plug-ins loaded from the plug-in
// directory as the host loads them, a small database made by hand for each
// test, a scripted stand-in for the account-balance data module, and a
// print read back from the trace.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/biz/korvanfin.h"
#include "host/biz/saldo_conta_individual.h"
#include "host/data/dataset.h"
#include "host/report/data_module.h"
#include "tests/support/fixtures.h"
#include "tests/support/report_harness.h"

namespace vireo::test {

inline std::string BalancePluginDir() { return PluginDirFrom(nullptr); }

// A plug-in library, loaded once for the whole test run, as in the host.
struct BalancePlugin {
  static const ReportPlugin::Ptr& Get(const std::string& deliverable) {
    return ReportPlugin::Get(BalancePluginDir(), deliverable);
  }
};

// What one print left behind, with the engine's progress.
struct BalancePrint : TracePrint {
  long long progress_position = -1;
  long long progress_total = -1;
  // The engine's progress when a body section printed (a report that sets
  // its own OnSectionPrint handler leaves this empty).
  struct Progress {
    int section;
    long long position, total;
  };
  std::vector<Progress> progress_at;
};

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
// scripts, in that order within each company, and keeps the filter it was
// given.
struct ModuloRoteiro {
  std::vector<ModuloLinha> linhas;
  std::string msg_erro;
  TnFiltroSaldoConta recebido;
  int execucoes = 0;
};

class TnModuloRoteirizado : public TnFprDPGerarSaldoContaIndividual {
 public:
  explicit TnModuloRoteirizado(ModuloRoteiro* roteiro) : roteiro_(roteiro) {}
  TnClientDataSet* Gerar(const TnFiltroSaldoConta& filtro) override {
    ++roteiro_->execucoes;
    roteiro_->recebido = filtro;
    TnpqPowerParam& params = *GetParams();
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
    return &cds;
  }

 private:
  ModuloRoteiro* roteiro_;
};

// A database of its own per test, current for the host's data functions.
class BalanceDbTest : public FinanceDbTest {
 protected:
  void SetUp() override {
    RegisterKorvanFin5();
    OpenDatabase("balances", "balances.fdb");
  }
  void TearDown() override {
    RegisterKorvanFin5();  // the real module again, after a scripted one
    CloseDatabase();
  }

  // From here on the plug-ins get the scripted module.
  ModuloRoteiro& Roteirizar() {
    ModuloRoteiro* roteiro = &roteiro_;
    RegistrarDM("TnFprDPGerarSaldoContaIndividual", [roteiro] {
      return std::unique_ptr<TnDataModule>(std::make_unique<TnModuloRoteirizado>(roteiro));
    });
    return roteiro_;
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
    TnPrintSession session(BalancePlugin::Get(deliverable), std::move(layout),
                           pela_exportacao ? RunVia::kExport : RunVia::kInstance);
    TnrwReport& engine = session.Engine();
    SetMarch2024(engine);
    SetParams(engine, params);
    const std::string trace = TracePath();
    BalancePrint print;
    engine.OnSectionPrint = [&print, &engine](TObject*, int section) {
      if (section != 1 && section != 3) {
        print.progress_at.push_back({section, engine.ProgressPosition(), engine.ProgressTotal()});
      }
    };
    session.Print({.trace = trace});
    print.progress_position = engine.ProgressPosition();
    print.progress_total = engine.ProgressTotal();
    ReadPrint(print, engine, trace);
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

  ModuloRoteiro roteiro_;
};

}  // namespace vireo::test
