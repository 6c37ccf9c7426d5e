// The prints of a `vireo serve`: a bounded queue and a fixed number of
// worker slots (by default the machine's cores), so prints of different
// users run side by side up to that number and wait in order beyond it.
// A full queue refuses the print rather than grow without end.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "serve/print_job.h"

namespace vireo::serve {

class QueueFull : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class PrintQueue {
 public:
  // `root` is the folder the jobs' folders are made in.
  PrintQueue(WorkerSetup setup, std::string root, int workers, int max_waiting);
  ~PrintQueue();  // stops every print and waits for the slots
  PrintQueue(const PrintQueue&) = delete;
  PrintQueue& operator=(const PrintQueue&) = delete;

  // Queues a print; QueueFull when `max_waiting` prints already wait.
  std::shared_ptr<PrintJob> Submit(PrintRequest request);
  // Null for an id this server never gave (or has forgotten).
  std::shared_ptr<PrintJob> Find(const std::string& id) const;

 private:
  void Slot();
  void ForgetOldJobs();

  const WorkerSetup setup_;
  const std::string root_;
  const size_t max_waiting_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::shared_ptr<PrintJob>> waiting_;
  std::map<std::string, std::shared_ptr<PrintJob>> jobs_;
  std::deque<std::string> order_;  // ids, oldest first
  unsigned long long next_id_ = 1;
  bool stopping_ = false;
  std::vector<std::thread> slots_;
};

}  // namespace vireo::serve
