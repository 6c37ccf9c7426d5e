// CairoCanvas: what the PDF and PNG canvases have in common.
//
// Drawing calls go to one CairoPainter that lives for the whole document, so
// its shaping and image caches serve every page.  The subclasses own their
// surfaces and decide what beginning and ending pages and the document do.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>
#include <string_view>

#include "host/report/render/canvas.h"
#include "host/report/render/render_cairo_draw.h"
#include "host/report/render/render_cairo_handles.h"

namespace vireo {

// A file written through cairo's stream callback.  Keeps the system's reason
// when a write fails, so the error can say why, not just that it failed.
class OutputFile {
 public:
  // `kind` reads in a sentence: "o PDF", "a imagem PNG".
  OutputFile(std::string path, std::string kind);
  // Throws naming the path when the file cannot be created.
  void Open();
  bool is_open() const { return file_ != nullptr; }
  static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length);
  // Throws naming the path when anything written so far, or the close, failed.
  void Close();
  // Throws the error of this file: "Não foi possível gravar <kind> em <path>: <reason>".
  [[noreturn]] void Fail(const std::string& reason) const;
  // Reason to give for a cairo status: the system's when a write failed.
  std::string Reason(cairo_status_t status) const;
  bool write_failed() const { return write_errno_ != 0; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string kind_;
  FilePtr file_;
  int write_errno_ = 0;
};

// "794 x 1123" (layout units), for messages about a page size.
std::string PageSizeText(const TnPageSetup& setup);

class CairoCanvas : public TnCanvas {
 public:
  ~CairoCanvas() override;

  void Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign align,
            bool wrap) override;
  void FillRect(const TnRect& box, uint32_t rgb) override;
  void Line(double x1, double y1, double x2, double y2, double width, uint32_t rgb) override;
  void FrameRect(const TnRect& box, double width, uint32_t rgb) override;
  void Image(const TnRect& box, std::string_view bytes) override;
  void Chart(const TnRect& box, const TnChartData& chart) override;

 protected:
  CairoCanvas() = default;
  // Draws on `cr` from now on, one layout unit being `device_scale` device
  // units; `raster` surfaces get pixel snapping.
  void StartDrawing(CairoPtr cr, double device_scale, bool raster);
  void StopDrawing();
  void StartPage();
  // Throws through `file` when cairo failed while drawing the page.
  void FinishPage(const OutputFile& file);
  cairo_t* cr() const { return cr_.get(); }

 private:
  CairoPainter& Painter();

  CairoPtr cr_;
  std::unique_ptr<CairoPainter> painter_;
  bool in_page_ = false;
};

}  // namespace vireo
