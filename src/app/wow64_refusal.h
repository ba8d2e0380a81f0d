// The package's drivers are 32-bit: a 64-bit spooler cannot load them, so on 64-bit Windows
// (where this 32-bit program runs under WOW64) the program refuses before it changes anything.
#pragma once

#include "platform/platform.h"
#include "unattended/run_log.h"

namespace app {

// True when this process is a 32-bit one on 64-bit Windows. IsWow64Process is looked up at run
// time, since 98, NT 4 and 2000 lack it; a system without it is 32-bit.
bool RunsUnderWow64(platform::Platform& platform);

// Says why nothing is installed: in a message box when `showMessage` (a person is there), and
// in `log` when the run keeps one. Returns kExitNotSupported.
int RefuseOn64BitWindows(platform::Platform& platform, bool showMessage, unattended::RunLog* log);

}  // namespace app
