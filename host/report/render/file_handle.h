// TnFile: a C stdio file closed when its owner goes.
#pragma once

#include <cstdio>
#include <memory>

namespace vireo {

struct TnFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using TnFile = std::unique_ptr<std::FILE, TnFileCloser>;

}  // namespace vireo
