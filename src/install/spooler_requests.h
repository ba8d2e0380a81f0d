// The single spooler requests of the installation: registering a driver, a monitor and a print
// processor, and checking that the spooler can list its ports. Each shows its own message for
// a failure it does not tolerate; the caller looks only at the result.
#pragma once

#include "config/records.h"
#include "platform/platform.h"

namespace install {

// AddPrinterDriverA(null, 3, &info): 1, or 0 after message 118 whatever the error.
int AddDriver(platform::Platform& platform, config::DriverRecord info);

// AddMonitorA(null, 2, &info): 1, also when the monitor is already there (3006, 183); other
// errors show message 119 and give 0.
int AddPortMonitor(platform::Platform& platform, config::MonitorRecord info);

// AddPrintProcessorA(null, environment, dll, name), environment "Windows 4.0" for a Win98/Me
// target and the spooler's own otherwise: 1; the error number itself, silently, for 3005, 183
// and 87; 0 after message 123 for any other error.
int AddProcessor(platform::Platform& platform, const char* name, const char* dll, int targetOs);

// EnumPortsA(null, 1, ...) for its size, then for the list, which is discarded: 1, or 0 after
// message 104 (no memory) or 125 (the enumeration failed).
int ProbePorts(platform::Platform& platform);

}  // namespace install
