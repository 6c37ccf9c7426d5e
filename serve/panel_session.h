// One user's parameter panel in the browser: a report instance kept on the
// server while the user edits, run the way `vireo print` runs it.
//
// Opening the panel makes the instance and runs its configure steps
// (AntesConfigurar, DepoisConfigurar) once; each change of a field runs
// DoParamChange, entering and leaving a field DoParamEnter/DoParamExit, and
// the state the report left (values, enabled, required) is what the page
// shows.  A value the report or its kind refuses is not taken: the change
// answers with the message `vireo print` would give for it.  The accepted
// changes, in order, are what a print replays in its worker.
//
// Not thread-safe: the server runs one panel step at a time.
#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "host/report/params.h"
#include "host/report/plugin_host.h"

namespace vireo {
class TnConnection;
}

namespace vireo::serve {

// Parameter texts longer than this are refused before the report sees them.
constexpr size_t kMaxValueLength = 2000;

// [{"value","text"}] of a field's choices.
nlohmann::json ChoiceList(const std::vector<TnParamChoice>& choices);

class PanelSession {
 public:
  // `layout` as `vireo print --layout` takes it (empty for the default).
  PanelSession(const TnPluginInfo& info, const std::string& layout);

  const TnPluginInfo& Info() const { return info_; }
  const std::string& LayoutFile() const { return layout_file_; }
  const std::string& Title() const { return title_; }

  // {"report","title","versao","layout","params":[...]}: every parameter with
  // its caption, kind, value, shown text, choices, and the state the report
  // left (hidden, enabled, required, lookup).
  nlohmann::json State() const;

  // The user's change of one field; "" when taken, else why it was refused.
  // A name that is no parameter of the panel raises EUsage.
  std::string Change(const std::string& name, const std::string& value);
  void Enter(const std::string& name);
  void Exit(const std::string& name);

  // The field's lookup list (its query and the report's added condition):
  // [{"value","text"}], at most `limit` rows.  EUsage when it has none.
  nlohmann::json Lookup(const std::string& name, TnConnection& db, size_t limit = 500) const;

  // Required fields left empty, by caption; empty when the panel may print.
  std::vector<std::string> Missing() const;
  // The accepted changes in order, to replay in the print.
  const TnParamValues& Changes() const { return changes_; }
  // The current text of a parameter ("" when none).
  std::string Value(const std::string& name) const;

 private:
  TnpqParamItem& Field(const std::string& name) const;
  void Remember(const std::string& name, const std::string& value);

  TnPluginInfo info_;
  std::string layout_file_;
  std::string title_;
  std::unique_ptr<TnPrintSession> session_;
  TnParamValues changes_;
};

}  // namespace vireo::serve
