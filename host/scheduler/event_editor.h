// TcxSchedulerEventEditor: the scheduler's appointment editor, a model
// without a screen.  Its controls are host panel controls, each bound to a
// field of the editor's own parameter collection: subject, location,
// times, all-day, recurrence (frequency, interval, days, end), reminder,
// show-time-as, label, resource and message.  A front end (the terminal
// form of `vireo agenda edit`, later the browser) lists the controls, sets
// them by name and asks the editor to confirm or cancel.
//
// Life of an editor, as the scheduler drives it: InitializeControls, then
// FormShow (values from the appointment), edits, then on confirmation
// IsValid and UpdateEventValuesFromControls; FormDeactivate when it loses
// the focus, FormDestroy before it is freed.  A library may replace the
// class the scheduler hands out (editor_registry.h) with one that adds
// controls of its own.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/core/export.h"
#include "host/core/object.h"
#include "host/report/panel.h"
#include "host/report/params.h"
#include "host/scheduler/scheduler_event.h"

namespace vireo {

class TcxSchedulerDBStorage;

// Names of the base controls.
namespace cxc {
inline constexpr const char* kAssunto = "Assunto";
inline constexpr const char* kLocal = "Local";
inline constexpr const char* kInicio = "Inicio";
inline constexpr const char* kFim = "Fim";
inline constexpr const char* kDiaInteiro = "DiaInteiro";
inline constexpr const char* kRecorrencia = "Recorrencia";
inline constexpr const char* kIntervalo = "Intervalo";
inline constexpr const char* kDias = "Dias";
inline constexpr const char* kTermino = "Termino";
inline constexpr const char* kOcorrencias = "Ocorrencias";
inline constexpr const char* kAteData = "AteData";
inline constexpr const char* kLembrete = "Lembrete";
inline constexpr const char* kLembreteMinutos = "LembreteMinutos";
inline constexpr const char* kMostrarComo = "MostrarComo";
inline constexpr const char* kMarcador = "Marcador";
inline constexpr const char* kRecurso = "Recurso";
inline constexpr const char* kMensagem = "Mensagem";
}  // namespace cxc

// Keys the editor reacts to.
enum class TcxKey { Enter, Escape, Other };
// What a key asked for.
enum class TcxKeyAction { None, FocusNext, FocusPrior, Confirm, Cancel };

class VIREO_API TcxSchedulerEventEditor : public TObject {
 public:
  // `event` is the appointment edited (changed only by
  // UpdateEventValuesFromControls); `storage` the storage it lives in (may
  // be null for an appointment of no storage).
  TcxSchedulerEventEditor(TcxSchedulerEvent& event, const TcxSchedulerDBStorage* storage);
  ~TcxSchedulerEventEditor() noexcept override;

  virtual std::string ClassName() const { return "TcxSchedulerEventEditor"; }

  // The overridable steps, in the base dialog's order.
  virtual void InitializeControls();
  virtual void UpdateEventValuesFromControls();
  // Raises Exception with the reason when the values cannot be saved.
  virtual void IsValid();
  virtual void FormShow();
  virtual void FormDeactivate();
  virtual void FormDestroy();
  virtual TcxKeyAction FormKeyDown(TcxKey key, bool shift, bool ctrl);

  // --- the controls ---------------------------------------------------
  int ControlCount() const { return static_cast<int>(order_.size()); }
  TnFraControle* Controls(int i) const { return order_[static_cast<size_t>(i)]; }
  TnFraControle* FindControl(const std::string& name) const;  // null when none
  // The text of a control, as the user types it; a disabled or hidden
  // control refuses it, as does a value of the wrong form.  Fires the
  // control's change handler.
  void SetControlText(const std::string& name, const std::string& text);
  std::string ControlText(const std::string& name) const;
  // What a lookup control's code stands for ("" when it has no lookup).
  virtual std::string Description(const std::string& name) const;
  // The values a control offers: a choice list's items, or the rows of a
  // lookup.
  virtual std::vector<TnParamChoice> Choices(const std::string& name) const;

  // The focused control (its index in Controls()).
  int Focus() const { return focus_; }
  void SetFocus(int index) { focus_ = index; }
  bool CanFocus(const std::string& name) const;
  void FocusControl(const std::string& name);

  // Confirmation: IsValid, then UpdateEventValuesFromControls.  Errors of
  // IsValid pass on; the appointment is then left as it was.
  void Confirm();
  bool Modified() const { return modified_; }

  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  TcxSchedulerEvent& Event() const { return event_; }
  const TcxSchedulerDBStorage* Storage() const { return storage_; }
  bool IsOccurrence() const { return event_.EventType == etCustom; }

 protected:
  using ChangeHandler = std::function<void()>;
  using Describer = std::function<std::string(const std::string& text)>;
  // Adds a control for a new field of the collection; a lookup definition
  // makes it a TnFraCtrlNDLinkEdit.
  TnFraControle* AddControl(TnParamDef def, ChangeHandler on_change = {});
  void SetDescriber(const std::string& name, Describer describe);
  void SetOnChange(const std::string& name, ChangeHandler on_change);
  // Loads a control without firing its handler or counting as an edit.
  void LoadControl(const std::string& name, const std::string& text);

 private:
  VIREO_LOCAL void LoadRecurrence();
  VIREO_LOCAL std::string RuleFromControls() const;
  VIREO_LOCAL void EnableRecurrence();

  TcxSchedulerEvent& event_;
  const TcxSchedulerDBStorage* storage_;
  TnpqPowerParam fields_;
  std::vector<std::unique_ptr<TnFraControle>> controls_;
  std::vector<TnFraControle*> order_;
  std::map<std::string, ChangeHandler> on_change_;
  std::map<std::string, Describer> describe_;
  std::string rule_extra_;  // parts of the rule the controls do not show, kept
  int focus_ = 0;
  int tag_ = 0;
  bool modified_ = false;
};

}  // namespace vireo
