// TnCanvas: what the page composer draws on, one page at a time.
//
// The composer records pages compactly while the report prints and replays
// them to a canvas when the print is over (so the page count is known for the
// footers).  Renderers (PDF, PNG, text) implement this interface.  All
// coordinates are layout units: screen pixels, 1/96 inch, from the top-left
// corner of the sheet.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/core/export.h"

namespace vireo {

struct VIREO_API TnRect {
  double left = 0, top = 0, width = 0, height = 0;
};

struct VIREO_API TnFont {
  std::string family = "DejaVu Sans";
  double size = 9;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  uint32_t color = 0x000000;  // RGB
};

enum class TnAlign : uint8_t { Left, Center, Right };

struct VIREO_API TnPageSetup {
  double width = 794;  // A4 portrait at 96 dpi
  double height = 1123;
  double margin_left = 38, margin_top = 38, margin_right = 38, margin_bottom = 38;
};

// A line chart: each series a list of (label, value) points.
struct VIREO_API TnChartData {
  std::string title;
  std::string value_format;  // FormatFloat mask for axis values
  std::vector<std::string> series_names;
  std::vector<std::vector<std::pair<std::string, double>>> series;
};

class VIREO_API TnCanvas {
 public:
  virtual ~TnCanvas();
  virtual void BeginDocument(const TnPageSetup& setup, int page_count) = 0;
  virtual void BeginPage(int page) = 0;
  // Text clipped to its box; `wrap` breaks it into lines inside the box.
  virtual void Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign align,
                    bool wrap) = 0;
  virtual void FillRect(const TnRect& box, uint32_t rgb) = 0;
  virtual void Line(double x1, double y1, double x2, double y2, double width, uint32_t rgb) = 0;
  virtual void FrameRect(const TnRect& box, double width, uint32_t rgb) = 0;
  // PNG or JPEG bytes scaled into the box, keeping proportions.
  virtual void Image(const TnRect& box, std::string_view bytes) = 0;
  virtual void Chart(const TnRect& box, const TnChartData& chart) = 0;
  virtual void EndPage() = 0;
  virtual void EndDocument() = 0;
};

}  // namespace vireo
