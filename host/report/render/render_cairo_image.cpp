#include "host/report/render/render_cairo_image.h"

#include <cstring>

namespace vireo {

namespace {

struct MemoryReader {
  const unsigned char* data;
  std::size_t left;
};

cairo_status_t ReadFromMemory(void* closure, unsigned char* out, unsigned int length) {
  auto* reader = static_cast<MemoryReader*>(closure);
  if (length > reader->left) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, reader->data, length);
  reader->data += length;
  reader->left -= length;
  return CAIRO_STATUS_SUCCESS;
}

bool LooksLikePng(std::string_view bytes) {
  static constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
  return bytes.substr(0, kSignature.size()) == kSignature;
}

}  // namespace

CairoSurfacePtr DecodePng(std::string_view bytes) {
  if (!LooksLikePng(bytes)) return nullptr;
  MemoryReader reader{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
  CairoSurfacePtr surface(cairo_image_surface_create_from_png_stream(ReadFromMemory, &reader));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  if (cairo_image_surface_get_width(surface.get()) <= 0 ||
      cairo_image_surface_get_height(surface.get()) <= 0) {
    return nullptr;
  }
  return surface;
}

cairo_surface_t* ImageCache::Get(std::string_view bytes) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->bytes == bytes) {
      entries_.splice(entries_.begin(), entries_, it);
      return entries_.front().surface.get();
    }
  }
  if (entries_.size() >= capacity_ && !entries_.empty()) entries_.pop_back();
  entries_.push_front(Entry{std::string(bytes), DecodePng(bytes)});
  return entries_.front().surface.get();
}

}  // namespace vireo
