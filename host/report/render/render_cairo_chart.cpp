#include "host/report/render/render_cairo_chart.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/core/format.h"
#include "host/report/render/render_cairo_draw.h"

namespace vireo {

namespace {

constexpr uint32_t kPalette[] = {0x1F77B4, 0xD62728, 0x2CA02C, 0xFF7F0E,
                                 0x9467BD, 0x8C564B, 0xE377C2, 0x17BECF};
constexpr uint32_t kAxisColor = 0x808080;
constexpr uint32_t kGridColor = 0xE3E3E3;
constexpr uint32_t kZeroColor = 0xB0B0B0;
constexpr uint32_t kLabelColor = 0x404040;
constexpr double kPad = 6;
constexpr double kTitleHeight = 18;
constexpr double kLabelHeight = 14;
constexpr double kLegendRow = 14;
constexpr double kSwatch = 16;
constexpr double kLabelGap = 8;
constexpr double kMinGridSpacing = 30;
constexpr std::size_t kMaxPointsWithDots = 31;
constexpr char kDefaultMask[] = "#,##0.##";

struct Box {
  double left, top, right, bottom;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
  TnRect rect() const { return {left, top, width(), height()}; }
};

// Points of every series as (slot, value): a point sits at its index in its
// series, so a series whose points carry no label (a zero line beside the
// balance) still lines up with the others.  A slot is labelled by the first
// series that labels it.
struct Categories {
  std::vector<std::string> labels;
  std::vector<std::vector<std::pair<std::size_t, double>>> series;
};

Categories CollectCategories(const TnChartData& chart) {
  Categories result;
  std::size_t slots = 0;
  for (const auto& series : chart.series) slots = std::max(slots, series.size());
  result.labels.resize(slots);
  std::vector<bool> labelled(slots, false);
  for (const auto& series : chart.series) {
    auto& points = result.series.emplace_back();
    for (std::size_t i = 0; i < series.size(); ++i) {
      const auto& [label, value] = series[i];
      if (!labelled[i] && !label.empty()) {
        result.labels[i] = label;
        labelled[i] = true;
      }
      points.emplace_back(i, value);
    }
  }
  return result;
}

// A series that only draws the zero line: every value 0.
bool ZeroSeries(const std::vector<std::pair<std::string, double>>& series) {
  return !series.empty() && std::all_of(series.begin(), series.end(),
                                        [](const auto& point) { return point.second == 0; });
}

TnFont Font(double size, uint32_t color, bool bold = false, bool italic = false) {
  TnFont font;
  font.size = size;
  font.color = color;
  font.bold = bold;
  font.italic = italic;
  return font;
}

uint32_t SeriesColor(std::size_t series) {
  return kPalette[series % (sizeof(kPalette) / sizeof(kPalette[0]))];
}

bool HasNames(const TnChartData& chart) {
  return std::any_of(chart.series_names.begin(), chart.series_names.end(),
                     [](const std::string& name) { return !name.empty(); });
}

// Lays the legend out in centred rows at the bottom of `area` and takes
// their height from it.
void DrawLegend(CairoPainter& painter, const TnChartData& chart, Box& area) {
  const TnFont font = Font(7.5, kLabelColor);
  struct Item {
    std::string name;
    std::size_t series;
    double text_width;
  };
  std::vector<std::vector<Item>> rows(1);
  double row_width = 0;
  for (std::size_t s = 0; s < chart.series.size(); ++s) {
    // An unnamed series (the zero line) or one without points says nothing.
    if (s >= chart.series_names.size() || chart.series_names[s].empty()) continue;
    if (chart.series[s].empty()) continue;
    Item item{chart.series_names[s], s, 0};
    item.text_width = painter.TextWidth(item.name, font) + 1;
    double width = kSwatch + 4 + item.text_width + 12;
    if (!rows.back().empty() && row_width + width > area.width()) {
      rows.emplace_back();
      row_width = 0;
    }
    rows.back().push_back(std::move(item));
    row_width += width;
  }
  area.bottom -= rows.size() * kLegendRow + 4;
  double top = area.bottom + 4;
  for (const auto& row : rows) {
    double width = 0;
    for (const Item& item : row) width += kSwatch + 4 + item.text_width + 12;
    double x = area.left + std::max(0.0, (area.width() - width + 12) / 2);
    for (const Item& item : row) {
      double middle = top + kLegendRow / 2;
      uint32_t color = SeriesColor(item.series);
      painter.Line(x, middle, x + kSwatch, middle, 2, color);
      painter.Dot(x + kSwatch / 2, middle, 2, color);
      painter.Text({x + kSwatch + 4, top, item.text_width, kLegendRow}, item.name, font,
                   TnAlign::Left, false);
      x += kSwatch + 4 + item.text_width + 12;
    }
    top += kLegendRow;
  }
}

void DrawNoData(CairoPainter& painter, Box area) {
  Box plot{area.left + 4, area.top + 4, area.right - 4, area.bottom - 4};
  painter.Line(plot.left, plot.top, plot.left, plot.bottom, 1, kAxisColor);
  painter.Line(plot.left, plot.bottom, plot.right, plot.bottom, 1, kAxisColor);
  painter.Text(plot.rect(), "Sem dados", Font(8, 0x808080, false, true), TnAlign::Center, false);
}

// The value range, widened to zero when that does not squash the lines.  A
// zero line does not count: it shows where zero is when zero is in view,
// and must not pull a balance far from zero down into a flat line.
bool ValueRange(const TnChartData& chart, const Categories& categories, double& low, double& high) {
  const bool only_zero_lines = std::all_of(chart.series.begin(), chart.series.end(), ZeroSeries);
  low = INFINITY;
  high = -INFINITY;
  for (std::size_t s = 0; s < categories.series.size(); ++s) {
    if (!only_zero_lines && ZeroSeries(chart.series[s])) continue;
    for (const auto& point : categories.series[s]) {
      if (!std::isfinite(point.second)) continue;
      low = std::min(low, point.second);
      high = std::max(high, point.second);
    }
  }
  if (low > high) return false;
  if (low > 0 && low <= high / 2) low = 0;
  if (high < 0 && high >= low / 2) high = 0;
  if (low == high) {  // one value: show it against zero
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
  }
  return true;
}

struct ValueAxis {
  ChartScale scale;
  std::vector<double> ticks;
  std::vector<std::string> labels;
  double widest = 0;
  double Y(const Box& plot, double value) const {
    return plot.bottom - (value - scale.low) / (scale.high - scale.low) * plot.height();
  }
};

ValueAxis MakeValueAxis(CairoPainter& painter, const std::string& mask, double low, double high,
                        double plot_height, const TnFont& font) {
  ValueAxis axis;
  int max_ticks = std::max(2, static_cast<int>(plot_height / kMinGridSpacing) + 1);
  axis.scale = NiceChartScale(low, high, max_ticks);
  long count = std::lround((axis.scale.high - axis.scale.low) / axis.scale.step);
  for (long i = 0; i <= count; ++i) {
    double value = axis.scale.low + i * axis.scale.step;
    if (std::fabs(value) < axis.scale.step * 1e-9) value = 0;  // no "-0"
    axis.ticks.push_back(value);
    axis.labels.push_back(FormatFloat(mask.empty() ? kDefaultMask : mask, value));
    axis.widest = std::max(axis.widest, painter.TextWidth(axis.labels.back(), font));
  }
  return axis;
}

void DrawValueAxis(CairoPainter& painter, const ValueAxis& axis, const Box& area, const Box& plot,
                   const TnFont& font) {
  for (std::size_t i = 0; i < axis.ticks.size(); ++i) {
    double y = axis.Y(plot, axis.ticks[i]);
    bool zero = axis.ticks[i] == 0 && i != 0;
    painter.Line(plot.left, y, plot.right, y, 1, zero ? kZeroColor : kGridColor);
    painter.Text({area.left, y - kLabelHeight / 2, plot.left - 5 - area.left, kLabelHeight},
                 axis.labels[i], font, TnAlign::Right, false);
  }
  painter.Line(plot.left, plot.top, plot.left, plot.bottom, 1, kAxisColor);
  painter.Line(plot.left, plot.bottom, plot.right, plot.bottom, 1, kAxisColor);
}

void DrawCategoryAxis(CairoPainter& painter, const std::vector<std::string>& labels,
                      const Box& area, const Box& plot, const TnFont& font) {
  double widest = 0;
  for (const auto& label : labels) widest = std::max(widest, painter.TextWidth(label, font));
  int count = static_cast<int>(labels.size());
  double slot = plot.width() / count;
  int step = ChartLabelStep(count, widest, plot.width());
  double last_right = -INFINITY;  // where the previous label's text ends
  for (int i = 0; i < count; i += step) {
    double center = plot.left + (i + 0.5) * slot;
    double width = std::max(slot * step, widest + 1);
    double left =
        std::clamp(center - width / 2, area.left, std::max(area.left, area.right - width));
    painter.Line(center, plot.bottom, center, plot.bottom + 4, 1, kAxisColor);
    // A label pushed back inside the chart at its edge may reach the one
    // before it: then it is left out.
    const double text_width = painter.TextWidth(labels[i], font);
    const double text_left = left + (width - text_width) / 2;
    if (labels[i].empty() || text_left < last_right + kLabelGap / 2) continue;
    painter.Text({left, plot.bottom + 4, width, kLabelHeight}, labels[i], font, TnAlign::Center,
                 false);
    last_right = text_left + text_width;
  }
}

// Consecutive finite values make one line; a missing value breaks it.  The
// zero line is drawn thin and grey under the others.
void DrawSeries(CairoPainter& painter, const TnChartData& chart, const Categories& categories,
                const ValueAxis& axis, const Box& plot) {
  double slot = plot.width() / categories.labels.size();
  bool dots = categories.labels.size() <= kMaxPointsWithDots;
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t s = 0; s < categories.series.size(); ++s) {
      const bool zero = ZeroSeries(chart.series[s]);
      if (zero != (pass == 0)) continue;
      if (zero && (axis.scale.low > 0 || axis.scale.high < 0)) continue;  // zero out of view
      const uint32_t color = zero ? kZeroColor : SeriesColor(s);
      const double pen = zero ? 0.75 : 1.5;
      std::vector<TnPoint> line;
      auto flush = [&] {
        painter.Polyline(line, pen, color);
        line.clear();
      };
      for (const auto& [category, value] : categories.series[s]) {
        if (!std::isfinite(value)) {
          flush();
          continue;
        }
        TnPoint point{plot.left + (category + 0.5) * slot, axis.Y(plot, value)};
        line.push_back(point);
        if (dots && !zero) painter.Dot(point.x, point.y, 2, color);
      }
      flush();
    }
  }
}

}  // namespace

std::vector<std::string> ChartCategoryLabels(const TnChartData& chart) {
  return CollectCategories(chart).labels;
}

ChartScale NiceChartScale(double min, double max, int max_ticks) {
  if (!std::isfinite(min) || !std::isfinite(max)) return {};
  if (min > max) std::swap(min, max);
  if (min == max) {
    double pad = min == 0 ? 1 : std::fabs(min) * 0.1;
    min -= pad;
    max += pad;
  }
  int intervals = std::max(max_ticks, 2) - 1;
  double magnitude = std::pow(10, std::floor(std::log10((max - min) / intervals)));
  // The smallest round step whose ticks cover the range in few enough
  // intervals; the tolerance keeps values that are already round in place.
  for (int tries = 0; tries < 32 && std::isfinite(magnitude); ++tries, magnitude *= 10) {
    for (double mantissa : {1.0, 2.0, 5.0}) {
      double step = mantissa * magnitude;
      double low = std::floor(min / step + 1e-9);
      double high = std::ceil(max / step - 1e-9);
      if (high - low <= intervals) return {low * step, high * step, step};
    }
  }
  return {min, max, max - min};  // ranges near the limits of double
}

int ChartLabelStep(int label_count, double widest, double plot_width) {
  if (label_count <= 1 || plot_width <= 0) return 1;
  double slot = plot_width / label_count;
  int step = static_cast<int>(std::ceil((widest + kLabelGap) / slot));
  return std::clamp(step, 1, label_count);
}

void DrawLineChart(CairoPainter& painter, const TnRect& rect, const TnChartData& chart) {
  Box area{rect.left + kPad, rect.top + kPad, rect.left + rect.width - kPad,
           rect.top + rect.height - kPad};
  if (!chart.title.empty()) {
    painter.Text({area.left, area.top, area.width(), kTitleHeight}, chart.title,
                 Font(9, 0x202020, true), TnAlign::Center, false);
    area.top += kTitleHeight;
  }
  if (HasNames(chart) && !chart.series.empty()) DrawLegend(painter, chart, area);

  Categories categories = CollectCategories(chart);
  double low, high;
  if (categories.labels.empty() || !ValueRange(chart, categories, low, high)) {
    DrawNoData(painter, area);
    return;
  }
  const TnFont font = Font(7, kLabelColor);
  Box plot{area.left, area.top + kLabelHeight / 2, area.right - 2, area.bottom - kLabelHeight - 4};
  if (plot.height() < kLabelHeight || area.width() < 4 * kLabelHeight) return;
  ValueAxis axis = MakeValueAxis(painter, chart.value_format, low, high, plot.height(), font);
  plot.left = area.left + axis.widest + 6;
  if (plot.width() < kLabelHeight) return;

  DrawValueAxis(painter, axis, area, plot, font);
  DrawCategoryAxis(painter, categories.labels, area, plot, font);
  DrawSeries(painter, chart, categories, axis, plot);
}

}  // namespace vireo
