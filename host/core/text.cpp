// Text helpers on UTF-8 strings.
#include "host/core/text.h"

namespace vireo {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of character `index`, or the text's size when it is shorter.
std::size_t ByteOffset(const std::string& text, std::size_t index) {
  std::size_t pos = 0;
  for (; pos < text.size() && index > 0; --index) {
    ++pos;
    while (pos < text.size() && IsContinuation(text[pos])) ++pos;
  }
  return pos;
}

// Latin-1 letters are U+00C0..U+00DE (upper) and U+00E0..U+00FE (lower),
// encoded as 0xC3 followed by 0x80..0x9E or 0xA0..0xBE; × and ÷ are not
// letters.
template <bool kUpper>
std::string MapCase(const std::string& text) {
  std::string out = text;
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (kUpper && c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 32);
    if (!kUpper && c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
    if (c != 0xC3 || i + 1 >= out.size()) continue;
    const unsigned char next = static_cast<unsigned char>(out[i + 1]);
    if (kUpper && next >= 0xA0 && next <= 0xBE && next != 0xB7)
      out[i + 1] = static_cast<char>(next - 0x20);
    if (!kUpper && next >= 0x80 && next <= 0x9E && next != 0x97)
      out[i + 1] = static_cast<char>(next + 0x20);
    ++i;
  }
  return out;
}

// Appends one paragraph (no line breaks) broken into lines.
void WrapParagraph(const std::string& paragraph, std::size_t width,
                   std::vector<std::string>& lines) {
  std::string line;
  std::size_t line_len = 0;
  auto flush = [&] {
    lines.push_back(line);
    line.clear();
    line_len = 0;
  };
  for (std::string word : StrToStrArray(paragraph, " ")) {
    std::size_t len = Utf8Length(word);
    if (len == 0) continue;
    if (line_len > 0 && line_len + 1 + len <= width) {
      line += ' ' + word;
      line_len += 1 + len;
      continue;
    }
    if (line_len > 0) flush();
    while (len > width) {
      lines.push_back(Utf8Substr(word, 0, width));
      word = Utf8Substr(word, width);
      len -= width;
    }
    line = word;
    line_len = len;
  }
  if (line_len > 0 || lines.empty()) flush();
}

}  // namespace

std::string TrimLeft(const std::string& text) {
  std::size_t b = 0;
  while (b < text.size() && IsBlank(text[b])) ++b;
  return text.substr(b);
}

std::string TrimRight(const std::string& text) {
  std::size_t e = text.size();
  while (e > 0 && IsBlank(text[e - 1])) --e;
  return text.substr(0, e);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string TemDados(const std::string& text, const std::string& before, const std::string& after) {
  return Trim(text).empty() ? std::string() : before + text + after;
}

std::string UpperCase(const std::string& text) { return MapCase<true>(text); }
std::string LowerCase(const std::string& text) { return MapCase<false>(text); }

std::string StringReplace(const std::string& text, const std::string& from, const std::string& to,
                          bool all) {
  if (from.empty()) return text;
  std::string out;
  std::size_t start = 0;
  for (std::size_t hit; (hit = text.find(from, start)) != std::string::npos;) {
    out.append(text, start, hit - start).append(to);
    start = hit + from.size();
    if (!all) break;
  }
  return out.append(text, start, std::string::npos);
}

std::size_t Utf8Length(const std::string& text) {
  std::size_t n = 0;
  for (char c : text) n += !IsContinuation(c);
  return n;
}

std::string Utf8Substr(const std::string& text, std::size_t start, std::size_t count) {
  const std::size_t b = ByteOffset(text, start);
  if (count == std::string::npos) return text.substr(b);
  const std::string rest = text.substr(b);
  return rest.substr(0, ByteOffset(rest, count));
}

std::vector<std::string> StrToStrArray(const std::string& text, const std::string& separator) {
  if (separator.empty()) return {text};
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t hit; (hit = text.find(separator, start)) != std::string::npos;) {
    parts.push_back(text.substr(start, hit - start));
    start = hit + separator.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::vector<std::string> WordWrapString(const std::string& text, int width) {
  std::vector<std::string> lines;
  for (const std::string& raw : StrToStrArray(StringReplace(text, "\r", ""), "\n")) {
    if (width < 1) {
      lines.push_back(raw);
      continue;
    }
    std::string paragraph = raw;
    for (char& c : paragraph) {
      if (IsBlank(c)) c = ' ';
    }
    std::vector<std::string> wrapped;
    WrapParagraph(paragraph, static_cast<std::size_t>(width), wrapped);
    lines.insert(lines.end(), wrapped.begin(), wrapped.end());
  }
  return lines;
}

bool SameText(std::string_view a, std::string_view b) {
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

}  // namespace vireo
