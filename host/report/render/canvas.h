// TnCanvas: what the page composer draws on, one page at a time.
//
// The composer records pages compactly while the report prints and replays
// them to a canvas when the print is over (so the page count is known for the
// footers).  Renderers (PDF, PNG, text) implement this interface.  All
// coordinates are layout units: screen pixels, 1/96 inch, from the top-left
// corner of the sheet.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/report/draw_types.h"

namespace vireo {

// What a section is to the page it lands on.
enum class TnSectionRole : uint8_t { kPageHeader, kTitle, kHeading, kBody, kFooter };

// The start of a section's drawing calls.  Renderers that only draw pages
// ignore it; the spreadsheet renderers read their table from it (a header
// once, no footers, a sheet per company).
struct TnSectionMark {
  int number = 0;
  TnSectionRole role = TnSectionRole::kBody;
  // On a page header: the report asked for this page (a break between
  // companies or groups) instead of the previous one running full.
  bool forced_page = false;
  // On a page header: the texts of its variables, which tell one company's
  // pages from the next.
  std::vector<std::string> values;
};

class TnCanvas {
 public:
  virtual ~TnCanvas();
  virtual void BeginDocument(const TnPageSetup& setup, int page_count) = 0;
  virtual void BeginPage(int page) = 0;
  virtual void BeginSection(const TnSectionMark& mark);
  // Text clipped to its box; `wrap` breaks it into lines inside the box.
  virtual void Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign align,
                    bool wrap) = 0;
  virtual void FillRect(const TnRect& box, uint32_t rgb) = 0;
  virtual void Line(double x1, double y1, double x2, double y2, double width, uint32_t rgb) = 0;
  virtual void FrameRect(const TnRect& box, double width, uint32_t rgb) = 0;
  // PNG or JPEG bytes scaled into the box, keeping proportions.
  virtual void Image(const TnRect& box, std::string_view bytes) = 0;
  virtual void Chart(const TnRect& box, const TnChartData& chart) = 0;
  virtual void EndPage() = 0;
  virtual void EndDocument() = 0;
};

}  // namespace vireo
