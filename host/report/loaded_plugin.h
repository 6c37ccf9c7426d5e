// A report plug-in loaded into the process: its two exports, and the
// library kept loaded for as long as anyone holds it.
//
// A path is loaded once: Open hands out the plug-in already loaded from that
// path while someone still holds it, and the library is unloaded when the
// last holder lets go (or at the end of the process, when asked).  Unloading runs the library's
// static destructors (a business library shared by several plug-ins takes its data modules out of
// the engine's registry then), and the code of the plug-in is gone
// afterwards: every instance made from its class, and every engine that
// may still call into one, must be freed before.  A print session holds its
// plug-in for that reason; a test run holds each plug-in to the end.
#pragma once

#include <memory>
#include <string>

#include "host/core/export.h"

namespace vireo {

class TnrwBaseDllClass;

// When the library leaves the process.  Letting go of it when the last
// holder does suits a program that loads a plug-in for one task (`vireo
// list` loads each in turn); a holder that keeps its plug-ins for the whole
// run leaves the unloading to the end of the process, where the libraries
// are finalised in the order they depend on each other rather than in
// whatever order static objects happen to be destroyed.
enum class TnUnload { kWhenReleased, kAtExit };

class VIREO_API TnLoadedPlugin {
  struct Key {};  // only Open makes plug-ins

 public:
  // The plug-in at `path`, loaded now unless it is loaded already.  Raises
  // Exception naming the path when it does not load or does not export
  // ClassDll and Imprimir.
  static std::shared_ptr<const TnLoadedPlugin> Open(const std::string& path,
                                                    TnUnload unload = TnUnload::kWhenReleased);

  TnLoadedPlugin(Key, const std::string& path, TnUnload unload);
  ~TnLoadedPlugin();
  TnLoadedPlugin(const TnLoadedPlugin&) = delete;
  TnLoadedPlugin& operator=(const TnLoadedPlugin&) = delete;

  const std::string& Path() const { return path_; }
  // The class reference the plug-in registered; raises "FClassDll está nil."
  // when it registered none.
  TnrwBaseDllClass* ClassDll() const;
  // The frame's way to print: checks `engine`, makes an instance, prints
  // it and frees it.
  void Imprimir(void* engine) const;

 private:
  struct Unload {
    void operator()(void* handle) const;
  };

  std::string path_;
  std::unique_ptr<void, Unload> handle_;
  TnrwBaseDllClass* (*class_dll_)() = nullptr;
  void (*imprimir_)(void*) = nullptr;
};

}  // namespace vireo
