// What the server-mode tests share: the address of the Firebird server they
// talk to (from the environment that scripts/test.sh sets up), the `vireo`
// program run as a person runs it, and a fixture that skips without a server.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace vireo::server_test {

inline std::string Env(const char* name, const std::string& fallback = "") {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

// "127.0.0.1/PORT" of the test server, or empty without one.
inline std::string ServerAddress() { return Env("VIREO_FB_SERVER"); }
inline std::string ServerUser() { return Env("VIREO_FB_USER", "SYSDBA"); }
inline std::string ServerPassword() { return Env("VIREO_FB_PASSWORD"); }

struct Outcome {
  int status = -1;
  std::string output;  // standard error, then standard output
  double seconds = 0;
};

// Runs `vireo ARGS` with ENV ("NAME=value ..." assignments) added to the
// environment.
inline Outcome Vireo(const std::string& args, const std::string& env = "") {
  std::string cmd = (env.empty() ? "" : "env " + env + " ") + VIREO_BIN + " " + args + " 2>&1";
  Outcome r;
  auto start = std::chrono::steady_clock::now();
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
  int raw = pclose(p);
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return r;
}

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Tests that need the server.  Without VIREO_FB_SERVER they are skipped,
// except in CI, where scripts/test.sh always starts one and a missing
// address means the server tests silently stopped running.
class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (ServerAddress().empty()) {
      if (!Env("CI").empty()) FAIL() << "VIREO_FB_SERVER is not set in CI";
      GTEST_SKIP() << "no Firebird server: set VIREO_FB_SERVER=127.0.0.1/PORT (and "
                      "VIREO_FB_PASSWORD), e.g. from scripts/firebird-server.sh start DIR";
    }
    // The data layer and `vireo` take the credentials from here.
    setenv("ISC_USER", ServerUser().c_str(), 1);
    setenv("ISC_PASSWORD", ServerPassword().c_str(), 1);
  }
};

}  // namespace vireo::server_test
