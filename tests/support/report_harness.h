// Shared harness of the report-plug-in tests: a plug-in library loaded from
// the plug-in directory through the host's runner, a database of its own
// per test made from the schema, and a print run by the runner's print
// session with a trace output, read back as JSON lines.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
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
#include "host/report/plugin_host.h"
#include "tests/support/report_db.h"

namespace vireo::test {

using nlohmann::json;

// The plug-in directory: the environment variable when set (and named),
// otherwise the one the build put the plug-ins in.
inline std::string PluginDirFrom(const char* env_var) {
  const char* env = env_var != nullptr ? std::getenv(env_var) : nullptr;
  return env != nullptr ? env : VIREO_PLUGIN_DIR;
}

// A plug-in library, loaded once per path and kept for the whole run; it
// leaves the process at its end.
struct ReportPlugin {
  using Ptr = std::shared_ptr<const TnLoadedPlugin>;
  static std::string PathOf(const std::string& dir, const std::string& deliverable) {
    return dir + "/lib" + deliverable + ".so";
  }
  static const Ptr& Get(const std::string& dir, const std::string& deliverable) {
    static std::map<std::string, Ptr> kept;
    const std::string path = PathOf(dir, deliverable);
    Ptr& plugin = kept[path];
    if (!plugin) plugin = TnLoadedPlugin::Open(path, TnUnload::kAtExit);
    return plugin;
  }
};

// How the plug-in is run: an instance from the class reference, the same
// after the panel's configure steps (as `vireo print` does), or through the
// Imprimir export.
using RunVia = TnRunVia;

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

// Reads the trace back and what the engine kept of the print.
inline void ReadPrint(TracePrint& print, TnrwReport& engine, const std::string& trace) {
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) print.trace.push_back(json::parse(line));
  print.messages = engine.Messages().Items();
  print.message_titles = engine.Messages().Titles();
  print.pages = engine.PageCount();
}

// Prints the session with the trace going to `trace`, and reads it back.
inline TracePrint PrintAndRead(TnPrintSession& session, const std::string& trace) {
  session.Print({.trace = trace});
  TracePrint print;
  ReadPrint(print, session.Engine(), trace);
  return print;
}

}  // namespace vireo::test
