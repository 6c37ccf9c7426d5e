#include "host/report/render/render_cairo_png_encode.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vireo {

namespace {

constexpr int kCompressionLevel = 4;

struct WriteState {
  OutputFile* file;
  char message[200];
};

void OnError(png_structp png, png_const_charp message) {
  auto* state = static_cast<WriteState*>(png_get_error_ptr(png));
  std::snprintf(state->message, sizeof state->message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, std::size_t length) {
  auto* state = static_cast<WriteState*>(png_get_io_ptr(png));
  if (OutputFile::Write(state->file, data, static_cast<unsigned int>(length)) !=
      CAIRO_STATUS_SUCCESS) {
    png_error(png, "write error");
  }
}

void OnFlush(png_structp) {}

// libpng reports errors with longjmp, which skips destructors: only plain
// values live in this frame, and nothing it sets is used after a jump.
bool Encode(png_structp png, png_infop info, cairo_surface_t* surface, png_bytep row,
            WriteState* state) {
  if (setjmp(png_jmpbuf(png))) return false;
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  png_set_write_fn(png, state, OnWrite, OnFlush);
  png_set_compression_level(png, kCompressionLevel);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    // RGB24 pixels are native-endian words 0x00RRGGBB.
    const auto* pixels = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<png_byte>(pixels[x] >> 16);
      row[3 * x + 1] = static_cast<png_byte>(pixels[x] >> 8);
      row[3 * x + 2] = static_cast<png_byte>(pixels[x]);
    }
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

class PngWriteStruct {
 public:
  explicit PngWriteStruct(WriteState* state)
      : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, state, OnError, OnWarning)),
        info_(png_ ? png_create_info_struct(png_) : nullptr) {}
  ~PngWriteStruct() { png_destroy_write_struct(&png_, &info_); }
  PngWriteStruct(const PngWriteStruct&) = delete;
  PngWriteStruct& operator=(const PngWriteStruct&) = delete;
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_;
  png_infop info_;
};

}  // namespace

void WritePng(cairo_surface_t* surface, OutputFile& file) {
  cairo_surface_flush(surface);
  WriteState state{&file, {}};
  PngWriteStruct writer(&state);
  if (!writer.png() || !writer.info()) file.Fail("sem memória para codificar a imagem");
  std::vector<png_byte> row(3 * static_cast<std::size_t>(cairo_image_surface_get_width(surface)));
  if (!Encode(writer.png(), writer.info(), surface, row.data(), &state)) {
    file.Fail(file.write_failed() ? file.Reason(CAIRO_STATUS_WRITE_ERROR) : state.message);
  }
}

}  // namespace vireo
