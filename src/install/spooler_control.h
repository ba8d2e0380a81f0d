// Stopping and starting the print spooler service ("Spooler") around the replacement of a
// monitor or print-processor DLL it has loaded. NT family only: Windows 98/Me have no service
// control manager.
#pragma once

#include "platform/platform.h"

namespace install {

// Sends the stop control and pauses 100 ms; does not wait for the service to stop. A spooler
// that is already stopped is no error; any other refusal is shown with its error number.
void StopSpooler(platform::Platform& platform);

// Asks the service to start; no pause. A spooler already running is no error; any other
// refusal is shown with its error number.
void StartSpooler(platform::Platform& platform);

// Polls the service state up to ten times, 300 ms apart: 1 as soon as it runs, otherwise 0
// after "StartSpoolService error".
int WaitSpoolerRunning(platform::Platform& platform);

}  // namespace install
