#include "install/usb_check.h"

#include <cstring>
#include <string>

#include "config/install_types.h"
#include "install/port_entry.h"
#include "messages/message_box.h"
#include "ports/usb_identity.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

// Message 143: Yes gives the attached printer the number and goes on, No stays. A number that
// could not be given stays as well: the printer still answers on its old port.
bool AgreeToRenumber(platform::Platform& platform, int number) {
  return messages::AskYesNo(platform, IDS_RENAME_USB_DEVICE) &&
         ports::SetUsbDeviceNumber(platform, number);
}

bool CheckStrictly(platform::Platform& platform, int probe, const char* portEntry) {
  if (probe == ports::kNoUsbDevice) {
    messages::ShowMessage(platform, IDS_CONNECT_USB_PRINTER);
    return false;
  }
  if (probe == ports::kSeveralUsbDevices) {
    return false;
  }
  const int attached = ports::UsbPortNumber(probe);
  if (std::strstr(portEntry, ("_" + std::to_string(attached)).c_str()) != nullptr) {
    return true;
  }
  const int chosen = UsbPortNumberOfEntry(portEntry);
  return chosen == attached || AgreeToRenumber(platform, chosen);
}

// Typical mode installs on the first USB port. With several printers attached it stays after
// the probe's message 144, as Advanced mode does: which printer would be renumbered is unknown.
bool CheckTypically(platform::Platform& platform, int probe) {
  if (probe == ports::kSeveralUsbDevices) {
    return false;
  }
  if (probe == ports::kNoUsbDevice || ports::UsbPortNumber(probe) == 1) {
    return true;
  }
  return AgreeToRenumber(platform, 1);
}

}  // namespace

bool CheckUsbPrinter(platform::Platform& platform, int installMode, const char* portEntry) {
  const int probe = ports::ProbeUsbDevice(platform);
  return installMode == kModeAdvanced ? CheckStrictly(platform, probe, portEntry)
                                      : CheckTypically(platform, probe);
}

}  // namespace install
