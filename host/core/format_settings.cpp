// The process-wide locale, Brazilian until the host changes it.
#include "host/core/format.h"

namespace vireo {

TFormatSettings FormatSettings;

}  // namespace vireo
