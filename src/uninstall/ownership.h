// Which of the system's printers, drivers, port monitors and print processors are the package's
// for one model, decided from the system's own registrations, never from the package's names
// alone: a driver, monitor or processor is the package's only when its registration names the
// package's file for it, and never when it is one of Windows' own. A removal, a query and an
// "already installed" check all ask this.
#pragma once

#include <string>
#include <vector>

#include "uninstall/inventory.h"
#include "uninstall/package_components.h"

namespace uninstall {

struct OwnedComponent {
  std::string name;
  std::string dll;  // the bare name its registration gives
};

struct Ownership {
  // The model's drivers of the target environment whose "pDriverPath" file is the one the
  // package gives for that flavour.
  std::vector<std::string> drivers;
  // The package's monitors registered with the package's DLL (or its "n" alternate).
  std::vector<OwnedComponent> monitors;
  // The model's processors of the target environment registered with the model's DLL.
  std::vector<OwnedComponent> processors;
  // The model's printers: a printer whose driver is one of `drivers`; where another model of
  // the package registers the same driver name, only a printer whose name derives from this
  // model's ("TP-R80(S)", "TP-R80(U) 2(1)").
  std::vector<InstalledPrinter> printers;
  // A component the package names that the system has, registered otherwise, one line each
  // for the log: "TP-R80 Text: not installed by this package (driver file UNIDRV.DLL)".
  std::vector<std::string> foreign;
};

Ownership FindOwnership(const PackageComponents& package, const Inventory& system);

// Whether a printer name is the model's base name with an ending the installation gives: the
// port kind's ("(S)", "(P)", "(U) 1" to "(U) 4") and a copy number ("(1)", "(2)").
bool NameDerivesFromModel(const std::string& printerName, const std::string& model);

}  // namespace uninstall
