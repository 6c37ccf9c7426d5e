// What the fuzz targets share: the input as text, and the rule that a parser
// may refuse its input only with one of the host's own errors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "host/core/exception.h"

namespace vireo::fuzz {

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The input cut in two at the first NUL (a mask and a value, say).
inline std::pair<std::string, std::string> Split(const uint8_t* data, size_t size) {
  std::string all = Text(data, size);
  const size_t nul = all.find('\0');
  if (nul == std::string::npos) return {all, ""};
  return {all.substr(0, nul), all.substr(nul + 1)};
}

// A property the target checks broke: report it as a crash with the input's
// story, so libFuzzer keeps the input.
[[noreturn]] inline void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz property broken: %s\n%s\n", what, detail.c_str());
  std::abort();
}

// Runs `fn`; a host error is an accepted refusal, anything else escapes and
// libFuzzer reports it.
template <class Fn>
void Refusable(Fn&& fn) {
  try {
    fn();
  } catch (const Exception&) {
  }
}

}  // namespace vireo::fuzz
