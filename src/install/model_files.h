// PlaceModelFiles: brings a model's driver files into the spooler's driver folders before the
// driver is registered: the four named files, the OEM plug-in, the universal-driver support
// files, the colour library of the QRX-K810 on Windows 98/Me, and a universal driver's resource
// DLL.
#pragma once

#include "config/driver_config.h"
#include "platform/platform.h"

namespace install {

// True when the files were placed (a file that could not be copied has shown its message and
// does not stop the others). False after message 142: a required name is empty, so the
// driver cannot be installed.
bool PlaceModelFiles(platform::Platform& platform, config::DriverConfig& config,
                     const config::DriverFileList& files, const char* model, int targetOs,
                     int flavor);

}  // namespace install
