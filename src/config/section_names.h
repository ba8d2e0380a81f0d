// Names of the INI sections that hold a model's data for each target system.
#pragma once

#include "config/install_types.h"

namespace config {

// "%s.98", "%s.NT", "%s.2K", "%s.XP", "%s.2003".
void DriverSectionName(const char* model, int targetOs, Text& out);
// "%s.PRINTERINFO98", "...NT", "...2K" (Windows 2000 and XP), "...2003".
void PrinterInfoSectionName(const char* model, int targetOs, Text& out);
// "%s.DEVMODE98", "...NT", "...2K" (Windows 2000 and XP), "...2003".
void DevModeSectionName(const char* model, int targetOs, Text& out);
// "%s.PORT": the model's wizard and port options.
void PortOptionsSectionName(const char* model, Text& out);

// "COMMON-MONITOR" followed by the driver-section suffix, in the common file.
constexpr int kMonitorSectionSize = 30;
void PortMonitorSectionName(int targetOs, char (&out)[kMonitorSectionSize]);

}  // namespace config
