// TnpqImage: a picture of the layout (the company logo "logoEmpresa"),
// filled by the report with PNG or JPEG bytes before the sections that show
// it print.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/core/export.h"
#include "host/report/labels.h"

namespace vireo {

class VIREO_API TnpqImage : public TnpqObject {
 public:
  TnpqImage(const TnObjectDef& def, int section);
  ~TnpqImage() override;

  // The picture's bytes; empty for none.  Each call is a new picture.
  void SetImage(const std::string& bytes);
  const std::string& Bytes() const { return bytes_; }
  // Counts the pictures set so far (0: none yet), so the page spool stores
  // each picture once however many sections show it.
  uint64_t PictureId() const { return picture_id_; }

  // Told of every SetImage (the engine writes the trace's image event).
  std::function<void(const TnpqImage&)> OnImageSet;

 private:
  std::string bytes_;
  uint64_t picture_id_ = 0;
};

}  // namespace vireo
