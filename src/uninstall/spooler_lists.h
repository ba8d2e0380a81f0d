// The spooler's lists as the removal reads them, each through its Enum call asked for the size
// first and then for the records: the printers (with port, driver and processor), the drivers
// and print processors of an environment, and the ports with the monitor behind each.
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

// Each returns false, with the Win32 error in `error`, when the spooler will not list.
bool ListPrinters(platform::Platform& platform, std::vector<InstalledPrinter>& printers,
                  DWORD& error);
bool ListDrivers(platform::Platform& platform, const char* environment,
                 std::vector<std::string>& drivers, DWORD& error);
bool ListProcessors(platform::Platform& platform, const char* environment,
                    std::vector<std::string>& processors, DWORD& error);
bool ListPorts(platform::Platform& platform, std::vector<PortOwner>& ports, DWORD& error);

}  // namespace uninstall
