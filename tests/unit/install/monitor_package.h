// The package's port monitors as the tests describe them: the common file's "COMMON-MONITOR"
// sections and the monitor DLLs in the package folders.
#pragma once

#include <string>

#include "install_fixture.h"

namespace install_test {

constexpr const char* kSerialMonitor = "KS Serial Monitor";
constexpr const char* kUsbMonitor = "KS USB Monitor";

class MonitorTest : public InstallTest {
 protected:
  // One "COMMON-MONITOR" section per suffix, with the given versions; a version of "" leaves
  // the key out. Further sections (such as [Version]) may follow in `extra`.
  void WriteMonitorSections(const std::string& serialVersion, const std::string& usbVersion,
                            const std::string& extra = "") {
    std::string text;
    for (const char* suffix : {".98", ".NT", ".2K", ".XP", ".2003"}) {
      text += std::string("[COMMON-MONITOR") + suffix + "]\r\n";
      text += std::string("COMMONitorPName=") + kSerialMonitor + "\r\n";
      text += "COMMONitorPDLLName=KSCOM.DLL\r\nCOMMONitorPUIDLLName=KSCOMUI.DLL\r\n";
      if (!serialVersion.empty()) {
        text += "COMMONitorVersion=" + serialVersion + "\r\n";
      }
      text += std::string("USBMONitorPName=") + kUsbMonitor + "\r\n";
      text += "USBMONitorPDLLName=KSUSB.DLL\r\nUSBMONitorPUIDLLName=KSUSBUI.DLL\r\n";
      if (!usbVersion.empty()) {
        text += "USBMONitorVersion=" + usbVersion + "\r\n";
      }
    }
    machine.disk().WriteFile(kCommonFile, text + extra);
  }
  // The monitor DLLs export a monitor entry point, the UI DLLs do not.
  void PutMonitorFiles(const std::string& folder, const std::string& tag) {
    for (const char* name : {"KSCOM.DLL", "KSUSB.DLL"}) {
      PutPackageFile(folder, name, MonitorFile(tag + " " + name));
    }
    for (const char* name : {"KSCOMUI.DLL", "KSUSBUI.DLL"}) {
      PutPackageFile(folder, name, tag + " " + name);
    }
  }
  static std::string MonitorFile(const std::string& label) {
    return platform::sim::PortMonitorImage(label);
  }
  // A monitor installed earlier: its key with its DLL, the DLL in the system folder, and its
  // recorded version unless it is negative.
  void InstallMonitor(const std::string& name, const std::string& dll, long long version) {
    machine.registry().PutValue(MonitorKey(name), "Driver", REG_SZ, dll + '\0');
    if (version >= 0) {
      machine.registry().PutDword(MonitorKey(name), "DriverVersion", static_cast<DWORD>(version));
    }
    machine.disk().WriteFile(SystemDir() + "\\" + dll, "old " + dll);
  }
  static std::string MonitorKey(const std::string& name) { return kMonitorsKey + name; }
  std::string DriverValue(const std::string& keyPath) {
    const auto value = machine.registry().GetValue(keyPath, "Driver");
    return value ? std::string(value->data.c_str()) : std::string("<none>");
  }

  config::DriverConfig config{machine.platform()};
};

}  // namespace install_test
