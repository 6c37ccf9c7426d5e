#include "host/biz/formatar_numero.h"

#include "host/core/format.h"

namespace vireo {

std::string FormatarNumero(double value) { return FormatFloat("#,##0.00", value); }

}  // namespace vireo
