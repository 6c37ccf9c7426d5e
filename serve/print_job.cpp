#include "serve/print_job.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string_view>

extern char** environ;

namespace vireo::serve {
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// The worker writes its progress on this descriptor.
constexpr int kProgressFd = 3;
constexpr int kPollMs = 200;
constexpr size_t kMaxLine = 1 << 20;
constexpr const char* kOutputStem = "saida";
constexpr const char* kErrorFile = "erro.txt";
constexpr const char* kOutputKinds[] = {"pdf", "txt"};

// Closes a descriptor when it goes.
struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) close(fd);
  }
};

std::vector<std::string> WorkerArgs(const WorkerSetup& setup, const PrintRequest& r,
                                    const std::string& dir) {
  std::vector<std::string> args = {setup.program, "print",         r.plugin_path,
                                   "--db",        setup.database,  "--layout",
                                   r.layout_file, "--progress-fd", std::to_string(kProgressFd)};
  for (const auto& [name, value] : r.values) args.insert(args.end(), {"-p", name + "=" + value});
  for (const char* kind : kOutputKinds)
    args.insert(args.end(), {"-o", dir + "/" + kOutputStem + "." + kind});
  args.insert(args.end(), setup.session_args.begin(), setup.session_args.end());
  return args;
}

// Only async-signal-safe calls between fork and exec: the server has threads.
[[noreturn]] void ExecWorker(char* const* argv, char* const* envp, int progress_fd,
                             const char* error_file, long memory_mb) {
  setpgid(0, 0);
  int null = open("/dev/null", O_RDWR);
  int err = open(error_file, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (null < 0 || err < 0) _exit(127);
  dup2(null, STDIN_FILENO);
  dup2(null, STDOUT_FILENO);
  dup2(err, STDERR_FILENO);
  if (progress_fd == kProgressFd)
    fcntl(kProgressFd, F_SETFD, 0);  // dup2 onto itself keeps close-on-exec
  else
    dup2(progress_fd, kProgressFd);
  if (memory_mb > 0) {
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(memory_mb) * 1024 * 1024;
    setrlimit(RLIMIT_AS, &limit);
  }
  execve(argv[0], argv, envp);
  _exit(127);
}

// The server's environment with TMPDIR in the job's folder: the engine's
// page spool goes there, and goes with the folder whatever ends the print.
std::vector<std::string> WorkerEnvironment(const std::string& dir) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (std::string_view(*e).rfind("TMPDIR=", 0) != 0) env.emplace_back(*e);
  env.push_back("TMPDIR=" + dir);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (std::string& t : texts) out.push_back(t.data());
  out.push_back(nullptr);
  return out;
}

}  // namespace

const char* JobStateName(JobState state) {
  switch (state) {
    case JobState::kQueued:
      return "queued";
    case JobState::kRunning:
      return "running";
    case JobState::kDone:
      return "done";
    case JobState::kFailed:
      return "failed";
    case JobState::kCancelled:
      return "cancelled";
  }
  return "?";
}

PrintJob::PrintJob(std::string id, PrintRequest request, std::string dir)
    : id_(std::move(id)), request_(std::move(request)), dir_(std::move(dir)) {}

PrintJob::~PrintJob() {
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

JobState PrintJob::State() const {
  std::lock_guard lock(mutex_);
  return state_;
}

int PrintJob::Pages() const {
  std::lock_guard lock(mutex_);
  return pages_;
}

json PrintJob::Status() const {
  std::lock_guard lock(mutex_);
  json outputs = json::array();
  if (state_ == JobState::kDone)
    for (const char* kind : kOutputKinds)
      if (fs::exists(dir_ + "/" + kOutputStem + "." + kind)) outputs.push_back(kind);
  json out = {{"id", id_},
              {"report", request_.report},
              {"title", request_.title},
              {"state", JobStateName(state_)},
              {"pages", pages_},
              {"messages", messages_},
              {"error", error_},
              {"outputs", outputs},
              {"progress", progress_}};
  return out;
}

std::string PrintJob::Output(const std::string& kind) const {
  std::lock_guard lock(mutex_);
  if (state_ != JobState::kDone) return {};
  for (const char* k : kOutputKinds) {
    std::string file = dir_ + "/" + kOutputStem + "." + k;
    if (kind == k && fs::exists(file)) return file;
  }
  return {};
}

void PrintJob::Cancel() {
  std::lock_guard lock(mutex_);
  cancel_ = true;
  if (state_ == JobState::kQueued) state_ = JobState::kCancelled;
  if (state_ == JobState::kRunning && pid_ > 0) kill(-pid_, SIGKILL);
}

void PrintJob::Run(const WorkerSetup& setup) {
  int pipe_fds[2];
  {
    std::lock_guard lock(mutex_);
    if (cancel_) return;
    if (pipe2(pipe_fds, O_CLOEXEC) != 0) {
      state_ = JobState::kFailed;
      error_ = "não foi possível criar o canal do progresso";
      return;
    }
    state_ = JobState::kRunning;
  }
  Fd read_end{pipe_fds[0]};
  pid_t pid;
  {
    Fd write_end{pipe_fds[1]};
    pid = Spawn(setup, write_end.fd);
  }
  if (pid < 0) {
    std::lock_guard lock(mutex_);
    state_ = cancel_ ? JobState::kCancelled : JobState::kFailed;
    if (!cancel_) error_ = "não foi possível iniciar o processo da impressão";
    return;
  }
  Follow(read_end.fd, setup);
}

pid_t PrintJob::Spawn(const WorkerSetup& setup, int progress_fd) {
  std::vector<std::string> args = WorkerArgs(setup, request_, dir_);
  std::vector<std::string> env = WorkerEnvironment(dir_);
  std::vector<char*> argv = Pointers(args), envp = Pointers(env);
  std::string error_file = dir_ + "/" + kErrorFile;
  std::lock_guard lock(mutex_);  // a cancel now waits for the pid
  if (cancel_) return -1;
  pid_t pid = fork();
  if (pid == 0)
    ExecWorker(argv.data(), envp.data(), progress_fd, error_file.c_str(), setup.memory_mb);
  if (pid > 0) {
    setpgid(pid, pid);  // also here: a cancel may come before the child runs
    pid_ = pid;
  }
  return pid;
}

void PrintJob::Follow(int progress_fd, const WorkerSetup& setup) {
  auto start = std::chrono::steady_clock::now();
  bool timed_out = false;
  std::string pending;
  char buf[4096];
  for (;;) {
    pollfd p{progress_fd, POLLIN, 0};
    int ready = poll(&p, 1, kPollMs);
    if (ready > 0) {
      ssize_t n = read(progress_fd, buf, sizeof buf);
      if (n == 0) break;
      if (n > 0) {
        pending.append(buf, static_cast<size_t>(n));
        for (size_t eol; (eol = pending.find('\n')) != std::string::npos;) {
          Feed(pending.substr(0, eol));
          pending.erase(0, eol + 1);
        }
        if (pending.size() > kMaxLine) pending.clear();  // not the feed we know
      }
    }
    if (setup.timeout_seconds > 0 && !timed_out &&
        std::chrono::steady_clock::now() - start > std::chrono::seconds(setup.timeout_seconds)) {
      timed_out = true;
      kill(-pid_, SIGKILL);
    }
  }
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  Finish(status, timed_out);
}

void PrintJob::Feed(const std::string& line) {
  json j = json::parse(line, nullptr, false);
  if (j.is_discarded() || !j.is_object()) return;
  std::lock_guard lock(mutex_);
  if (j.value("end", false)) {
    ended_ = true;
    pages_ = j.value("pages", 0);
    if (j.contains("messages")) messages_ = j["messages"];
  } else {
    progress_ = std::move(j);
  }
}

void PrintJob::Finish(int status, bool timed_out) {
  std::string worker_error = WorkerError();
  std::lock_guard lock(mutex_);
  pid_ = 0;
  if (cancel_) {
    state_ = JobState::kCancelled;
  } else if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && ended_) {
    state_ = JobState::kDone;
    return;
  } else {
    state_ = JobState::kFailed;
    if (timed_out)
      error_ = "A impressão passou do tempo permitido e foi interrompida";
    else if (WIFSIGNALED(status))
      error_ = "O relatório terminou de forma anormal (sinal " + std::to_string(WTERMSIG(status)) +
               ")" + (worker_error.empty() ? "" : ": " + worker_error);
    else
      error_ = worker_error.empty() ? "A impressão falhou" : worker_error;
  }
  RemoveOutputs();
}

// The worker's last words on standard error, without the program's prefix.
std::string PrintJob::WorkerError() const {
  std::ifstream in(dir_ + "/" + kErrorFile);
  std::string line, last;
  while (std::getline(in, line))
    if (!line.empty()) last = line;
  const std::string prefix = "vireo: ";
  if (last.rfind(prefix, 0) == 0) last.erase(0, prefix.size());
  return last.substr(0, 2000);
}

void PrintJob::RemoveOutputs() const {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir_, ec))
    if (e.path().filename() != kErrorFile) fs::remove_all(e.path(), ec);
}

}  // namespace vireo::serve
