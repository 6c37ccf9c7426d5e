#include "host/report/end_of_sheet.h"

#include <cmath>

#include "host/core/exception.h"
#include "host/report/engine.h"
#include "host/report/labels.h"

namespace vireo {

namespace {

constexpr double kCharWidth = 7;  // as the text renderer counts columns

// Puts a text on the label and gives the old one back when done.
class LabelText {
 public:
  LabelText(TnrwReport* report, TnpqLabel* label) : report_(report), label_(label) {
    variable_ = label_->Source() == TnLabelSource::Variable;
    saved_ = variable_ ? report_->GetValues(label_->SourceName()) : label_->Caption();
    saved_source_ = label_->Source();
  }
  ~LabelText() {
    if (variable_) {
      report_->SetValues(label_->SourceName(), saved_);
    } else if (saved_source_ == TnLabelSource::Text) {
      label_->SetCaption(saved_);
    }
  }
  void Set(const std::string& text) {
    if (variable_) {
      report_->SetValues(label_->SourceName(), text);
    } else {
      label_->SetCaption(text);
    }
  }

 private:
  TnrwReport* report_;
  TnpqLabel* label_;
  bool variable_;
  std::string saved_;
  TnLabelSource saved_source_;
};

}  // namespace

void InvalidarFinalFolha(TnrwReport* report, int line_section, int closing_section,
                         const std::string& label_name) {
  if (report == nullptr || report->PageNumber() == 0 || report->GetCSLIsPageEnd()) return;
  TnpqLabel* label = report->LabelByName(label_name);
  const TnSectionDef* line = report->Layout().FindSection(line_section);
  const TnSectionDef* closing = report->Layout().FindSection(closing_section);
  if (line == nullptr || closing == nullptr) {
    throw Exception(report->Layout().file + ": InvalidarFinalFolha: a seção " +
                    std::to_string(line == nullptr ? line_section : closing_section) +
                    " não existe no layout");
  }
  const int lines =
      static_cast<int>(std::floor((report->RemainingHeight() - closing->height) / line->height));
  const int columns = std::max(0, static_cast<int>(label->Width() / kCharWidth) - 2);
  {
    LabelText text(report, label);
    for (int i = 0; i < lines; ++i) {
      const int indent =
          lines > 1 ? static_cast<int>(std::lround(double(i) * columns / (lines - 1))) : 0;
      text.Set(std::string(indent, ' ') + "**");
      report->RepPrintSection(line_section);
    }
  }
  if (report->CanPrintSection({closing_section})) report->RepPrintSection(closing_section);
  report->SetCSLIsPageEnd(true);
}

}  // namespace vireo
