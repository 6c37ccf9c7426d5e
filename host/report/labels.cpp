#include "host/report/labels.h"

#include "host/report/chart.h"
#include "host/report/image.h"

namespace vireo {

TnpqObject::TnpqObject(const TnObjectDef& def, int section)
    : kind_(def.kind),
      name_(def.name),
      section_(section),
      visible_(def.visible),
      left_(def.left),
      top_(def.top),
      width_(def.width),
      height_(def.height) {}

TnpqObject::~TnpqObject() noexcept = default;

void TnpqObject::SetVisible(bool on) {
  if (visible_ != on) visible_ = on, Changed();
}
void TnpqObject::SetLeft(double v) {
  if (left_ != v) left_ = v, Changed();
}
void TnpqObject::SetTop(double v) {
  if (top_ != v) top_ = v, Changed();
}
void TnpqObject::SetWidth(double v) {
  if (width_ != v) width_ = v, Changed();
}
void TnpqObject::SetHeight(double v) {
  if (height_ != v) height_ = v, Changed();
}

TnpqLabel::TnpqLabel(const TnObjectDef& def, int section)
    : TnpqObject(def, section),
      source_(def.source),
      text_(def.text),
      font_(def.font),
      align_(def.align),
      word_wrap_(def.word_wrap) {}

TnpqLabel::~TnpqLabel() = default;

void TnpqLabel::SetCaption(const std::string& text) {
  source_ = TnLabelSource::Text;
  text_ = text;
  Changed();
}

TFontStyles TnpqLabel::FontStyle() const {
  TFontStyles styles;
  if (font_.bold) styles.Add(fsBold);
  if (font_.italic) styles.Add(fsItalic);
  if (font_.underline) styles.Add(fsUnderline);
  if (font_.strikeout) styles.Add(fsStrikeOut);
  return styles;
}

void TnpqLabel::SetFontSize(double points) {
  if (font_.size != points) font_.size = points, Changed();
}

void TnpqLabel::SetFontStyle(TFontStyles styles) {
  if (styles == FontStyle()) return;  // reports restyle every row; most rows change nothing
  font_.bold = styles.Contains(fsBold);
  font_.italic = styles.Contains(fsItalic);
  font_.underline = styles.Contains(fsUnderline);
  font_.strikeout = styles.Contains(fsStrikeOut);
  Changed();
}

void TnpqLabel::SetFontColor(uint32_t rgb) {
  if (font_.color != rgb) font_.color = rgb, Changed();
}

void TnpqLabel::SetAlignment(TnAlign align) {
  if (align_ != align) align_ = align, Changed();
}

void TnpqLabel::SetWordWrap(bool on) {
  if (word_wrap_ != on) word_wrap_ = on, Changed();
}

TnpqShape::TnpqShape(const TnObjectDef& def, int section)
    : TnpqObject(def, section), pen_(def.pen), color_(def.color), fill_(def.fill) {}

TnpqShape::~TnpqShape() = default;

std::unique_ptr<TnpqObject> CreateLayoutObject(const TnObjectDef& def, int section) {
  switch (def.kind) {
    case TnObjectKind::Label:
      return std::make_unique<TnpqLabel>(def, section);
    case TnObjectKind::Line:
    case TnObjectKind::Box:
      return std::make_unique<TnpqShape>(def, section);
    case TnObjectKind::Image:
      return std::make_unique<TnpqImage>(def, section);
    case TnObjectKind::Chart:
      return std::make_unique<TnpqChart>(def, section);
  }
  return nullptr;
}

}  // namespace vireo
