// Removal from the command line (/uninstall:MODEL): what the package installed for the model on
// the system the wizard's OS page would choose. Without /quiet a person confirms the list
// first and sees what was removed; with /quiet no window appears and the log says it all. The
// outcome is an exit code.
#pragma once

#include <string>

#include "platform/platform.h"
#include "unattended/run_log.h"

namespace unattended {

// `model` is the entry as in setup.ini's [DEVICENAME], family suffix included. Returns the exit
// code (exit_codes.h).
int RunUninstall(platform::Platform& platform, const std::string& model, bool quiet, RunLog& log);

}  // namespace unattended
