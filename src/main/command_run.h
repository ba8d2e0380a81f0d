// A run that the command line asks for (everything but the wizard): the usage, an unattended
// installation, a removal or a query, or the refusal of bad arguments. With /quiet no window
// appears on any path: the log tells why, and the exit code says how the run ended.
#pragma once

#include <string>

#include "platform/platform.h"
#include "unattended/command_line.h"
#include "unattended/run_log.h"
#include "unattended/start_up.h"

namespace launch {

// `line` and `start` come from BeginRun (start_up.h). Returns the exit code (exit_codes.h).
int RunCommandLine(platform::Platform& platform, const unattended::CommandLine& line,
                   const unattended::StartState& start, unattended::RunLog& log);

}  // namespace launch
