// A watcher of the statements the data layer runs.
//
// Tests install one to see every statement (its text, and whether it ran in
// a read-only transaction) and to make the n-th row fetch fail as a broken
// connection would, in the middle of a print.  The host itself never
// installs one; with none installed the data layer pays one test per row.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/core/export.h"

namespace vireo {

struct TnStatementEvent {
  enum Kind { kPrepare, kFetch };
  Kind kind;
  const std::string& sql;
  bool read_only;  // false only for the writers' transactions
  int64_t row;     // kFetch: 1 for the first row of the statement
};

// Called for each event; an exception it raises leaves from the data call
// as that call's own error would.
using TnStatementHook = std::function<void(const TnStatementEvent&)>;

// Installs `hook` for the whole process (empty: none) and returns the one
// it replaces.
VIREO_API TnStatementHook SetStatementHook(TnStatementHook hook);

}  // namespace vireo
