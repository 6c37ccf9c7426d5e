// KorvanFin5: the host's financial business library.  Loading it registers
// its data modules with the host (CriarDM/CriarDMNovo by class name), so a
// plug-in that links it finds them without further set-up.
#pragma once

#include "host/core/export.h"

namespace vireo {

// Registers the library's data modules again; harmless to repeat.  For the
// host program and tests that want to be sure, whatever the load order.
VIREO_API void RegisterKorvanFin5();

}  // namespace vireo
