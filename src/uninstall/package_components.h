// What the package installs for one model on one target system, by name: the drivers of both
// flavours with the driver file each registers, the package's port monitors and the model's own
// print processor, with the files each was installed from, and the USB port names the package
// supports. A removal takes away nothing that is not named here, and only what the system's
// registration shows to be the package's (ownership.h).
#pragma once

#include <string>
#include <vector>

#include "config/driver_config.h"

namespace uninstall {

// A port monitor or print processor and the names of its files (bare names).
struct PackageComponent {
  std::string name;
  std::vector<std::string> files;
  // The files among them the component may be registered with: its DLL and the alternate name
  // the DLL is installed under while the original is held.
  std::vector<std::string> dlls;
};

// A driver of one flavour: its name and the bare name of its "DriverPath" file.
struct PackageDriver {
  std::string name;
  std::string file;
  bool sharedWithOtherModel = false;  // another model of the package registers this name too
};

struct PackageComponents {
  int targetOs = kTargetWin98Me;
  std::string model;  // the printers' base name: the model's entry without its family suffix
  std::vector<PackageDriver> drivers;
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
