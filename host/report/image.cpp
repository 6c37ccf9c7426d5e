#include "host/report/image.h"

namespace vireo {

TnpqImage::TnpqImage(const TnObjectDef& def, int section) : TnpqObject(def, section) {}
TnpqImage::~TnpqImage() = default;

void TnpqImage::SetImage(const std::string& bytes) {
  bytes_ = bytes;
  ++picture_id_;
  Changed();
  if (OnImageSet) OnImageSet(*this);
}

}  // namespace vireo
