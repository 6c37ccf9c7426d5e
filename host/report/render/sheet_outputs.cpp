#include "host/report/render/sheet_outputs.h"

#include <filesystem>

#include "host/core/format.h"
#include "host/core/text.h"
#include "host/report/render/sheet_csv.h"
#include "host/report/render/sheet_table.h"
#include "host/report/render/sheet_xlsx.h"

namespace vireo {

namespace {

std::string ReportName(const TnLayout& layout) {
  if (!Trim(layout.title).empty()) return Trim(layout.title);
  const std::string stem = std::filesystem::path(layout.file).stem().string();
  return stem.empty() ? "Relatório" : stem;
}

}  // namespace

std::vector<std::unique_ptr<TnCanvas>> MakeSheetCanvases(TnPageSpool& spool, const TnLayout& layout,
                                                         const TnPrintOutputs& outputs) {
  std::vector<std::unique_ptr<TnCanvas>> canvases;
  if (outputs.xlsx.empty() && outputs.csv.empty()) return canvases;
  auto planner = std::make_unique<TnSheetPlanner>(ReportName(layout));
  TnSheetPlanner* plan_of = planner.get();
  TnSheetCanvas scan(std::move(planner));
  spool.Replay(layout.page, {&scan});
  const TnSheetPlan plan = plan_of->Plan();
  if (!outputs.xlsx.empty()) canvases.push_back(MakeXlsxCanvas(outputs.xlsx, plan));
  if (!outputs.csv.empty()) {
    const char decimal =
        outputs.csv_decimal != 0 ? outputs.csv_decimal : FormatSettings.DecimalSeparator;
    canvases.push_back(MakeCsvCanvas(outputs.csv, plan, decimal));
  }
  return canvases;
}

}  // namespace vireo
