// The report list of the browser: every plug-in of the catalogue with its
// title, Versao and layouts, in the groups an accountant looks for them.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/report/plugin_catalog.h"

namespace vireo::serve {

// The group a report is listed under ("Razões", "Balancetes", ...), from
// its deliverable name; "Outros" when none fits.
std::string GroupOf(const std::string& deliverable);

// [{"group","reports":[{"name","title","versao","layouts":[{"file","variant","title"}]}]}],
// groups in their fixed order, reports by title.  A plug-in that fails to
// load is listed with its error in "versao" rather than hidden.
nlohmann::json ReportList(const TnPluginCatalog& catalog);

}  // namespace vireo::serve
