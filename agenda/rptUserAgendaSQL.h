// The query of one user's appointments for the user agenda.
#pragma once

#include <string>

namespace vireo {

struct TnFiltroAgendaUsuario {
  int CodigoUsuario = 0;          // the user printed
  bool MostrarConcluido = false;  // completed appointments listed too
  // Without the right to see other users' agendas, the logged-in user sees
  // only their own.
  bool VerOutrosUsuarios = true;
  int CodigoUsuarioLogado = 0;
};

// Appointments beginning on or before :pDataFim (no lower bound: a series
// begun before the period is read too).
std::string SelectAgendaUsuario(const TnFiltroAgendaUsuario& filtro);

}  // namespace vireo
