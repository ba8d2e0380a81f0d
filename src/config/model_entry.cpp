#include "config/model_entry.h"

namespace config {

int FindModelEntry(DriverConfig& config, const std::string& entry) {
  const std::int32_t count = config.ModelCount();
  for (std::int32_t n = 1; n <= count; ++n) {
    char listed[kTextSize] = {};
    const std::string key = "DEVICENAME" + std::to_string(n);
    config.ReadCommonValue("DEVICENAME", key.c_str(), listed, sizeof(listed));
    if (entry == listed) {
      return static_cast<int>(n);
    }
  }
  return 0;
}

}  // namespace config
