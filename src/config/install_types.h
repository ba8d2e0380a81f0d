// The small integer types that select files, sections and keys throughout the installer.
#pragma once

// Printer family; selects the family INI file. Any other value selects no file.
enum PrinterType : int {
  kReceiptPrinter = 0,
  kTicketPrinter = 1,
  kLabelPrinter = 2,
  kEmbeddedPrinter = 3,
};
constexpr int kPrinterTypeCount = 4;

// System the driver is installed for, in order of age.
enum TargetOs : int {
  kTargetWin98Me = 0,
  kTargetNt4 = 1,
  kTargetWin2000 = 2,
  kTargetWinXp = 3,
  kTargetServer2003 = 4,
};
constexpr int kTargetOsCount = 5;

// Which INI keys are read: those beginning with "STD" or with "GDI".
enum DriverFlavor : int {
  kFlavorStd = 0,
  kFlavorGdi = 1,
};

// The install-mode page's value.
enum InstallMode : int {
  kModeAdvanced = 0,
  kModeTypical = 1,
};

// Size of the installer's ordinary text buffers (model names, paths, section names).
constexpr int kTextSize = 200;
using Text = char[kTextSize];
