#include "host/report/render/render_cairo_image.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
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

bool LooksLikeJpeg(std::string_view bytes) {
  static constexpr std::string_view kStart("\xFF\xD8\xFF", 3);
  return bytes.substr(0, kStart.size()) == kStart;
}

// libjpeg reports a fatal error by calling error_exit, which must not
// return: it jumps back into DecodeJpeg, which cleans up.  Warnings (a
// truncated file still gives a picture) are not printed.
struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void JpegQuiet(j_common_ptr) {}

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

// Decodes straight into a cairo RGB24 surface (blue, green, red, unused
// byte per pixel on little-endian machines).  Only plain C objects live
// between setjmp and a possible longjmp, so the jump skips no destructor.
CairoSurfacePtr DecodeJpeg(std::string_view bytes) {
  if (!LooksLikeJpeg(bytes)) return nullptr;
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegErrorExit;
  error.manager.output_message = JpegQuiet;
  cairo_surface_t* volatile surface = nullptr;
  if (setjmp(error.jump) != 0) {
    jpeg_destroy_decompress(&info);
    if (surface != nullptr) cairo_surface_destroy(surface);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  const bool sane = info.output_width > 0 && info.output_height > 0 &&
                    info.output_width <= kMaxImageSide && info.output_height <= kMaxImageSide;
  if (sane) {
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(info.output_width),
                                         static_cast<int>(info.output_height));
  }
  if (!sane || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    jpeg_destroy_decompress(&info);
    if (surface != nullptr) cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_flush(surface);
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels + static_cast<size_t>(info.output_scanline) * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  cairo_surface_mark_dirty(surface);
  return CairoSurfacePtr(surface);
}

CairoSurfacePtr DecodeImage(std::string_view bytes) {
  return LooksLikeJpeg(bytes) ? DecodeJpeg(bytes) : DecodePng(bytes);
}

cairo_surface_t* ImageCache::Get(std::string_view bytes) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->bytes == bytes) {
      entries_.splice(entries_.begin(), entries_, it);
      return entries_.front().surface.get();
    }
  }
  if (entries_.size() >= capacity_ && !entries_.empty()) entries_.pop_back();
  entries_.push_front(Entry{std::string(bytes), DecodeImage(bytes)});
  return entries_.front().surface.get();
}

}  // namespace vireo
