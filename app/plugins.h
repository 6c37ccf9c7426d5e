// Finding and loading report plug-ins and their layouts.
//
// Plug-ins are lib<deliverable>.so files with their layouts
// (<deliverable>.json, <deliverable>.<variant>.json) beside them, looked up
// in VIREO_PLUGIN_PATH (":"-separated), then beside the program (the build
// tree's plugins/ folder), then in the installed tree.
#pragma once

#include <string>
#include <vector>

namespace vireo {
class TnrwBaseDllClass;
}

namespace vireo::app {

struct PluginInfo {
  std::string name;                  // deliverable, e.g. rptLedger
  std::string path;                  // the .so file
  std::vector<std::string> layouts;  // layout files, the default one first
};

std::vector<std::string> PluginDirectories();
std::vector<PluginInfo> FindPlugins();
// REPORT is a deliverable name or a path to a plug-in; raises UsageError
// when nothing is found.
PluginInfo ResolvePlugin(const std::string& report);
// The layout file for --layout (a path, a file name, or a variant such as
// "movcaixa"); the default layout when empty.
std::string ResolveLayout(const PluginInfo& plugin, const std::string& layout);

// A loaded plug-in; unloads on destruction.  Everything made from its class
// must be freed before.
class LoadedPlugin {
 public:
  explicit LoadedPlugin(const std::string& path);
  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  TnrwBaseDllClass* ClassDll() const;
  void Imprimir(void* engine) const;

 private:
  void* handle_ = nullptr;
  TnrwBaseDllClass* (*class_dll_)() = nullptr;
  void (*imprimir_)(void*) = nullptr;
};

}  // namespace vireo::app
