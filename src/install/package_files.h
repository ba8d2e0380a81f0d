// Where the package's files come from and how their names may be used in paths. File names
// come from the package's INI files; only a bare file name is ever put after a folder, so that
// nothing outside the intended folder is read or written.
#pragma once

#include <cstddef>
#include <string>

namespace install {

// Size of the path buffers of the file operations, terminator included.
constexpr std::size_t kPathSize = 256;

// The package folder for a TargetOs: "\win98\", "\winnt\" (NT 4, 2000, XP) or "\win2003\".
const char* PackageFolder(int targetOs);

// True for a name that names a file inside a folder and nothing else: not empty, without "\",
// "/" or ":", not made of dots and blanks only ("." and ".." name folders; Windows drops
// trailing dots and blanks), and not a device name such as "NUL", "COM1" or "LPT1.DLL", which
// Windows opens as the device in any folder.
bool IsBareFileName(const char* name);

// "n" followed by the name: the name a file is copied under while the spooler holds the
// original open.
std::string AlternateName(const char* name);

// True when the path and its terminator fit a path buffer.
inline bool FitsPathBuffer(const std::string& path) {
  return path.size() < kPathSize;
}

}  // namespace install
