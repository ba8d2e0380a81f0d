// The second run of an unattended installation: whether a printer of the chosen model, installed
// by this package, already prints to the chosen port with the chosen driver. Deployment tools
// run an installation again when in doubt; such a run must not add a numbered copy.
#pragma once

#include <string>

#include "install/install_selection.h"
#include "platform/platform.h"
#include "unattended/run_log.h"

namespace unattended {

// The installed printer's name, or empty when none fits (or the spooler will not say, which is
// logged: the printer is then added as usual). `selection` holds the model as listed.
std::string InstalledPrinterOnPort(platform::Platform& platform,
                                   const install::InstallSelection& selection,
                                   const std::string& driver, const std::string& port, RunLog& log);

}  // namespace unattended
