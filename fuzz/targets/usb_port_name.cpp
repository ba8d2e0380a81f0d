// USB port names: from an INSTALLPRINTER value name ("M(U) 2" gives "USB_M_2") and from a model
// name and port number ("USB_M_2"); both stay inside their buffers.
#include <cstring>
#include <string>

#include "fuzz/fuzz_target.h"
#include "ports/usb_port_name.h"
#include "registry/install_record_store.h"

FUZZ_TARGET(usb_port_name) {
  fuzz::Input input(data, size);
  const int n = input.Byte() % 10;
  // Value names come from a 260-byte buffer announced as 200 bytes.
  std::string name = input.Rest().substr(0, 259);
  name = name.substr(0, name.find('\0'));
  char port[260];
  std::memset(port, 'x', sizeof(port));
  registry::InstallRecordStore::PortNameFromPrinterName(name.c_str(), port);
  FUZZ_CHECK(std::memchr(port, '\0', sizeof(port)) != nullptr);
  FUZZ_CHECK(std::strncmp(port, "USB_", 4) == 0);
  const std::size_t open = name.find('(');
  if (open == std::string::npos && name.size() + 4 < sizeof(port)) {
    FUZZ_CHECK(std::string(port) == "USB_" + name);
  }
  ports::PortText offered;
  std::memset(offered, 'x', sizeof(offered));
  const bool fits = ports::FormatUsbPortName(name.c_str(), n, offered);
  FUZZ_CHECK(std::memchr(offered, '\0', sizeof(offered)) != nullptr);
  FUZZ_CHECK(fits ==
             (std::string("USB_" + name + "_" + std::to_string(n)).size() < sizeof(offered)));
  return 0;
}
