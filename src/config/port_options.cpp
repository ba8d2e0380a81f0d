#include "config/port_options.h"

#include "config/decimal.h"
#include "config/section_names.h"

namespace config {
namespace {

std::int32_t ReadNumber(DriverConfig& config, const Text& section, const char* key) {
  Text value{};
  config.ReadFamilyValue(section, key, value, sizeof(value));
  return ParseDecimal(value);
}

}  // namespace

PortOptions ReadPortOptions(DriverConfig& config, const char* model) {
  Text section{};
  PortOptionsSectionName(model, section);
  PortOptions options;
  options.advancedSetup = ReadNumber(config, section, "AdvancedSetup") != 0;
  options.system2003Supported = ReadNumber(config, section, "System2003Supported") != 0;
  options.baudRate = ReadNumber(config, section, "BaudRate");
  options.usbSupported = ReadNumber(config, section, "USBSUPPORTED") != 0;
  options.lptDefault = ReadNumber(config, section, "LPTDEFAULT") != 0;
  return options;
}

}  // namespace config
