// TnFrmMenuKorvan: the host's main menu form, as far as other screens touch
// it.  Its timer polls for the host's pending work (reminders, bookings an
// editor left behind); an editor switches it off while it is open and runs
// it once when it closes with work left.  Without a screen the poll has
// nothing to do: nTimerTimer is a hook a host may set.
#pragma once

#include <functional>

#include "host/core/export.h"
#include "host/core/object.h"

namespace vireo {

class VIREO_API TnTimer {
 public:
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }

 private:
  bool enabled_ = true;
};

class VIREO_API TnFrmMenuKorvan : public TObject {
 public:
  TnFrmMenuKorvan();
  ~TnFrmMenuKorvan() noexcept override;
  TnTimer& nTimer() { return timer_; }
  // The timer's handler; runs the hook when one is set.
  void nTimerTimer(TObject* sender);
  using Hook = std::function<void(TObject* sender)>;
  void SetTimerHook(Hook hook) { hook_ = std::move(hook); }

 private:
  TnTimer timer_;
  Hook hook_;
};

VIREO_API TnFrmMenuKorvan& FrmMenuKorvan();

}  // namespace vireo
