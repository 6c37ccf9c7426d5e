// The plain-text renderer: pages as lines of characters, for reading a print
// in a terminal and for diffing prints.
//
// A text goes to column left/7 of its line (7 pixels make a character);
// texts whose tops lie within a few pixels share a line, and wider gaps
// between sections give blank lines.  A text longer than its box is cut as a
// printed box would cut it (a right-aligned amount keeps its end), except
// that a left-aligned text runs on into free space up to the next text of
// its line.  Where texts overlap, the one drawn later wins.  Pages are
// separated by a form feed.  Lines, boxes and pictures are not drawn; a
// chart is written as its points.
#pragma once

#include <memory>
#include <string>

#include "host/report/render/canvas.h"

namespace vireo {

std::unique_ptr<TnCanvas> MakeTextCanvas(const std::string& path);

}  // namespace vireo
