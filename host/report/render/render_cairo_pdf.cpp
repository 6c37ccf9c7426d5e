// The PDF canvas: a cairo PDF surface written through an OutputFile.
#include <cairo-pdf.h>

#include "host/core/exception.h"
#include "host/report/render/render_cairo.h"
#include "host/report/render/render_cairo_canvas.h"

namespace vireo {

namespace {

constexpr double kPointsPerLayoutUnit = 72.0 / 96.0;

class PdfCanvas final : public CairoCanvas {
 public:
  explicit PdfCanvas(const std::string& path) : file_(path, "o PDF") { file_.Open(); }

  // A canvas dropped half-way (the print failed) still releases everything;
  // the file it leaves is the engine's to remove.
  ~PdfCanvas() override {
    StopDrawing();
    if (surface_) cairo_surface_finish(surface_.get());
  }

  void BeginDocument(const TnPageSetup& setup, int page_count) override {
    if (!(setup.width > 0 && setup.height > 0)) {
      file_.Fail("tamanho de página inválido: " + PageSizeText(setup));
    }
    surface_.reset(cairo_pdf_surface_create_for_stream(OutputFile::Write, &file_,
                                                       setup.width * kPointsPerLayoutUnit,
                                                       setup.height * kPointsPerLayoutUnit));
    CheckSurface();
    cairo_pdf_surface_set_metadata(surface_.get(), CAIRO_PDF_METADATA_CREATOR, "vireo");
    StartDrawing(CairoPtr(cairo_create(surface_.get())), kPointsPerLayoutUnit, false);
  }

  void BeginPage(int page) override { StartPage(); }

  void EndPage() override {
    cairo_show_page(cr());
    FinishPage(file_);
  }

  void EndDocument() override {
    StopDrawing();
    if (surface_) {
      cairo_surface_finish(surface_.get());
      CheckSurface();
      surface_.reset();
    }
    file_.Close();
  }

 private:
  void CheckSurface() {
    cairo_status_t status = cairo_surface_status(surface_.get());
    if (status != CAIRO_STATUS_SUCCESS) file_.Fail(file_.Reason(status));
  }

  OutputFile file_;  // declared first: the surface writes to it until finished
  CairoSurfacePtr surface_;
};

}  // namespace

std::unique_ptr<TnCanvas> MakePdfCanvas(const std::string& path) {
  return std::make_unique<PdfCanvas>(path);
}

}  // namespace vireo
