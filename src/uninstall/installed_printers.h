// Which installed printers are the model's, installed by this package: the one ownership rule
// that the removal, the query and the unattended second run share.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "uninstall/package_components.h"
#include "uninstall/spooler_lists.h"

namespace uninstall {

// False with the reason when the spooler or the system will not say.
bool InstalledModelPrinters(platform::Platform& platform, const PackageComponents& package,
                            std::vector<InstalledPrinter>& printers, std::string& failure);

}  // namespace uninstall
