// Shared harness of the report-plug-in tests: a plug-in library loaded from
// the plug-in directory as the host loads it, a database of its own per test
// made from the schema, and a print run through the engine with a trace
// output, read back as JSON lines.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "db/schema.h"
#include "host/core/datetime.h"
#include "host/core/variant.h"
#include "host/data/connection.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/layout.h"
#include "host/report/panel.h"
#include "tests/support/report_db.h"

namespace vireo::test {

using nlohmann::json;

// The plug-in directory: the environment variable when set (and named),
// otherwise the one the build put the plug-ins in.
inline std::string PluginDirFrom(const char* env_var) {
  const char* env = env_var != nullptr ? std::getenv(env_var) : nullptr;
  return env != nullptr ? env : VIREO_PLUGIN_DIR;
}

// A plug-in library, loaded once per path and kept for the whole run, as in
// the host.  ClassDll is always required; Imprimir unless told otherwise.
class ReportPlugin {
 public:
  static std::string PathOf(const std::string& dir, const std::string& deliverable) {
    return dir + "/lib" + deliverable + ".so";
  }
  static const ReportPlugin& Get(const std::string& dir, const std::string& deliverable,
                                 bool needs_imprimir = true) {
    static std::map<std::string, std::unique_ptr<ReportPlugin>> loaded;
    const std::string path = PathOf(dir, deliverable);
    std::unique_ptr<ReportPlugin>& plugin = loaded[path];
    if (!plugin) plugin.reset(new ReportPlugin(path, needs_imprimir));
    return *plugin;
  }
  TnrwBaseDllClass* ClassDll() const { return class_dll_(); }
  void Imprimir(void* engine) const {
    if (imprimir_ == nullptr) throw std::runtime_error("the plug-in does not export Imprimir");
    imprimir_(engine);
  }

 private:
  ReportPlugin(const std::string& path, bool needs_imprimir) {
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (lib == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
    class_dll_ = reinterpret_cast<TnrwBaseDllClass* (*)()>(dlsym(lib, "ClassDll"));
    imprimir_ = reinterpret_cast<void (*)(void*)>(dlsym(lib, "Imprimir"));
    if (class_dll_ == nullptr || (needs_imprimir && imprimir_ == nullptr)) {
      throw std::runtime_error(path + (needs_imprimir ? " does not export ClassDll and Imprimir"
                                                      : " does not export ClassDll"));
    }
  }
  TnrwBaseDllClass* (*class_dll_)() = nullptr;
  void (*imprimir_)(void*) = nullptr;
};

// A variable of a section event, "<ausente>" when the section has none.
inline std::string Var(const json& section_event, const std::string& name) {
  const json& vars = section_event["vars"];
  return vars.contains(name) ? vars[name].get<std::string>() : std::string("<ausente>");
}

inline const json& LabelOf(const json& section_event, const std::string& name) {
  return section_event["labels"].at(name);
}

// What one print left behind.
struct TracePrint {
  std::vector<json> trace;
  std::vector<TnMessage> messages;
  std::vector<std::string> message_titles;
  int pages = 0;

  // Section events of that number, in print order.
  std::vector<json> Of(int section) const {
    std::vector<json> out;
    for (const json& e : trace) {
      if (e["event"] == "section" && e["section"] == section) out.push_back(e);
    }
    return out;
  }
  // Body sections in print order (page header and footer left out).
  std::vector<int> Bodies() const {
    std::vector<int> out;
    for (const json& e : trace) {
      if (e["event"] != "section") continue;
      const int s = e["section"];
      if (s != 1 && s != 3) out.push_back(s);
    }
    return out;
  }
  // Sections of one page in print order, page header and footer included.
  std::vector<int> OnPage(int page) const {
    std::vector<int> out;
    for (const json& e : trace) {
      if (e["event"] == "section" && e["page"] == page) out.push_back(e["section"]);
    }
    return out;
  }
  // Body sections of one page.
  std::vector<int> BodiesOnPage(int page) const {
    std::vector<int> out;
    for (const json& e : trace) {
      if (e["event"] != "section" || e["page"] != page) continue;
      const int s = e["section"];
      if (s != 1 && s != 3) out.push_back(s);
    }
    return out;
  }
  // Body sections with the page they landed on.
  std::vector<std::pair<int, int>> BodiesWithPage() const {
    std::vector<std::pair<int, int>> out;
    for (const json& e : trace) {
      if (e["event"] != "section") continue;
      const int s = e["section"];
      if (s != 1 && s != 3) out.emplace_back(s, e["page"].get<int>());
    }
    return out;
  }
};

// Sets the parameters on the engine, in the order given.
inline void SetParams(TnrwReport& engine, const std::map<std::string, std::string>& params) {
  for (const auto& [name, value] : params) engine.GetParams()->Param(name)->SetValue(value);
}

// The period of March 2024, the default of most prints.
inline void SetMarch2024(TnrwReport& engine) {
  engine.GetParams()->Param("pDataInicial")->SetValue("01/03/2024");
  engine.GetParams()->Param("pDataFinal")->SetValue("31/03/2024");
}

// How the plug-in is run: through the class reference (as the host's panel
// does), the same after the panel's configure steps (as `vireo print`
// does), or through the Imprimir export.
enum class RunVia { kClass, kConfiguredClass, kExport };

// Reads the trace back and what the engine kept of the print.
inline void ReadPrint(TracePrint& print, TnrwReport& engine, const std::string& trace) {
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) print.trace.push_back(json::parse(line));
  print.messages = engine.Messages().Items();
  print.message_titles = engine.Messages().Titles();
  print.pages = engine.PageCount();
}

// Runs the plug-in on the engine with the trace going to `trace`;
// `before_end` runs after the plug-in and before the print ends.
inline void RunPlugin(TnrwReport& engine, const ReportPlugin& plugin, RunVia via,
                      const std::string& trace, const std::function<void()>& before_end = {}) {
  engine.BeginPrint({.trace = trace});
  if (via == RunVia::kExport) {
    plugin.Imprimir(static_cast<TObject*>(&engine));
  } else {
    std::unique_ptr<TnrwBaseDll> report = plugin.ClassDll()->Instanciar(&engine);
    if (via == RunVia::kConfiguredClass) {
      report->AntesConfigurar(engine.Panel());
      report->DepoisConfigurar();
    }
    report->ImprimirInterno();
  }
  if (before_end) before_end();
  engine.EndPrint();
}

// RunPlugin, then the print read back.
inline TracePrint PrintAndRead(TnrwReport& engine, const ReportPlugin& plugin, RunVia via,
                               const std::string& trace) {
  RunPlugin(engine, plugin, via, trace);
  TracePrint print;
  ReadPrint(print, engine, trace);
  return print;
}

}  // namespace vireo::test
