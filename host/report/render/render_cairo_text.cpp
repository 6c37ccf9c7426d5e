#include "host/report/render/render_cairo_text.h"

#include <cmath>
#include <functional>
#include <initializer_list>

namespace vireo {

namespace {

constexpr char kDefaultFamily[] = "DejaVu Sans";
// Steps tried, largest first, before a right-aligned text is cut.
constexpr std::initializer_list<double> kShrinkSteps = {0.95, 0.90, 0.85, 0.80};

int32_t ToPangoUnits(double value) {
  return static_cast<int32_t>(std::lround(value * PANGO_SCALE));
}

double FromPangoUnits(int value) { return static_cast<double>(value) / PANGO_SCALE; }

PangoAlignment ToPangoAlignment(TnAlign align) {
  switch (align) {
    case TnAlign::Center:
      return PANGO_ALIGN_CENTER;
    case TnAlign::Right:
      return PANGO_ALIGN_RIGHT;
    case TnAlign::Left:
      break;
  }
  return PANGO_ALIGN_LEFT;
}

uint8_t StyleBits(const TnFont& font) {
  return static_cast<uint8_t>((font.bold ? 1 : 0) | (font.italic ? 2 : 0) |
                              (font.underline ? 4 : 0) | (font.strikeout ? 8 : 0));
}

// Pango warns about (and mangles) invalid UTF-8; a report may carry bytes
// from a database in another encoding, so repair them quietly.
void SetLayoutText(PangoLayout* layout, const std::string& text) {
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    return;
  }
  gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  pango_layout_set_text(layout, valid, -1);
  g_free(valid);
}

}  // namespace

std::size_t TextShaper::KeyHash::operator()(const Key& key) const {
  std::size_t hash = std::hash<std::string_view>{}(key.text);
  auto mix = [&hash](std::size_t value) {
    hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
  };
  mix(std::hash<std::string_view>{}(key.family));
  mix(static_cast<std::size_t>(key.size));
  mix(static_cast<std::size_t>(key.box_width));
  mix(static_cast<std::size_t>(key.box_height));
  mix(key.style | static_cast<std::size_t>(key.align) << 4 | (key.wrap ? 1u : 0u) << 6);
  return hash;
}

TextShaper::TextShaper(PangoContext* context, std::size_t capacity)
    : context_(PANGO_CONTEXT(g_object_ref(context))), capacity_(capacity > 0 ? capacity : 1) {
  map_.reserve(capacity_);
}

TextShaper::~TextShaper() = default;

const ShapedText& TextShaper::Shape(std::string_view text, const TnFont& font, double box_width,
                                    double box_height, TnAlign align, bool wrap) {
  Key probe = MakeKey(text, font, box_width, box_height, align, wrap);
  if (auto found = map_.find(probe); found != map_.end()) {
    ++hits_;
    entries_.splice(entries_.begin(), entries_, found->second);
    return found->second->shaped;
  }
  ++misses_;
  if (map_.size() >= capacity_) {
    map_.erase(entries_.back().key);
    entries_.pop_back();
  }
  Entry& entry = entries_.emplace_front();
  try {
    entry.text = text;
    entry.family = probe.family;
    entry.key = probe;
    entry.key.text = entry.text;
    entry.key.family = entry.family;
    Build(entry, font, box_width, box_height);
    map_.emplace(entry.key, entries_.begin());
  } catch (...) {
    entries_.pop_front();
    throw;
  }
  return entry.shaped;
}

TextShaper::Key TextShaper::MakeKey(std::string_view text, const TnFont& font, double box_width,
                                    double box_height, TnAlign align, bool wrap) const {
  Key key;
  key.text = text;
  key.family = font.family.empty() ? std::string_view(kDefaultFamily) : font.family;
  key.size = ToPangoUnits(font.size);
  key.box_width = ToPangoUnits(box_width);
  key.box_height = wrap ? ToPangoUnits(box_height) : 0;
  key.style = StyleBits(font);
  key.align = align;
  key.wrap = wrap;
  return key;
}

void TextShaper::Build(Entry& entry, const TnFont& font, double box_width, double box_height) {
  const Key& key = entry.key;
  entry.layout = NewLayout(entry, font, 1.0);
  if (key.wrap) {
    PangoLayout* layout = entry.layout.get();
    pango_layout_set_width(layout, key.box_width);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(layout, ToPangoAlignment(key.align));
    if (key.box_height > 0) {
      pango_layout_set_height(layout, key.box_height);
      pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    }
    Measure(entry, 1.0);
    return;
  }

  Measure(entry, 1.0);
  auto fits = [&] { return entry.shaped.width <= box_width + 0.01; };
  if (fits()) return;
  double scale = 1.0;
  if (key.align == TnAlign::Right) {
    for (double step : kShrinkSteps) {
      scale = step;
      entry.layout = NewLayout(entry, font, scale);
      Measure(entry, scale);
      if (fits()) return;
    }
  }
  PangoLayout* layout = entry.layout.get();
  pango_layout_set_width(layout, std::max(key.box_width, 0));
  pango_layout_set_alignment(layout, ToPangoAlignment(key.align));
  pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  Measure(entry, scale);
}

PangoLayoutPtr TextShaper::NewLayout(const Entry& entry, const TnFont& font, double scale) const {
  PangoLayoutPtr layout(pango_layout_new(context_.get()));
  PangoFontDescriptionPtr desc(pango_font_description_new());
  pango_font_description_set_family(desc.get(), entry.family.c_str());
  pango_font_description_set_size(desc.get(), ToPangoUnits(font.size * scale));
  pango_font_description_set_weight(desc.get(),
                                    font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(desc.get(),
                                   font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout.get(), desc.get());
  if (font.underline || font.strikeout) {
    PangoAttrListPtr attrs(pango_attr_list_new());
    if (font.underline)
      pango_attr_list_insert(attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.strikeout) pango_attr_list_insert(attrs.get(), pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout.get(), attrs.get());
  }
  SetLayoutText(layout.get(), entry.text);
  return layout;
}

void TextShaper::Measure(Entry& entry, double scale) const {
  PangoLayout* layout = entry.layout.get();
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  ShapedText& shaped = entry.shaped;
  shaped.layout = layout;
  shaped.width = FromPangoUnits(logical.width);
  shaped.height = FromPangoUnits(logical.height);
  shaped.x_offset = FromPangoUnits(logical.x);
  shaped.baseline = FromPangoUnits(pango_layout_get_baseline(layout));
  shaped.line_count = pango_layout_get_line_count(layout);
  shaped.scale = scale;
  shaped.ellipsized = pango_layout_is_ellipsized(layout);
}

}  // namespace vireo
