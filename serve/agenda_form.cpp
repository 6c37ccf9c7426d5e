#include "serve/agenda_form.h"

#include <memory>

#include "host/core/exception.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/panel.h"
#include "host/report/params.h"
#include "serve/panel_session.h"

namespace vireo::serve {
namespace {

using nlohmann::json;

std::optional<int> OptionalInt(const json& body, const char* key) {
  auto it = body.find(key);
  if (it == body.end() || it->is_null()) return std::nullopt;
  if (!it->is_number_integer() || *it < 0 || *it > INT32_MAX)
    throw EUsage(std::string("\"") + key + "\" deve ser um número inteiro");
  return it->get<int>();
}

std::string Title(const TcxSchedulerEvent& e) {
  if (e.EventType == etCustom && e.ParentID && e.RecurrenceIndex)
    return "Ocorrência " + std::to_string(*e.RecurrenceIndex) + " da série " +
           std::to_string(*e.ParentID);
  return e.ID != 0 ? "Agendamento " + std::to_string(e.ID) : "Novo agendamento";
}

}  // namespace

AgendaEdit ReadAgendaEdit(const json& body) {
  AgendaEdit edit;
  edit.open.seq = OptionalInt(body, "seq");
  edit.open.ocorrencia = OptionalInt(body, "occurrence");
  if (edit.open.ocorrencia && !edit.open.seq)
    throw EUsage("Uma ocorrência pede o agendamento da série");
  auto changes = body.find("changes");
  if (changes == body.end() || changes->is_null()) return edit;
  if (!changes->is_array() || changes->size() > kMaxAgendaChanges)
    throw EUsage("\"changes\" deve ser uma lista de até " + std::to_string(kMaxAgendaChanges) +
                 " pares [campo, valor]");
  for (const json& c : *changes) {
    if (!c.is_array() || c.size() != 2 || !c[0].is_string() || !c[1].is_string())
      throw EUsage("Cada alteração é um par [campo, valor] de textos");
    std::string name = c[0], value = c[1];
    if (name.size() > 64 || value.size() > kMaxValueLength)
      throw EUsage("Campo ou valor longo demais: " + name.substr(0, 64));
    edit.changes.emplace_back(std::move(name), std::move(value));
  }
  return edit;
}

void CheckOwnAppointment(TnConnection& db, const TnAberturaAgenda& open, int user) {
  if (!open.seq) return;
  std::unique_ptr<TnClientDataSet> row(
      db.Query("select CODIGOUSUARIODEST from AGENDAUSUARIO where SEQAGENDA = ?", {*open.seq}));
  // A missing row is the editor's to refuse, with its own message.
  if (!row->IsEmpty() && row->Fields(0)->AsInteger() != user)
    throw Exception(AgendamentoMsg(*open.seq, "é da agenda de outro usuário"));
}

AgendaForm::AgendaForm(TnConnection& db, const AgendaEdit& edit) : edit_(db, edit.open) {
  TcxSchedulerEventEditor& editor = edit_.Editor();
  for (const auto& [name, value] : edit.changes) {
    if (!editor.FindControl(name)) throw EUsage("Campo desconhecido: " + name);
    try {
      editor.SetControlText(name, value);
    } catch (const EDatabaseError&) {
      throw;
    } catch (const Exception& e) {
      refused_field_ = name;
      refusal_ = e.Message();
      return;
    }
  }
}

json AgendaForm::State() const {
  const TcxSchedulerEventEditor& editor = edit_.Editor();
  json fields = json::array();
  for (int i = 0; i < editor.ControlCount(); ++i) {
    const TnFraControle* c = editor.Controls(i);
    const TnpqParamItem& p = *c->Param();
    fields.push_back({{"name", c->FieldName()},
                      {"caption", p.Caption()},
                      {"kind", ParamKindName(p.Kind())},
                      {"text", editor.ControlText(c->FieldName())},
                      {"description", editor.Description(c->FieldName())},
                      {"enabled", c->Enabled()},
                      {"hidden", p.Hidden()},
                      {"required", c->Required()},
                      {"lookup", dynamic_cast<const TnFraCtrlNDLinkEdit*>(c) != nullptr},
                      {"items", ChoiceList(p.Definition().items)}});
  }
  json refused;
  if (!refused_field_.empty()) refused = {{"field", refused_field_}, {"message", refusal_}};
  return {{"title", Title(edit_.Evento())},
          {"editor", editor.ClassName()},
          {"fields", fields},
          {"refused", refused}};
}

json AgendaForm::Choices(const std::string& name) const {
  if (!edit_.Editor().FindControl(name)) throw EUsage("Campo desconhecido: " + name);
  return ChoiceList(edit_.Editor().Choices(name));
}

std::vector<int> AgendaForm::Save() {
  // A change the editor refused is not in the form: saving without it
  // would write something other than what the user typed.
  if (!refused_field_.empty()) throw Exception(refusal_);
  return edit_.Salvar();
}

}  // namespace vireo::serve
