#include "tests/frame/probe/probe_report.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/data/sql.h"
#include "host/report/params.h"
#include "host/report/progress.h"

namespace vireo {

ProbeCounters& ProbeCountersOf() {
  static ProbeCounters counters;
  return counters;
}

TrptFrameProbe::TrptFrameProbe(TnrwReport* report) : TnrwBaseDll(report) {
  ++ProbeCountersOf().created;
}

TrptFrameProbe::~TrptFrameProbe() { ++ProbeCountersOf().destroyed; }

void TrptFrameProbe::AntesConfigurar(TObject* parent) {
  TnrwBaseDll::AntesConfigurar(parent);
  FPassos += "AntesConfigurar;";
}

void TrptFrameProbe::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  FPassos += "DepoisConfigurar;";
}

void TrptFrameProbe::DoParamChange(TObject* sender, TnpqParamItem* param) {
  TnrwBaseDll::DoParamChange(sender, param);
  FPassos += "DoParamChange " + param->Name() + ";";
}

void TrptFrameProbe::ImprimirInterno() {
  FReport->SetValues("pPassos", FPassos + "ImprimirInterno");
  FReport->SetValues("pMarcaAnterior", FMarca);
  FMarca = "impresso";
  if (FReport->GetValues("pFalhar") == "1") throw Exception("falha proposital do relatório");
  if (FReport->GetValues("pErroParam") == "1")
    throw EnParam("pLinhas", "Número de linhas inválido.");
  std::string sql = FReport->GetValues("pSQL");
  if (!sql.empty()) {
    TnClientDataSet* ds = ExecutarSQL(sql);
    TnSQLGuard guard(ds);
  }
  MostrarLinhas(static_cast<int>(StrToIntDef(FReport->GetValues("pLinhas"), 0)));
  FReport->MsgMensagem(1, "Aviso de teste");
}

void TrptFrameProbe::MostrarLinhas(int linhas) {
  TnProgresso* progresso = CriarProgresso();
  progresso->SetTextos("Prova", "Linhas");
  progresso->ConfigurarProgressoTotal(0, 1);
  progresso->ConfigurarProgressoParcial(0, linhas);
  progresso->MostrarMultiplo();
  for (int i = 1; i <= linhas; ++i) {
    FReport->SetValues("R1", "Linha " + IntToStr(i) + " — Açúcar & Café");
    FReport->SetValues("R2", FormatFloat("#,##0.00;(#,##0.00)", (i % 2 ? 1 : -1) * 1234.5 * i));
    FReport->RepPrintSection(8);
    FReport->CSLShowProgress(i, linhas);
    progresso->IncProgressoParcial();
  }
  progresso->IncProgressoTotal();
  progresso->Hide();
  FReport->CSLShowProgress(0, 0);
}

VIREO_REGISTER_REPORT(TrptFrameProbe)

}  // namespace vireo
