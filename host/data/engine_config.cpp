#include "host/data/engine_config.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

namespace vireo::fb {
namespace fs = std::filesystem;

namespace {

// The folder of the library this code is in (build/lib or PREFIX/lib).
fs::path LibraryDirectory() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ProjectEngineRoot), &info) == 0 || !info.dli_fname) return {};
  std::error_code ec;
  fs::path lib = fs::canonical(info.dli_fname, ec);
  return ec ? fs::path() : lib.parent_path();
}

bool HasConfiguration(const fs::path& root) {
  std::error_code ec;
  return fs::exists(root / "firebird.conf", ec) && fs::exists(root / "plugins", ec);
}

}  // namespace

std::string ProjectEngineRoot() {
  fs::path lib = LibraryDirectory();
  if (lib.empty()) return {};
  for (const fs::path& root : {lib.parent_path() / "firebird", lib / "vireo" / "firebird"})
    if (HasConfiguration(root)) return root.string();
  return {};
}

void UseProjectEngineRoot() {
  const char* chosen = std::getenv("FIREBIRD");
  if (chosen && *chosen) return;
  std::string root = ProjectEngineRoot();
  if (!root.empty()) setenv("FIREBIRD", root.c_str(), 0);
}

}  // namespace vireo::fb
