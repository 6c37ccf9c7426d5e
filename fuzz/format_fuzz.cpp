// Number and date masks: any mask, any value, never a crash or a hang.
#include <cmath>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "host/core/datetime.h"
#include "host/core/format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vireo;
  if (size < sizeof(double)) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  const std::string mask = fuzz::Text(data + sizeof value, size - sizeof value);
  fuzz::Refusable([&] { FormatFloat(mask, value); });
  // Dates of the calendar the host prints: from year 1 to 9999.
  if (std::isfinite(value) && std::fabs(value) < 2.9e6) {
    fuzz::Refusable([&] { FormatDateTime(mask, value); });
  }
  return 0;
}
