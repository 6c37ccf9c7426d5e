// ImageCache: image bytes decoded into cairo surfaces, remembered.
//
// A company logo is drawn on every page; decoding it once saves time, and
// handing cairo the same surface each time lets the PDF embed it only once.
// Only PNG is decoded; other bytes give no surface and the caller draws a
// placeholder instead.
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
