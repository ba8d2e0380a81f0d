// CheckPrintProcessor: makes sure the driver's own print processor is registered with the
// spooler. An absent processor is installed on the spot; an installed one whose recorded
// "DriverVersion" is older than the package version is only reported, for InPlaceUpdate.
#pragma once

#include "config/driver_config.h"
#include "platform/platform.h"

namespace install {

// 0: nothing to update ("WinPrint", installed and current, or absent and now installed);
// kProcessorOlder (8): installed with an older or unreadable version; kProcessorAddFailed (-14)
// after message 123: the spooler refused the processor.
int CheckPrintProcessor(platform::Platform& platform, config::DriverConfig& config, int targetOs,
                        const char* processorName, const char* processorDll);

}  // namespace install
