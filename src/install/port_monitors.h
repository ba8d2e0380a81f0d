// CheckPortMonitors: makes sure the maker's port monitor for the chosen port (the serial-port
// monitor for a "COM" port, the USB monitor for a "USB_" port) is installed. An absent monitor
// is installed on the spot; an installed one whose recorded "DriverVersion" is older than the
// package's is only reported, for InPlaceUpdate.
#pragma once

#include "config/driver_config.h"
#include "platform/platform.h"

namespace install {

// 0: nothing to update (a parallel port, monitors current, or absent and now installed);
// kSerialMonitorOlder (1) or kUsbMonitorOlder (2), the USB branch's answer replacing the
// serial branch's; kMonitorAddFailed (-15) after message 119.
int CheckPortMonitors(platform::Platform& platform, config::DriverConfig& config, int targetOs,
                      const char* portName);

}  // namespace install
