// The serial settings text ("9600,n,8,1,p") and the Windows 98 DCB, for any settings the port
// page or an answers file could hand over.
#include <cstdio>
#include <cstring>

#include "fuzz/fuzz_target.h"
#include "ports/serial_dcb.h"
#include "ports/serial_settings.h"

FUZZ_TARGET(serial_settings) {
  if (size < 4 + 4 + 8 + 2) {
    return 0;
  }
  ports::SerialSettings settings;
  std::memcpy(&settings.baudRate, data, 4);
  std::memcpy(&settings.dataBits, data + 4, 4);
  std::memcpy(&settings.stopBits, data + 8, 8);
  settings.parity = static_cast<char>(data[16]);
  settings.flowControl = static_cast<char>(data[17]);
  const std::string text = ports::SettingsString(settings);
  // As many commas as fields, whatever the numbers.
  int commas = 0;
  for (const char c : text) {
    commas += c == ',';
  }
  FUZZ_CHECK(commas >= 4);
  FUZZ_CHECK(text.compare(0, std::to_string(settings.baudRate).size(),
                          std::to_string(settings.baudRate)) == 0);
  ports::BuildSerialDcb(settings);
  return 0;
}
