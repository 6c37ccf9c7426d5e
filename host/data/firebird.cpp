#include "host/data/firebird.h"

#include "host/core/exception.h"
#include "host/data/engine_config.h"

namespace vireo::fb {

Firebird::IMaster* Master() {
  static Firebird::IMaster* master = [] {
    UseProjectEngineRoot();  // before the engine reads its configuration
    return Firebird::fb_get_master_interface();
  }();
  return master;
}

Firebird::IUtil* Util() { return Master()->getUtilInterface(); }

std::string StatusText(const Firebird::IStatus* status) {
  char buf[2048];
  Util()->formatStatus(buf, sizeof buf, const_cast<Firebird::IStatus*>(status));
  std::string text(buf);
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

void Raise(const std::string& context, const Firebird::FbException& e) {
  throw EDatabaseError(context + ": " + StatusText(e.getStatus()));
}

}  // namespace vireo::fb
