// TcxScheduler: a scheduler control without a screen.  It shows a run of
// days of its storage and lists the occurrences visible on them.
#pragma once

#include <vector>

#include "host/core/datetime.h"
#include "host/core/export.h"
#include "host/core/object.h"
#include "host/scheduler/scheduler_event.h"

namespace vireo {

class TcxSchedulerDBStorage;

class VIREO_API TcxScheduler : public TObject {
 public:
  TcxScheduler();
  ~TcxScheduler() noexcept override;

  void SetStorage(const TcxSchedulerDBStorage* storage) { storage_ = storage; }
  // The date navigator's first day and the selected date.
  void SetDateNavigatorStart(TDateTime day) { navigator_start_ = DateOf(day); }
  void SetSelectedDate(TDateTime at) { selected_ = at; }
  // Shows exactly the days from `first` to `last` (both whole).
  void SelectDays(TDateTime first, TDateTime last);
  // Lists again the occurrences of the days shown.
  void FullRefresh();
  // The occurrences overlapping the days shown, by start, then ID.
  const std::vector<TcxSchedulerOccurrence>& VisibleEvents() const { return visible_; }

 private:
  const TcxSchedulerDBStorage* storage_ = nullptr;
  TDateTime navigator_start_ = 0;
  TDateTime selected_ = 0;
  TDateTime first_ = 0;
  TDateTime last_ = -1;
  std::vector<TcxSchedulerOccurrence> visible_;
};

}  // namespace vireo
