// An installation without windows: the answers file's choices made on the wizard's pages in
// memory, the same install sequence behind Finish, every message written to the log, and the
// outcome as an exit code.
#pragma once

#include <string>

#include "platform/platform.h"
#include "unattended/run_log.h"

namespace unattended {

// Returns the exit code (exit_codes.h).
int RunUnattendedInstall(platform::Platform& platform, const std::string& answersPath, RunLog& log);

}  // namespace unattended
