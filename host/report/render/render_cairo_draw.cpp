#include "host/report/render/render_cairo_draw.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "host/report/render/render_cairo_chart.h"

namespace vireo {

namespace {

// Layout resolution: a point is 96/72 layout units.
constexpr double kLayoutDpi = 96;
// Wide enough for any single line a page can hold.
constexpr double kUnboundedWidth = 100000;
constexpr double kPdfHairline = 0.75;
constexpr uint32_t kPlaceholderFill = 0xE6E6E6;
constexpr uint32_t kPlaceholderFrame = 0xBDBDBD;

// Glyph advances are kept unhinted and unrounded so that a text has the same
// shape whatever the output resolution: PDF and PNG break lines alike.  The
// context is not tied to the surface's scale: pango misplaces strikethrough
// lines when its context carries a scaled matrix, and cairo scales the
// glyphs to the device when they are drawn anyway.
PangoContextPtr MakeTextContext(bool raster) {
  PangoContextPtr context(pango_font_map_create_context(pango_cairo_font_map_get_default()));
  pango_cairo_context_set_resolution(context.get(), kLayoutDpi);
  CairoFontOptionsPtr options(cairo_font_options_create());
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options.get(),
                                    raster ? CAIRO_HINT_STYLE_SLIGHT : CAIRO_HINT_STYLE_NONE);
  if (raster) cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(context.get(), options.get());
  pango_context_set_round_glyph_positions(context.get(), FALSE);
  return context;
}

double AlignOffset(TnAlign align, double room, double width) {
  switch (align) {
    case TnAlign::Center:
      return (room - width) / 2;
    case TnAlign::Right:
      return room - width;
    case TnAlign::Left:
      break;
  }
  return 0;
}

}  // namespace

CairoPainter::CairoPainter(cairo_t* cr, double device_scale, bool raster)
    : cr_(cr),
      device_scale_(device_scale),
      raster_(raster),
      context_(MakeTextContext(raster)),
      shaper_(context_.get()) {}

CairoPainter::~CairoPainter() = default;

void CairoPainter::Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign align,
                        bool wrap) {
  if (text.empty() || box.width <= 0 || box.height <= 0) return;
  const ShapedText& shaped = shaper_.Shape(text, font, box.width, box.height, align, wrap);
  // For layouts that pango aligns itself (wrapped or cut texts) the logical
  // box already sits at its aligned place, and x_offset takes it back out.
  double x = box.left - shaped.x_offset + AlignOffset(align, box.width, shaped.width);
  double y = shaped.line_count > 1 ? box.top : box.top + (box.height - shaped.height) / 2;
  if (raster_) y = SnapEdge(y + shaped.baseline) - shaped.baseline;

  cairo_save(cr_);
  cairo_rectangle(cr_, box.left, box.top, box.width, box.height);
  cairo_clip(cr_);
  SetColor(font.color);
  cairo_move_to(cr_, x, y);
  pango_cairo_show_layout(cr_, shaped.layout);
  cairo_restore(cr_);
}

void CairoPainter::FillRect(const TnRect& box, uint32_t rgb) {
  if (box.width <= 0 || box.height <= 0) return;
  double left = SnapEdge(box.left), top = SnapEdge(box.top);
  double right = SnapEdge(box.left + box.width), bottom = SnapEdge(box.top + box.height);
  SetColor(rgb);
  cairo_rectangle(cr_, left, top, right - left, bottom - top);
  cairo_fill(cr_);
}

void CairoPainter::Line(double x1, double y1, double x2, double y2, double width, uint32_t rgb) {
  double rule = RuleWidth(width);
  if (raster_ && y1 == y2) {
    y1 = y2 = SnapCenter(y1, rule);
    x1 = SnapEdge(x1);
    x2 = SnapEdge(x2);
  } else if (raster_ && x1 == x2) {
    x1 = x2 = SnapCenter(x1, rule);
    y1 = SnapEdge(y1);
    y2 = SnapEdge(y2);
  }
  SetColor(rgb);
  cairo_set_line_width(cr_, rule);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
  cairo_move_to(cr_, x1, y1);
  cairo_line_to(cr_, x2, y2);
  cairo_stroke(cr_);
}

void CairoPainter::FrameRect(const TnRect& box, double width, uint32_t rgb) {
  if (box.width <= 0 || box.height <= 0) return;
  double rule = RuleWidth(width);
  double left = SnapEdge(box.left), top = SnapEdge(box.top);
  double right = SnapEdge(box.left + box.width), bottom = SnapEdge(box.top + box.height);
  SetColor(rgb);
  if (right - left <= 2 * rule || bottom - top <= 2 * rule) {
    cairo_rectangle(cr_, left, top, right - left, bottom - top);
    cairo_fill(cr_);
    return;
  }
  cairo_set_line_width(cr_, rule);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
  cairo_rectangle(cr_, left + rule / 2, top + rule / 2, right - left - rule, bottom - top - rule);
  cairo_stroke(cr_);
}

void CairoPainter::Image(const TnRect& box, std::string_view bytes) {
  if (box.width <= 0 || box.height <= 0) return;
  cairo_surface_t* image = images_.Get(bytes);
  if (image == nullptr) {
    Placeholder(box);
    return;
  }
  double width = cairo_image_surface_get_width(image);
  double height = cairo_image_surface_get_height(image);
  double scale = std::min(box.width / width, box.height / height);
  double left = box.left + (box.width - width * scale) / 2;
  double top = box.top + (box.height - height * scale) / 2;

  cairo_save(cr_);
  cairo_rectangle(cr_, box.left, box.top, box.width, box.height);
  cairo_clip(cr_);
  cairo_translate(cr_, left, top);
  cairo_scale(cr_, scale, scale);
  cairo_set_source_surface(cr_, image, 0, 0);
  cairo_pattern_t* pattern = cairo_get_source(cr_);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
  // Without padding the edge pixels blend with the transparent outside.
  if (raster_) cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_rectangle(cr_, 0, 0, width, height);
  cairo_fill(cr_);
  cairo_restore(cr_);
}

void CairoPainter::Chart(const TnRect& box, const TnChartData& chart) {
  if (box.width <= 0 || box.height <= 0) return;
  cairo_save(cr_);
  cairo_rectangle(cr_, box.left, box.top, box.width, box.height);
  cairo_clip(cr_);
  DrawLineChart(*this, box, chart);
  cairo_restore(cr_);
}

void CairoPainter::Polyline(const std::vector<TnPoint>& points, double width, uint32_t rgb) {
  if (points.size() < 2) return;
  SetColor(rgb);
  cairo_set_line_width(cr_, RuleWidth(width));
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr_, points.front().x, points.front().y);
  for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].x, points[i].y);
  cairo_stroke(cr_);
}

void CairoPainter::Dot(double x, double y, double radius, uint32_t rgb) {
  SetColor(rgb);
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, x, y, radius, 0, 2 * M_PI);
  cairo_fill(cr_);
}

double CairoPainter::TextWidth(std::string_view text, const TnFont& font) {
  if (text.empty()) return 0;
  return shaper_.Shape(text, font, kUnboundedWidth, 0, TnAlign::Left, false).width;
}

double CairoPainter::SnapLength(double length) const {
  if (!raster_) return length;
  return std::max(1.0, std::round(length * device_scale_)) / device_scale_;
}

double CairoPainter::SnapEdge(double value) const {
  if (!raster_) return value;
  return std::round(value * device_scale_) / device_scale_;
}

// A rule of odd pixel width covers whole pixels only when its centre line
// runs through the middle of a pixel.
double CairoPainter::SnapCenter(double value, double snapped_width) const {
  long pixels = std::lround(snapped_width * device_scale_);
  if (pixels % 2 == 0) return SnapEdge(value);
  return (std::floor(value * device_scale_) + 0.5) / device_scale_;
}

double CairoPainter::RuleWidth(double width) const {
  if (width <= 0) return raster_ ? 1 / device_scale_ : kPdfHairline;
  return SnapLength(width);
}

void CairoPainter::SetColor(uint32_t rgb) {
  cairo_set_source_rgb(cr_, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                       (rgb & 0xFF) / 255.0);
}

void CairoPainter::Placeholder(const TnRect& box) {
  FillRect(box, kPlaceholderFill);
  FrameRect(box, 1, kPlaceholderFrame);
}

}  // namespace vireo
