// Telephone numbers as the host prints them on letterheads and receipts.
#pragma once

#include <string>

#include "host/core/export.h"
#include "host/core/variant.h"

namespace vireo {

// The number written with the mask of its kind.  Kind 1 (a Brazilian
// telephone) takes the digits of the text: 10 digits give "(11) 2345-6789",
// 11 give "(11) 98765-4321", 8 or 9 (no area code) "2345-6789" or
// "98765-4321"; any other count leaves the trimmed text as it was, so a
// number the mask does not know is still printed.  Other kinds return the
// text unchanged.  Null or blank gives "".
VIREO_API std::string SetMascaraTelefone(int tipo, const Variant& numero);

}  // namespace vireo
