// The scheduler's global list of event labels: a colour (0xBBGGRR) and the
// caption the editor offers for it.  Shared by every scheduler and editor of
// the process.
#pragma once

#include <string>
#include <vector>

#include "host/core/export.h"

namespace vireo {

struct VIREO_API TcxEventLabel {
  int Color = 0;
  std::string Caption;
};

class VIREO_API TcxEventLabels {
 public:
  TcxEventLabels();
  int Count() const { return static_cast<int>(items_.size()); }
  const TcxEventLabel& Items(int i) const { return items_.at(static_cast<size_t>(i)); }
  // -1 when no label has that colour.
  int IndexOfColor(int color) const;
  void Add(int color, const std::string& caption);
  // Back to the base labels (tests; the editor's host may add to them).
  void Reset();

 private:
  std::vector<TcxEventLabel> items_;
};

VIREO_API TcxEventLabels& EventLabels();

}  // namespace vireo
