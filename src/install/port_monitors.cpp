#include "install/port_monitors.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "install/driver_file.h"
#include "install/install_results.h"
#include "install/package_files.h"
#include "install/spooler_keys.h"
#include "install/spooler_requests.h"
#include "install/windows_components.h"
#include "messages/message_box.h"
#include "resources/resource_ids.h"
#include "registry/registry_key.h"

namespace install {
namespace {

bool Contains(const char* text, const char* part) {
  return std::strstr(text, part) != nullptr;
}

bool IsEmpty(const char* text) {
  return text == nullptr || text[0] == '\0';
}

// One monitor of the package: 0 when absent and now installed or when current, olderResult
// when installed with an older or unreadable version, kMonitorAddFailed when the spooler
// refused it.
int CheckMonitor(platform::Platform& platform, int targetOs, const config::MonitorRecord& monitor,
                 const char* uiDll, std::int32_t version, int olderResult) {
  const std::string keyPath = MonitorKeyPath(monitor.pName);
  registry::RegistryKey key(platform.registry);
  if (key.Open(HKEY_LOCAL_MACHINE, keyPath.c_str())) {
    DWORD recorded = 0;
    const bool older =
        !key.QueryDword("DriverVersion", &recorded) || static_cast<DWORD>(version) > recorded;
    key.Close();
    return older ? olderResult : 0;
  }

  // Windows' own monitors and files are never replaced or registered anew.
  if (IsWindowsOwnMonitor(monitor.pName) || !IsPackageDllName(monitor.pDLLName) ||
      (!IsEmpty(uiDll) && !IsPackageDllName(uiDll))) {
    messages::ShowMessage(platform, IDS_ADD_MONITOR_FAILED);
    return kMonitorAddFailed;
  }
  // A DLL the running spooler holds open is copied beside it under the alternate name, and
  // that file is registered instead.
  std::string dll = monitor.pDLLName;
  if (IsLockedResult(PlaceDriverFile(platform, dll.c_str(), kSystemDir, targetOs, false))) {
    PlaceDriverFile(platform, dll.c_str(), kSystemDir, targetOs, true);
    dll = AlternateName(monitor.pDLLName);
  }
  if (!IsEmpty(uiDll)) {
    PlaceDriverFile(platform, uiDll, kSystemDir, targetOs, false);
  }
  if (AddPortMonitor(platform, config::MonitorRecord{monitor.pName, monitor.pEnvironment,
                                                     dll.data()}) == kFailed) {
    return kMonitorAddFailed;
  }
  if (key.Open(HKEY_LOCAL_MACHINE, keyPath.c_str())) {
    key.SetDword("DriverVersion", static_cast<DWORD>(version));
  }
  return 0;
}

}  // namespace

int CheckPortMonitors(platform::Platform& platform, config::DriverConfig& config, int targetOs,
                      const char* portName) {
  if (portName == nullptr || Contains(portName, "LPT")) {
    return 0;
  }
  config::PortMonitorSet set{};
  config.ReadPortMonitorSet(targetOs, set);
  int result = 0;
  if (Contains(portName, "COM") && !IsEmpty(set.serialMonitor.pDLLName) &&
      targetOs != kTargetWin98Me) {
    const int serial = CheckMonitor(platform, targetOs, set.serialMonitor, set.serialMonitorUiDll,
                                    set.serialMonitorVersion, kSerialMonitorOlder);
    if (serial == kMonitorAddFailed) {
      return serial;
    }
    result = serial;
  }
  if (Contains(portName, "USB_") && !IsEmpty(set.usbMonitor.pDLLName) && targetOs != kTargetNt4) {
    const int usb = CheckMonitor(platform, targetOs, set.usbMonitor, set.usbMonitorUiDll,
                                 set.usbMonitorVersion, kUsbMonitorOlder);
    if (usb == kMonitorAddFailed) {
      return usb;
    }
    if (usb != 0) {
      result = usb;
    }
  }
  return result;
}

}  // namespace install
