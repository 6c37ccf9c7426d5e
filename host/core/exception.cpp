// Out-of-line members keep one copy of each exception's type information in
// VireoUtil5, so a plug-in's throw is caught by the host's catch.
#include "host/core/exception.h"

namespace vireo {

Exception::Exception(const std::string& message) : std::runtime_error(message) {}
Exception::~Exception() = default;

EConvertError::~EConvertError() = default;

EnParam::EnParam(const std::string& param_name, const std::string& message)
    : Exception(message), param_name_(param_name) {}
EnParam::~EnParam() = default;

EDatabaseError::~EDatabaseError() = default;

EUsage::~EUsage() = default;

}  // namespace vireo
