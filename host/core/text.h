// Text helpers on UTF-8 strings.
//
// Widths and positions count characters (code points), not bytes, so an
// accented letter counts once.  Case mapping covers ASCII and the Latin-1
// letters Portuguese uses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/export.h"

namespace vireo {

// Blanks are spaces and control characters, as in Delphi.
VIREO_API std::string Trim(const std::string& text);
VIREO_API std::string TrimLeft(const std::string& text);
VIREO_API std::string TrimRight(const std::string& text);

VIREO_API std::string UpperCase(const std::string& text);
VIREO_API std::string LowerCase(const std::string& text);

// Equal but for the case of ASCII letters, as the host compares names
// (parameters, labels, fields, SQL markers, data modules, keywords).
VIREO_API bool SameText(std::string_view a, std::string_view b);

// Case-sensitive replacement of the first occurrence, or of all of them.
// An empty pattern leaves the text unchanged.
VIREO_API std::string StringReplace(const std::string& text, const std::string& from,
                                    const std::string& to, bool all = true);

// before + text + after when the text is not blank, else "": the pieces of a
// line that only show when there is something to show.
VIREO_API std::string TemDados(const std::string& text, const std::string& before,
                               const std::string& after);

// Number of characters of a UTF-8 text.
VIREO_API std::size_t Utf8Length(const std::string& text);
// `count` characters from character `start` (0-based), clipped to the text.
VIREO_API std::string Utf8Substr(const std::string& text, std::size_t start,
                                 std::size_t count = std::string::npos);

// Parts of the text split at every separator: "a;;b" gives "a", "", "b"; an
// empty text gives one empty part.  An empty separator gives the text whole.
VIREO_API std::vector<std::string> StrToStrArray(const std::string& text,
                                                 const std::string& separator);

// Lines of at most `width` characters, broken at blanks (a run of blanks
// becomes one, and none starts or ends a line); a word longer than the width is cut.  Line breaks
// in the text are kept.  An empty text gives one empty line, so a caller that prints extra columns
// on the first line always has one.  A width below 1 leaves the lines unwrapped.
VIREO_API std::vector<std::string> WordWrapString(const std::string& text, int width);

}  // namespace vireo
