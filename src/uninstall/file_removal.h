// Deleting one of the package's files, or, while the system still holds it (a DLL the spooler
// has loaded), leaving its deletion to the next restart: on the NT family through MoveFileExA
// with MOVEFILE_DELAY_UNTIL_REBOOT, on Windows 95/98/Me through a "NUL=" line in WININIT.INI's
// [rename] section, which the system works through before it starts. A read-only file loses
// that attribute first: neither deletion would take it.
#pragma once

#include <string>

#include "platform/platform.h"

namespace uninstall {

enum class FileRemoval {
  kRemoved,    // gone (or already gone)
  kAtRestart,  // goes with the next restart
  kRemains,    // neither; `error` says why
};

FileRemoval RemoveFile(platform::Platform& platform, const std::string& path, DWORD& error);

}  // namespace uninstall
