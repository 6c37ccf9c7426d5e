#include "serve/print_queue.h"

#include <filesystem>

#include "serve/access_token.h"

namespace vireo::serve {
namespace {

// Finished prints kept for their previews and downloads; older ones go.
constexpr size_t kJobsKept = 200;

}  // namespace

PrintQueue::PrintQueue(WorkerSetup setup, std::string root, int workers, int max_waiting)
    : setup_(std::move(setup)), root_(std::move(root)), max_waiting_(max_waiting) {
  for (int i = 0; i < std::max(1, workers); ++i) slots_.emplace_back([this] { Slot(); });
}

PrintQueue::~PrintQueue() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (auto& [id, job] : jobs_) job->Cancel();
  }
  wake_.notify_all();
  for (std::thread& t : slots_) t.join();
}

std::shared_ptr<PrintJob> PrintQueue::Submit(PrintRequest request) {
  std::lock_guard lock(mutex_);
  if (waiting_.size() >= max_waiting_)
    throw QueueFull("Há impressões demais na fila; tente de novo em instantes");
  // Ids are not guessable: a number for order and random text besides.
  std::string id = std::to_string(next_id_++) + "-" + AccessToken().Text().substr(0, 16);
  std::string dir = root_ + "/" + id;
  std::filesystem::create_directories(dir);
  auto job = std::make_shared<PrintJob>(id, std::move(request), dir);
  jobs_[id] = job;
  order_.push_back(id);
  waiting_.push_back(job);
  ForgetOldJobs();
  wake_.notify_one();
  return job;
}

std::shared_ptr<PrintJob> PrintQueue::Find(const std::string& id) const {
  std::lock_guard lock(mutex_);
  auto it = jobs_.find(id);
  return it == jobs_.end() ? nullptr : it->second;
}

void PrintQueue::ForgetOldJobs() {
  while (order_.size() > kJobsKept) {
    auto it = jobs_.find(order_.front());
    JobState s = it->second->State();
    if (s == JobState::kQueued || s == JobState::kRunning) break;
    jobs_.erase(it);  // its folder goes with the last holder
    order_.pop_front();
  }
}

void PrintQueue::Slot() {
  for (;;) {
    std::shared_ptr<PrintJob> job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
      if (stopping_) return;
      job = std::move(waiting_.front());
      waiting_.pop_front();
    }
    job->Run(setup_);
  }
}

}  // namespace vireo::serve
