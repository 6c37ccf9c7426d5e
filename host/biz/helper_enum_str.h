// Texts the parameter panel shows for the host's enumerations.  A yes/no
// parameter stores "1"/"0" but its control shows "Sim"/"Não": reports that
// compare what the user sees ask here for the text of a value.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

struct VIREO_API THelperEnumStr {
  // "Sim" for 1, "Não" for 0, "" for any other value.
  static std::string TDicSimNao(int value);
};

}  // namespace vireo
