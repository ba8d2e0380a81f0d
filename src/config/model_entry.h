// Finding a model by its entry in setup.ini's [DEVICENAME], spelled exactly as there, family
// suffix included ("TP-R80-ReceiptPrinter"): how an administrator names a model on the
// command line or in an answers file.
#pragma once

#include <string>

#include "config/driver_config.h"

namespace config {

// The entry's number (from 1), or 0 when no entry is spelled so.
int FindModelEntry(DriverConfig& config, const std::string& entry);

}  // namespace config
