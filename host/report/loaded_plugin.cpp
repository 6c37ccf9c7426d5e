#include "host/report/loaded_plugin.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <mutex>

#include "host/core/exception.h"

namespace vireo {

namespace {

int Flags(TnUnload unload) {
  return RTLD_NOW | RTLD_LOCAL | (unload == TnUnload::kAtExit ? RTLD_NODELETE : 0);
}

// One name per file, however the caller wrote its path.
std::string KeyOf(const std::string& path) {
  std::error_code ec;
  std::string key = std::filesystem::weakly_canonical(path, ec).string();
  return ec ? path : key;
}

}  // namespace

std::shared_ptr<const TnLoadedPlugin> TnLoadedPlugin::Open(const std::string& path,
                                                           TnUnload unload) {
  static std::mutex mutex;
  static std::map<std::string, std::weak_ptr<const TnLoadedPlugin>> loaded;
  std::lock_guard<std::mutex> lock(mutex);
  std::weak_ptr<const TnLoadedPlugin>& entry = loaded[KeyOf(path)];
  std::shared_ptr<const TnLoadedPlugin> plugin = entry.lock();
  if (!plugin) {
    plugin = std::make_shared<const TnLoadedPlugin>(Key{}, path, unload);
    entry = plugin;
  } else if (unload == TnUnload::kAtExit) {
    // Loading it again with the flag keeps it to the end; the extra
    // reference goes at once.
    if (void* again = dlopen(path.c_str(), Flags(unload) | RTLD_NOLOAD)) dlclose(again);
  }
  return plugin;
}

void TnLoadedPlugin::Unload::operator()(void* handle) const { dlclose(handle); }

TnLoadedPlugin::TnLoadedPlugin(Key, const std::string& path, TnUnload unload)
    : path_(path), handle_(dlopen(path.c_str(), Flags(unload))) {
  if (!handle_) throw Exception("Não foi possível carregar o plug-in " + path + ": " + dlerror());
  class_dll_ = reinterpret_cast<TnrwBaseDllClass* (*)()>(dlsym(handle_.get(), "ClassDll"));
  imprimir_ = reinterpret_cast<void (*)(void*)>(dlsym(handle_.get(), "Imprimir"));
  if (!class_dll_ || !imprimir_) {
    throw Exception("O arquivo " + path +
                    " não é um plug-in de relatório (faltam ClassDll e Imprimir)");
  }
}

TnLoadedPlugin::~TnLoadedPlugin() = default;

TnrwBaseDllClass* TnLoadedPlugin::ClassDll() const {
  TnrwBaseDllClass* cls = class_dll_();
  if (!cls) throw Exception("FClassDll está nil.");
  return cls;
}

void TnLoadedPlugin::Imprimir(void* engine) const { imprimir_(engine); }

}  // namespace vireo
