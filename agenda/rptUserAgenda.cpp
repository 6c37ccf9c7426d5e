#include "agenda/rptUserAgenda.h"

#include <algorithm>

#include "agenda/rptUserAgendaSQL.h"
#include "frame/nrwBaseDllReg.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/host_session.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "host/report/data_module.h"
#include "host/report/engine.h"
#include "host/scheduler/agenda_module.h"
#include "host/scheduler/event_storage.h"
#include "host/scheduler/scheduler.h"

namespace vireo {
namespace {

constexpr int kCodigoAdministrador = 0;
constexpr const char* kNomeAdministrador = "Administrador";
// The right that lets a user see the agendas of others, and the value the
// host grants it with.
constexpr const char* kDireitoVerUsuarios = "actTnOrgDPUsuario";
constexpr int kValorDireito = 56;
constexpr const char* kHoraMeiaNoite = "00:00:00";

// The per-user objects, freed on every path.
struct TnObjetosUsuario {
  TnClientDataSet* agenda = nullptr;
  TDataSource fonte;
  TcxSchedulerDBStorage storage;
  ~TnObjetosUsuario() { DestruirSQL(agenda); }
};

}  // namespace

TrptUserAgenda::~TrptUserAgenda() = default;

std::string TrptUserAgenda::Versao() { return "[versao: 1.1.100.0]"; }

std::vector<int> TrptUserAgenda::CriarListaSectionsParaZebrar() { return {kCompromisso}; }

void TrptUserAgenda::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptUserAgenda::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptUserAgenda::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptUserAgenda::LerParametros() {
  FDataIni = FReport->Param("pDataInicial")->GetAsDate();
  FDataFim = FReport->Param("pDataFinal")->GetAsDate();
  if (FDataIni > FDataFim) {
    throw EnParam("pDataInicial", "Data inicial não pode ser maior que data final.");
  }
  FCodigoUsuario = Trim(FReport->RepParam("pCodigoUsuario"));
  FMostrarConcluido = FReport->Param("pMostrarConcluido")->GetAsInteger() == 1;
}

void TrptUserAgenda::IncluirAdministrador() {
  TnClientDataSet* usuarios = MainDataSet();
  if (!FCodigoUsuario.empty() && !CheckInInclusion(kCodigoAdministrador, FCodigoUsuario, {1})) {
    return;
  }
  if (usuarios->FindKey({kCodigoAdministrador})) return;
  usuarios->Append();
  usuarios->Fields(0)->SetAsInteger(kCodigoAdministrador);
  usuarios->Fields(1)->SetAsString(kNomeAdministrador);
  usuarios->Post();
}

void TrptUserAgenda::ImprimirInterno() {
  LerParametros();
  TnClientDataSet* usuarios = MainDataSet();
  if (usuarios == nullptr)
    throw Exception("rptUserAgenda: o layout não tem a consulta de usuários");
  usuarios->SetIndexFieldNames(usuarios->Fields(0)->FieldName());
  IncluirAdministrador();
  if (usuarios->IsEmpty()) return;

  FFldCodigoUsuario = usuarios->FieldByName("CodigoUsuario");
  const long long total = usuarios->RecordCount();

  FDMAgenda = dynamic_cast<TnDMClientDataSet*>(CriarDM(kDMAgendaUsuario));
  if (FDMAgenda == nullptr)
    throw Exception(std::string(kDMAgendaUsuario) + " não é um TnDMClientDataSet");
  FDMAgenda->Preparar();

  long long n = 0;
  for (usuarios->First(); !usuarios->Eof(); usuarios->Next()) {
    FReport->CSLShowProgress(++n, total);
    ImprimirAgendaUsuario();
    FReport->RepEndOfPage(true);
  }
}

void TrptUserAgenda::ImprimirAgendaUsuario() {
  TnObjetosUsuario objetos;
  const TnFiltroAgendaUsuario filtro{
      .CodigoUsuario = static_cast<int>(FFldCodigoUsuario->AsInteger()),
      .MostrarConcluido = FMostrarConcluido,
      .VerOutrosUsuarios = PegarDireito(kDireitoVerUsuarios, kValorDireito),
      .CodigoUsuarioLogado = nDMConexao().CodigoUsuario()};
  objetos.agenda =
      ExecutarSQL(SelectAgendaUsuario(filtro), {Variant::FromDateTime(DateOf(FDataFim))}, true,
                  false, -1, "", nullptr, true);
  if (objetos.agenda->IsEmpty()) return;

  objetos.fonte.SetDataSet(objetos.agenda);
  auto* origem = dynamic_cast<TcxSchedulerDBStorage*>(FDMAgenda->FindComponent(kStorageAgenda));
  if (origem == nullptr) throw Exception("Agenda sem o armazenamento da tela de agenda");
  objetos.storage.Assign(*origem);
  objetos.storage.SetDataSource(&objetos.fonte);
  objetos.storage.FullRefresh();

  FScheduler = std::make_unique<TcxScheduler>();
  FScheduler->SetStorage(&objetos.storage);
  FScheduler->SetDateNavigatorStart(FDataIni);
  FScheduler->SetSelectedDate(DateOf(FDataFim) + 1);
  struct LiberarScheduler {
    std::unique_ptr<TcxScheduler>& s;
    ~LiberarScheduler() { s.reset(); }
  } liberar{FScheduler};

  for (FCompetencia = FDataIni; FCompetencia <= FDataFim;
       FCompetencia = StartOfTheMonth(IncMonth(StartOfTheMonth(FCompetencia)))) {
    ImprimirCompetencia(objetos.storage);
  }
}

void TrptUserAgenda::ImprimirCompetencia(const TcxSchedulerDBStorage&) {
  const TDateTime ultimo = std::min(DateOf(FDataFim), DateOf(EndOfTheMonth(FCompetencia)));
  FScheduler->SelectDays(FCompetencia, ultimo);
  FScheduler->FullRefresh();
  const TDateTime inicio = DateOf(FCompetencia);
  const TDateTime fim = ultimo + 1;  // the end of day `ultimo`
  for (const TcxSchedulerOccurrence& ocorrencia : FScheduler->VisibleEvents()) {
    if (ocorrencia.Start >= fim || ocorrencia.Start < inicio) continue;
    FCompromisso = &ocorrencia;
    ImprimirCompromisso();
  }
  FCompromisso = nullptr;
}

void TrptUserAgenda::ImprimirCompromisso() {
  const std::string hora_inicio = FormatDateTime("hh:nn:ss", FCompromisso->Start);
  const std::string hora_fim = FormatDateTime("hh:nn:ss", FCompromisso->Finish);
  TDateTime data_fim = DateOf(FCompromisso->Finish);
  // An all-day appointment ends at midnight of the day after its last.  One
  // that ends when it starts keeps its day: its end never reads as the day
  // before its start.
  if (hora_inicio == kHoraMeiaNoite && hora_fim == kHoraMeiaNoite &&
      data_fim > DateOf(FCompromisso->Start)) {
    data_fim = IncDay(data_fim, -1);
  }
  FReport->Param("R1")->SetValue(FormatDateTime("dd/mm/yyyy", FCompromisso->Start));
  FReport->Param("R2")->SetValue(hora_inicio);
  FReport->Param("R5")->SetValue(FormatDateTime("dd/mm/yyyy", data_fim));
  FReport->Param("R4")->SetValue(hora_fim);
  FReport->Param("R3")->SetValue(FCompromisso->Event->Caption);
  FReport->RepPrintSection(kCompromisso);
}

VIREO_REGISTER_REPORT(TrptUserAgenda)

}  // namespace vireo
