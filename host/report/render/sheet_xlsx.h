// The XLSX renderer: the composed pages as a workbook, written by
// libxlsxwriter.
//
// The table of TnSheetCanvas, one worksheet per sheet: the header rows at the
// top, frozen so they stay in view; amounts as numbers and dates as dates
// with formats that show them as printed (TnSheetValue), other texts as
// text; bold and italic kept; column widths from the plan.  The library's
// constant-memory mode writes each row to a temporary file as it comes, so a
// million-line ledger takes no more memory than a short one.  A sheet that
// reaches the program's limit of rows goes on in a sheet of the same name
// and a number, under the same header.
#pragma once

#include <memory>
#include <string>

#include "host/report/render/canvas.h"
#include "host/report/render/sheet_table.h"

namespace vireo {

std::unique_ptr<TnCanvas> MakeXlsxCanvas(const std::string& path, const TnSheetPlan& plan);

// The XLSX row limit a sheet breaks at; lowered by tests.
void SetXlsxRowLimitForTests(long rows);

}  // namespace vireo
