// What pkgcheck needs of the package folder besides the platform seam: the bytes of the INI
// files, to point at their lines and tell their encoding, and the names in each folder, to
// find files that nothing names. Names are matched without regard to case, as on Windows.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/ini_document.h"

namespace pkgcheck {

class PackageFolder {
 public:
  virtual ~PackageFolder() = default;
  // The bytes of a file given relative to the package folder ("DRVCONFIG\setup.ini").
  virtual std::optional<std::string> Read(const std::string& relative) = 0;
  // The file names in a folder relative to the package folder ("winnt", "DRVCONFIG"; "" for
  // the package folder itself); nullopt when there is no such folder.
  virtual std::optional<std::vector<std::string>> List(const std::string& relative) = 0;
  // An INI file of the package (its bytes as Read gave them) parsed as the profile reader reads
  // it. A folder read through the simulated reader hands over that reader's own parse, so that
  // the checks and the reader answer from one index of the file.
  virtual std::shared_ptr<const platform::sim::IniDocument> ParseIni(
      [[maybe_unused]] const std::string& relative, const std::string& bytes) {
    return std::make_shared<const platform::sim::IniDocument>(
        platform::sim::IniDocument::Parse(bytes));
  }
};

}  // namespace pkgcheck
