// The native pkgcheck reads a package folder of this machine's disk through the simulated
// Windows: the folder is copied onto the simulated disk as C:\PACKAGE, with the program file
// in it and the current folder on it, so that DriverConfig and the simulated profile reader
// see it as Setup.exe started from that folder would.
#pragma once

#include <string>

#include "pkgcheck/package_folder.h"
#include "platform/sim/sim_machine.h"

namespace pkgcheck {

constexpr const char* kSimPackageRoot = "C:\\PACKAGE";

// Copies the folder's files and its subfolders' files; false when it is no folder.
bool LoadPackage(const std::string& folder, platform::sim::SimMachine& machine);

// The package as it lies on the simulated disk.
class SimPackageFolder final : public PackageFolder {
 public:
  explicit SimPackageFolder(platform::sim::SimFileTree& disk) : disk_(disk) {}
  // The INI files as the machine's profile reader has parsed them.
  explicit SimPackageFolder(platform::sim::SimMachine& machine)
      : disk_(machine.disk()), profile_(&machine.profile()) {}
  std::optional<std::string> Read(const std::string& relative) override;
  std::optional<std::vector<std::string>> List(const std::string& relative) override;
  std::shared_ptr<const platform::sim::IniDocument> ParseIni(const std::string& relative,
                                                             const std::string& bytes) override;

 private:
  platform::sim::SimFileTree& disk_;
  platform::sim::SimProfileService* profile_ = nullptr;
};

}  // namespace pkgcheck
