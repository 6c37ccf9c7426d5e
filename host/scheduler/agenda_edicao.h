// Editing one appointment of the agenda table: the only place the host
// writes.  An edit opens a new appointment, a stored one, or one occurrence
// of a series (saved as a changed occurrence), hands it to the editor class
// in force, and on confirmation writes, in one read-write transaction
// committed at the end, the appointment for its first destination user and
// one more row for each user the editor leaves in
// "gInclusionCodigoUsuarioDest".  A refusal, an error or a cancel writes
// nothing.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/core/export.h"
#include "host/scheduler/event_editor.h"
#include "host/scheduler/event_storage.h"
#include "host/scheduler/scheduler_event.h"

namespace vireo {

class TnConnection;

// What to open: nothing for a new appointment.
struct VIREO_API TnAberturaAgenda {
  std::optional<int> seq;         // SEQAGENDA
  std::optional<int> ocorrencia;  // index of an occurrence of that series
};

class VIREO_API TnEdicaoAgenda {
 public:
  // Raises Exception when the appointment or the occurrence cannot be
  // edited (missing, deleted, not a series).
  TnEdicaoAgenda(TnConnection& connection, const TnAberturaAgenda& abertura);
  ~TnEdicaoAgenda();

  TcxSchedulerEventEditor& Editor() const { return *editor_; }
  const TcxSchedulerEvent& Evento() const { return evento_; }
  bool Novo() const { return evento_.ID == 0; }

  // Validates, then writes every row in one transaction.  Answers the
  // destination users the rows were written for.  A refusal raises
  // Exception; a database error EDatabaseError; nothing is written then.
  std::vector<int> Salvar();
  // Closes the editor without writing.
  void Cancelar();

 private:
  VIREO_LOCAL TcxSchedulerEvent Ler(int seq);
  VIREO_LOCAL TcxSchedulerEvent Ocorrencia(const TcxSchedulerEvent& serie, int indice);
  VIREO_LOCAL bool Existe(const std::string& where, const std::vector<Variant>& params);

  TnConnection& connection_;
  TcxSchedulerDBStorage storage_;
  TcxSchedulerEvent evento_;
  std::unique_ptr<TcxSchedulerEventEditor> editor_;
  bool fechado_ = false;
};

}  // namespace vireo
