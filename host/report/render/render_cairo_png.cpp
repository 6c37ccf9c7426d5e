// The PNG canvas: one image surface, cleared and written out page after page.
#include <cmath>
#include <filesystem>

#include "host/core/exception.h"
#include "host/report/render/render_cairo.h"
#include "host/report/render/render_cairo_canvas.h"
#include "host/report/render/render_cairo_png_encode.h"

namespace vireo {

namespace {

constexpr const char kKind[] = "a imagem PNG";

class PngCanvas final : public CairoCanvas {
 public:
  // The first page's file is created at once, so a wrong path fails before
  // any work is done.
  PngCanvas(const std::string& path, double scale)
      : path_(path), scale_(scale > 0 ? scale : 1), first_file_(path, kKind) {
    first_file_.Open();
  }

  ~PngCanvas() override { StopDrawing(); }

  void BeginDocument(const TnPageSetup& setup, int page_count) override {
    int width = static_cast<int>(std::ceil(setup.width * scale_));
    int height = static_cast<int>(std::ceil(setup.height * scale_));
    if (width <= 0 || height <= 0) {
      first_file_.Fail("tamanho de página inválido: " + PageSizeText(setup));
    }
    surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    cairo_status_t status = cairo_surface_status(surface_.get());
    if (status != CAIRO_STATUS_SUCCESS) {
      first_file_.Fail("imagem de " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels: " + cairo_status_to_string(status));
    }
    StartDrawing(CairoPtr(cairo_create(surface_.get())), scale_, true);
    pages_ = 0;
  }

  void BeginPage(int page) override {
    StartPage();
    ++pages_;
    ClearPage();
  }

  void EndPage() override {
    FinishPage(first_file_);
    WritePage();
  }

  // A document without pages still leaves a readable (blank) image.
  void EndDocument() override {
    if (surface_ && pages_ == 0) {
      pages_ = 1;
      ClearPage();
      WritePage();
    }
    StopDrawing();
    surface_.reset();
    first_file_.Close();
  }

 private:
  void ClearPage() {
    cairo_t* cr = this->cr();
    cairo_save(cr);
    cairo_reset_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_restore(cr);
  }

  void WritePage() {
    OutputFile other(PngPagePath(path_, pages_), kKind);
    OutputFile& file = pages_ == 1 ? first_file_ : other;
    if (!file.is_open()) file.Open();
    WritePng(surface_.get(), file);
    file.Close();
  }

  std::string path_;
  double scale_;
  OutputFile first_file_;
  CairoSurfacePtr surface_;
  int pages_ = 0;
};

}  // namespace

std::unique_ptr<TnCanvas> MakePngCanvas(const std::string& path, double scale) {
  return std::make_unique<PngCanvas>(path, scale);
}

std::string PngPagePath(const std::string& path, int page) {
  if (page <= 1) return path;
  std::filesystem::path file(path);
  std::string extension = file.has_extension() ? file.extension().string() : ".png";
  file.replace_filename(file.stem().string() + "-" + std::to_string(page) + extension);
  return file.string();
}

}  // namespace vireo
