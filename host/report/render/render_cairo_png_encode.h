// PNG encoding of a page image.
//
// cairo's own PNG writer tries every row filter at zlib's default level;
// report pages (text and rules on white) compress as well without filtering
// at a lower level, and encoding dominated the time of PNG output.  This
// writer takes about half the time for files slightly smaller than cairo's.
#pragma once

#include <cairo.h>

#include "host/report/render/render_cairo_canvas.h"

namespace vireo {

// Writes an RGB24 image surface to `file` (already open) as an 8-bit RGB
// PNG.  Throws through `file` on any failure.
void WritePng(cairo_surface_t* surface, OutputFile& file);

}  // namespace vireo
