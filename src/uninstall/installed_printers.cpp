#include "uninstall/installed_printers.h"

#include "uninstall/inventory.h"
#include "uninstall/ownership.h"

namespace uninstall {

bool InstalledModelPrinters(platform::Platform& platform, const PackageComponents& package,
                            std::vector<InstalledPrinter>& printers, std::string& failure) {
  Inventory system;
  if (!ReadInventory(platform, package, system, failure)) {
    return false;
  }
  printers = FindOwnership(package, system).printers;
  return true;
}

}  // namespace uninstall
