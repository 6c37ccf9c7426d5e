// TextShaper: lays texts out with pango and remembers the result.
//
// A report prints the same strings over and over (column headings, dates,
// "0,00", the page header on every page), and shaping is the costly part of
// drawing text.  The shaper keeps the most recently used layouts, keyed by
// everything that changes the shape (text, font, box width, wrap, alignment;
// colour is applied at drawing time and is not part of the key), and drops the
// least recently used one when it is full.
//
// Fitting rules, decided here so that they are cached with the shape:
//  - a wrapped text breaks at words (inside a word when one is wider than the
//    box); when its lines do not all fit the box height, the last line that
//    fits ends with "…";
//  - a single-line text wider than its box ends with "…", except that a
//    right-aligned text (amounts) is first set up to 20% smaller so that its
//    digits stay readable; only when even that is too wide is it cut with "…".
#pragma once

#include <pango/pango.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/report/render/canvas.h"
#include "host/report/render/render_cairo_handles.h"

namespace vireo {

// A laid-out text and the measures needed to place it, in layout units.
struct ShapedText {
  PangoLayout* layout = nullptr;  // owned by the shaper
  double width = 0;               // logical extents of the whole layout
  double height = 0;
  double x_offset = 0;  // left edge of the ink-independent (logical) box
  double baseline = 0;  // first baseline, from the top of the layout
  int line_count = 0;
  double scale = 1;  // font size used / font size asked (< 1 when shrunk)
  bool ellipsized = false;
};

class TextShaper {
 public:
  static constexpr std::size_t kDefaultCapacity = 4096;

  // The shaper keeps a reference to `context`; layouts are made in it.
  explicit TextShaper(PangoContext* context, std::size_t capacity = kDefaultCapacity);
  ~TextShaper();
  TextShaper(const TextShaper&) = delete;
  TextShaper& operator=(const TextShaper&) = delete;

  // The shape of `text` in a box of the given size.  `box_height` matters
  // only to wrapped texts.  The result stays valid until the next call.
  const ShapedText& Shape(std::string_view text, const TnFont& font, double box_width,
                          double box_height, TnAlign align, bool wrap);

  std::size_t size() const { return map_.size(); }
  std::size_t capacity() const { return capacity_; }
  uint64_t hits() const { return hits_; }
  uint64_t misses() const { return misses_; }

 private:
  // Text is a view into the owning Entry (or into the caller's text while
  // looking up), so each cached string is stored once.
  struct Key {
    std::string_view text;
    std::string_view family;
    int32_t size;        // pango units
    int32_t box_width;   // pango units
    int32_t box_height;  // pango units, 0 unless wrapped
    uint8_t style;       // bold, italic, underline, strikeout bits
    TnAlign align;
    bool wrap;
    bool operator==(const Key& other) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  struct Entry {
    std::string text;
    std::string family;
    Key key;
    PangoLayoutPtr layout;
    ShapedText shaped;
  };

  Key MakeKey(std::string_view text, const TnFont& font, double box_width, double box_height,
              TnAlign align, bool wrap) const;
  void Build(Entry& entry, const TnFont& font, double box_width, double box_height);
  PangoLayoutPtr NewLayout(const Entry& entry, const TnFont& font, double scale) const;
  void Measure(Entry& entry, double scale) const;

  PangoContextPtr context_;
  std::size_t capacity_;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<Key, std::list<Entry>::iterator, KeyHash> map_;
  uint64_t hits_ = 0;
  uint64_t misses_ = 0;
};

}  // namespace vireo
