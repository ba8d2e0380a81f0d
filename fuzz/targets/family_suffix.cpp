// Family suffixes of model-list entries: the entry's family is the first suffix in test order
// found anywhere, and the model name ends where it begins; pkgcheck's near-miss test takes any
// entry.
#include <string>

#include "config/driver_config.h"
#include "config/family_suffix.h"
#include "fuzz/fuzz_target.h"
#include "pkgcheck/model_list.h"
#include "platform/sim/sim_machine.h"

FUZZ_TARGET(family_suffix) {
  const std::string entry(reinterpret_cast<const char*>(data), size);
  const config::EntryFamily family = config::FindFamily(entry);
  if (family.printerType < 0) {
    FUZZ_CHECK(family.nameLength == entry.size());
    pkgcheck::NearFamilySuffix(entry);
    return 0;
  }
  const std::string suffix = config::FamilySuffix(family.printerType);
  FUZZ_CHECK(entry.compare(family.nameLength, suffix.size(), suffix) == 0);
  for (int earlier = 0; earlier < family.printerType; ++earlier) {
    FUZZ_CHECK(entry.find(config::FamilySuffix(earlier)) == std::string::npos);
  }
  // The model list reads the entry the same way from the common file.
  if (entry.find_first_of(std::string("\r\n\0\"'", 5)) == std::string::npos &&
      entry.size() < kTextSize - 1 &&
      entry == std::string(platform::sim::TrimProfileBlanks(entry))) {
    platform::sim::SimMachine machine;
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup.ini",
                             "[DEVICENAME]\r\nDEVICENAME1=" + entry + "\r\n");
    config::DriverConfig config(machine.platform());
    Text name{};
    FUZZ_CHECK(config.ModelEntry(1, name) == family.printerType);
    FUZZ_CHECK(name == entry.substr(0, family.nameLength));
  }
  return 0;
}
