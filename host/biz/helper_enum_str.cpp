#include "host/biz/helper_enum_str.h"

namespace vireo {

std::string THelperEnumStr::TDicSimNao(int value) {
  switch (value) {
    case 1:
      return "Sim";
    case 0:
      return "Não";
    default:
      return "";
  }
}

}  // namespace vireo
