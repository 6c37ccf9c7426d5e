#include "host/scheduler/agenda_module.h"

#include "host/scheduler/event_storage.h"

namespace vireo {
namespace {

void ConfigurarStorageAgenda(TcxSchedulerDBStorage& storage) {
  storage.SetName("cxStorageAgenda");
  TcxStorageSettings& s = storage.Settings();
  s.TableName = "AGENDAUSUARIO";
  s.FieldNames = {.ID = "SEQAGENDA",
                  .ParentID = "SEQAGENDAPAI",
                  .Start = "DATAHORAINICIO",
                  .Finish = "DATAHORAFIM",
                  .Caption = "TITULOTAREFA",
                  .Message = "MENSAGEMTAREFA",
                  .Location = "LOCALIZACAOTAREFA",
                  .EventType = "TIPOTAREFA",
                  .State = "ESTADOTAREFA",
                  .Options = "OPCAOTAREFA",
                  .LabelColor = "LABELCOR",
                  .ResourceID = "IDRECURSO",
                  .RecurrenceIndex = "INDICERECORRENCIATAREFA",
                  .RecurrenceInfo = "INFORECORRENCIATAREFA",
                  .ReminderMinutes = "LEMBRETEMINUTOS"};
  s.CustomFields = {"CODIGOUSUARIODEST", "CODIGOUSUARIOORIG", "CONCLUIDA",
                    "CODIGOCONTATO",     "MULTIPLA",          "TIPOGRUPOPESSOA",
                    "CODIGOPESSOAFIN",   "CODIGOESCRIT",      "CODIGOIMOVEL"};
}

// Registered when the scheduler library loads; forgotten (and the host's
// module of it freed) when it unloads.
struct Registro {
  Registro() { RegistrarClasseDM<TnOrgDMAgendaUsuario>(kDMAgendaUsuario); }
  ~Registro() { DesregistrarDM(kDMAgendaUsuario); }
};
const Registro registro;

}  // namespace

TnOrgDMAgendaUsuario::TnOrgDMAgendaUsuario() : storage_(std::make_unique<TcxSchedulerDBStorage>()) {
  ConfigurarStorageAgenda(*storage_);
}

TnOrgDMAgendaUsuario::~TnOrgDMAgendaUsuario() = default;

void TnOrgDMAgendaUsuario::Preparar() { prepared_ = true; }

TObject* TnOrgDMAgendaUsuario::FindComponent(const std::string& name) {
  if (name == kStorageAgenda || name == storage_->Name()) return storage_.get();
  return TnDMClientDataSet::FindComponent(name);
}

}  // namespace vireo
