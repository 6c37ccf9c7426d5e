// Reading numbers and dates from text, and numbers as hexadecimal text.
//
// The throwing forms raise EConvertError with a message that quotes the text;
// the Def forms answer a default instead, the Try forms a flag.  Numbers and
// dates follow FormatSettings.  The text helpers (Trim, StrToStrArray, ...)
// live in host/core/text.h, included here for the callers that expect them.
#pragma once

#include <cstdint>
#include <string>

#include "host/core/datetime.h"
#include "host/core/export.h"
#include "host/core/format.h"
#include "host/core/text.h"

namespace vireo {

// Decimal integers with an optional sign and surrounding blanks; "$" or "0x"
// introduces hexadecimal, as in Delphi.  Values beyond 64 bits are refused.
VIREO_API bool TryStrToInt64(const std::string& text, int64_t& out);
VIREO_API int64_t StrToInt64(const std::string& text);
VIREO_API int64_t StrToInt64Def(const std::string& text, int64_t def);
// As above, limited to the range of int.
VIREO_API bool TryStrToInt(const std::string& text, int& out);
VIREO_API int StrToInt(const std::string& text);
VIREO_API int StrToIntDef(const std::string& text, int def);

// The locale's decimal separator, an optional sign and exponent, surrounding
// blanks; no thousands separators.
VIREO_API bool TryStrToFloat(const std::string& text, double& out);
VIREO_API bool TryStrToFloat(const std::string& text, double& out, const TFormatSettings& settings);
VIREO_API double StrToFloat(const std::string& text);
VIREO_API double StrToFloatDef(const std::string& text, double def);

// Day, month and year in the order of the locale's short date format, with
// 1 or 2 digit day and month and a 2 or 4 digit year (two digits fall in
// 1950..2049), or ISO yyyy-mm-dd.
VIREO_API bool TryStrToDate(const std::string& text, TDateTime& out);
VIREO_API TDateTime StrToDate(const std::string& text);
VIREO_API TDateTime StrToDateDef(const std::string& text, TDateTime def);
// A time "h:nn[:ss[.zzz]]" with the locale's time separator.
VIREO_API bool TryStrToTime(const std::string& text, TDateTime& out);
VIREO_API TDateTime StrToTime(const std::string& text);
// A date, optionally followed by blanks and a time (ISO also with "T").
VIREO_API bool TryStrToDateTime(const std::string& text, TDateTime& out);
VIREO_API TDateTime StrToDateTime(const std::string& text);

// "True"/"False" and "Sim"/"Não" (also "Nao") in any case, or a whole
// number (0 false, any other true); surrounding blanks are ignored.
VIREO_API bool TryStrToBool(const std::string& text, bool& out);
VIREO_API bool StrToBool(const std::string& text);
VIREO_API bool StrToBoolDef(const std::string& text, bool def);

// Upper-case hexadecimal, zero-padded to at least `digits` characters.
// Negative values show their 64-bit two's complement.
VIREO_API std::string IntToHex(int64_t value, int digits);

}  // namespace vireo
