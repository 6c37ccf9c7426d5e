// TObject: the root of the host's object model.
//
// Engines, reports, data modules and datasets derive from it so that a plug-in
// can test at run time what kind of object the host handed it.  The type
// information is exported from the host libraries, so the test works across
// the plug-in boundary.
#pragma once

#include "host/core/export.h"

namespace vireo {

class VIREO_API TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  // Room for a report's destructor to raise, as one that releases a
  // dataset or an entity may fail (see FreeReport); the host's own classes
  // declare theirs noexcept.
  virtual ~TObject() noexcept(false);

  // True when this object is a T or derives from it.
  template <class T>
  bool InheritsFrom() const {
    return dynamic_cast<const T*>(this) != nullptr;
  }
};

// Run-time type test on a possibly null reference.
template <class T>
bool Is(const TObject* obj) {
  return obj != nullptr && obj->InheritsFrom<T>();
}

}  // namespace vireo
