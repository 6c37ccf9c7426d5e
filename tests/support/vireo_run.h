// Runs the `vireo` program of the build (VIREO_BIN) as a user would, and
// keeps its exit status and everything it wrote.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace vireo::test {

struct VireoRun {
  int status = -1;
  std::string output;  // standard output and error together
};

// `args` are given to a shell after the program's path.
inline VireoRun RunVireo(const std::string& args) {
  const std::string cmd = std::string(VIREO_BIN) + " " + args + " 2>&1";
  VireoRun r;
  FILE* p = popen(cmd.c_str(), "r");
  if (p == nullptr) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
  const int raw = pclose(p);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return r;
}

}  // namespace vireo::test
