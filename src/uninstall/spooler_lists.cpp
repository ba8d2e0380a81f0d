#include "uninstall/spooler_lists.h"

#include <cstring>
#include <functional>

namespace uninstall {
namespace {

// One Enum call: buffer, its size, the size needed and the count of records.
using EnumCall = std::function<BOOL(LPBYTE, DWORD, LPDWORD, LPDWORD)>;

// The records, once the buffer holds them all. The list may grow between the size and the
// records (another program adds a printer), so a buffer that has become too small is grown.
bool Enumerate(platform::Platform& platform, const EnumCall& call, std::vector<BYTE>& buffer,
               DWORD& count, DWORD& error) {
  constexpr int kAttempts = 3;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    DWORD needed = 0;
    count = 0;
    const auto size = static_cast<DWORD>(buffer.size());
    if (call(buffer.empty() ? nullptr : buffer.data(), size, &needed, &count)) {
      return true;
    }
    error = platform.system.GetLastError();
    if (error != ERROR_INSUFFICIENT_BUFFER || needed <= size) {
      return false;
    }
    buffer.assign(needed, 0);
  }
  return false;
}

// Hands each record of the list to `take`; the list is complete or nothing is taken.
template <typename Record, typename Take>
bool ReadRecords(platform::Platform& platform, const EnumCall& call, Take take, DWORD& error) {
  std::vector<BYTE> buffer;
  DWORD count = 0;
  if (!Enumerate(platform, call, buffer, count, error)) {
    return false;
  }
  const auto* records = reinterpret_cast<const Record*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    take(records[i]);
  }
  return true;
}

std::string Text(LPCSTR text) {
  return text == nullptr ? std::string() : std::string(text);
}

}  // namespace

bool ListPrinters(platform::Platform& platform, std::vector<InstalledPrinter>& printers,
                  DWORD& error) {
  printers.clear();
  const EnumCall call = [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
    return platform.spooler.EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, out, size, needed,
                                          returned);
  };
  return ReadRecords<PRINTER_INFO_2A>(
      platform, call,
      [&](const PRINTER_INFO_2A& r) {
        printers.push_back(InstalledPrinter{Text(r.pPrinterName), Text(r.pPortName),
                                            Text(r.pDriverName), Text(r.pPrintProcessor)});
      },
      error);
}

bool ListDrivers(platform::Platform& platform, const char* environment,
                 std::vector<RegisteredDriver>& drivers, DWORD& error) {
  drivers.clear();
  std::string env = Text(environment);
  const EnumCall call = [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
    return platform.spooler.EnumPrinterDriversA(nullptr, environment ? &env[0] : nullptr, 3, out,
                                                size, needed, returned);
  };
  return ReadRecords<DRIVER_INFO_3A>(
      platform, call,
      [&](const DRIVER_INFO_3A& r) {
        RegisteredDriver driver{Text(r.pName), Text(r.pEnvironment), Text(r.pDriverPath), {}};
        for (LPCSTR file : {r.pDriverPath, r.pDataFile, r.pConfigFile, r.pHelpFile}) {
          if (file != nullptr && *file != '\0') {
            driver.files.emplace_back(file);
          }
        }
        // The dependent files: terminated names, the list ended by an empty one.
        for (LPCSTR file = r.pDependentFiles; file != nullptr && *file != '\0';
             file += std::strlen(file) + 1) {
          driver.files.emplace_back(file);
        }
        drivers.push_back(std::move(driver));
      },
      error);
}

bool ListMonitors(platform::Platform& platform, std::vector<RegisteredMonitor>& monitors,
                  DWORD& error) {
  monitors.clear();
  const EnumCall call = [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
    return platform.spooler.EnumMonitorsA(nullptr, 2, out, size, needed, returned);
  };
  return ReadRecords<MONITOR_INFO_2A>(
      platform, call,
      [&](const MONITOR_INFO_2A& r) {
        monitors.push_back(RegisteredMonitor{Text(r.pName), Text(r.pDLLName)});
      },
      error);
}

bool ListProcessors(platform::Platform& platform, const char* environment,
                    std::vector<std::string>& processors, DWORD& error) {
  processors.clear();
  std::string env = Text(environment);
  const EnumCall call = [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
    return platform.spooler.EnumPrintProcessorsA(nullptr, environment ? &env[0] : nullptr, 1, out,
                                                 size, needed, returned);
  };
  return ReadRecords<PRINTPROCESSOR_INFO_1A>(
      platform, call, [&](const PRINTPROCESSOR_INFO_1A& r) { processors.push_back(Text(r.pName)); },
      error);
}

bool ListPorts(platform::Platform& platform, std::vector<PortOwner>& ports, DWORD& error) {
  ports.clear();
  const EnumCall call = [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
    return platform.spooler.EnumPortsA(nullptr, 2, out, size, needed, returned);
  };
  return ReadRecords<PORT_INFO_2A>(
      platform, call,
      [&](const PORT_INFO_2A& r) {
        ports.push_back(PortOwner{Text(r.pPortName), Text(r.pMonitorName)});
      },
      error);
}

}  // namespace uninstall
