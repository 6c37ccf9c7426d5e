#include "host/report/progress.h"

#include "host/report/render/status_area.h"

namespace vireo {

namespace {
thread_local TnProgressObserver* observer = nullptr;
}  // namespace

TnProgressObserver::~TnProgressObserver() = default;

TnProgressObserver* SetProgressObserver(TnProgressObserver* next) {
  TnProgressObserver* previous = observer;
  observer = next;
  return previous;
}

void NotifyCounterChanged(long long position, long long total, int page) {
  if (observer != nullptr) observer->CounterChanged(position, total, page);
}

TnProgresso::TnProgresso() = default;
TnProgresso::~TnProgresso() noexcept = default;

void TnProgresso::Reset() {
  ClearStatus(TnStatusSlot::Frame);
  total_ = TnProgressBar{};
  parcial_ = TnProgressBar{};
  visible_ = false;
  if (observer != nullptr) observer->FrameChanged(*this);
}

void TnProgresso::MostrarMultiplo(TObject*) {
  visible_ = true;
  Draw(true);
}

void TnProgresso::ConfigurarProgressoTotal(long long min, long long max) {
  total_.min = min, total_.max = max, total_.position = min;
  Draw();
}

void TnProgresso::ConfigurarProgressoParcial(long long min, long long max) {
  parcial_.min = min, parcial_.max = max, parcial_.position = min;
  Draw();
}

void TnProgresso::SetProgressoTotal(long long position) {
  total_.position = position;
  Draw();
}

void TnProgresso::SetProgressoParcial(long long position) {
  parcial_.position = position;
  Draw();
}

void TnProgresso::IncProgressoTotal(long long step) {
  total_.position += step > 0 ? step : 1;
  Draw();
}

void TnProgresso::IncProgressoParcial(long long step) {
  parcial_.position += step > 0 ? step : 1;
  Draw();
}

void TnProgresso::SetTextos(const std::string& total, const std::string& parcial) {
  total_.text = total;
  parcial_.text = parcial;
  Draw(true);
}

void TnProgresso::Hide() {
  visible_ = false;
  ClearStatus(TnStatusSlot::Frame);
  if (observer != nullptr) observer->FrameChanged(*this);
}

void TnProgresso::Draw(bool force) {
  if (observer != nullptr) observer->FrameChanged(*this);
  if (!visible_) return;
  ShowStatus(TnStatusSlot::Frame,
             {ProgressLine(total_.text, total_.position, total_.min, total_.max),
              ProgressLine(parcial_.text, parcial_.position, parcial_.min, parcial_.max)},
             force);
}

TnProgresso* CriarProgresso(TObject*) {
  static TnProgresso frame;
  frame.Reset();
  return &frame;
}

}  // namespace vireo
