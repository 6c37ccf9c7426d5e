#include "db/demo_logo.h"

#include <algorithm>
#include <array>

namespace vireo::demo {

namespace {

uint32_t Crc32(const std::string& bytes) {
  static const std::array<uint32_t, 256> kTable = [] {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    return table;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) crc = kTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::string& bytes) {
  uint32_t a = 1, b = 0;
  for (unsigned char c : bytes) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBigEndian(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
  PutBigEndian(png, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  png += body;
  PutBigEndian(png, Crc32(body));
}

// A zlib stream of stored (uncompressed) deflate blocks: valid, and simple
// enough to write without a compression library.
std::string StoredZlib(const std::string& raw) {
  std::string out = "\x78\x01";
  size_t pos = 0;
  do {
    size_t len = std::min<size_t>(raw.size() - pos, 65535);
    bool last = pos + len == raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(len & 0xFF);
    out += static_cast<char>(len >> 8);
    out += static_cast<char>(~len & 0xFF);
    out += static_cast<char>((~len >> 8) & 0xFF);
    out.append(raw, pos, len);
    pos += len;
  } while (pos < raw.size());
  PutBigEndian(out, Adler32(raw));
  return out;
}

// Scanlines with their filter byte (0: none).
std::string Pixels(uint32_t background, uint32_t accent, int width, int height) {
  std::string raw;
  raw.reserve(static_cast<size_t>(height) * (1 + 3 * width));
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    for (int x = 0; x < width; ++x) {
      int band = x - 2 * y;
      bool on_band = band > width / 4 && band < width / 4 + height / 2;
      uint32_t rgb = on_band ? accent : background;
      raw += static_cast<char>((rgb >> 16) & 0xFF);
      raw += static_cast<char>((rgb >> 8) & 0xFF);
      raw += static_cast<char>(rgb & 0xFF);
    }
  }
  return raw;
}

}  // namespace

std::string LogoPng(uint32_t background, uint32_t accent, int width, int height) {
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  PutBigEndian(header, static_cast<uint32_t>(width));
  PutBigEndian(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(Pixels(background, accent, width, height)));
  PutChunk(png, "IEND", "");
  return png;
}

}  // namespace vireo::demo
