#include "host/report/render/status_area.h"

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

}  // namespace

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

}  // namespace vireo
