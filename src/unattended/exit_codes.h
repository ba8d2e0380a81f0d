// The exit codes of runs without windows, in the convention deployment tools read.
#pragma once

namespace unattended {

enum ExitCode : int {
  kExitDone = 0,
  kExitBadArguments = 87,      // bad arguments or a bad answers file; nothing changed
  kExitNothingChanged = 1602,  // the installation ended before changing anything
  kExitFailed = 1603,          // failed after changes began
  kExitNothingInstalled = 1605,
  kExitAnotherRun = 1618,       // another installation or removal is running; nothing changed
  kExitNotSupported = 1633,     // not for this platform (64-bit Windows); nothing changed
  kExitRestartRequired = 3010,  // done; the change takes effect after a restart
};

}  // namespace unattended
