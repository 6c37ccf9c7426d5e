// Small routines of the report library that several reports share.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

class TField;

// The group of an account classification: its first level, the text before
// the first "." ("1.1.02" -> "1"; "3" -> "3").  Blanks around are dropped.
VIREO_API std::string PegarGrupoClassif(const std::string& classificacao);

// The company logo as picture bytes (PNG or JPEG) for TnpqImage::SetImage,
// from the stored logo column; empty when the column is null.
VIREO_API std::string CarregarLogoEmpresa(const TField* logo);

}  // namespace vireo
