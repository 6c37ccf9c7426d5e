// The appointments of one user over a run of days, as the agenda page
// draws them: every occurrence of the user's series expanded by the
// scheduler's storage (changed occurrences in their new place, deleted ones
// left out), with its label's colour and caption and whether it is done.
#pragma once

#include <nlohmann/json.hpp>

#include "host/core/datetime.h"

namespace vireo {
class TnConnection;
}

namespace vireo::serve {

// Widest run of days one request may ask for.
constexpr int kMaxAgendaDays = 400;

// {"user","labels":[{"color","caption"}],"items":[...]} for the days
// [first, last], both whole.  Each item: seq (the row to edit), series and
// index (an occurrence of a series not changed yet), start, finish
// ("yyyy-mm-ddThh:nn"), allDay, caption, location, message, color
// ("#rrggbb" or null), label, completed.
nlohmann::json AgendaOccurrences(TnConnection& db, int user, TDateTime first, TDateTime last);

// "#rrggbb" of a scheduler colour (0xBBGGRR).
std::string CssColor(int bgr);

}  // namespace vireo::serve
