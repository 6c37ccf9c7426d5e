// The appointment editor of the agenda page.  The page keeps the edit (the
// appointment opened and the fields the user changed, in order); each
// request opens the agenda's editor model on the server's connection,
// replays those changes and answers the editor's state, its lookup list or
// the save.  Nothing of one user's edit stays in the process between
// requests, so editors never see each other's half-done values.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/scheduler/agenda_edicao.h"

namespace vireo {
class TnConnection;
}

namespace vireo::serve {

// Changes one edit may carry.
constexpr size_t kMaxAgendaChanges = 200;

struct AgendaEdit {
  TnAberturaAgenda open;  // nothing for a new appointment
  std::vector<std::pair<std::string, std::string>> changes;
};

// {"seq":N,"occurrence":I,"changes":[["Assunto","..."],...]}; raises EUsage
// when it is not that shape or goes beyond the limits.
AgendaEdit ReadAgendaEdit(const nlohmann::json& body);

// The page edits the session user's own agenda: an appointment (or the
// series of an occurrence) of another user's raises Exception.
void CheckOwnAppointment(TnConnection& db, const TnAberturaAgenda& open, int user);

class AgendaForm {
 public:
  // Opens the appointment and replays the changes up to the first one the
  // editor refuses (RefusedField and Refusal then say which and why).  An
  // appointment that cannot be opened raises Exception.
  AgendaForm(TnConnection& db, const AgendaEdit& edit);

  // {"title","editor","fields":[{name,caption,kind,text,description,
  // enabled,hidden,required,lookup,items}],"refused":{field,message}|null}
  nlohmann::json State() const;
  // The values a field offers: [{"value","text"}].
  nlohmann::json Choices(const std::string& name) const;
  // Validates and writes; answers the users the rows went to.  A refusal
  // raises Exception and nothing is written.
  std::vector<int> Save();

  const std::string& RefusedField() const { return refused_field_; }
  const std::string& Refusal() const { return refusal_; }

 private:
  TnEdicaoAgenda edit_;
  std::string refused_field_, refusal_;
};

}  // namespace vireo::serve
