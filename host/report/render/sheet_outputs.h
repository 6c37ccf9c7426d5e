// The spreadsheet outputs of a print (XLSX, CSV): their canvases, made
// after a first pass over the composed pages has planned the table.
#pragma once

#include <memory>
#include <vector>

#include "host/report/layout.h"
#include "host/report/outputs.h"
#include "host/report/render/canvas.h"
#include "host/report/render/spool.h"

namespace vireo {

// None when no spreadsheet was asked for.  The sheet of a report printed as
// one is named after the layout's title ("Razão"), else its file.
std::vector<std::unique_ptr<TnCanvas>> MakeSheetCanvases(TnPageSpool& spool, const TnLayout& layout,
                                                         const TnPrintOutputs& outputs);

}  // namespace vireo
