// The CSV renderer: the table of TnSheetCanvas as text a spreadsheet opens.
//
// UTF-8 with a byte-order mark (so the program takes it as UTF-8), one line
// per row, every row with all the columns of the plan.  With "," as decimal
// mark (Brazil) fields are separated by ";", with "." by ",".  Numbers are
// written plain (no grouping, no letters, the sign in front: -1500,5), dates
// as dd/mm/yyyy.  A field holding the separator, a quote or a line break is
// quoted; a text that a spreadsheet would take for a formula ("=", "+",
// "-", "@") gets a leading apostrophe.  Sheets follow one another after an
// empty line, each with its header rows.
#pragma once

#include <memory>
#include <string>

#include "host/report/render/canvas.h"
#include "host/report/render/sheet_table.h"

namespace vireo {

std::unique_ptr<TnCanvas> MakeCsvCanvas(const std::string& path, const TnSheetPlan& plan,
                                        char decimal_mark);

}  // namespace vireo
