// Line charts drawn with the painter's primitives.
//
// The chart fills its box: optional title on top, legend (when the series
// have names) at the bottom, value axis on the left with a light grid at
// round values, category labels under the plot, thinned so that they never
// overlap.  Categories are the point labels in order of first appearance
// across the series, so series with gaps still line up.
#pragma once

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

void DrawLineChart(CairoPainter& painter, const TnRect& box, const TnChartData& chart);

}  // namespace vireo
