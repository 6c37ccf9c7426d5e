// Owning handles for the cairo, pango and stdio objects the renderers create.
//
// Each C object has its own release function; these aliases let a
// unique_ptr call it, so no cairo or pango object outlives its owner or is
// released twice.
#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <cstdio>
#include <memory>

namespace vireo {

struct CairoDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
  void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
  void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};

struct PangoDeleter {
  void operator()(PangoFontDescription* desc) const { pango_font_description_free(desc); }
  void operator()(PangoAttrList* attrs) const { pango_attr_list_unref(attrs); }
  // PangoLayout, PangoContext and the font map are GObjects.
  void operator()(gpointer object) const { g_object_unref(object); }
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
using CairoPtr = std::unique_ptr<cairo_t, CairoDeleter>;
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoDeleter>;
using CairoPatternPtr = std::unique_ptr<cairo_pattern_t, CairoDeleter>;
using CairoFontOptionsPtr = std::unique_ptr<cairo_font_options_t, CairoDeleter>;
using PangoFontDescriptionPtr = std::unique_ptr<PangoFontDescription, PangoDeleter>;
using PangoAttrListPtr = std::unique_ptr<PangoAttrList, PangoDeleter>;
using PangoLayoutPtr = std::unique_ptr<PangoLayout, PangoDeleter>;
using PangoContextPtr = std::unique_ptr<PangoContext, PangoDeleter>;

}  // namespace vireo
