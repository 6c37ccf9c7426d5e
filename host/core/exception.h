// Errors of the host and of the reports.
//
// Every failure leaves as an exception carrying a message that a user can act
// on.  The kinds matter to `vireo`, which turns them into exit statuses:
// EUsage is a request the host cannot make sense of, EnParam and
// EConvertError are parameter errors, EDatabaseError comes from the
// database, anything else is a general error.
#pragma once

#include <stdexcept>
#include <string>

#include "host/core/export.h"

namespace vireo {

class VIREO_API Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message);
  ~Exception() override;
  std::string Message() const { return what(); }
};

// A text that does not read as the number or date asked for.
class VIREO_API EConvertError : public Exception {
 public:
  using Exception::Exception;
  ~EConvertError() override;
};

// An error tied to one parameter of the panel.
class VIREO_API EnParam : public Exception {
 public:
  EnParam(const std::string& param_name, const std::string& message);
  ~EnParam() override;
  const std::string& ParamName() const { return param_name_; }

 private:
  std::string param_name_;
};

// A failure reported by the database: connection, SQL, or a refused write.
class VIREO_API EDatabaseError : public Exception {
 public:
  using Exception::Exception;
  ~EDatabaseError() override;
};

// A request that names what is not there or is badly written: an unknown
// report, layout or parameter, an assignment without "=".  The front end
// answers it as misuse (`vireo` exits with status 2), not as a failure.
class VIREO_API EUsage : public Exception {
 public:
  using Exception::Exception;
  ~EUsage() override;
};

}  // namespace vireo
