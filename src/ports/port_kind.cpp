#include "ports/port_kind.h"

#include <cstring>

namespace ports {

PortKind KindOfPort(const char* portName) {
  if (std::strstr(portName, "USB_") != nullptr) {
    return PortKind::kUsb;
  }
  if (std::strstr(portName, "COM") != nullptr) {
    return PortKind::kSerial;
  }
  if (std::strstr(portName, "LPT") != nullptr) {
    return PortKind::kParallel;
  }
  return PortKind::kUnknown;
}

}  // namespace ports
