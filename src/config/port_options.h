// The options of a model's "%s.PORT" section in its family file, read together for the chosen
// model so that every consumer (the wizard's page rules, the port list, the install sequence)
// takes them from one reading. A key that is missing reads as "0": not given.
#pragma once

#include <cstdint>

#include "config/driver_config.h"

namespace config {

struct PortOptions {
  bool advancedSetup = false;        // "AdvancedSetup": the Advanced mode may be chosen
  bool system2003Supported = false;  // "System2003Supported"
  std::int32_t baudRate = 0;         // "BaudRate": the serial rate the port page starts with
  bool usbSupported = false;         // "USBSUPPORTED": USB ports are offered
  bool lptDefault = false;           // "LPTDEFAULT": a parallel port is preselected
};

// Reads the section of `model` from the family file of the reader's PrinterType.
PortOptions ReadPortOptions(DriverConfig& config, const char* model);

}  // namespace config
