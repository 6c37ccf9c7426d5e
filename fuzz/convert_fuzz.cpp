// Conversions of typed text: a value either converts or is refused with
// EConvertError; a converted date prints back as a date that converts again.
#include "fuzz/fuzz_support.h"
#include "host/core/convert.h"
#include "host/core/format.h"
#include "host/core/variant.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vireo;
  const std::string text = fuzz::Text(data, size);
  fuzz::Refusable([&] { StrToDate(text); });
  fuzz::Refusable([&] { StrToDateTime(text); });
  fuzz::Refusable([&] { StrToTime(text); });
  fuzz::Refusable([&] { StrToFloat(text); });
  fuzz::Refusable([&] { StrToInt(text); });
  fuzz::Refusable([&] { StrToInt64(text); });
  fuzz::Refusable([&] { Variant(text).AsFloat(); });
  fuzz::Refusable([&] { Variant(text).AsInteger(); });
  fuzz::Refusable([&] { Variant(text).AsBoolean(); });
  TDateTime date = 0;
  if (TryStrToDate(text, date)) {
    const std::string printed = FormatDateTime("dd/mm/yyyy", date);
    TDateTime again = 0;
    if (!TryStrToDate(printed, again) || again != date) {
      fuzz::Broken("a date does not read back", text + " -> " + printed);
    }
  }
  return 0;
}
