// Out-of-line members of the drawing interface (anchors its type information
// in VireoReport5 so every renderer and the composer share one vtable).
#include "host/report/canvas.h"

namespace vireo {

TnCanvas::~TnCanvas() = default;

}  // namespace vireo
