#include "host/report/render/render_cairo_canvas.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/core/exception.h"

namespace vireo {

OutputFile::OutputFile(std::string path, std::string kind)
    : path_(std::move(path)), kind_(std::move(kind)) {}

void OutputFile::Open() {
  file_.reset(std::fopen(path_.c_str(), "wb"));
  if (!file_) Fail(std::strerror(errno));
  write_errno_ = 0;
}

cairo_status_t OutputFile::Write(void* closure, const unsigned char* data, unsigned int length) {
  auto* self = static_cast<OutputFile*>(closure);
  if (!self->file_) return CAIRO_STATUS_WRITE_ERROR;
  if (std::fwrite(data, 1, length, self->file_.get()) == length) return CAIRO_STATUS_SUCCESS;
  if (self->write_errno_ == 0) self->write_errno_ = errno != 0 ? errno : EIO;
  return CAIRO_STATUS_WRITE_ERROR;
}

void OutputFile::Close() {
  if (!file_) return;
  std::FILE* file = file_.release();
  bool flushed = std::fflush(file) == 0;
  int flush_errno = errno;
  bool closed = std::fclose(file) == 0;
  if (write_errno_ != 0) Fail(std::strerror(write_errno_));
  if (!flushed) Fail(std::strerror(flush_errno));
  if (!closed) Fail(std::strerror(errno));
}

void OutputFile::Fail(const std::string& reason) const {
  throw Exception("Não foi possível gravar " + kind_ + " em " + path_ + ": " + reason);
}

std::string OutputFile::Reason(cairo_status_t status) const {
  if (status == CAIRO_STATUS_WRITE_ERROR && write_errno_ != 0) return std::strerror(write_errno_);
  return cairo_status_to_string(status);
}

std::string PageSizeText(const TnPageSetup& setup) {
  char text[64];
  std::snprintf(text, sizeof text, "%g x %g", setup.width, setup.height);
  return text;
}

CairoCanvas::~CairoCanvas() = default;

void CairoCanvas::Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign align,
                       bool wrap) {
  Painter().Text(box, text, font, align, wrap);
}

void CairoCanvas::FillRect(const TnRect& box, uint32_t rgb) { Painter().FillRect(box, rgb); }

void CairoCanvas::Line(double x1, double y1, double x2, double y2, double width, uint32_t rgb) {
  Painter().Line(x1, y1, x2, y2, width, rgb);
}

void CairoCanvas::FrameRect(const TnRect& box, double width, uint32_t rgb) {
  Painter().FrameRect(box, width, rgb);
}

void CairoCanvas::Image(const TnRect& box, std::string_view bytes) { Painter().Image(box, bytes); }

void CairoCanvas::Chart(const TnRect& box, const TnChartData& chart) {
  Painter().Chart(box, chart);
}

void CairoCanvas::StartDrawing(CairoPtr cr, double device_scale, bool raster) {
  painter_.reset();
  cr_ = std::move(cr);
  cairo_scale(cr_.get(), device_scale, device_scale);
  painter_ = std::make_unique<CairoPainter>(cr_.get(), device_scale, raster);
}

void CairoCanvas::StopDrawing() {
  in_page_ = false;
  painter_.reset();
  cr_.reset();
}

void CairoCanvas::StartPage() {
  if (!painter_) throw Exception("Página iniciada antes do início do documento");
  in_page_ = true;
}

void CairoCanvas::FinishPage(const OutputFile& file) {
  in_page_ = false;
  if (cr_ && cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS) {
    file.Fail(file.Reason(cairo_status(cr_.get())));
  }
}

CairoPainter& CairoCanvas::Painter() {
  if (!in_page_) throw Exception("Desenho fora de uma página: falta BeginPage");
  return *painter_;
}

}  // namespace vireo
