#include "host/report/main_form.h"

namespace vireo {

TnFrmMenuKorvan::TnFrmMenuKorvan() = default;
TnFrmMenuKorvan::~TnFrmMenuKorvan() noexcept = default;

void TnFrmMenuKorvan::nTimerTimer(TObject* sender) {
  if (hook_) hook_(sender);
}

TnFrmMenuKorvan& FrmMenuKorvan() {
  static TnFrmMenuKorvan form;
  return form;
}

}  // namespace vireo
