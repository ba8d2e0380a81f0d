#include "ports/usb_port_name.h"

#include <string>

#include "config/text_buffer.h"

namespace ports {

bool FormatUsbPortName(const char* model, int n, PortText& out) {
  const std::string name = "USB_" + std::string(model) + "_" + std::to_string(n);
  return config::CopyText(out, name);
}

}  // namespace ports
