// What pkgcheck needs of the package folder besides the platform seam: the bytes of the INI
// files, to point at their lines and tell their encoding, and the names in each folder, to
// find files that nothing names. Names are matched without regard to case, as on Windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pkgcheck {

class PackageFolder {
 public:
  virtual ~PackageFolder() = default;
  // The bytes of a file given relative to the package folder ("DRVCONFIG\setup.ini").
  virtual std::optional<std::string> Read(const std::string& relative) = 0;
  // The file names in a folder relative to the package folder ("winnt", "DRVCONFIG"; "" for
  // the package folder itself); nullopt when there is no such folder.
  virtual std::optional<std::vector<std::string>> List(const std::string& relative) = 0;
};

}  // namespace pkgcheck
