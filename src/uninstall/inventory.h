// What the system holds that a removal must know: every printer, the drivers and print
// processors of every environment with the files their registrations name, every port monitor
// with the DLL it is registered with and the ports reported for it, the installer's records
// under SOFTWARE\KESTREL, and which of the package's monitor and processor files are on the
// disk.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "uninstall/package_components.h"
#include "uninstall/spooler_lists.h"

namespace uninstall {

struct InstalledMonitor {
  std::string name;
  std::string dll;                 // the DLL it is registered with (EnumMonitorsA level 2)
  std::vector<std::string> ports;  // the ports EnumPortsA reports under its name
};

struct InstalledDriver {
  std::string name;
  bool target = false;             // of the target system's environment
  std::string driverFile;          // bare name of its "pDriverPath"
  std::vector<std::string> files;  // bare names of every file it names
};

struct InstalledProcessor {
  std::string name;
  bool target = false;
  std::string dll;  // bare name of the DLL it is registered with ("" when not readable)
};

// A value under one of the installer's keys (registry::kPortNameKey and its siblings).
struct RegistryRecord {
  std::string key;
  std::string value;
};

struct Inventory {
  std::vector<InstalledPrinter> printers;
  std::vector<InstalledDriver> drivers;
  std::vector<InstalledProcessor> processors;
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

const InstalledMonitor* FindMonitor(const Inventory& inventory, const std::string& name);
const InstalledDriver* FindTargetDriver(const Inventory& inventory, const std::string& name);
const InstalledProcessor* FindTargetProcessor(const Inventory& inventory, const std::string& name);

// The bare file name at the end of a path.
std::string BareFileName(const std::string& path);

}  // namespace uninstall
