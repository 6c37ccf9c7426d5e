// TnPrintOutputs: the files a print is asked to write.
//
// Any path may be empty.  The engine writes each output under a temporary
// name and moves it into place only when the whole print succeeded, so a
// failed print leaves none of them.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

struct VIREO_API TnPrintOutputs {
  std::string pdf{};     // path of the PDF document
  std::string png{};     // path pattern of the PNG pages (the renderer numbers them)
  std::string text{};    // path of the plain-text print
  std::string trace{};   // path of the JSON-lines trace
  std::string xlsx{};    // path of the workbook
  std::string csv{};     // path of the CSV table
  char csv_decimal = 0;  // decimal mark of the CSV: ',' or '.'; 0 the locale's
};

}  // namespace vireo
