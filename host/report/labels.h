// The layout's objects as the engine holds them while printing.
//
// Reports change these objects between sections (LabelByName, GetObjects):
// visibility, position, width, font size and style.  A change applies to the
// sections printed after it, since a section is drawn from the objects'
// state at the moment it prints.  Every change raises the object's Version so
// writers (the trace) can keep what they made of the previous state.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "host/core/export.h"
#include "host/core/object.h"
#include "host/report/draw_types.h"
#include "host/report/layout.h"

namespace vireo {

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A set of font styles: {} for none, {fsBold}, {fsBold, fsItalic}.
class VIREO_API TFontStyles {
 public:
  TFontStyles() = default;
  TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles) bits_ |= s;
  }
  bool Contains(TFontStyle s) const { return (bits_ & s) != 0; }
  TFontStyles& Add(TFontStyle s) {
    bits_ |= s;
    return *this;
  }
  bool operator==(const TFontStyles& other) const { return bits_ == other.bits_; }
  uint8_t Bits() const { return bits_; }

 private:
  uint8_t bits_ = 0;
};

class VIREO_API TnpqObject : public TObject {
 public:
  TnpqObject(const TnObjectDef& def, int section);
  ~TnpqObject() noexcept override;

  TnObjectKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  int Section() const { return section_; }

  bool Visible() const { return visible_; }
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void SetVisible(bool on);
  void SetLeft(double v);
  void SetTop(double v);
  void SetWidth(double v);
  void SetHeight(double v);

  uint64_t Version() const { return version_; }

 protected:
  void Changed() { ++version_; }

 private:
  TnObjectKind kind_;
  std::string name_;
  int section_;
  bool visible_;
  double left_, top_, width_, height_;
  uint64_t version_ = 1;
};

class VIREO_API TnpqLabel : public TnpqObject {
 public:
  TnpqLabel(const TnObjectDef& def, int section);
  ~TnpqLabel() override;

  // What the label shows: fixed text, or the name of a variable or column.
  TnLabelSource Source() const { return source_; }
  const std::string& SourceName() const { return text_; }
  // The fixed text (the label then shows it instead of its variable).
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& text);

  const TnFont& Font() const { return font_; }
  double FontSize() const { return font_.size; }
  TFontStyles FontStyle() const;
  void SetFontSize(double points);
  void SetFontStyle(TFontStyles styles);
  void SetFontColor(uint32_t rgb);

  TnAlign Alignment() const { return align_; }
  void SetAlignment(TnAlign align);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool on);

 private:
  TnLabelSource source_;
  std::string text_;
  TnFont font_;
  TnAlign align_;
  bool word_wrap_;
};

// Lines and boxes.
class VIREO_API TnpqShape : public TnpqObject {
 public:
  TnpqShape(const TnObjectDef& def, int section);
  ~TnpqShape() override;
  double Pen() const { return pen_; }
  uint32_t Color() const { return color_; }
  int64_t Fill() const { return fill_; }  // -1: no background

 private:
  double pen_;
  uint32_t color_;
  int64_t fill_;
};

// The object a layout entry describes, bound to its section (the engine's
// own: reports reach the objects through the engine).
std::unique_ptr<TnpqObject> CreateLayoutObject(const TnObjectDef& def, int section);

}  // namespace vireo
