#include "app/progress_feed.h"

#include <unistd.h>

#include <cerrno>
#include <nlohmann/json.hpp>

namespace vireo::app {
namespace {

using nlohmann::json;

constexpr auto kInterval = std::chrono::milliseconds(100);

json Bar(const TnProgressBar& bar) {
  return {{"text", bar.text}, {"min", bar.min}, {"max", bar.max}, {"position", bar.position}};
}

}  // namespace

void ProgressFeed::Changed(const TnPrintProgress& p) {
  auto now = std::chrono::steady_clock::now();
  if (now - last_ < kInterval) return;
  last_ = now;
  json line = {{"position", p.position},
               {"total", p.total},
               {"page", p.page},
               {"frame",
                {{"visible", p.frame_visible},
                 {"total", Bar(p.frame_total)},
                 {"partial", Bar(p.frame_partial)}}}};
  Write(line.dump());
}

void ProgressFeed::Ended(const TnPrintResult& result) {
  json messages = json::array();
  for (const TnMessage& m : result.messages)
    messages.push_back(
        {{"kind", m.kind}, {"name", TnMessageList::KindName(m.kind)}, {"text", m.text}});
  Write(json{{"end", true}, {"pages", result.pages}, {"messages", messages}}.dump());
}

// The reader may have gone (a cancelled print): a write that fails is
// dropped, the print goes on to be stopped by its caller.
void ProgressFeed::Write(const std::string& line) {
  std::string text = line + "\n";
  const char* p = text.data();
  size_t left = text.size();
  while (left > 0) {
    ssize_t n = write(fd_, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    p += n;
    left -= static_cast<size_t>(n);
  }
}

}  // namespace vireo::app
