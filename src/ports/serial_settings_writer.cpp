#include "ports/serial_settings_writer.h"

#include <string>

#include "ports/serial_dcb.h"
#include "registry/registry_key.h"

namespace ports {
namespace {

// Windows 98/Me lists its serial ports among the first four keys of the Ports device class.
constexpr int kPortsClassKeys = 4;
constexpr BYTE kSerialPortSubClass = 1;
constexpr const char* kNtPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

std::string PortsClassKey(int index) {
  return "System\\CurrentControlSet\\Services\\Class\\Ports\\000" + std::to_string(index);
}

// Stores the block in the portNumber-th Ports class key whose "PortSubClass" marks a serial
// port. Each key not taken is closed before the next is opened.
void StoreDcb(platform::Platform& platform, int portNumber, const DCB& dcb) {
  if (portNumber != 1 && portNumber != 2) {
    return;
  }
  registry::RegistryKey key(platform.registry);
  int serialKeys = 0;
  for (int index = 0; index < kPortsClassKeys; ++index) {
    if (!key.Open(HKEY_LOCAL_MACHINE, PortsClassKey(index).c_str())) {
      continue;
    }
    // A missing value leaves the buffer zeroed: not a serial port.
    BYTE subClass[3] = {};
    key.QueryValue("PortSubClass", subClass, sizeof(subClass));
    if (subClass[0] == kSerialPortSubClass && ++serialKeys == portNumber) {
      // REG_NONE, as Windows 98 itself stores the block.
      key.SetValue("DCB", &dcb, REG_NONE, sizeof(dcb));
      return;
    }
    key.Close();
  }
}

}  // namespace

bool WriteSerialSettingsWin98(platform::Platform& platform, int portNumber, const char* portName,
                              const SerialSettings& settings) {
  StoreDcb(platform, portNumber, BuildSerialDcb(settings));
  const bool stored = platform.profile.WriteProfileStringA(
                          "Ports", portName, SettingsString(settings).c_str()) != FALSE;
  static const char kSection[] = "Ports";
  platform.system.SendNotifyMessageA(HWND_BROADCAST, WM_WININICHANGE, 0,
                                     reinterpret_cast<LPARAM>(kSection));
  // Three nulls make Windows 98 write its cached win.ini out now.
  platform.profile.WriteProfileStringA(nullptr, nullptr, nullptr);
  return stored;
}

bool WriteSerialSettingsNt(platform::Platform& platform, const char* portName,
                           const SerialSettings& settings) {
  const std::string text = SettingsString(settings);
  registry::RegistryKey key(platform.registry);
  return key.Open(HKEY_LOCAL_MACHINE, kNtPortsKey) && key.SetString(portName, text.c_str());
}

}  // namespace ports
