// Detection for deployment tools (/query:MODEL): whether a printer of the model, installed by
// this package, is on this system. No window appears and nothing is changed; the log lists the
// printers found with their ports and drivers.
#pragma once

#include <string>

#include "platform/platform.h"
#include "unattended/run_log.h"

namespace unattended {

// `model` is the entry as in setup.ini's [DEVICENAME], family suffix included. Returns 0 when
// installed, 1605 when not, 87 for a model the package does not list (exit_codes.h).
int RunQuery(platform::Platform& platform, const std::string& model, RunLog& log);

}  // namespace unattended
