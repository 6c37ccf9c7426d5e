#include "host/report/chart.h"

namespace vireo {

TnpqChart::TnpqChart(const TnObjectDef& def, int section)
    : TnpqObject(def, section), title_(def.title), value_format_(def.value_format) {
  for (const std::string& name : def.series) {
    series_.push_back(std::make_unique<TnChartSeries>(name));
    series_.back()->SetValueFormat(value_format_);
  }
}

TnpqChart::~TnpqChart() = default;

TnChartSeries* TnpqChart::Series(int i) {
  while (SeriesCount() <= i) {
    series_.push_back(std::make_unique<TnChartSeries>(std::string()));
    series_.back()->SetValueFormat(value_format_);
  }
  return series_[i].get();
}

void TnpqChart::Clear() {
  for (auto& s : series_) s->Clear();
}

TnChartData TnpqChart::Data() const {
  TnChartData data;
  data.title = title_;
  for (const std::string& line : texts_) data.title += (data.title.empty() ? "" : "\n") + line;
  // The axis follows the first series that has a format of its own.
  data.value_format = value_format_;
  for (const auto& s : series_) {
    if (!s->ValueFormat().empty()) {
      data.value_format = s->ValueFormat();
      break;
    }
  }
  for (const auto& s : series_) {
    data.series_names.push_back(s->Title());
    data.series.push_back(s->Points());
  }
  return data;
}

}  // namespace vireo
