// A plug-in whose source never registered its report class: the frame's
// two exports are there, and ClassDll answers null.
#include "frame/nrwBaseDllReg.h"

namespace {
// Keeps the frame in the library, as a registration would.
[[maybe_unused]] const bool kFrameLinked = vireo::FClassDllValue() == nullptr;
}  // namespace
