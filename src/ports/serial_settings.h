// SerialSettings: the line settings of a serial port as the port page collects them, and their
// text form as Windows keeps it for a COM port ("9600,n,8,1,p").
#pragma once

#include <cstdint>
#include <string>

namespace ports {

struct SerialSettings {
  std::int32_t baudRate = 0;  // the model's configured rate until the user picks one
  std::int32_t dataBits = 8;
  double stopBits = 1.0;   // 1, 1.5 or 2
  char parity = 'n';       // e, m, n, o, s (lower case by the time it is stored)
  char flowControl = 'p';  // x Xon/Xoff, p hardware, ' ' none
};

// "%d,%c,%d,%.1f,%c" for 1.5 stop bits, else "%d,%c,%d,%.0f,%c": baud rate, parity letter,
// data bits, stop bits, flow-control letter.
std::string SettingsString(const SerialSettings& settings);

}  // namespace ports
