// The progress of a print as lines of JSON on a file descriptor, for a
// program that runs `vireo print` as its worker (`vireo serve`).
//
// One object per line: {"position","total","page","frame":{"visible",
// "total":{"text","min","max","position"},"partial":{...}}} as the print
// moves (at most every 100 ms, and the last state before the end), then
// {"end":true,"pages":N,"messages":[{"kind","name","text"}]} once the
// outputs are written.  A failed print writes no end line: its error goes
// to standard error and the exit status says what kind it was.
#pragma once

#include <chrono>

#include "host/report/print_session.h"

namespace vireo::app {

class ProgressFeed {
 public:
  explicit ProgressFeed(int fd) : fd_(fd) {}
  ProgressFeed(const ProgressFeed&) = delete;
  ProgressFeed& operator=(const ProgressFeed&) = delete;

  void Changed(const TnPrintProgress& progress);
  void Ended(const TnPrintResult& result);

 private:
  void Write(const std::string& line);

  int fd_;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace vireo::app
