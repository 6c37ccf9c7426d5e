#include "host/report/plugin_catalog.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "host/core/exception.h"
#include "host/core/text.h"

namespace vireo {
namespace fs = std::filesystem;

namespace {

std::string ProgramDirectory() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? "." : exe.parent_path().string();
}

bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsPluginFile(const std::string& file) {
  return file.rfind("lib", 0) == 0 && EndsWith(file, ".so");
}

std::vector<std::string> LayoutsOf(const fs::path& dir, const std::string& name) {
  std::vector<std::string> out;
  std::string main = (dir / (name + ".json")).string();
  if (fs::exists(main)) out.push_back(main);
  std::vector<std::string> variants;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    std::string f = e.path().filename().string();
    if (f.rfind(name + ".", 0) == 0 && EndsWith(f, ".json") && f != name + ".json")
      variants.push_back(e.path().string());
  }
  std::sort(variants.begin(), variants.end());
  out.insert(out.end(), variants.begin(), variants.end());
  return out;
}

TnPluginInfo InfoFor(const fs::path& so) {
  std::string file = so.filename().string();
  std::string name = file.substr(3, file.size() - 6);  // lib<name>.so
  return {name, so.string(), LayoutsOf(so.parent_path(), name)};
}

}  // namespace

std::string TnPluginInfo::Layout(const std::string& layout) const {
  if (layout.empty()) {
    if (layouts.empty())
      throw Exception("O relatório " + name + " não tem layout em " +
                      fs::path(path).parent_path().string());
    return layouts.front();
  }
  if (fs::exists(layout)) return layout;
  fs::path dir = fs::path(path).parent_path();
  for (const std::string& candidate : {layout, layout + ".json", name + "." + layout + ".json"}) {
    if (fs::exists(dir / candidate)) return (dir / candidate).string();
  }
  throw EUsage("Layout não encontrado: " + layout + " (relatório " + name + ")");
}

std::vector<std::string> TnPluginCatalog::HostDirectories() {
  std::vector<std::string> dirs;
  if (const char* env = std::getenv("VIREO_PLUGIN_PATH")) {
    for (const std::string& dir : StrToStrArray(env, ":"))
      if (!dir.empty()) dirs.push_back(dir);
  }
  dirs.push_back((fs::path(ProgramDirectory()) / ".." / "plugins").lexically_normal().string());
  dirs.push_back(VIREO_INSTALL_PLUGIN_DIR);
  return dirs;
}

TnPluginCatalog::TnPluginCatalog() : TnPluginCatalog(HostDirectories()) {}

TnPluginCatalog::TnPluginCatalog(std::vector<std::string> directories)
    : directories_(std::move(directories)) {}

std::vector<TnPluginInfo> TnPluginCatalog::List() const {
  std::vector<TnPluginInfo> out;
  for (const std::string& dir : directories_) {
    std::error_code ec;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir, ec)) {
      if (IsPluginFile(e.path().filename().string())) files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& f : files) {
      TnPluginInfo info = InfoFor(f);
      bool seen = std::any_of(out.begin(), out.end(),
                              [&](const TnPluginInfo& p) { return p.name == info.name; });
      if (!seen) out.push_back(info);
    }
  }
  return out;
}

TnPluginInfo TnPluginCatalog::Resolve(const std::string& report) const {
  if (report.find('/') != std::string::npos || EndsWith(report, ".so")) {
    if (!fs::exists(report)) throw EUsage("Plug-in não encontrado: " + report);
    return InfoFor(fs::absolute(report));
  }
  for (const std::string& dir : directories_) {
    fs::path so = fs::path(dir) / ("lib" + report + ".so");
    if (fs::exists(so)) return InfoFor(so);
  }
  throw EUsage("Relatório desconhecido: " + report + " (veja `vireo list`)");
}

}  // namespace vireo
