// What the system holds of a package: every printer (a removal must know the others too), the
// drivers and print processors of the target's environment, the package's port monitors that
// are installed with the ports each offers, the installer's records under SOFTWARE\KESTREL,
// and which of the package's monitor and processor files are on the disk.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "uninstall/package_components.h"
#include "uninstall/spooler_lists.h"

namespace uninstall {

struct InstalledMonitor {
  std::string name;
  std::string dll;                 // its "Driver" value: the DLL the spooler loads
  std::vector<std::string> ports;  // the ports EnumPortsA names it for
};

// A value under one of the installer's keys (registry::kPortNameKey and its siblings).
struct RegistryRecord {
  std::string key;
  std::string value;
};

struct Inventory {
  std::vector<InstalledPrinter> printers;
  std::vector<std::string> drivers;
  std::vector<std::string> processors;
  std::vector<InstalledMonitor> monitors;
  std::vector<PortOwner> ports;
  std::vector<RegistryRecord> records;
  std::string systemFolder;        // where the monitors' files lie
  std::string processorFolder;     // where the processors' files lie
  std::vector<std::string> files;  // full paths of the package's files that exist
};

// False with the reason when the spooler or the system will not say.
bool ReadInventory(platform::Platform& platform, const PackageComponents& package,
                   Inventory& inventory, std::string& failure);

// The monitor's (or processor's) file in its folder.
std::string MonitorFilePath(const Inventory& inventory, const std::string& file);
std::string ProcessorFilePath(const Inventory& inventory, const std::string& file);

bool MonitorInstalled(const Inventory& inventory, const std::string& name);

}  // namespace uninstall
