#include "host/biz/balance/notes.h"

#include <algorithm>

namespace vireo::biz {

void Notes::Add(const std::string& text) {
  if (std::find(texts_.begin(), texts_.end(), text) == texts_.end()) texts_.push_back(text);
}

std::string Notes::Text() const {
  std::string text;
  for (const std::string& note : texts_) text += (text.empty() ? "" : "\n") + note;
  return text;
}

}  // namespace vireo::biz
