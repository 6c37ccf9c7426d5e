#include "app/plugins.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/commands.h"
#include "host/core/exception.h"

namespace vireo::app {
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

PluginInfo InfoFor(const fs::path& so) {
  std::string file = so.filename().string();
  std::string name = file.substr(3, file.size() - 6);  // lib<name>.so
  return {name, so.string(), LayoutsOf(so.parent_path(), name)};
}

}  // namespace

std::vector<std::string> PluginDirectories() {
  std::vector<std::string> dirs;
  if (const char* env = std::getenv("VIREO_PLUGIN_PATH")) {
    std::string s = env;
    size_t start = 0;
    while (start <= s.size()) {
      size_t end = s.find(':', start);
      if (end == std::string::npos) end = s.size();
      if (end > start) dirs.push_back(s.substr(start, end - start));
      start = end + 1;
    }
  }
  dirs.push_back((fs::path(ProgramDirectory()) / ".." / "plugins").lexically_normal().string());
  dirs.push_back(VIREO_INSTALL_PLUGIN_DIR);
  return dirs;
}

std::vector<PluginInfo> FindPlugins() {
  std::vector<PluginInfo> out;
  for (const std::string& dir : PluginDirectories()) {
    std::error_code ec;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir, ec)) {
      std::string f = e.path().filename().string();
      if (f.rfind("lib", 0) == 0 && EndsWith(f, ".so")) files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& f : files) {
      PluginInfo info = InfoFor(f);
      bool seen = std::any_of(out.begin(), out.end(),
                              [&](const PluginInfo& p) { return p.name == info.name; });
      if (!seen) out.push_back(info);
    }
  }
  return out;
}

PluginInfo ResolvePlugin(const std::string& report) {
  if (report.find('/') != std::string::npos || EndsWith(report, ".so")) {
    if (!fs::exists(report)) throw UsageError("Plug-in não encontrado: " + report);
    return InfoFor(fs::absolute(report));
  }
  for (const std::string& dir : PluginDirectories()) {
    fs::path so = fs::path(dir) / ("lib" + report + ".so");
    if (fs::exists(so)) return InfoFor(so);
  }
  throw UsageError("Relatório desconhecido: " + report + " (veja `vireo list`)");
}

std::string ResolveLayout(const PluginInfo& plugin, const std::string& layout) {
  if (layout.empty()) {
    if (plugin.layouts.empty())
      throw Exception("O relatório " + plugin.name + " não tem layout em " +
                      fs::path(plugin.path).parent_path().string());
    return plugin.layouts.front();
  }
  if (fs::exists(layout)) return layout;
  fs::path dir = fs::path(plugin.path).parent_path();
  for (const std::string& candidate :
       {layout, layout + ".json", plugin.name + "." + layout + ".json"}) {
    if (fs::exists(dir / candidate)) return (dir / candidate).string();
  }
  throw UsageError("Layout não encontrado: " + layout + " (relatório " + plugin.name + ")");
}

LoadedPlugin::LoadedPlugin(const std::string& path) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) throw Exception("Não foi possível carregar o plug-in " + path + ": " + dlerror());
  class_dll_ = reinterpret_cast<TnrwBaseDllClass* (*)()>(dlsym(handle_, "ClassDll"));
  imprimir_ = reinterpret_cast<void (*)(void*)>(dlsym(handle_, "Imprimir"));
  if (!class_dll_ || !imprimir_) {
    dlclose(handle_);
    handle_ = nullptr;
    throw Exception("O arquivo " + path +
                    " não é um plug-in de relatório (faltam ClassDll e Imprimir)");
  }
}

LoadedPlugin::~LoadedPlugin() {
  if (handle_) dlclose(handle_);
}

TnrwBaseDllClass* LoadedPlugin::ClassDll() const {
  TnrwBaseDllClass* cls = class_dll_();
  if (!cls) throw Exception("FClassDll está nil.");
  return cls;
}

void LoadedPlugin::Imprimir(void* engine) const { imprimir_(engine); }

}  // namespace vireo::app
