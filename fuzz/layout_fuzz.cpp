// The layout loader: any text is a layout or an Exception naming the file.
#include "fuzz/fuzz_support.h"
#include "host/report/layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vireo;
  const std::string text = fuzz::Text(data, size);
  try {
    ParseLayout(text, "fuzz.json");
  } catch (const Exception& e) {
    if (std::string(e.what()).rfind("fuzz.json", 0) != 0) {
      fuzz::Broken("a layout error does not name the file", e.what());
    }
  }
  return 0;
}
