// PDF and PNG output of composed pages, drawn with cairo and pango.
//
// The PDF is one document with a page per BeginPage/EndPage, sized from the
// page setup (96 layout units to the inch, 72 points to the inch), its texts
// kept as text so they can be selected and searched.  PNG output writes one
// image per page: the first page to `path`, page k (k >= 2, counting the
// pages drawn) to "<stem>-k.png" beside it, see PngPagePath.  Both throw
// vireo::Exception naming the file when it cannot be written.
#pragma once

#include <memory>
#include <string>

#include "host/report/render/canvas.h"

namespace vireo {

std::unique_ptr<TnCanvas> MakePdfCanvas(const std::string& path);

// `scale` is device pixels per layout unit: 1.5 gives 144 dpi, readable on
// screen and sharp enough to print.
std::unique_ptr<TnCanvas> MakePngCanvas(const std::string& path, double scale = 1.5);

// The file of page `page` (1-based) of a PNG output written to `path`:
// "out.png" for page 1, "out-2.png" for page 2.
std::string PngPagePath(const std::string& path, int page);

}  // namespace vireo
