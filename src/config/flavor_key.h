// The key of a driver flavour: "STD" or "GDI" followed by the key's own name.
#pragma once

#include <string>

#include "config/install_types.h"

namespace config {

inline std::string FlavorKey(int flavor, const char* key) {
  return std::string(flavor == kFlavorGdi ? "GDI" : "STD") + key;
}

}  // namespace config
