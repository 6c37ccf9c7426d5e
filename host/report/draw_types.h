// The values a layout describes and a canvas draws: boxes, fonts,
// alignment, the page set-up and the data of a line chart.  All lengths are
// layout units: screen pixels, 1/96 inch, from the top-left corner of the
// sheet.
#pragma once

#include <cstdint>
#include <string>
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

}  // namespace vireo
