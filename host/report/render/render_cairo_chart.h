// Line charts drawn with the painter's primitives.
//
// The chart fills its box: optional title on top, legend (when the series
// have names) at the bottom, value axis on the left with a light grid at
// round values, category labels under the plot, thinned so that they never
// overlap.  A point sits at its index in its series, so a series whose
// points carry no label (the zero line beside a balance) lines up with the
// others; a slot is labelled by the first series that labels it.  Unnamed
// and empty series stay out of the legend; a series of zeros is drawn thin
// and grey under the others.
#pragma once

#include <string>
#include <vector>

#include "host/report/render/canvas.h"

namespace vireo {

class CairoPainter;

// Value axis ticks: low, low + step, ..., high, at "round" values (1, 2 or 5
// times a power of ten) covering [min, max] with at most about `max_ticks`.
struct ChartScale {
  double low = 0, high = 1, step = 1;
};
ChartScale NiceChartScale(double min, double max, int max_ticks);

// Write one category label out of every `step` so that labels as wide as
// `widest` (plus a gap) fit in their slots of the plot width.
int ChartLabelStep(int label_count, double widest, double plot_width);

// The label of each slot of the category axis.
std::vector<std::string> ChartCategoryLabels(const TnChartData& chart);

void DrawLineChart(CairoPainter& painter, const TnRect& box, const TnChartData& chart);

}  // namespace vireo
