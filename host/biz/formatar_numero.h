// The amount text of the host's business screens and reports: thousands
// grouped, two decimals, a minus sign before negatives ("-1.234,50").
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

VIREO_API std::string FormatarNumero(double value);

}  // namespace vireo
