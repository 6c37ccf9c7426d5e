// A report for the tests of `vireo serve`: a panel rule (Detalhar enables
// Nível and makes it required), a lookup with an added condition, and
// prints that end normally, slowly (for progress and cancel), by a crash
// of the process or never.
#include <cstdlib>
#include <thread>

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/panel.h"
#include "host/report/params.h"
#include "host/report/progress.h"

namespace vireo {

class TrptServeProbe : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  std::string Versao() override { return "[versao: 1.0.0.7]"; }

  void AntesConfigurar(TObject* parent) override {
    TnrwBaseDll::AntesConfigurar(parent);
    auto* panel = static_cast<TnPanel*>(parent);
    FReport->Param("pNivel")->SetEnabled(false);
    if (auto* tabela = dynamic_cast<TnFraCtrlNDLinkEdit*>(panel->FindControl("pTabela")))
      tabela->SetSQLAdicional([] { return "rdb$relation_id < 5"; });
  }

  void DoParamChange(TObject* sender, TnpqParamItem* param) override {
    TnrwBaseDll::DoParamChange(sender, param);
    if (param->Name() == "pDetalhar") {
      bool on = param->Value() == "1";
      FReport->Param("pNivel")->SetEnabled(on);
      FReport->Param("pNivel")->SetRequired(on);
      if (on) FReport->Param("pNivel")->SetValue("3");
    }
    if (param->Name() == "pLinhas" && StrToIntDef(param->Value(), 0) > 100000)
      throw EnParam("pLinhas", "No máximo 100000 linhas.");
  }

  void ImprimirInterno() override {
    enum Modo { kNormal = 0, kLento = 1, kQueda = 2, kSemFim = 3 };
    const int modo = StrToIntDef(FReport->GetValues("pModo"), 0);
    // A crash by abort: the sanitizer runtime turns a segmentation fault
    // into an ordinary exit, an abort still ends the worker by its signal.
    if (modo == kQueda) std::abort();
    if (modo == kSemFim)
      for (;;) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const int linhas = StrToIntDef(FReport->GetValues("pLinhas"), 0);
    TnProgresso* progresso = CriarProgresso();
    progresso->SetTextos("Prova", "Linhas");
    progresso->ConfigurarProgressoTotal(0, 1);
    progresso->ConfigurarProgressoParcial(0, linhas);
    progresso->MostrarMultiplo();
    for (int i = 1; i <= linhas; ++i) {
      FReport->SetValues("R1", "Linha " + IntToStr(i) + " — nível " + FReport->GetValues("pNivel"));
      FReport->RepPrintSection(8);
      progresso->IncProgressoParcial();
      if (modo == kLento) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    progresso->Hide();
    FReport->MsgMensagem(1, "Aviso da prova");
  }
};

VIREO_REGISTER_REPORT(TrptServeProbe)

}  // namespace vireo
