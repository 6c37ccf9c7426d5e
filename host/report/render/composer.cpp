#include "host/report/render/composer.h"

#include "host/core/exception.h"
#include "host/report/chart.h"
#include "host/report/image.h"

namespace vireo {

TnPageComposer::TnPageComposer(const TnLayout& layout, const TnpqPowerParam& vars,
                               FieldReader fields)
    : layout_(layout), vars_(vars), fields_(std::move(fields)) {
  body_bottom_ = layout_.page.height - layout_.page.margin_bottom - Height(kSectionPageFooter);
}

void TnPageComposer::SetOutput(TnPageSpool* spool, TnTraceWriter* trace) {
  spool_ = spool;
  trace_ = trace;
}

void TnPageComposer::SetSection(int number, TnSectionRuntime runtime) {
  if (static_cast<int>(sections_.size()) <= number) sections_.resize(number + 1);
  sections_[number] = std::move(runtime);
  body_bottom_ = layout_.page.height - layout_.page.margin_bottom - Height(kSectionPageFooter);
}

const TnSectionRuntime* TnPageComposer::Section(int number) const {
  if (number < 0 || number >= static_cast<int>(sections_.size())) return nullptr;
  return sections_[number].def != nullptr ? &sections_[number] : nullptr;
}

double TnPageComposer::Height(int number) const {
  const TnSectionRuntime* s = Section(number);
  return s != nullptr ? s->def->height : 0;
}

double TnPageComposer::RemainingOnNewPage() const {
  double top = layout_.page.margin_top + Height(kSectionPageHeader);
  if (page_ == 0) top += Height(kSectionTitle);
  return body_bottom_ - top;
}

void TnPageComposer::StartPage(bool forced) {
  if (page_ > 0) {
    PlaceFooter();
    spool_->EndPage();
  }
  ++page_;
  cursor_ = layout_.page.margin_top;
  spool_->BeginPage();
  trace_->Page(page_);
  forced_page_ = forced || page_ == 1;
  if (Section(kSectionPageHeader) != nullptr) Place(kSectionPageHeader, false);
  if (page_ == 1 && Section(kSectionTitle) != nullptr) Place(kSectionTitle, false);
}

void TnPageComposer::Finish() {
  if (page_ == 0) return;
  PlaceFooter();
  spool_->EndPage();
}

void TnPageComposer::PlaceFooter() {
  const TnSectionRuntime* footer = Section(kSectionPageFooter);
  if (footer == nullptr) return;
  trace_->Section(page_, kSectionPageFooter, vars_, footer->labels);
  MarkSection(*footer, TnSectionRole::kFooter);
  Draw(*footer, body_bottom_, false);
}

void TnPageComposer::Place(int number, bool shaded, bool heading) {
  const TnSectionRuntime* section = Section(number);
  if (section == nullptr) {
    throw Exception(layout_.file + ": a seção " + std::to_string(number) + " não existe no layout");
  }
  trace_->Section(page_, number, vars_, section->labels);  // before its charts' events
  TnSectionRole role = heading ? TnSectionRole::kHeading : TnSectionRole::kBody;
  if (number == kSectionPageHeader) role = TnSectionRole::kPageHeader;
  if (number == kSectionTitle) role = TnSectionRole::kTitle;
  MarkSection(*section, role);
  Draw(*section, cursor_, shaded);
  cursor_ += section->def->height;
}

void TnPageComposer::MarkSection(const TnSectionRuntime& section, TnSectionRole role) {
  TnSectionMark mark;
  mark.number = section.def->number;
  mark.role = role;
  if (role == TnSectionRole::kPageHeader) {
    mark.forced_page = forced_page_;
    for (size_t i = 0; i < section.objects.size(); ++i) {
      if (section.variables[i] != nullptr && section.objects[i]->Visible()) {
        mark.values.push_back(section.variables[i]->Value());
      }
    }
  }
  spool_->Section(mark);
}

void TnPageComposer::Draw(const TnSectionRuntime& section, double top, bool shaded) {
  const TnPageSetup& page = layout_.page;
  if (shaded) {
    spool_->FillRect(TnRect{page.margin_left, top,
                            page.width - page.margin_left - page.margin_right, section.def->height},
                     kZebraColor);
  }
  for (size_t i = 0; i < section.objects.size(); ++i) {
    if (section.objects[i]->Visible()) {
      DrawObject(section.objects[i], section.variables[i], section.def->number, top);
    }
  }
}

void TnPageComposer::DrawObject(TnpqObject* obj, TnpqParamItem* var, int section, double top) {
  const TnRect box{layout_.page.margin_left + obj->Left(), top + obj->Top(), obj->Width(),
                   obj->Height()};
  switch (obj->Kind()) {
    case TnObjectKind::Label: {
      const auto* label = static_cast<const TnpqLabel*>(obj);
      switch (label->Source()) {
        case TnLabelSource::Variable:
          spool_->Text(box, var->Value(), label->Font(), label->Alignment(), label->WordWrap());
          break;
        case TnLabelSource::Field:
          spool_->Text(box, fields_(label->SourceName()), label->Font(), label->Alignment(),
                       label->WordWrap());
          break;
        case TnLabelSource::Text:
          spool_->Text(box, label->Caption(), label->Font(), label->Alignment(), label->WordWrap(),
                       TnPageSpool::HasPageTokens(label->Caption()));
          break;
      }
      break;
    }
    case TnObjectKind::Line: {
      const auto* shape = static_cast<const TnpqShape*>(obj);
      spool_->Line(box.left, box.top, box.left + box.width, box.top + box.height, shape->Pen(),
                   shape->Color());
      break;
    }
    case TnObjectKind::Box: {
      const auto* shape = static_cast<const TnpqShape*>(obj);
      if (shape->Fill() >= 0) spool_->FillRect(box, static_cast<uint32_t>(shape->Fill()));
      if (shape->Pen() > 0) spool_->FrameRect(box, shape->Pen(), shape->Color());
      break;
    }
    case TnObjectKind::Image: {
      const auto* image = static_cast<const TnpqImage*>(obj);
      if (!image->Bytes().empty()) spool_->Image(box, image, image->PictureId(), image->Bytes());
      break;
    }
    case TnObjectKind::Chart: {
      const TnChartData data = static_cast<const TnpqChart*>(obj)->Data();
      spool_->Chart(box, data);
      trace_->Chart(section, obj->Name(), data);
      break;
    }
  }
}

}  // namespace vireo
