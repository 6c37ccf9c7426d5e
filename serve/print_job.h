// A print run by `vireo serve`: in a worker process of its own, so that a
// report that crashes, loops or eats memory ends its own print and nothing
// else.
//
// The worker is `vireo print` with the panel's accepted changes replayed as
// -p values, its outputs in the job's folder and its progress fed as JSON
// lines on a pipe (app/progress_feed.h).  Cancelling kills the worker's
// process group and removes the folder's outputs: nothing is left behind.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "host/report/print_session.h"

namespace vireo::serve {

// How workers are started, the same for every print of a server.
struct WorkerSetup {
  std::string program;                    // the `vireo` program
  std::string database;                   // --db
  std::vector<std::string> session_args;  // --user, --company, --deny of the server
  long memory_mb = 0;                     // address-space limit of a worker; 0 for none
  int timeout_seconds = 0;                // a print running longer is stopped; 0 for never
};

// What to print.
struct PrintRequest {
  std::string report;       // deliverable name
  std::string title;        // the layout's title
  std::string plugin_path;  // from the catalogue, never from the client
  std::string layout_file;
  TnParamValues values;       // the panel's accepted changes, in order
  std::string download_stem;  // file name of the downloads, without extension
};

enum class JobState { kQueued, kRunning, kDone, kFailed, kCancelled };
const char* JobStateName(JobState state);

class PrintJob {
 public:
  // `dir` is the job's own folder, made by the caller and removed with the
  // job.
  PrintJob(std::string id, PrintRequest request, std::string dir);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  const std::string& Id() const { return id_; }
  const PrintRequest& Request() const { return request_; }
  JobState State() const;
  // {"id","report","title","state","position","total","page","frame",
  //  "pages","messages","error","outputs"}
  nlohmann::json Status() const;

  // Runs the worker to its end; called once, by the queue.
  void Run(const WorkerSetup& setup);
  // Stops the print (queued or running) and removes its outputs.
  void Cancel();

  // The output file of a kind ("pdf", "txt") of a finished print; "" when
  // the print did not end well or made no such output.
  std::string Output(const std::string& kind) const;
  int Pages() const;
  const std::string& Dir() const { return dir_; }

 private:
  pid_t Spawn(const WorkerSetup& setup, int progress_fd);
  void Follow(int progress_fd, const WorkerSetup& setup);
  void Feed(const std::string& line);
  void Finish(int wait_status, bool timed_out);
  std::string WorkerError() const;
  void RemoveOutputs() const;

  const std::string id_;
  const PrintRequest request_;
  const std::string dir_;

  mutable std::mutex mutex_;
  JobState state_ = JobState::kQueued;
  pid_t pid_ = 0;
  bool cancel_ = false;
  bool ended_ = false;  // the worker's end line came
  nlohmann::json progress_ = nlohmann::json::object();
  nlohmann::json messages_ = nlohmann::json::array();
  int pages_ = 0;
  std::string error_;
};

}  // namespace vireo::serve
