#include "host/report/progress.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace vireo {

namespace {
constexpr auto kMinInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30;
}  // namespace

namespace {

class StatusArea {
 public:
  StatusArea() : terminal_(::isatty(STDERR_FILENO) == 1) {}

  void Set(TnStatusSlot slot, const std::vector<std::string>& lines, bool force) {
    if (!terminal_) return;
    slots_[static_cast<int>(slot)] = lines;
    Draw(force);
  }
  void Clear(TnStatusSlot slot) {
    if (!terminal_ || slots_[static_cast<int>(slot)].empty()) return;
    slots_[static_cast<int>(slot)].clear();
    Draw(true);
  }

 private:
  void Draw(bool force) {
    const auto now = std::chrono::steady_clock::now();
    if (!force && drawn_ > 0 && now - last_ < kMinInterval) return;
    last_ = now;
    std::vector<std::string> lines;
    for (const auto& slot : slots_) lines.insert(lines.end(), slot.begin(), slot.end());
    std::string out;
    if (drawn_ > 0) out += "\033[" + std::to_string(drawn_) + "F";  // to the area's first line
    for (const std::string& line : lines) out += "\r\033[K" + line + "\n";
    const int count = static_cast<int>(lines.size());
    if (count < drawn_) {
      // Erase the lines the area no longer needs and come back above them.
      for (int i = count; i < drawn_; ++i) out += "\r\033[K\n";
      out += "\033[" + std::to_string(drawn_ - count) + "F";
    }
    drawn_ = count;
    std::fputs(out.c_str(), stderr);
    std::fflush(stderr);
  }

  bool terminal_;
  std::vector<std::string> slots_[2];
  int drawn_ = 0;
  std::chrono::steady_clock::time_point last_{};
};

StatusArea& Area() {
  static StatusArea area;
  return area;
}

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

void ShowStatus(TnStatusSlot slot, const std::vector<std::string>& lines, bool force) {
  Area().Set(slot, lines, force);
}

void ClearStatus(TnStatusSlot slot) { Area().Clear(slot); }

std::string ProgressLine(const std::string& text, long long position, long long min,
                         long long max) {
  const long long span = max - min;
  double share = span > 0 ? static_cast<double>(position - min) / span : 0;
  share = std::clamp(share, 0.0, 1.0);
  const int filled = static_cast<int>(share * kBarWidth + 0.5);
  std::string line = text.empty() ? std::string() : text + "  ";
  line += '[';
  line.append(filled, '#');
  line.append(kBarWidth - filled, '.');
  line += "]  ";
  line += std::to_string(position - min);
  line += '/';
  line += std::to_string(span);
  return line;
}

TnProgresso::TnProgresso() = default;
TnProgresso::~TnProgresso() = default;

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
