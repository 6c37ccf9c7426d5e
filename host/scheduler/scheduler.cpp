#include "host/scheduler/scheduler.h"

#include "host/core/exception.h"
#include "host/scheduler/event_storage.h"

namespace vireo {

TcxScheduler::TcxScheduler() = default;
TcxScheduler::~TcxScheduler() noexcept = default;

void TcxScheduler::SelectDays(TDateTime first, TDateTime last) {
  first_ = DateOf(first);
  last_ = DateOf(last);
}

void TcxScheduler::FullRefresh() {
  visible_.clear();
  if (storage_ == nullptr) throw Exception("Agenda sem armazenamento");
  if (last_ < first_) return;
  visible_ = storage_->GetOccurrences(first_, last_ + 1);
}

}  // namespace vireo
