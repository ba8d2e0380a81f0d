#include "ports/serial_settings.h"

#include <cstdio>
#include <vector>

namespace ports {

std::string SettingsString(const SerialSettings& settings) {
  // Only 1.5 needs a decimal; 1 and 2 are written as whole numbers.
  const char* format = settings.stopBits == 1.5 ? "%d,%c,%d,%.1f,%c" : "%d,%c,%d,%.0f,%c";
  const auto print = [&](char* out, size_t size) {
    return std::snprintf(out, size, format, static_cast<int>(settings.baudRate), settings.parity,
                         static_cast<int>(settings.dataBits), settings.stopBits,
                         settings.flowControl);
  };
  const int length = print(nullptr, 0);
  if (length < 0) {
    return std::string();
  }
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  print(text.data(), text.size());
  return std::string(text.data(), static_cast<size_t>(length));
}

}  // namespace ports
