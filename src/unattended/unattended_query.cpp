#include "unattended/unattended_query.h"

#include <vector>

#include "install/target_system.h"
#include "config/driver_config.h"
#include "config/model_entry.h"
#include "uninstall/installed_printers.h"
#include "unattended/exit_codes.h"

namespace unattended {

int RunQuery(platform::Platform& platform, const std::string& model, RunLog& log) {
  log.Line("query of " + model);
  const install::TargetSystem system = install::RunningTargetSystem(platform.system);
  if (!system.supportedPlatform) {
    log.Line("the program does not support this system");
    return LogResult(log, kExitNothingInstalled, "not installed");
  }
  config::DriverConfig config(platform);
  const int entry = config::FindModelEntry(config, model);
  Text name{};
  const int family = entry > 0 ? config.ModelEntry(entry, name) : -1;
  if (family < 0) {
    log.Line("bad arguments: " + model +
             " is not an entry of setup.ini [DEVICENAME] with a family suffix");
    return LogResult(log, kExitBadArguments, "not a model of this package");
  }
  config.SetPrinterType(family);
  const uninstall::PackageComponents package =
      uninstall::ReadPackageComponents(platform, config, name, system.targetOs);
  std::vector<uninstall::InstalledPrinter> printers;
  std::string failure;
  if (!uninstall::InstalledModelPrinters(platform, package, printers, failure)) {
    log.Line("cannot tell: " + failure);
    return LogResult(log, kExitFailed, "the system will not say what is installed");
  }
  for (const uninstall::InstalledPrinter& printer : printers) {
    log.Line("installed: printer " + printer.name + ", port " + printer.port + ", driver " +
             printer.driver);
  }
  if (printers.empty()) {
    log.Line("no printer of " + model + " is installed");
    return LogResult(log, kExitNothingInstalled, "not installed");
  }
  return LogResult(log, kExitDone, "installed");
}

}  // namespace unattended
