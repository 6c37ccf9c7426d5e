// Recurrence of a series of the agenda: an RFC 5545 RRULE value (FREQ
// DAILY, WEEKLY, MONTHLY or YEARLY) over floating times, expanded into the
// starts of its occurrences.
//
// The series' own start is always its first occurrence (index 0), whether
// or not the rule would produce it, and it counts for COUNT.  UNTIL written
// with "Z" is read as the same wall-clock time (the agenda keeps no zones);
// a date-only UNTIL includes its whole day.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "host/core/datetime.h"
#include "host/core/export.h"

namespace vireo {

class VIREO_API TcxRecurrence {
 public:
  // Reads a rule ("RRULE:" in front is accepted).  Raises Exception saying
  // what is wrong: empty, unreadable, or a frequency the agenda does not
  // keep.
  static TcxRecurrence Parse(const std::string& info);

  // Called with each occurrence's index and start, in order, from the
  // series' start on, while the start is not after `last_start`; returning
  // false stops the walk.
  using Visitor = std::function<bool(int index, TDateTime start)>;
  void Expand(TDateTime series_start, TDateTime last_start, const Visitor& visit) const;

  int Count() const { return count_; }  // 0 when the rule has none
  const std::optional<TDateTime>& Until() const { return until_; }

 private:
  std::string rule_;  // the rule without COUNT and UNTIL, handled here
  int count_ = 0;
  std::optional<TDateTime> until_;  // last start allowed
};

}  // namespace vireo
