// The spooler's lists as the removal reads them, each through its Enum call asked for the size
// first and then for the records: the printers (with port, driver and processor), the drivers
// (with their files) and print processors of an environment, the port monitors with their DLLs,
// and the ports with the monitor reported for each.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace uninstall {

struct InstalledPrinter {
  std::string name;
  std::string port;  // one port, or several separated by commas
  std::string driver;
  std::string processor;
};

struct PortOwner {
  std::string port;
  std::string monitor;  // empty when the spooler does not name it
};

// A driver as EnumPrinterDriversA level 3 gives it, its files as the paths it reports.
struct RegisteredDriver {
  std::string name;
  std::string environment;
  std::string driverPath;
  std::vector<std::string> files;  // driver, data, configuration, help and dependent files
};

struct RegisteredMonitor {
  std::string name;
  std::string dll;
};

// Each returns false, with the Win32 error in `error`, when the spooler will not list.
bool ListPrinters(platform::Platform& platform, std::vector<InstalledPrinter>& printers,
                  DWORD& error);
bool ListDrivers(platform::Platform& platform, const char* environment,
                 std::vector<RegisteredDriver>& drivers, DWORD& error);
bool ListMonitors(platform::Platform& platform, std::vector<RegisteredMonitor>& monitors,
                  DWORD& error);
bool ListProcessors(platform::Platform& platform, const char* environment,
                    std::vector<std::string>& processors, DWORD& error);
bool ListPorts(platform::Platform& platform, std::vector<PortOwner>& ports, DWORD& error);

}  // namespace uninstall
