// The texts that DriverConfig's records point to, with the capacities of their INI keys.
#pragma once

#include <cstddef>

#include "config/install_types.h"

namespace config {

// Text sizes: the key's capacity plus the terminator.
constexpr int kShortTextSize = 50;    // names and printer-information texts
constexpr int kDevModeTextSize = 20;  // device-mode values
constexpr int kFlagTextSize = 10;     // "GDI2KDDKDEV" as a number

constexpr int kPrinterInfoKeyCount = 16;
constexpr int kDevModeKeyCount = 21;

// The universal-driver dependent files: the data file, three fixed names and the two optional
// OEM files, each terminated, then the closing terminators. Sized for the longest texts the
// keys can hold, so the list is never cut.
constexpr std::size_t kDependentListSize = kTextSize + sizeof("TTFSUB.GPD") + sizeof("UNIRES.DLL") +
                                           sizeof("STDNAMES.GPD") + 2 * kTextSize + 2;

struct DriverRecordTexts {
  char driverName[kShortTextSize];
  Text dataFile;
  Text driverPath;
  Text helpFile;
  Text configFile;
  char monitorName[kShortTextSize];
  Text oemPluginDll;
  Text oemPluginIni;
  char universalDriverFlag[kFlagTextSize];
  char dependentFiles[kDependentListSize];
};

struct MonitorTexts {
  char languageMonitorName[kShortTextSize];
  char languageMonitorDll[kShortTextSize];
  char serialMonitorName[kShortTextSize];
  Text serialMonitorDll;
  char usbMonitorName[kShortTextSize];
  Text usbMonitorDll;
};

struct PrinterRecordTexts {
  char info[kPrinterInfoKeyCount][kShortTextSize];
  char printProcessor[kShortTextSize];
  Text printerName;
  char devMode[kDevModeKeyCount][kDevModeTextSize];
};

struct RecordStorage {
  char environment98[sizeof("Windows 4.0")];
  DriverRecordTexts driver;
  MonitorTexts monitors;
  PrinterRecordTexts printer;
};

}  // namespace config
