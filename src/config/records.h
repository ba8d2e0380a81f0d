// The records read from the INI files, in the exact layouts the spooler takes. Their texts live
// in the DriverConfig that filled them.
#pragma once

#include <cstdint>

#include "config/install_types.h"
#include "platform/win_types.h"

namespace config {

using DriverRecord = DRIVER_INFO_3A;    // for AddPrinterDriverA level 3
using MonitorRecord = MONITOR_INFO_2A;  // for AddMonitorA level 2
using PrinterRecord = PRINTER_INFO_2A;  // for AddPrinterA level 2

// The package files of one model, system and flavour; the caller owns the texts.
struct DriverFileList {
  Text driverPath;
  Text dataFile;
  Text configFile;
  Text helpFile;
  Text oemPluginDll;
  Text oemPluginIni;
  Text resourceDll;  // required for a universal-driver minidriver
  Text languageMonitorDll;
  Text printProcessorDll;
};

// The package's serial-port and USB port monitors. The records' texts live in the DriverConfig;
// the UI DLL names and versions live here.
struct PortMonitorSet {
  MonitorRecord serialMonitor;
  MonitorRecord usbMonitor;
  Text serialMonitorUiDll;
  Text usbMonitorUiDll;
  std::int32_t serialMonitorVersion;
  std::int32_t usbMonitorVersion;
};

}  // namespace config
