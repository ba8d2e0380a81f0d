// The one rule that tells the kind of a port from its name, for the port list, the port page
// and the install sequence alike. USB comes first, so that a USB port of a model whose name
// holds "COM" or "LPT" ("USB_ECOMPACT_1") is a USB port everywhere.
#pragma once

namespace ports {

enum class PortKind : int {
  kSerial = 0,
  kParallel = 1,
  kUsb = 2,
  kUnknown = -1,
};

// Case-sensitive substring tests, in this order: "USB_" is USB, else "COM" is serial (the
// maker's "KSCOM" ports too), else "LPT" is parallel; anything else is unknown.
PortKind KindOfPort(const char* portName);

}  // namespace ports
