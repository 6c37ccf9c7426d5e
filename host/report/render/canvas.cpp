// Out-of-line destructor of the drawing interface: it anchors the vtable and
// type information in this one object file.
#include "host/report/render/canvas.h"

namespace vireo {

TnCanvas::~TnCanvas() = default;

void TnCanvas::BeginSection(const TnSectionMark&) {}

}  // namespace vireo
