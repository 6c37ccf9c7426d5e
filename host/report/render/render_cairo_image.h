// ImageCache: image bytes decoded into cairo surfaces, remembered.
//
// A company logo is drawn on every page; decoding it once saves time, and
// handing cairo the same surface each time lets the PDF embed it only once.
// PNG and JPEG are decoded; other bytes give no surface and the caller
// draws a placeholder instead.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <list>
#include <string>
#include <string_view>

#include "host/report/render/render_cairo_handles.h"

namespace vireo {

// The decoded image, or null when the bytes are not a readable PNG.
CairoSurfacePtr DecodePng(std::string_view bytes);
// The same for JPEG (baseline or progressive, colour or grey); CMYK and
// pictures larger than kMaxImageSide on a side give null.
CairoSurfacePtr DecodeJpeg(std::string_view bytes);
// Whichever of the two the bytes are.
CairoSurfacePtr DecodeImage(std::string_view bytes);

// The widest and tallest picture decoded (cairo's own limit).
inline constexpr int kMaxImageSide = 32767;

class ImageCache {
 public:
  explicit ImageCache(std::size_t capacity = 8) : capacity_(capacity) {}

  // Borrowed: valid until the next call.  Null when the bytes are unusable.
  cairo_surface_t* Get(std::string_view bytes);

 private:
  struct Entry {
    std::string bytes;
    CairoSurfacePtr surface;  // null remembers a failed decode
  };
  std::size_t capacity_;
  std::list<Entry> entries_;  // most recently used first
};

}  // namespace vireo
