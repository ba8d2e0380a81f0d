// PlaceDriverFile: every package file reaches the system through here. It copies one file from
// the package folder of the target system into the folder a destination code names, under its
// own name or under the alternate name "n" + name for a file the spooler holds open.
#pragma once

#include "platform/platform.h"

namespace install {

// Destination codes (FileDestination).
constexpr int kDriverDir = 66000;     // the spooler's printer-driver folder
constexpr int kDriverDirV3 = 999;     // its version-3 folder, "\3" below it
constexpr int kProcessorDir = 66001;  // the spooler's print-processor folder
constexpr int kSystemDir = 66002;     // the system folder
constexpr int kInfDir = 100;          // the Windows folder's "\inf"

// 1 when copied; 32 (ERROR_SHARING_VIOLATION) or 5 (ERROR_ACCESS_DENIED) when the destination
// file is locked, with no message; 0 when nothing was copied. A null name or one beginning
// with "0" (a key missing from the INI files) is skipped with no message; every other failure
// shows its message first: 110 unknown destination code, 108/109/102/126 a folder not
// available, 107 no current folder, 122 a name that is not a bare file name, a path too long
// for the path buffers, or a failed copy.
int PlaceDriverFile(platform::Platform& platform, const char* fileName, int destination,
                    int targetOs, bool alternateName);

// True for the two results that mean the destination file is in use or protected.
inline bool IsLockedResult(int result) {
  return result == static_cast<int>(ERROR_SHARING_VIOLATION) ||
         result == static_cast<int>(ERROR_ACCESS_DENIED);
}

}  // namespace install
