// What the install sequence reads from the chosen port entry ("KSCOM1:", "LPT1:",
// "USB_TP-R80_2"): the kind of port, the port name handed to the spooler, the ending that the
// printer name gets, the USB port number the entry stands for, and the COM port of a serial
// entry.
#pragma once

#include "config/install_types.h"
#include "install/install_selection.h"
#include "ports/port_kind.h"

namespace install {

using ports::KindOfPort;
using ports::PortKind;

// The port name the printer is added on: for an entry naming the "QRX-D9", "USB_QRX-D9_" and the
// entry's last character; otherwise the entry with every bracketed stretch left out, brackets
// included ("USB_M(A)_2" gives "USB_M_2").
void FormPrinterPortName(const char* portEntry, PortEntryText& out);

// Appends the port's mark to the printer name: "(S)" serial, "(P)" parallel, and for USB
// "(U) 1" to "(U) 4" for each of "_1" to "_4" that the entry contains. Cut to the buffer.
void AppendPortEnding(PortKind kind, const char* portEntry, Text& printerName);

// The USB port number an entry names: 4 for "_4", else 3, 2 or 1 likewise; 0 for none.
int UsbPortNumberOfEntry(const char* portEntry);

// The COM port behind a serial entry, from its first "COM": the single digit that follows (0
// when it is not a digit) and the text from "COM" to the end ("KSCOM3:" gives 3 and "COM3:").
struct SerialPortName {
  int number = 0;
  PortEntryText name = {};
};
SerialPortName SerialPortOfEntry(const char* portEntry);

}  // namespace install
