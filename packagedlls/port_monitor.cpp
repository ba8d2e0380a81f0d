// A print monitor as the spooler loads it (InitializePrintMonitor2 returning a MONITOR2): it
// lists its ports at levels 1 and 2 and refuses every port operation. The package ships it so
// that a spooler adding the monitor finds what it looks for; it does not print.
#include <windows.h>
#include <winsplp.h>

#include <cstring>
#include <cwchar>

#include "port_monitor.h"

namespace packagedlls {
namespace {

size_t TextBytes(const wchar_t* text) {
  return (std::wcslen(text) + 1) * sizeof(wchar_t);
}

// The spooler's packing convention: the fixed records from the start of the buffer, their
// strings from its end downwards.
class Packer {
 public:
  Packer(LPBYTE buffer, DWORD size) : end_(buffer + size) {}
  LPWSTR Put(const wchar_t* text) {
    const size_t bytes = TextBytes(text);
    end_ -= bytes;
    std::memcpy(end_, text, bytes);
    return reinterpret_cast<LPWSTR>(end_);
  }

 private:
  LPBYTE end_;
};

BOOL Refuse(DWORD error) {
  SetLastError(error);
  return FALSE;
}

BOOL WINAPI EnumPorts(HANDLE /*monitor*/, LPWSTR /*server*/, DWORD level, LPBYTE ports, DWORD size,
                      LPDWORD needed, LPDWORD returned) {
  const MonitorProfile& profile = kMonitorProfile;
  if (needed == nullptr || returned == nullptr) {
    return Refuse(ERROR_INVALID_PARAMETER);
  }
  *returned = 0;
  if (level != 1 && level != 2) {
    return Refuse(ERROR_INVALID_LEVEL);
  }
  const size_t record = level == 1 ? sizeof(PORT_INFO_1W) : sizeof(PORT_INFO_2W);
  size_t total = 0;
  for (size_t i = 0; i < profile.portCount; ++i) {
    total += record + TextBytes(profile.ports[i]);
    if (level == 2) {
      total += TextBytes(profile.monitorName) + TextBytes(profile.description);
    }
  }
  *needed = static_cast<DWORD>(total);
  if (total > size || (total > 0 && ports == nullptr)) {
    return Refuse(ERROR_INSUFFICIENT_BUFFER);
  }
  Packer packer(ports, static_cast<DWORD>(total));
  for (size_t i = 0; i < profile.portCount; ++i) {
    if (level == 1) {
      reinterpret_cast<PORT_INFO_1W*>(ports)[i].pName = packer.Put(profile.ports[i]);
    } else {
      PORT_INFO_2W& info = reinterpret_cast<PORT_INFO_2W*>(ports)[i];
      info.pPortName = packer.Put(profile.ports[i]);
      info.pMonitorName = packer.Put(profile.monitorName);
      info.pDescription = packer.Put(profile.description);
      info.fPortType = PORT_TYPE_WRITE;
      info.Reserved = 0;
    }
  }
  *returned = static_cast<DWORD>(profile.portCount);
  return TRUE;
}

// The port operations: this monitor has no device behind its ports.
BOOL WINAPI OpenPort(HANDLE, LPWSTR, PHANDLE) {
  return Refuse(ERROR_NOT_SUPPORTED);
}
BOOL WINAPI OpenPortEx(HANDLE, HANDLE, LPWSTR, LPWSTR, PHANDLE, MONITOR2*) {
  return Refuse(ERROR_NOT_SUPPORTED);
}
BOOL WINAPI StartDocPort(HANDLE, LPWSTR, DWORD, DWORD, LPBYTE) {
  return Refuse(ERROR_INVALID_HANDLE);
}
BOOL WINAPI WritePort(HANDLE, LPBYTE, DWORD, LPDWORD written) {
  if (written != nullptr) {
    *written = 0;
  }
  return Refuse(ERROR_INVALID_HANDLE);
}
BOOL WINAPI ReadPort(HANDLE, LPBYTE, DWORD, LPDWORD read) {
  if (read != nullptr) {
    *read = 0;
  }
  return Refuse(ERROR_INVALID_HANDLE);
}
BOOL WINAPI EndDocPort(HANDLE) {
  return Refuse(ERROR_INVALID_HANDLE);
}
BOOL WINAPI ClosePort(HANDLE) {
  return Refuse(ERROR_INVALID_HANDLE);
}
BOOL WINAPI AddPort(HANDLE, LPWSTR, HWND, LPWSTR) {
  return Refuse(ERROR_NOT_SUPPORTED);
}
BOOL WINAPI AddPortEx(HANDLE, LPWSTR, DWORD, LPBYTE, LPWSTR) {
  return Refuse(ERROR_NOT_SUPPORTED);
}
BOOL WINAPI ConfigurePort(HANDLE, LPWSTR, HWND, LPWSTR) {
  return Refuse(ERROR_NOT_SUPPORTED);
}
BOOL WINAPI DeletePort(HANDLE, LPWSTR, HWND, LPWSTR) {
  return Refuse(ERROR_NOT_SUPPORTED);
}
BOOL WINAPI GetPrinterDataFromPort(HANDLE, DWORD, LPWSTR, LPWSTR, DWORD, LPWSTR, DWORD,
                                   LPDWORD returned) {
  if (returned != nullptr) {
    *returned = 0;
  }
  return Refuse(ERROR_NOT_SUPPORTED);
}
BOOL WINAPI SetPortTimeOuts(HANDLE, LPCOMMTIMEOUTS, DWORD) {
  return Refuse(ERROR_INVALID_HANDLE);
}
BOOL WINAPI XcvOpenPort(HANDLE, LPCWSTR, ACCESS_MASK, PHANDLE) {
  return Refuse(ERROR_NOT_SUPPORTED);
}
DWORD WINAPI XcvDataPort(HANDLE, LPCWSTR, PBYTE, DWORD, PBYTE, DWORD, PDWORD needed) {
  if (needed != nullptr) {
    *needed = 0;
  }
  return ERROR_INVALID_HANDLE;
}
BOOL WINAPI XcvClosePort(HANDLE) {
  return Refuse(ERROR_INVALID_HANDLE);
}
VOID WINAPI Shutdown(HANDLE) {}

MONITOR2 MakeMonitor() {
  MONITOR2 monitor = {};
  monitor.cbSize = sizeof(MONITOR2);
  monitor.pfnEnumPorts = EnumPorts;
  monitor.pfnOpenPort = OpenPort;
  monitor.pfnOpenPortEx = kMonitorProfile.languageMonitor ? OpenPortEx : nullptr;
  monitor.pfnStartDocPort = StartDocPort;
  monitor.pfnWritePort = WritePort;
  monitor.pfnReadPort = ReadPort;
  monitor.pfnEndDocPort = EndDocPort;
  monitor.pfnClosePort = ClosePort;
  monitor.pfnAddPort = AddPort;
  monitor.pfnAddPortEx = AddPortEx;
  monitor.pfnConfigurePort = ConfigurePort;
  monitor.pfnDeletePort = DeletePort;
  monitor.pfnGetPrinterDataFromPort = GetPrinterDataFromPort;
  monitor.pfnSetPortTimeOuts = SetPortTimeOuts;
  monitor.pfnXcvOpenPort = XcvOpenPort;
  monitor.pfnXcvDataPort = XcvDataPort;
  monitor.pfnXcvClosePort = XcvClosePort;
  monitor.pfnShutdown = Shutdown;
  return monitor;
}

}  // namespace
}  // namespace packagedlls

// The spooler keeps the returned pointer for as long as the monitor is loaded.
extern "C" __declspec(dllexport) LPMONITOR2 WINAPI
    InitializePrintMonitor2(PMONITORINIT init, PHANDLE monitor) {
  static MONITOR2 table = packagedlls::MakeMonitor();
  if (init == nullptr || monitor == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  *monitor = reinterpret_cast<HANDLE>(&table);
  return &table;
}
