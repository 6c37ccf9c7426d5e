// TnpqChart: a line chart of the layout ("grafico"), filled point by point by
// the report and drawn when its section prints.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/core/export.h"
#include "host/report/draw_types.h"
#include "host/report/labels.h"

namespace vireo {

class VIREO_API TnChartSeries {
 public:
  explicit TnChartSeries(std::string title) : title_(std::move(title)) {}
  const std::string& Title() const { return title_; }
  void Clear() { points_.clear(); }
  // FormatFloat mask for the values of this series.
  void SetValueFormat(const std::string& mask) { value_format_ = mask; }
  const std::string& ValueFormat() const { return value_format_; }
  // A point in the chart's default colour.
  void AddPoint(double value, const std::string& label) { points_.emplace_back(label, value); }
  int Count() const { return static_cast<int>(points_.size()); }
  const std::vector<std::pair<std::string, double>>& Points() const { return points_; }

 private:
  std::string title_;
  std::string value_format_;
  std::vector<std::pair<std::string, double>> points_;
};

class VIREO_API TnpqChart : public TnpqObject {
 public:
  TnpqChart(const TnObjectDef& def, int section);
  ~TnpqChart() override;

  // Series i; asking past the last one adds empty series up to it.
  TnChartSeries* Series(int i);
  int SeriesCount() const { return static_cast<int>(series_.size()); }
  // Empties every series.
  void Clear();
  // Free text lines shown under the title.
  std::vector<std::string>& Texts() { return texts_; }
  void ClearTexts() { texts_.clear(); }

  // What the renderers draw.
  TnChartData Data() const;

 private:
  std::string title_;
  std::string value_format_;
  std::vector<std::unique_ptr<TnChartSeries>> series_;
  std::vector<std::string> texts_;
};

}  // namespace vireo
