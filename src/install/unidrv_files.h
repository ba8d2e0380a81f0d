// EnsureUnidrvFiles: makes sure the support files of the system's universal printer driver are
// there for drivers built on it (on Windows 98/Me its UNIDRV.DLL and ICONLIB.DLL; from Windows
// 2000 on the resource DLL and the two GPD files, for universal-driver minidrivers only).
#pragma once

#include <vector>

#include "install/file_copy.h"
#include "platform/platform.h"

namespace install {

// The support files a universal-driver minidriver gets from Windows 2000 on, in the order they
// are placed: into the version-3 folder, then into the driver folder.
std::vector<FileCopy> UniversalDriverCopies();

// universalDriver: the model's driver is a universal-driver (GPD) minidriver (Is2kDdkDriver).
void EnsureUnidrvFiles(platform::Platform& platform, int targetOs, bool universalDriver);

}  // namespace install
