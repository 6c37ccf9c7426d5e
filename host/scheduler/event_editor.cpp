#include "host/scheduler/event_editor.h"

#include <cmath>

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/scheduler/event_labels.h"
#include "host/scheduler/recurrence.h"

namespace vireo {
namespace {

constexpr const char* kFormatoDataHora = "dd/mm/yyyy hh:nn";
constexpr int kLembretePadrao = 15;

enum TerminoRecorrencia { kSemTermino = 0, kAposOcorrencias = 1, kAteData = 2 };

TnParamDef Def(const char* name, const char* caption, TnParamKind kind = TnParamKind::Text,
               std::vector<TnParamChoice> items = {}) {
  TnParamDef def;
  def.name = name;
  def.caption = caption;
  def.kind = kind;
  def.items = std::move(items);
  return def;
}

std::vector<TnParamChoice> Marcadores() {
  std::vector<TnParamChoice> items;
  const TcxEventLabels& labels = EventLabels();
  for (int i = 0; i < labels.Count(); ++i) {
    items.push_back({std::to_string(labels.Items(i).Color), labels.Items(i).Caption});
  }
  return items;
}

TDateTime LerDataHora(const std::string& text, const char* campo) {
  TDateTime value = 0;
  if (!TryStrToDateTime(Trim(text), value)) {
    throw Exception(std::string("Data e hora inválidas em ") + campo + ": \"" + text + "\"");
  }
  return value;
}

// The rule's parts by name, in upper case; FREQ first.
std::vector<std::pair<std::string, std::string>> Partes(std::string rule) {
  if (UpperCase(rule.substr(0, 6)) == "RRULE:") rule = rule.substr(6);
  std::vector<std::pair<std::string, std::string>> parts;
  for (const std::string& part : StrToStrArray(rule, ";")) {
    const size_t eq = part.find('=');
    if (eq == std::string::npos) continue;
    parts.emplace_back(UpperCase(Trim(part.substr(0, eq))), Trim(part.substr(eq + 1)));
  }
  return parts;
}

}  // namespace

TcxSchedulerEventEditor::TcxSchedulerEventEditor(TcxSchedulerEvent& event,
                                                 const TcxSchedulerDBStorage* storage)
    : event_(event), storage_(storage) {}

TcxSchedulerEventEditor::~TcxSchedulerEventEditor() noexcept = default;

TnFraControle* TcxSchedulerEventEditor::AddControl(TnParamDef def, ChangeHandler on_change) {
  const std::string name = def.name;
  const bool lookup = !def.lookup.empty();
  TnpqParamItem* item = fields_.Add(std::move(def));
  std::unique_ptr<TnFraControle> control =
      lookup ? std::make_unique<TnFraCtrlNDLinkEdit>(item) : std::make_unique<TnFraControle>(item);
  order_.push_back(control.get());
  controls_.push_back(std::move(control));
  if (on_change) on_change_[UpperCase(name)] = std::move(on_change);
  return order_.back();
}

void TcxSchedulerEventEditor::SetDescriber(const std::string& name, Describer describe) {
  describe_[UpperCase(name)] = std::move(describe);
}

void TcxSchedulerEventEditor::SetOnChange(const std::string& name, ChangeHandler on_change) {
  on_change_[UpperCase(name)] = std::move(on_change);
}

TnFraControle* TcxSchedulerEventEditor::FindControl(const std::string& name) const {
  for (TnFraControle* c : order_) {
    if (SameText(c->FieldName(), name)) return c;
  }
  return nullptr;
}

std::string TcxSchedulerEventEditor::ControlText(const std::string& name) const {
  TnFraControle* c = FindControl(name);
  return c != nullptr ? c->Param()->Value() : std::string();
}

void TcxSchedulerEventEditor::LoadControl(const std::string& name, const std::string& text) {
  if (TnFraControle* c = FindControl(name)) c->Param()->SetValue(text);
}

void TcxSchedulerEventEditor::SetControlText(const std::string& name, const std::string& text) {
  TnFraControle* c = FindControl(name);
  if (c == nullptr || c->Param()->Hidden()) throw Exception("Campo desconhecido: " + name);
  if (!c->Enabled()) throw Exception("Campo desabilitado: " + c->Param()->Caption());
  c->SetAsString(text);
  modified_ = true;
  auto handler = on_change_.find(UpperCase(c->FieldName()));
  if (handler != on_change_.end()) handler->second();
}

std::string TcxSchedulerEventEditor::Description(const std::string& name) const {
  auto it = describe_.find(UpperCase(name));
  return it == describe_.end() ? std::string() : it->second(ControlText(name));
}

std::vector<TnParamChoice> TcxSchedulerEventEditor::Choices(const std::string& name) const {
  TnFraControle* c = FindControl(name);
  return c != nullptr ? c->Param()->Definition().items : std::vector<TnParamChoice>{};
}

bool TcxSchedulerEventEditor::CanFocus(const std::string& name) const {
  TnFraControle* c = FindControl(name);
  return c != nullptr && c->Enabled() && !c->Param()->Hidden();
}

void TcxSchedulerEventEditor::FocusControl(const std::string& name) {
  for (size_t i = 0; i < order_.size(); ++i) {
    if (SameText(order_[i]->FieldName(), name)) focus_ = static_cast<int>(i);
  }
}

void TcxSchedulerEventEditor::InitializeControls() {
  using K = TnParamKind;
  AddControl(Def(cxc::kAssunto, "Assunto"));
  AddControl(Def(cxc::kLocal, "Local"));
  AddControl(Def(cxc::kInicio, "Início"));
  AddControl(Def(cxc::kFim, "Término"));
  AddControl(Def(cxc::kDiaInteiro, "Dia inteiro", K::YesNo));
  AddControl(Def(cxc::kRecorrencia, "Recorrência", K::Choice,
                 {{"", "Nenhuma"},
                  {"DAILY", "Diária"},
                  {"WEEKLY", "Semanal"},
                  {"MONTHLY", "Mensal"},
                  {"YEARLY", "Anual"}}),
             [this] { EnableRecurrence(); });
  AddControl(Def(cxc::kIntervalo, "A cada", K::Integer));
  AddControl(Def(cxc::kDias, "Dias (MO,WE / 31 / 2TU)"));
  AddControl(Def(cxc::kTermino, "Término da recorrência", K::Choice,
                 {{"0", "Sem término"}, {"1", "Após ocorrências"}, {"2", "Até a data"}}),
             [this] { EnableRecurrence(); });
  AddControl(Def(cxc::kOcorrencias, "Ocorrências", K::Integer));
  AddControl(Def(cxc::kAteData, "Até", K::Date));
  AddControl(Def(cxc::kLembrete, "Lembrete", K::YesNo), [this] {
    FindControl(cxc::kLembreteMinutos)->SetEnabled(ControlText(cxc::kLembrete) == "1");
  });
  AddControl(Def(cxc::kLembreteMinutos, "Minutos antes", K::Integer));
  AddControl(Def(cxc::kMostrarComo, "Mostrar como", K::Choice,
                 {{"0", "Livre"}, {"1", "Provisório"}, {"2", "Ocupado"}, {"3", "Ausente"}}));
  AddControl(Def(cxc::kMarcador, "Marcador", K::Choice, Marcadores()));
  AddControl(Def(cxc::kRecurso, "Recurso", K::Integer));
  AddControl(Def(cxc::kMensagem, "Mensagem"));
}

void TcxSchedulerEventEditor::FormShow() {
  const TcxSchedulerEvent& e = event_;
  LoadControl(cxc::kAssunto, e.Caption);
  LoadControl(cxc::kLocal, e.Location);
  LoadControl(cxc::kInicio, FormatDateTime(kFormatoDataHora, e.Start));
  // An all-day appointment shows its last day, not the midnight after it.
  LoadControl(cxc::kFim, FormatDateTime(kFormatoDataHora, e.AllDay() ? e.Finish - 1 : e.Finish));
  LoadControl(cxc::kDiaInteiro, e.AllDay() ? "1" : "0");
  LoadControl(cxc::kLembrete, e.Reminder() ? "1" : "0");
  LoadControl(cxc::kLembreteMinutos, std::to_string(e.ReminderMinutes.value_or(kLembretePadrao)));
  FindControl(cxc::kLembreteMinutos)->SetEnabled(e.Reminder());
  LoadControl(cxc::kMostrarComo, std::to_string(e.State));
  const int label = e.HasLabel() ? *e.LabelColor : kSemLabel;
  if (EventLabels().IndexOfColor(label) >= 0) LoadControl(cxc::kMarcador, std::to_string(label));
  LoadControl(cxc::kRecurso, e.ResourceID ? std::to_string(*e.ResourceID) : "");
  LoadControl(cxc::kMensagem, e.Message);
  LoadRecurrence();
  modified_ = false;
}

void TcxSchedulerEventEditor::LoadRecurrence() {
  LoadControl(cxc::kIntervalo, "1");
  LoadControl(cxc::kTermino, std::to_string(kSemTermino));
  rule_extra_.clear();
  if (event_.EventType == etPattern) {
    for (const auto& [name, value] : Partes(event_.RecurrenceInfo)) {
      if (name == "FREQ") {
        LoadControl(cxc::kRecorrencia, UpperCase(value));
      } else if (name == "INTERVAL") {
        LoadControl(cxc::kIntervalo, value);
      } else if (name == "BYDAY" || name == "BYMONTHDAY") {
        LoadControl(cxc::kDias, value);
      } else if (name == "COUNT") {
        LoadControl(cxc::kTermino, std::to_string(kAposOcorrencias));
        LoadControl(cxc::kOcorrencias, value);
      } else if (name == "UNTIL") {
        if (auto until = TcxRecurrence::Parse("FREQ=DAILY;UNTIL=" + value).Until()) {
          LoadControl(cxc::kTermino, std::to_string(kAteData));
          LoadControl(cxc::kAteData, FormatDateTime("dd/mm/yyyy", *until));
        }
      } else {
        rule_extra_ += ";" + name + "=" + value;
      }
    }
  }
  EnableRecurrence();
}

void TcxSchedulerEventEditor::EnableRecurrence() {
  // An occurrence of a series keeps the series' rule: it has none to edit.
  const bool serie = !IsOccurrence() && !ControlText(cxc::kRecorrencia).empty();
  FindControl(cxc::kRecorrencia)->SetEnabled(!IsOccurrence());
  for (const char* name : {cxc::kIntervalo, cxc::kDias, cxc::kTermino}) {
    FindControl(name)->SetEnabled(serie);
  }
  const std::string termino = ControlText(cxc::kTermino);
  FindControl(cxc::kOcorrencias)->SetEnabled(serie && termino == "1");
  FindControl(cxc::kAteData)->SetEnabled(serie && termino == "2");
}

std::string TcxSchedulerEventEditor::RuleFromControls() const {
  const std::string freq = ControlText(cxc::kRecorrencia);
  if (freq.empty()) return "";
  std::string rule = "FREQ=" + freq;
  const std::string intervalo = Trim(ControlText(cxc::kIntervalo));
  if (!intervalo.empty() && intervalo != "1") rule += ";INTERVAL=" + intervalo;
  const std::string dias = UpperCase(StringReplace(Trim(ControlText(cxc::kDias)), " ", ""));
  if (!dias.empty()) {
    const bool numeros = dias.find_first_not_of("0123456789,-") == std::string::npos;
    rule += (numeros ? ";BYMONTHDAY=" : ";BYDAY=") + dias;
  }
  rule += rule_extra_;
  const std::string termino = ControlText(cxc::kTermino);
  if (termino == "1") rule += ";COUNT=" + Trim(ControlText(cxc::kOcorrencias));
  if (termino == "2") {
    rule += ";UNTIL=" + FormatDateTime("yyyymmdd", StrToDate(ControlText(cxc::kAteData)));
  }
  return rule;
}

void TcxSchedulerEventEditor::IsValid() {
  const TDateTime inicio = LerDataHora(ControlText(cxc::kInicio), "Início");
  const TDateTime fim = LerDataHora(ControlText(cxc::kFim), "Término");
  if (fim < inicio) {
    FocusControl(cxc::kFim);
    throw Exception("O término não pode ser anterior ao início.");
  }
  if (IsOccurrence() || ControlText(cxc::kRecorrencia).empty()) return;
  if (StrToIntDef(ControlText(cxc::kIntervalo), 0) < 1) {
    throw Exception("O intervalo da recorrência deve ser ao menos 1.");
  }
  const std::string termino = ControlText(cxc::kTermino);
  if (termino == "1" && StrToIntDef(ControlText(cxc::kOcorrencias), 0) < 1) {
    throw Exception("Informe quantas ocorrências a recorrência tem.");
  }
  if (termino == "2" && (Trim(ControlText(cxc::kAteData)).empty() ||
                         StrToDate(ControlText(cxc::kAteData)) < DateOf(inicio))) {
    throw Exception("A recorrência deve terminar depois do início.");
  }
  TcxRecurrence::Parse(RuleFromControls());
}

void TcxSchedulerEventEditor::UpdateEventValuesFromControls() {
  TcxSchedulerEvent& e = event_;
  e.Caption = ControlText(cxc::kAssunto);
  e.Location = ControlText(cxc::kLocal);
  e.Message = ControlText(cxc::kMensagem);
  e.Start = LerDataHora(ControlText(cxc::kInicio), "Início");
  e.Finish = LerDataHora(ControlText(cxc::kFim), "Término");
  const bool dia_inteiro = ControlText(cxc::kDiaInteiro) == "1";
  const bool lembrete = ControlText(cxc::kLembrete) == "1";
  e.Options = (dia_inteiro ? eoAllDayEvent : 0) | (lembrete ? eoReminder : 0);
  if (dia_inteiro) {
    e.Start = DateOf(e.Start);
    e.Finish = DateOf(e.Finish) + 1;
  }
  e.ReminderMinutes =
      lembrete
          ? std::optional<int>(StrToIntDef(ControlText(cxc::kLembreteMinutos), kLembretePadrao))
          : std::nullopt;
  e.State = StrToIntDef(ControlText(cxc::kMostrarComo), tlsBusy);
  const std::string marcador = ControlText(cxc::kMarcador);
  e.LabelColor = marcador.empty() ? std::nullopt : std::optional<int>(StrToInt(marcador));
  const std::string recurso = Trim(ControlText(cxc::kRecurso));
  e.ResourceID = recurso.empty() ? std::nullopt : std::optional<int>(StrToInt(recurso));
  if (!IsOccurrence()) {
    e.RecurrenceInfo = RuleFromControls();
    e.EventType = e.RecurrenceInfo.empty() ? etNone : etPattern;
  }
}

void TcxSchedulerEventEditor::FormDeactivate() {}
void TcxSchedulerEventEditor::FormDestroy() {}

TcxKeyAction TcxSchedulerEventEditor::FormKeyDown(TcxKey key, bool shift, bool ctrl) {
  if (key == TcxKey::Escape) return TcxKeyAction::Cancel;
  return TcxKeyAction::None;
}

void TcxSchedulerEventEditor::Confirm() {
  IsValid();
  UpdateEventValuesFromControls();
}

}  // namespace vireo
