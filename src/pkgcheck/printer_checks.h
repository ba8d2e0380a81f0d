// The printer-information and device-mode sections: the printer queue and its default page
// settings as AddPrinterA receives them.
#pragma once

#include <string>

#include "pkgcheck/check_context.h"

namespace pkgcheck {

void CheckPrinterInfo(CheckContext& context, const ConfigFile& file, const std::string& section);
void CheckDevMode(CheckContext& context, const ConfigFile& file, const std::string& section);
// F + "DRIVERNAME": the driver's name, required.
void CheckDriverName(CheckContext& context, const ConfigFile& file, const std::string& section,
                     const std::string& flavor);

}  // namespace pkgcheck
