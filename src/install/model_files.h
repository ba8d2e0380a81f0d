// PlaceModelFiles: brings a model's driver files into the spooler's driver folders before the
// driver is registered: the four named files, the OEM plug-in, the universal-driver support
// files, the colour library of the QRX-K810 on Windows 98/Me, and a universal driver's resource
// DLL.
#pragma once

#include <vector>

#include "config/driver_config.h"
#include "install/file_copy.h"
#include "platform/platform.h"

namespace install {

// The files named by the driver section, in the order PlaceModelFiles copies them: the
// configuration file, the data file (also to the version-3 folder from Windows 2000 on), the
// driver, the help file, and the OEM plug-in DLL and INI when neither name begins with "0".
std::vector<FileCopy> NamedFileCopies(const config::DriverFileList& files, int targetOs);

// True when the files were placed (a file that could not be copied has shown its message and
// does not stop the others). False after message 142: a required name is empty, so the
// driver cannot be installed.
bool PlaceModelFiles(platform::Platform& platform, config::DriverConfig& config,
                     const config::DriverFileList& files, const char* model, int targetOs,
                     int flavor);

}  // namespace install
