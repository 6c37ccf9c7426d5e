// How wide a UTF-8 text shows on a terminal, and padding to that width.
//
// printf's "%-24s" pads by bytes, so every accented caption would push the
// next column out of line.  Here a character takes one column, a combining
// mark none (it sits on the letter before it: "e" and U+0301 show as one
// "é"), an East Asian wide character two.  A byte that is not UTF-8 counts
// as one column, as a terminal shows it as one replacement sign.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "host/core/export.h"

namespace vireo {

VIREO_API std::size_t DisplayWidth(std::string_view text);
// The text followed by blanks up to `width` columns; a wider text is left
// whole.
VIREO_API std::string PadToWidth(const std::string& text, std::size_t width);

}  // namespace vireo
