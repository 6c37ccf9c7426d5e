// `vireo list`, `vireo params` and `vireo print`.
#include "app/commands.h"

namespace vireo::app {

void RegisterReportCommands(CLI::App&) {}

}  // namespace vireo::app
