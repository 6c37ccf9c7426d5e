// CairoPainter: draws texts, rules, boxes, images and charts on a cairo
// context.
//
// The PDF and PNG renderers share it and differ only in their surfaces.  The
// context comes scaled so that one user unit is one layout unit (1/96 inch);
// `device_scale` says how many device units that is.  On raster surfaces the
// painter puts rules and box edges on whole device pixels, so a one-pixel
// rule is one sharp row instead of two grey ones, and text baselines on whole
// pixels as well.
//
// Texts are clipped to their boxes.  A single-line text is centred vertically
// (its line box, ascent to descent, in the middle of the box height), as is a
// wrapped text that takes one line; a wrapped text of several lines starts at
// the top.  See TextShaper for what happens to texts that do not fit.
#pragma once

#include <cairo.h>

#include <string_view>
#include <vector>

#include "host/report/render/canvas.h"
#include "host/report/render/render_cairo_handles.h"
#include "host/report/render/render_cairo_image.h"
#include "host/report/render/render_cairo_text.h"

namespace vireo {

struct TnPoint {
  double x = 0, y = 0;
};

class CairoPainter {
 public:
  // `cr` is borrowed and must outlive the painter.
  CairoPainter(cairo_t* cr, double device_scale, bool raster);
  ~CairoPainter();
  CairoPainter(const CairoPainter&) = delete;
  CairoPainter& operator=(const CairoPainter&) = delete;

  void Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign align, bool wrap);
  void FillRect(const TnRect& box, uint32_t rgb);
  // A width of zero or less draws the thinnest visible rule.
  void Line(double x1, double y1, double x2, double y2, double width, uint32_t rgb);
  // The frame is drawn inside the box.
  void FrameRect(const TnRect& box, double width, uint32_t rgb);
  // PNG bytes scaled into the box, proportions kept, centred; anything
  // unreadable draws a grey placeholder.
  void Image(const TnRect& box, std::string_view bytes);
  void Chart(const TnRect& box, const TnChartData& chart);

  // Open path through the points, with round joins.
  void Polyline(const std::vector<TnPoint>& points, double width, uint32_t rgb);
  void Dot(double x, double y, double radius, uint32_t rgb);
  // Width of a single line of text, unclipped.
  double TextWidth(std::string_view text, const TnFont& font);

  TextShaper& shaper() { return shaper_; }

 private:
  double SnapLength(double length) const;
  double SnapEdge(double value) const;
  double SnapCenter(double value, double snapped_width) const;
  double RuleWidth(double width) const;
  void SetColor(uint32_t rgb);
  void Placeholder(const TnRect& box);

  cairo_t* cr_;
  double device_scale_;
  bool raster_;
  PangoContextPtr context_;
  TextShaper shaper_;
  ImageCache images_;
};

}  // namespace vireo
