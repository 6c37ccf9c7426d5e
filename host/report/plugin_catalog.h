// The report plug-ins a host can run, and where it finds them.
//
// A plug-in is lib<deliverable>.so with its layouts beside it:
// <deliverable>.json, the default, and <deliverable>.<variant>.json.  The
// host looks in the directories of VIREO_PLUGIN_PATH (":"-separated), then
// beside the program (../plugins from its bin/ folder, as the build tree
// lays them out), then in the installed tree; the first directory that has a
// deliverable wins.  What the user names and the catalogue cannot find is an
// EUsage error.
#pragma once

#include <string>
#include <vector>

#include "host/core/export.h"

namespace vireo {

struct VIREO_API TnPluginInfo {
  std::string name;                  // deliverable, e.g. rptLedger
  std::string path;                  // the .so file
  std::vector<std::string> layouts;  // layout files, the default one first

  // The layout file for `layout`: a path, a file name beside the plug-in,
  // or a variant such as "movcaixa"; the default layout when empty.  Raises
  // EUsage when nothing matches, Exception when the plug-in has no layout.
  std::string Layout(const std::string& layout = {}) const;
};

class VIREO_API TnPluginCatalog {
 public:
  // This host's directories, in the order they are searched.
  static std::vector<std::string> HostDirectories();

  TnPluginCatalog();  // over HostDirectories()
  explicit TnPluginCatalog(std::vector<std::string> directories);

  const std::vector<std::string>& Directories() const { return directories_; }
  // Every deliverable once, by directory and then by file name.
  std::vector<TnPluginInfo> List() const;
  // `report` is a deliverable name or the path of a plug-in (it has a "/"
  // or ends in ".so"); raises EUsage when there is no such plug-in.
  TnPluginInfo Resolve(const std::string& report) const;

 private:
  std::vector<std::string> directories_;
};

}  // namespace vireo
