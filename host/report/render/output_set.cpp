#include "host/report/render/output_set.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "host/core/exception.h"

namespace vireo {

namespace fs = std::filesystem;

namespace {

std::string DirectoryOf(const std::string& path) {
  fs::path dir = fs::path(path).parent_path();
  return dir.empty() ? "." : dir.string();
}

// An empty file with a unique name beside `path`.
std::string ReserveFileBeside(const std::string& path) {
  std::string temp = DirectoryOf(path) + "/." + fs::path(path).filename().string() + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    throw Exception("Não foi possível criar a saída " + path + " (pasta " + DirectoryOf(path) +
                    "): " + std::strerror(errno));
  }
  // mkstemp makes the file private; the output gets the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  ::close(fd);
  return temp;
}

std::string ReserveDirBeside(const std::string& path) {
  std::string temp = DirectoryOf(path) + "/." + fs::path(path).filename().string() + ".XXXXXX";
  if (::mkdtemp(temp.data()) == nullptr) {
    throw Exception("Não foi possível criar a saída " + path + " (pasta " + DirectoryOf(path) +
                    "): " + std::strerror(errno));
  }
  return temp;
}

void RemoveQuietly(const std::string& path) {
  std::error_code ec;
  if (!path.empty()) fs::remove_all(path, ec);
}

}  // namespace

TnOutputSet::TnOutputSet(const TnPrintOutputs& outputs) : final_(outputs) {
  temp_.csv_decimal = final_.csv_decimal;
  try {
    if (!final_.pdf.empty()) temp_.pdf = ReserveFileBeside(final_.pdf);
    if (!final_.text.empty()) temp_.text = ReserveFileBeside(final_.text);
    if (!final_.trace.empty()) temp_.trace = ReserveFileBeside(final_.trace);
    if (!final_.xlsx.empty()) temp_.xlsx = ReserveFileBeside(final_.xlsx);
    if (!final_.csv.empty()) temp_.csv = ReserveFileBeside(final_.csv);
    if (!final_.png.empty()) {
      png_dir_ = ReserveDirBeside(final_.png);
      temp_.png = png_dir_ + "/" + fs::path(final_.png).filename().string();
    }
  } catch (...) {
    RemoveTemporaries();
    throw;
  }
}

TnOutputSet::~TnOutputSet() {
  if (!committed_) RemoveTemporaries();
}

void TnOutputSet::RemoveTemporaries() {
  RemoveQuietly(temp_.pdf);
  RemoveQuietly(temp_.text);
  RemoveQuietly(temp_.trace);
  RemoveQuietly(temp_.xlsx);
  RemoveQuietly(temp_.csv);
  RemoveQuietly(png_dir_);
}

void TnOutputSet::Commit() {
  std::vector<std::string> done;
  auto move = [&](const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) {
      for (const std::string& path : done) RemoveQuietly(path);
      throw Exception("Não foi possível gravar a saída " + to + ": " + ec.message());
    }
    done.push_back(to);
  };
  if (!temp_.pdf.empty()) move(temp_.pdf, final_.pdf);
  if (!temp_.text.empty()) move(temp_.text, final_.text);
  if (!temp_.trace.empty()) move(temp_.trace, final_.trace);
  if (!temp_.xlsx.empty()) move(temp_.xlsx, final_.xlsx);
  if (!temp_.csv.empty()) move(temp_.csv, final_.csv);
  if (!png_dir_.empty()) {
    const std::string target = DirectoryOf(final_.png);
    std::vector<fs::path> pages;
    for (const auto& entry : fs::directory_iterator(png_dir_)) pages.push_back(entry.path());
    for (const fs::path& page : pages) move(page.string(), target + "/" + page.filename().string());
    RemoveQuietly(png_dir_);
  }
  committed_ = true;
  RemoveTemporaries();  // what is left are only names already moved away
}

}  // namespace vireo
