// What an installation of one model does on one target system with one driver flavour, worked
// out from the records the installer's own DriverConfig reads, without touching any system:
// the files it copies and where, the monitors and print processor it installs, the driver it
// registers and the printer it adds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/driver_config.h"

namespace pkgcheck {

struct PlannedCopy {
  std::string name;     // a file of the target system's package folder
  int destination = 0;  // install::kDriverDir and its siblings
  std::string key;      // the INI key that names it; empty for a name the installer knows
  std::string when;     // the condition under which it is copied, empty for always
};

struct PlannedMonitor {
  std::string kind;  // "serial" or "USB"
  std::string name;
  std::string dll;
  std::string uiDll;
  std::int32_t version = 0;
};

struct InstallPlan {
  std::string model;
  int targetOs = 0;
  int flavor = 0;
  config::DriverFileList files{};
  bool universalDriver = false;  // Is2kDdkDriver
  std::vector<PlannedCopy> copies;
  std::string processor;           // the printer's print processor
  bool installsProcessor = false;  // not the system's own WinPrint
  bool registersLanguageMonitor = false;
  // DRIVER_INFO_3 as handed to AddPrinterDriverA.
  std::uint32_t driverVersion = 0;
  std::string driverName, environment, driverPath, dataFile, configFile, helpFile, monitorName;
  std::vector<std::string> dependentFiles;
  // PRINTER_INFO_2 as handed to AddPrinterA (the port and the name's ending come later).
  std::string serverName, comment, location, sepFile, datatype, parameters;
  std::uint32_t attributes = 0, priority = 0, defaultPriority = 0, startTime = 0, untilTime = 0;
  // The device-mode block, as the printer gets it.
  std::string devModeBytes;
};

// flavor: which keys the installation reads (the port page's raster box: GDI for parallel and
// USB ports, STD for serial ports).
InstallPlan PlanInstallation(config::DriverConfig& config, int printerType,
                             const std::string& model, int targetOs, int flavor);

// The port monitors an installation on the target system installs for a serial or USB port:
// the serial one for "COM" ports on the NT family, the USB one for "USB_" ports except on NT 4;
// a monitor without a DLL is not installed.
std::vector<PlannedMonitor> PlanPortMonitors(config::DriverConfig& config, int targetOs);

// "printer-driver folder", "its version-3 folder \3", ... for a destination code.
const char* DestinationName(int destination);

// The system's own print processor, which the installer never installs.
constexpr const char* kSystemProcessor = "WinPrint";

}  // namespace pkgcheck
