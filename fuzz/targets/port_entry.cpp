// What the install sequence derives from a port entry and a model name: the kind of port, the
// port name handed to the spooler, the printer name's ending, the USB port number and the COM
// port of a serial entry. Every text stays inside its buffer and is terminated.
#include <cstring>
#include <string>

#include "fuzz/fuzz_target.h"
#include "install/port_entry.h"

namespace {

template <std::size_t N>
bool Terminated(const char (&text)[N]) {
  return std::memchr(text, '\0', N) != nullptr;
}

}  // namespace

FUZZ_TARGET(port_entry) {
  fuzz::Input input(data, size);
  std::string entry = input.Text();
  entry = entry.substr(0, std::min(entry.find('\0'), sizeof(install::PortEntryText) - 1));
  std::string model = input.Rest().substr(0, kTextSize - 1);
  model = model.substr(0, model.find('\0'));

  const install::PortKind kind = install::KindOfPort(entry.c_str());
  install::PortEntryText portName;
  std::memset(portName, 'x', sizeof(portName));
  install::FormPrinterPortName(entry.c_str(), portName);
  FUZZ_CHECK(Terminated(portName));
  if (entry.find_first_of("()") == std::string::npos && entry.find("QRX-D9") == std::string::npos) {
    FUZZ_CHECK(entry == portName);
  }

  Text printerName{};
  std::strncpy(printerName, model.c_str(), sizeof(printerName) - 1);
  install::AppendPortEnding(kind, entry.c_str(), printerName);
  FUZZ_CHECK(Terminated(printerName));
  // The ending only ever follows the model name.
  FUZZ_CHECK(std::string(printerName).compare(0, model.size(), model) == 0);

  const int number = install::UsbPortNumberOfEntry(entry.c_str());
  FUZZ_CHECK(number >= 0 && number <= 4);
  const install::SerialPortName serial = install::SerialPortOfEntry(entry.c_str());
  FUZZ_CHECK(serial.number >= 0 && serial.number <= 9);
  FUZZ_CHECK(Terminated(serial.name));
  return 0;
}
