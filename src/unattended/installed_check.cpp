#include "unattended/installed_check.h"

#include <algorithm>
#include <vector>

#include "config/code_page.h"
#include "config/driver_config.h"
#include "uninstall/installed_printers.h"

namespace unattended {
namespace {

// A printer may print to several ports, listed with commas.
bool PrintsTo(const std::string& ports, const std::string& port) {
  size_t start = 0;
  while (start <= ports.size()) {
    const size_t comma = std::min(ports.find(',', start), ports.size());
    const size_t first = ports.find_first_not_of(' ', start);
    const size_t last = ports.find_last_not_of(' ', comma == 0 ? 0 : comma - 1);
    if (first < comma && last != std::string::npos && last >= first &&
        config::SameName(ports.substr(first, last - first + 1), port)) {
      return true;
    }
    start = comma + 1;
  }
  return false;
}

}  // namespace

std::string InstalledPrinterOnPort(platform::Platform& platform,
                                   const install::InstallSelection& selection,
                                   const std::string& driver, const std::string& port,
                                   RunLog& log) {
  config::DriverConfig config(platform);
  config.SetPrinterType(selection.printerType);
  const uninstall::PackageComponents package =
      uninstall::ReadPackageComponents(platform, config, selection.modelName, selection.targetOs);
  std::vector<uninstall::InstalledPrinter> printers;
  std::string failure;
  if (!uninstall::InstalledModelPrinters(platform, package, printers, failure)) {
    log.Line("cannot tell whether the printer is installed (" + failure + "); adding it");
    return std::string();
  }
  for (const uninstall::InstalledPrinter& printer : printers) {
    if (config::SameName(printer.driver, driver) && PrintsTo(printer.port, port)) {
      return printer.name;
    }
  }
  return std::string();
}

}  // namespace unattended
