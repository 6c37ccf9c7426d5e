// The subcommands of `vireo`.  Each Register function adds its subcommands to
// the program; their callbacks raise on failure and main() turns the error
// into a message and an exit status.
#pragma once

#include <CLI/CLI.hpp>

namespace vireo::app {

void RegisterDbCommands(CLI::App& app);      // db create, demo
void RegisterReportCommands(CLI::App& app);  // list, params, print
void RegisterServeCommand(CLI::App& app);    // serve
void RegisterAgendaCommands(CLI::App& app);  // agenda edit

// Exit statuses of the program.
enum ExitStatus {
  kOk = 0,
  kFailure = 1,
  kUsage = 2,      // bad usage (EUsage), unknown parameter
  kParameter = 3,  // a parameter the report refused
  kDatabase = 4,
};

}  // namespace vireo::app
