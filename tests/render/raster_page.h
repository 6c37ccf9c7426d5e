// Helpers for the renderer tests: a white raster page to paint on with a
// CairoPainter, and questions about its pixels.
#pragma once

#include <cairo.h>

#include <algorithm>
#include <memory>
#include <string>

#include "host/report/render/render_cairo_draw.h"
#include "host/report/render/render_cairo_handles.h"

namespace vireo::testing {

// Bounds of the dark pixels found in a region, in device pixels.
struct InkBounds {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
};

inline uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  return reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF;
}

inline bool IsDark(uint32_t rgb) {
  int luma = ((rgb >> 16) & 0xFF) * 3 + ((rgb >> 8) & 0xFF) * 6 + (rgb & 0xFF);
  return luma < 128 * 10;
}

// Pixels that are not pure white: anything was drawn there.
inline bool IsInked(uint32_t rgb) { return rgb != 0xFFFFFF; }

template <typename Test>
InkBounds FindInk(cairo_surface_t* surface, int left, int top, int right, int bottom, Test test) {
  InkBounds bounds;
  right = std::min(right, cairo_image_surface_get_width(surface));
  bottom = std::min(bottom, cairo_image_surface_get_height(surface));
  for (int y = std::max(top, 0); y < bottom; ++y) {
    for (int x = std::max(left, 0); x < right; ++x) {
      if (!test(PixelAt(surface, x, y))) continue;
      bounds.left = std::min(bounds.left, x);
      bounds.right = std::max(bounds.right, x);
      bounds.top = std::min(bounds.top, y);
      bounds.bottom = std::max(bounds.bottom, y);
    }
  }
  return bounds;
}

inline InkBounds FindInk(cairo_surface_t* surface) {
  return FindInk(surface, 0, 0, 1 << 30, 1 << 30, IsInked);
}

class RasterPage {
 public:
  RasterPage(int width, int height, double scale)
      : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
        cr_(cairo_create(surface_.get())),
        scale_(scale) {
    cairo_set_source_rgb(cr_.get(), 1, 1, 1);
    cairo_paint(cr_.get());
    cairo_scale(cr_.get(), scale, scale);
    painter_ = std::make_unique<CairoPainter>(cr_.get(), scale, true);
  }
  CairoPainter& painter() { return *painter_; }
  cairo_surface_t* surface() { return surface_.get(); }
  // Ink inside a box given in layout units.
  InkBounds Ink(const TnRect& box) {
    return FindInk(surface(), static_cast<int>(box.left * scale_),
                   static_cast<int>(box.top * scale_),
                   static_cast<int>((box.left + box.width) * scale_) + 1,
                   static_cast<int>((box.top + box.height) * scale_) + 1, IsInked);
  }

 private:
  CairoSurfacePtr surface_;
  CairoPtr cr_;
  double scale_;
  std::unique_ptr<CairoPainter> painter_;
};

// A solid-colour PNG, encoded in memory.
inline std::string SolidPng(int width, int height, uint32_t rgb) {
  CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  CairoPtr cr(cairo_create(surface.get()));
  cairo_set_source_rgb(cr.get(), ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                       (rgb & 0xFF) / 255.0);
  cairo_paint(cr.get());
  std::string bytes;
  cairo_surface_write_to_png_stream(
      surface.get(),
      [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
      },
      &bytes);
  return bytes;
}

}  // namespace vireo::testing
