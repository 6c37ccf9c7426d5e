// The destination of an appointment: one user, or several written as a
// selection ("3;8;10", "5..9", "5..9;12").  An appointment is saved for the
// first user; the rest of the text is booked by the host afterwards, one
// user at a time.
#pragma once

#include <string>

namespace vireo {

struct TnDivisaoDestino {
  std::string Primeiro;   // the first user's code, as written
  std::string Restante;   // what is left for the other users ("" when none)
  bool Multipla = false;  // the text named more than one item
};

// With both ";" and "..", whichever comes first decides.  ";" first: the
// first user is the text before it, the rest the text after it.  ".."
// first: the first user is the range's start and the rest the start plus 1
// with the text from ".." on (5..9;12 leaves 6..9;12); a range used up is
// dropped (9..9;12 leaves 12).
TnDivisaoDestino DividirDestino(const std::string& texto);

// Whether the text names exactly one user (no ";", "..", or ".").
bool DestinoUnico(const std::string& texto);

}  // namespace vireo
