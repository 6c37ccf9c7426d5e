// rptUserAgenda: the user agenda.  For each user of the layout's query, the
// appointments of the period, one line per occurrence, month by month, with
// series expanded by the scheduler over a private storage that copies the
// agenda screen's settings.  Each user starts a new page.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/report/base_dll.h"
#include "host/scheduler/scheduler_event.h"

namespace vireo {

class TField;
class TnDMClientDataSet;
class TcxScheduler;
class TcxSchedulerDBStorage;

class TrptUserAgenda : public TnrwBaseDll {
 public:
  enum Secao : int {
    kCabecalhoPagina = 1,
    kCompromisso = 8,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptUserAgenda() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;

 private:
  void LerParametros();
  void IncluirAdministrador();
  void ImprimirAgendaUsuario();
  void ImprimirCompetencia(const TcxSchedulerDBStorage& storage);
  void ImprimirCompromisso();

  TDateTime FDataIni = 0;
  TDateTime FDataFim = 0;
  std::string FCodigoUsuario;
  bool FMostrarConcluido = false;
  TField* FFldCodigoUsuario = nullptr;
  TnDMClientDataSet* FDMAgenda = nullptr;  // the host's
  const TcxSchedulerOccurrence* FCompromisso = nullptr;
  std::unique_ptr<TcxScheduler> FScheduler;
  TDateTime FCompetencia = 0;
};

}  // namespace vireo
