// What the package installs for one model on one target system, by name: the driver names of
// both flavours, the package's port monitors and the model's own print processor, with the
// files each was installed from, and the USB port names the package supports. A removal takes
// away nothing that is not named here.
#pragma once

#include <string>
#include <vector>

#include "config/driver_config.h"

namespace uninstall {

// A port monitor or print processor and the names of its files (bare names).
struct PackageComponent {
  std::string name;
  std::vector<std::string> files;
};

struct PackageComponents {
  int targetOs = kTargetWin98Me;
  std::vector<std::string> driverNames;
  std::vector<PackageComponent> monitors;    // "COMMON-MONITOR"; never the language monitor
  std::vector<PackageComponent> processors;  // never "WinPrint"
  std::vector<std::string> usbPortEntries;   // [SUPPORTED-USB-DEVICE]
};

// The config's printer type must be the model's family.
PackageComponents ReadPackageComponents(platform::Platform& platform, config::DriverConfig& config,
                                        const char* model, int targetOs);

// The spooler environment of a target system: "Windows 4.0" for Windows 98/Me, none (the
// running system's own) otherwise.
const char* TargetEnvironment(int targetOs);

}  // namespace uninstall
