// Decoding of a company logo (PNG or JPEG): any bytes give a surface or
// none, never a crash; a decoded surface has a sane size.
#include <cairo.h>

#include "fuzz/fuzz_support.h"
#include "host/report/render/render_cairo_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vireo;
  CairoSurfacePtr surface =
      DecodeImage(std::string_view(reinterpret_cast<const char*>(data), size));
  if (surface) {
    const int w = cairo_image_surface_get_width(surface.get());
    const int h = cairo_image_surface_get_height(surface.get());
    if (w <= 0 || h <= 0) fuzz::Broken("a decoded logo without a size", std::to_string(w));
  }
  return 0;
}
