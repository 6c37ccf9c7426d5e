// TnPageComposer: where sections land on the sheet.
//
// It keeps the vertical position on the current page, draws a section's
// visible objects there (into the page spool) with the variables' current
// text, writes the section to the trace, and frames each page: section 1 is
// the page header at the top, section 2 the title under it on the first page,
// section 3 the footer at the bottom of every page.  Which section goes on
// which page is the engine's decision (TnrwReport); the composer only
// places.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/report/labels.h"
#include "host/report/layout.h"
#include "host/report/params.h"
#include "host/report/render/canvas.h"
#include "host/report/render/spool.h"
#include "host/report/render/trace.h"

namespace vireo {

// Frame sections placed by the composer itself.
constexpr int kSectionPageHeader = 1;
constexpr int kSectionTitle = 2;
constexpr int kSectionPageFooter = 3;
constexpr uint32_t kZebraColor = 0xEEEEEE;

// A section as printed: its layout entry, its objects, and for each label
// the variable it shows (null for fixed text and columns).
struct TnSectionRuntime {
  const TnSectionDef* def = nullptr;
  std::vector<TnpqObject*> objects;
  std::vector<TnpqParamItem*> variables;  // parallel to objects
  std::vector<const TnpqLabel*> labels;   // for the trace
};

class TnPageComposer {
 public:
  // Reads the text of a column of the layout's query.
  using FieldReader = std::function<std::string(const std::string& column)>;
  TnPageComposer(const TnLayout& layout, const TnpqPowerParam& vars, FieldReader fields);

  void SetOutput(TnPageSpool* spool, TnTraceWriter* trace);
  void SetSection(int number, TnSectionRuntime runtime);
  const TnSectionRuntime* Section(int number) const;

  int Page() const { return page_; }
  bool HasPage() const { return page_ > 0; }
  // Free height left for body sections on the current page.
  double Remaining() const { return body_bottom_ - cursor_; }
  // Free height on a page about to start (after its header and title).
  double RemainingOnNewPage() const;
  double Height(int number) const;

  // Closes the current page (placing its footer) and opens the next one,
  // with the header and, on the first page, the title.  `forced`: the
  // report asked for the page, the last one did not run full.
  void StartPage(bool forced = false);
  // Draws the section at the current position and moves below it.
  // `heading`: printed at the top of the page by the header's handler.
  void Place(int number, bool shaded, bool heading = false);
  // Places the last page's footer.
  void Finish();

 private:
  void Draw(const TnSectionRuntime& section, double top, bool shaded);
  void DrawObject(TnpqObject* obj, TnpqParamItem* var, int section, double top);
  void PlaceFooter();
  void MarkSection(const TnSectionRuntime& section, TnSectionRole role);

  const TnLayout& layout_;
  const TnpqPowerParam& vars_;
  FieldReader fields_;
  TnPageSpool* spool_ = nullptr;
  TnTraceWriter* trace_ = nullptr;
  std::vector<TnSectionRuntime> sections_;  // by number; def null when absent
  int page_ = 0;
  double cursor_ = 0;
  double body_bottom_ = 0;
  bool forced_page_ = false;
};

}  // namespace vireo
