// The user agenda of the demo: for the administrator (0) and each user,
// single, all-day and overnight appointments, series of every frequency
// (with COUNT, UNTIL or open), occurrences changed, moved, deleted and
// completed on their own, completed appointments and bookings shared by two
// users.  The plan of what the agenda must print over the demo period is
// worked out here by plain date arithmetic, apart from the scheduler.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/datetime.h"

namespace vireo::demo {

class DemoContext;

// The demo period of the agenda: March to May 2025.
TDateTime AgendaInicio();
TDateTime AgendaFim();

// One line the agenda prints: an occurrence starting in the demo period.
struct AgendaLinha {
  int usuario = 0;
  TDateTime inicio = 0;
  TDateTime fim = 0;
  std::string titulo;
  int seq = 0;  // SEQAGENDA of the row it comes from (ties in print order)
};

// The lines of the demo period for these users (0 and the USUARIO codes), by
// user, then start, then row.
std::vector<AgendaLinha> PlanoAgenda(uint32_t seed, int scale, const std::vector<int>& usuarios);

// Writes the agenda rows (after every other step).
void GenerateAgenda(DemoContext& context, uint32_t seed);

}  // namespace vireo::demo
