#include "host/scheduler/agenda_edicao.h"

#include <memory>

#include "host/core/exception.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/data/host_session.h"
#include "host/data/host_variables.h"
#include "host/report/data_module.h"
#include "host/scheduler/agenda_module.h"
#include "host/scheduler/editor_registry.h"
#include "host/scheduler/recurrence.h"

namespace vireo {
namespace {

constexpr const char* kVarInclusion = "gInclusionCodigoUsuarioDest";
constexpr int kDuracaoPadraoMinutos = 30;
constexpr int kHoraPadrao = 9;

// The columns written, in the order of Valores().
const std::vector<std::string>& Colunas() {
  static const std::vector<std::string> colunas = {"SEQAGENDAPAI",
                                                   "DATAHORAINICIO",
                                                   "DATAHORAFIM",
                                                   "TITULOTAREFA",
                                                   "MENSAGEMTAREFA",
                                                   "LOCALIZACAOTAREFA",
                                                   "TIPOTAREFA",
                                                   "ESTADOTAREFA",
                                                   "OPCAOTAREFA",
                                                   "LABELCOR",
                                                   "IDRECURSO",
                                                   "INDICERECORRENCIATAREFA",
                                                   "INFORECORRENCIATAREFA",
                                                   "LEMBRETEMINUTOS",
                                                   "CODIGOUSUARIODEST",
                                                   "CODIGOUSUARIOORIG",
                                                   "CONCLUIDA",
                                                   "CODIGOCONTATO",
                                                   "MULTIPLA",
                                                   "TIPOGRUPOPESSOA",
                                                   "CODIGOPESSOAFIN",
                                                   "CODIGOESCRIT",
                                                   "CODIGOIMOVEL"};
  return colunas;
}

Variant Opt(const std::optional<int>& v) { return v ? Variant(*v) : Variant(); }
Variant Texto(const std::string& s) { return s.empty() ? Variant() : Variant(s); }

std::vector<Variant> Valores(const TcxSchedulerEvent& e) {
  auto c = [&](const char* nome) { return e.GetCustomFieldValueByName(nome); };
  return {Opt(e.ParentID),
          Variant::FromDateTime(e.Start),
          Variant::FromDateTime(e.Finish),
          Texto(e.Caption),
          Texto(e.Message),
          Texto(e.Location),
          e.EventType,
          e.State,
          e.Options,
          Opt(e.LabelColor),
          Opt(e.ResourceID),
          Opt(e.RecurrenceIndex),
          Texto(e.RecurrenceInfo),
          Opt(e.ReminderMinutes),
          c("CODIGOUSUARIODEST"),
          c("CODIGOUSUARIOORIG"),
          c("CONCLUIDA"),
          c("CODIGOCONTATO"),
          c("MULTIPLA"),
          c("TIPOGRUPOPESSOA"),
          c("CODIGOPESSOAFIN"),
          c("CODIGOESCRIT"),
          c("CODIGOIMOVEL")};
}

// A new row takes the key after the highest one, inside the transaction.
std::string SqlInsert() {
  std::string colunas = "SEQAGENDA", valores;
  for (const std::string& c : Colunas()) {
    colunas += ", " + c;
    valores += ", ?";
  }
  return "insert into AGENDAUSUARIO (" + colunas + ") select coalesce(max(SEQAGENDA), 0) + 1" +
         valores + " from AGENDAUSUARIO";
}

std::string SqlUpdate() {
  std::string sets;
  for (const std::string& c : Colunas()) sets += (sets.empty() ? "" : ", ") + c + " = ?";
  return "update AGENDAUSUARIO set " + sets + " where SEQAGENDA = ?";
}

}  // namespace

TnEdicaoAgenda::TnEdicaoAgenda(TnConnection& connection, const TnAberturaAgenda& abertura)
    : connection_(connection) {
  TnOrgDMAgendaUsuario modulo;
  storage_.Assign(*modulo.Storage());
  storage_.SetEvents({});  // offers every custom field of its settings
  if (!abertura.seq) {
    evento_.Start = Date() + EncodeTime(kHoraPadrao, 0, 0);
    evento_.Finish = evento_.Start + EncodeTime(0, kDuracaoPadraoMinutos, 0);
    evento_.State = tlsBusy;
  } else {
    TcxSchedulerEvent lido = Ler(*abertura.seq);
    evento_ = abertura.ocorrencia ? Ocorrencia(lido, *abertura.ocorrencia) : lido;
  }
  VariaveisModelo().Limpar(kVarInclusion);
  editor_ = AbrirEditorEvento(evento_, &storage_);
  // An occurrence stays with its series' user.
  if (evento_.EventType == etCustom) {
    if (TnFraControle* destino = editor_->FindControl("CODIGOUSUARIODEST")) {
      destino->SetEnabled(false);
    }
  }
}

TnEdicaoAgenda::~TnEdicaoAgenda() {
  if (editor_ && !fechado_) {
    editor_->FormDeactivate();
    editor_->FormDestroy();
  }
}

TcxSchedulerEvent TnEdicaoAgenda::Ler(int seq) {
  std::unique_ptr<TnClientDataSet> linhas(
      connection_.Query("select * from AGENDAUSUARIO where SEQAGENDA = ?", {seq}));
  if (linhas->IsEmpty()) throw Exception(AgendamentoMsg(seq, "não encontrado"));
  TDataSource fonte;
  fonte.SetDataSet(linhas.get());
  TcxSchedulerDBStorage leitura;
  leitura.Assign(storage_);
  leitura.Settings().TableName.clear();
  leitura.SetDataSource(&fonte);
  leitura.FullRefresh();
  TcxSchedulerEvent e = leitura.Events().front();
  if (e.EventType == etException) throw Exception(AgendamentoMsg(seq, "é uma ocorrência excluída"));
  return e;
}

bool TnEdicaoAgenda::Existe(const std::string& where, const std::vector<Variant>& params) {
  std::unique_ptr<TnClientDataSet> linhas(
      connection_.Query("select count(*) from AGENDAUSUARIO where " + where, params));
  return linhas->Fields(0)->AsInteger() > 0;
}

TcxSchedulerEvent TnEdicaoAgenda::Ocorrencia(const TcxSchedulerEvent& serie, int indice) {
  if (serie.EventType != etPattern) throw Exception(AgendamentoMsg(serie.ID, "não é uma série"));
  if (indice < 0) throw Exception(AgendamentoMsg(serie.ID, "ocorrência inválida"));
  std::unique_ptr<TnClientDataSet> excecao(connection_.Query(
      "select SEQAGENDA, TIPOTAREFA from AGENDAUSUARIO where SEQAGENDAPAI = ? and "
      "INDICERECORRENCIATAREFA = ?",
      {serie.ID, indice}));
  if (!excecao->IsEmpty()) {
    // Already changed: edit that row.
    return Ler(static_cast<int>(excecao->Fields(0)->AsInteger()));
  }
  std::optional<TDateTime> inicio;
  TcxRecurrence::Parse(serie.RecurrenceInfo)
      .Expand(serie.Start, EncodeDate(9999, 12, 31), [&](int i, TDateTime at) {
        if (i == indice) inicio = at;
        return i < indice;
      });
  if (!inicio) {
    throw Exception(AgendamentoMsg(serie.ID, "não tem a ocorrência " + std::to_string(indice)));
  }
  TcxSchedulerEvent o = serie;
  o.ID = 0;
  o.EventType = etCustom;
  o.ParentID = serie.ID;
  o.RecurrenceIndex = indice;
  o.RecurrenceInfo.clear();
  o.Start = *inicio;
  o.Finish = *inicio + (serie.Finish - serie.Start);
  return o;
}

std::vector<int> TnEdicaoAgenda::Salvar() {
  const TcxSchedulerEvent original = evento_;
  editor_->Confirm();
  std::unique_ptr<TnWriteTransaction> gravacao = connection_.StartWrite();
  if (original.ID != 0) {
    // Holds the row against a delete before checking it is still there.
    gravacao->Execute("update AGENDAUSUARIO set SEQAGENDA = SEQAGENDA where SEQAGENDA = ?",
                      {original.ID});
    if (!Existe("SEQAGENDA = ?", {original.ID})) {
      evento_ = original;
      throw Exception(AgendamentoMsg(original.ID, "foi excluído enquanto era editado"));
    }
  } else if (original.ParentID) {
    if (!Existe("SEQAGENDA = ?", {*original.ParentID}) ||
        Existe("SEQAGENDAPAI = ? and INDICERECORRENCIATAREFA = ?",
               {*original.ParentID, Opt(original.RecurrenceIndex)})) {
      evento_ = original;
      throw Exception(
          AgendamentoMsg(*original.ParentID, "mudou enquanto a ocorrência era editada"));
    }
  }
  const bool multipla = VariaveisModelo().Existe(kVarInclusion);
  if (multipla) evento_.SetCustomFieldValueByName("MULTIPLA", 1);
  std::vector<int> usuarios{
      static_cast<int>(evento_.GetCustomFieldValueByName("CODIGOUSUARIODEST").AsInteger())};
  std::vector<Variant> valores = Valores(evento_);
  if (evento_.ID != 0) {
    valores.push_back(evento_.ID);
    gravacao->Execute(SqlUpdate(), valores);
  } else {
    gravacao->Execute(SqlInsert(), valores);
  }
  // The other users of a booking: one new row each.
  while (evento_.EventType != etCustom &&
         !VariaveisModelo().Valor(kVarInclusion).AsString().empty()) {
    evento_.ID = 0;
    evento_.SetCustomFieldValueByName("CODIGOUSUARIOORIG", Variant());
    editor_->UpdateEventValuesFromControls();
    evento_.SetCustomFieldValueByName("MULTIPLA", 1);
    usuarios.push_back(
        static_cast<int>(evento_.GetCustomFieldValueByName("CODIGOUSUARIODEST").AsInteger()));
    gravacao->Execute(SqlInsert(), Valores(evento_));
  }
  gravacao->Commit();
  VariaveisModelo().Limpar(kVarInclusion);
  fechado_ = true;
  editor_->FormDeactivate();
  editor_->FormDestroy();
  return usuarios;
}

void TnEdicaoAgenda::Cancelar() {
  if (fechado_) return;
  fechado_ = true;
  VariaveisModelo().Limpar(kVarInclusion);
  editor_->FormDeactivate();
  editor_->FormDestroy();
}

}  // namespace vireo
