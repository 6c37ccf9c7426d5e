// A `vireo serve` for the tests: the server in this process on a free
// loopback port, its workers the real `vireo` program, its catalogue the
// test plug-ins and the reports; a client that carries the token.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "db/schema.h"
#include "serve/server.h"

namespace vireo::serve_test {

using nlohmann::json;
namespace fs = std::filesystem;

class ServeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char tmpl[] = "/tmp/vireo-serve-test-XXXXXX";
    dir_ = new std::string(mkdtemp(tmpl));
    fs::create_directories(*dir_ + "/tmp");
    setenv("TMPDIR", (*dir_ + "/tmp").c_str(), 1);  // the jobs' folders land here
    setenv("VIREO_PLUGIN_PATH", VIREO_TEST_PLUGIN_DIR, 1);
    CreateDatabaseFromTemplate(*dir_ + "/t.fdb");
    serve::ServeOptions o;
    o.database = *dir_ + "/t.fdb";
    o.port = 0;
    o.workers = 2;
    o.worker_program = VIREO_BIN;
    o.web_dir = VIREO_WEB_DIR;
    o.session_args = {"--user", "3", "--company", "1"};
    server_ = new serve::Server(o);
    port_ = server_->Bind();
    thread_ = new std::thread([] { server_->Run(); });
  }
  static void TearDownTestSuite() {
    server_->Stop();
    thread_->join();
    delete thread_;
    delete server_;
    fs::remove_all(*dir_);
    delete dir_;
  }

  static httplib::Client Client(bool with_token = true) {
    httplib::Client c("127.0.0.1", port_);
    c.set_read_timeout(60, 0);
    if (with_token) c.set_default_headers({{"X-Vireo-Token", server_->Token()}});
    return c;
  }
  static json Get(const std::string& path, int expect = 200) {
    auto r = Client().Get(path.c_str());
    EXPECT_TRUE(r) << path;
    if (!r) return {};
    EXPECT_EQ(r->status, expect) << path << ": " << r->body;
    return json::parse(r->body, nullptr, false);
  }
  static json Post(const std::string& path, const json& body, int expect = 200) {
    auto r = Client().Post(path.c_str(), body.dump(), "application/json");
    EXPECT_TRUE(r) << path;
    if (!r) return {};
    EXPECT_EQ(r->status, expect) << path << ": " << r->body;
    return json::parse(r->body, nullptr, false);
  }

  // Opens a panel and sets values in order; returns its id.
  static std::string Panel(const std::string& report,
                           const std::vector<std::pair<std::string, std::string>>& values = {}) {
    json p = Post("/api/panels", {{"report", report}}, 201);
    std::string id = p.value("id", "");
    for (const auto& [name, value] : values) {
      json r = Post("/api/panels/" + id + "/change", {{"name", name}, {"value", value}});
      EXPECT_TRUE(r["error"].is_null()) << name << ": " << r["error"];
    }
    return id;
  }

  // Polls a print until `until` holds of its status (or 60 s pass).
  static json WaitFor(const std::string& job, const std::function<bool(const json&)>& until) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    json s;
    while (std::chrono::steady_clock::now() < end) {
      s = Get("/api/jobs/" + job);
      if (until(s)) return s;
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    ADD_FAILURE() << "print did not get there: " << s.dump();
    return s;
  }
  static bool Ended(const json& s) {
    std::string st = s.value("state", "");
    return st != "queued" && st != "running";
  }

  static json Param(const json& panel, const std::string& name) {
    for (const json& p : panel["params"])
      if (p["name"] == name) return p;
    return {};
  }

  static inline std::string* dir_ = nullptr;
  static inline serve::Server* server_ = nullptr;
  static inline std::thread* thread_ = nullptr;
  static inline int port_ = 0;
};

}  // namespace vireo::serve_test
