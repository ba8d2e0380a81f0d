#include "install/port_entry.h"

#include <cstring>
#include <string>
#include <string_view>

#include "config/text_buffer.h"

namespace install {
namespace {

bool Contains(const char* text, const char* part) {
  return std::strstr(text, part) != nullptr;
}

// The USB endings in the order they are appended; each is tested on its own.
constexpr const char* kUsbNumberMarks[] = {"_1", "_2", "_3", "_4"};
constexpr const char* kUsbEndings[] = {"(U) 1", "(U) 2", "(U) 3", "(U) 4"};

}  // namespace

void FormPrinterPortName(const char* portEntry, PortEntryText& out) {
  if (Contains(portEntry, "QRX-D9")) {
    const std::string_view entry(portEntry);
    config::CopyText(out, std::string("USB_QRX-D9_") + entry.back());
    return;
  }
  std::string name;
  bool inBrackets = false;
  for (const char* c = portEntry; *c != '\0'; ++c) {
    if (*c == '(') {
      inBrackets = true;
    } else if (*c == ')') {
      inBrackets = false;
    } else if (!inBrackets) {
      name += *c;
    }
  }
  config::CopyText(out, name);
}

void AppendPortEnding(PortKind kind, const char* portEntry, Text& printerName) {
  switch (kind) {
    case PortKind::kSerial:
      config::AppendText(printerName, "(S)");
      break;
    case PortKind::kParallel:
      config::AppendText(printerName, "(P)");
      break;
    case PortKind::kUsb:
      for (int i = 0; i < 4; ++i) {
        if (Contains(portEntry, kUsbNumberMarks[i])) {
          config::AppendText(printerName, kUsbEndings[i]);
        }
      }
      break;
    case PortKind::kUnknown:
      break;
  }
}

int UsbPortNumberOfEntry(const char* portEntry) {
  for (int number = 4; number >= 1; --number) {
    if (Contains(portEntry, kUsbNumberMarks[number - 1])) {
      return number;
    }
  }
  return 0;
}

SerialPortName SerialPortOfEntry(const char* portEntry) {
  SerialPortName port;
  const char* com = std::strstr(portEntry, "COM");
  if (com == nullptr) {
    return port;
  }
  const char digit = com[3];
  port.number = digit >= '0' && digit <= '9' ? digit - '0' : 0;
  config::CopyText(port.name, com);
  return port;
}

}  // namespace install
