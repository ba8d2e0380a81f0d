#include "platform/sim/wide_text.h"

#include <cstddef>

#include "platform/win_types.h"

namespace platform::sim {

std::size_t WideTextSize(const std::string& ansi) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < ansi.size(); ++i) {
    const auto byte = static_cast<unsigned char>(ansi[i]);
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < ansi.size()) {
      ++i;
    }
    ++characters;
  }
  return 2 * (characters + 1);
}

std::size_t WideDevModeSize(const std::string& devMode) {
  if (devMode.size() < offsetof(DEVMODEA, dmSize) + sizeof(WORD)) {
    return devMode.size();
  }
  WORD size = 0;
  devMode.copy(reinterpret_cast<char*>(&size), sizeof(size), offsetof(DEVMODEA, dmSize));
  const bool hasFormName = size >= offsetof(DEVMODEA, dmFormName) + CCHFORMNAME;
  return devMode.size() + CCHDEVICENAME + (hasFormName ? CCHFORMNAME : 0);
}

}  // namespace platform::sim
