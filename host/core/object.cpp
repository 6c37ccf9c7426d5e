// The out-of-line destructor anchors TObject's vtable and type information in
// VireoUtil5, so dynamic_cast agrees across the plug-in boundary.
#include "host/core/object.h"

namespace vireo {

TObject::~TObject() noexcept(false) = default;

}  // namespace vireo
