// The trace writer's escaping: any bytes make a JSON string that parses,
// and valid UTF-8 comes back unchanged.
#include <nlohmann/json.hpp>

#include "fuzz/fuzz_support.h"
#include "host/report/render/json_text.h"

namespace {

bool ValidUtf8(const std::string& s) {
  try {
    (void)nlohmann::json(s).dump();
    return true;
  } catch (const nlohmann::json::exception&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vireo;
  const std::string text = fuzz::Text(data, size);
  std::string out;
  AppendJsonString(out, text);
  nlohmann::json parsed;
  try {
    parsed = nlohmann::json::parse(out);
  } catch (const nlohmann::json::exception& e) {
    fuzz::Broken("the trace wrote a string that does not parse", out);
  }
  if (!parsed.is_string()) fuzz::Broken("not a string", out);
  if (ValidUtf8(text) && parsed.get<std::string>() != text) {
    fuzz::Broken("valid UTF-8 changed on the way", out);
  }
  return 0;
}
