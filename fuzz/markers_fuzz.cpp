// The marker rewriter of report SQL: every "?" it writes has a slot, every
// slot names a marker, and it never crashes on unterminated quotes or
// comments.
#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "host/data/sql.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vireo;
  const std::string sql = fuzz::Text(data, size);
  fuzz::Refusable([&] {
    const TnMarkedSQL marked = RewriteMarkers(sql);
    for (int slot : marked.slots) {
      if (slot < 0 || slot >= static_cast<int>(marked.markers.size())) {
        fuzz::Broken("a slot names no marker", sql);
      }
    }
    if (marked.slots.size() > marked.sql.size()) fuzz::Broken("more slots than text", sql);
  });
  return 0;
}
