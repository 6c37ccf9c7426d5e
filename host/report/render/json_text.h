// Writing JSON text by hand, for the trace: strings escaped (invalid UTF-8
// becomes U+FFFD so every line parses) and numbers written briefly (integral
// values without a decimal point).
#pragma once

#include <string>
#include <string_view>

namespace vireo {

// Appends `text` as a quoted JSON string.
void AppendJsonString(std::string& out, std::string_view text);
// Appends a number: "12" for 12.0, shortest round-trip form otherwise.
void AppendJsonNumber(std::string& out, double value);

}  // namespace vireo
