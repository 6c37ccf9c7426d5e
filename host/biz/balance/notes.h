// Notes of a business entity: problems it can work around and the user
// should hear about (an account that does not exist, a chart without its
// configuration).  Reports show them after printing; they never stop a run.
#pragma once

#include <string>
#include <vector>

namespace vireo::biz {

class Notes {
 public:
  // The same text noted twice is kept once.
  void Add(const std::string& text);
  bool Empty() const { return texts_.empty(); }
  // Every note, one per line, in the order they were noted.
  std::string Text() const;

 private:
  std::vector<std::string> texts_;
};

}  // namespace vireo::biz
