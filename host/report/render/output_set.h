// TnOutputSet: the files a print writes, and the promise that a failed print
// leaves none.
//
// Each output is written under a temporary name beside its final place
// (same directory, so the final move is a rename) and moved there only when
// the whole print succeeded.  PNG pages go to a temporary directory first,
// since the renderer names one file per page.  Whatever is not committed is
// removed when the set is destroyed, on every path.
#pragma once

#include <string>

#include "host/report/outputs.h"

namespace vireo {

class TnOutputSet {
 public:
  // Reserves the temporary names; raises naming the directory that refuses.
  explicit TnOutputSet(const TnPrintOutputs& outputs);
  ~TnOutputSet();
  TnOutputSet(const TnOutputSet&) = delete;
  TnOutputSet& operator=(const TnOutputSet&) = delete;

  // Where the renderers write; empty for outputs not asked for.
  const TnPrintOutputs& Temporary() const { return temp_; }
  // Moves every output into place; on failure nothing of this print stays.
  void Commit();

 private:
  void RemoveTemporaries();

  TnPrintOutputs final_;
  TnPrintOutputs temp_;
  std::string png_dir_;  // temporary directory of the PNG pages
  bool committed_ = false;
};

}  // namespace vireo
