// The embedded engine's configuration: several processes on one database file.
//
// Firebird's embedded engine reads firebird.conf from its root directory
// ($FIREBIRD).  The system's configuration runs it in its single-process
// mode, where the first process that opens a file holds it alone and a
// second `vireo print` (or a worker of `vireo serve`) on the same file fails.
// The build lays out a root of its own (firebird/ beside lib/, and
// lib/vireo/firebird when installed) whose firebird.conf chooses the shared,
// multi-process mode and whose other pieces link to the installed engine.
// The host points the engine at it before the first use of Firebird, unless
// the user already chose a root with FIREBIRD.
#pragma once

#include <string>

namespace vireo::fb {

// The project's engine root found beside the host libraries, or "" when
// there is none (a library copied elsewhere).
std::string ProjectEngineRoot();

// Sets FIREBIRD to the project's root when it is unset and the root exists.
// Called once, before the master interface is first taken.
void UseProjectEngineRoot();

}  // namespace vireo::fb
