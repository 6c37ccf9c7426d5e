#include "serve/page_preview.h"

#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace vireo::serve {
namespace fs = std::filesystem;

namespace {

// Two requests for the same page wait for one drawing.
std::mutex g_drawing;

int RunProgram(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string PreviewPage(const std::string& pdf, int page, int dpi, const std::string& dir) {
  if (dpi < kMinPreviewDpi || dpi > kMaxPreviewDpi)
    throw std::runtime_error("Zoom fora do intervalo");
  std::string stem = dir + "/pagina-" + std::to_string(page) + "-" + std::to_string(dpi);
  std::string png = stem + ".png";
  std::lock_guard lock(g_drawing);
  if (fs::exists(png)) return png;
  std::string p = std::to_string(page);
  int status = RunProgram(
      {"pdftoppm", "-f", p, "-l", p, "-r", std::to_string(dpi), "-png", "-singlefile", pdf, stem});
  if (status != 0 || !fs::exists(png))
    throw std::runtime_error("Não foi possível desenhar a página " + p);
  return png;
}

}  // namespace vireo::serve
