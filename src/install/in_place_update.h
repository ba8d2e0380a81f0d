// InPlaceUpdate: replaces the installed port monitor or print processor that the checks found
// older than the package's, and its recorded version. On the NT family the spooler is stopped
// around the copy and started again; on Windows 98/Me a file the spooler holds is copied under
// the alternate name and the registry's "Driver" value is pointed at it. One component is
// updated per installation: the first of serial monitor, USB monitor, processor that is older.
#pragma once

#include <cstdint>

#include "config/driver_config.h"
#include "platform/platform.h"

namespace install {

// updateFlags: the bitwise or of CheckPortMonitors' and CheckPrintProcessor's results.
// 1: the installation goes on; 0: it ends as failed (its message has been shown). The spooler
// is never left stopped by a failure after it was stopped: every path that stopped it restarts
// it the same way. A "DriverVersion" (and on Windows 98/Me a "Driver") is written only for a
// file that was really placed, so that a failed copy is tried again by the next installation.
int InPlaceUpdate(platform::Platform& platform, config::DriverConfig& config, int updateFlags,
                  int targetOs, const char* processorName, const char* processorDll,
                  std::int32_t packageVersion);

}  // namespace install
