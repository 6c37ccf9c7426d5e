// The status area on standard error, where the engine's counter and the
// progress frame draw their bars.
#pragma once

#include <string>
#include <vector>

namespace vireo {

// The status area: a few lines at the bottom of the terminal, redrawn in
// place.  The engine's counter and the progress frame each own a slot; the
// area shows the slots' lines one under the other, so neither overwrites
// the other's.
enum class TnStatusSlot { Engine = 0, Frame = 1 };

// Sets the slot's lines and redraws (unless the last drawing is too recent
// and `force` is false).  Nothing is drawn when stderr is not a terminal.
void ShowStatus(TnStatusSlot slot, const std::vector<std::string>& lines, bool force = false);
// Empties the slot; the area shrinks at once.
void ClearStatus(TnStatusSlot slot);

// "Texto  [#####.......]  12/40"
std::string ProgressLine(const std::string& text, long long position, long long min, long long max);

}  // namespace vireo
