#include "host/report/render/json_text.h"

#include <charconv>
#include <cmath>

namespace vireo {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], 0 when invalid.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = byte(i);
  size_t len;
  unsigned char min_second = 0x80, max_second = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    if (c == 0xE0) min_second = 0xA0;  // overlong
    if (c == 0xED) max_second = 0x9F;  // surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    if (c == 0xF0) min_second = 0x90;
    if (c == 0xF4) max_second = 0x8F;
  } else {
    return 0;
  }
  if (i + len > text.size()) return 0;
  if (byte(i + 1) < min_second || byte(i + 1) > max_second) return 0;
  for (size_t k = 2; k < len; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  return len;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  size_t i = 0;
  while (i < text.size()) {
    // Copy the longest run that needs no escaping in one go.
    const size_t run = i;
    while (i < text.size()) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if (c < 0x80) {
        if (c < 0x20 || c == '"' || c == '\\') break;
        ++i;
      } else {
        const size_t len = Utf8SequenceLength(text, i);
        if (len == 0) break;
        i += len;
      }
    }
    out.append(text.data() + run, i - run);
    if (i == text.size()) break;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += "\xEF\xBF\xBD";  // not UTF-8: the replacement character
        }
    }
    ++i;
  }
  out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
  char buf[32];
  std::to_chars_result r;
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
  } else {
    r = std::to_chars(buf, buf + sizeof buf, value);
  }
  out.append(buf, r.ptr);
}

}  // namespace vireo
