// InstallSelection: everything the wizard's pages collect, the one input of the install
// sequence. The wizard fills it from the pages; an unattended run could fill it from elsewhere.
#pragma once

#include "config/install_types.h"
#include "ports/serial_settings.h"

namespace install {

// Capacity of the port texts (bytes, terminator included).
constexpr int kPortTextSize = 100;
using PortEntryText = char[kPortTextSize];

struct InstallSelection {
  int printerType = kReceiptPrinter;
  int targetOs = kTargetWin98Me;
  int driverFlavor = kFlavorStd;
  // The model as listed; after the printer was added, the name it was added under.
  Text modelName = {};
  // The port list's entry as chosen ("KSCOM1:", "LPT1:", a USB port name).
  PortEntryText portEntry = {};
  // The port name handed to the spooler, derived from portEntry by the install sequence.
  PortEntryText printerPortName = {};
  int setAsDefault = 0;
  ports::SerialSettings serial;
  // Which installed port monitor or print processor is older than the package's.
  int updateFlags = 0;
  int installMode = kModeTypical;
};

}  // namespace install
