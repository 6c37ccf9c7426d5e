// `vireo serve`: the reports in a browser.
//
// A small HTTP server (cpp-httplib) with a JSON API and the static pages of
// web/: the report list, a parameter panel kept on the server per user
// (serve/panel_session.h), prints in worker processes through a bounded
// queue (serve/print_queue.h), previews drawn page by page and downloads.
// Safe by default: it listens on loopback, and every request carries the
// access token printed at start.  Who is logged in, the company and the
// rights are the server's (its flags), never the request's; no SQL, file
// path or plug-in path ever comes from the client.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vireo::serve {

struct ServeOptions {
  std::string database;  // a file (embedded) or a connection string
  std::string host = "127.0.0.1";
  int port = 8080;                        // 0: any free port
  int workers = 0;                        // prints at once; 0: the machine's cores
  int max_waiting = 32;                   // prints waiting beyond those
  long worker_memory_mb = 0;              // per print; 0: no limit
  int print_timeout_seconds = 0;          // 0: no limit
  std::string web_dir;                    // the pages; "" for beside the program
  std::string worker_program;             // `vireo`; "" for this program
  std::vector<std::string> session_args;  // --user/--company/--deny for the workers
  std::string token;                      // "" for a random one
};

class Server {
 public:
  explicit Server(ServeOptions options);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Binds the address; returns the port (the free one chosen for port 0).
  int Bind();
  // Answers requests until Stop; Bind first.
  void Run();
  void Stop();

  const std::string& Token() const;
  // The address that opens the browser session, token included.
  std::string Url() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The folder of the pages beside a program in bin/: ../share/vireo/web.
std::string DefaultWebDirectory();

}  // namespace vireo::serve
