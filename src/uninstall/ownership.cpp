#include "uninstall/ownership.h"

#include <algorithm>

#include "install/windows_components.h"
#include "uninstall/names.h"

namespace uninstall {
namespace {

constexpr const char* kPortEndings[] = {"", "(S)", "(P)", "(U) 1", "(U) 2", "(U) 3", "(U) 4"};
constexpr const char* kCopyEndings[] = {"", "(1)", "(2)"};

bool NamesFile(const std::vector<std::string>& files, const std::string& file) {
  return std::any_of(files.begin(), files.end(), [&](const std::string& listed) {
    return install::SameFileName(listed, file);
  });
}

std::string NotOurs(const std::string& name, const char* what, const std::string& file) {
  return name + ": not installed by this package (" + what + " " +
         (file.empty() ? std::string("not named") : file) + ")";
}

void FindDrivers(const PackageComponents& package, const Inventory& system, Ownership& owned) {
  for (const PackageDriver& driver : package.drivers) {
    const InstalledDriver* installed = FindTargetDriver(system, driver.name);
    if (installed == nullptr || ContainsName(owned.drivers, driver.name)) {
      continue;
    }
    if (!driver.file.empty() && install::SameFileName(installed->driverFile, driver.file)) {
      owned.drivers.push_back(installed->name);
    } else {
      owned.foreign.push_back(NotOurs(driver.name, "driver file", installed->driverFile));
    }
  }
}

// A monitor or processor is the package's when neither its name nor its registered DLL is
// Windows' own and that DLL is one the package names. `find` gives the registered component of
// a name, or null.
template <typename Find>
void ClaimComponents(const std::vector<PackageComponent>& components, Find find,
                     bool (*isWindowsOwn)(std::string_view), std::vector<OwnedComponent>& claimed,
                     Ownership& owned) {
  for (const PackageComponent& component : components) {
    const auto* installed = find(component.name);
    if (installed == nullptr) {
      continue;
    }
    if (!isWindowsOwn(installed->name) && !install::IsWindowsOwnFile(installed->dll) &&
        NamesFile(component.dlls, installed->dll)) {
      claimed.push_back(OwnedComponent{installed->name, installed->dll});
    } else {
      owned.foreign.push_back(NotOurs(component.name, "DLL", installed->dll));
    }
  }
}

void FindMonitors(const PackageComponents& package, const Inventory& system, Ownership& owned) {
  ClaimComponents(
      package.monitors, [&](const std::string& name) { return FindMonitor(system, name); },
      install::IsWindowsOwnMonitor, owned.monitors, owned);
}

void FindProcessors(const PackageComponents& package, const Inventory& system, Ownership& owned) {
  ClaimComponents(
      package.processors,
      [&](const std::string& name) { return FindTargetProcessor(system, name); },
      install::IsWindowsOwnProcessor, owned.processors, owned);
}

bool SharedDriver(const PackageComponents& package, const std::string& name) {
  return std::any_of(package.drivers.begin(), package.drivers.end(), [&](const PackageDriver& d) {
    return d.sharedWithOtherModel && SameName(d.name, name);
  });
}

}  // namespace

bool NameDerivesFromModel(const std::string& printerName, const std::string& model) {
  if (model.empty()) {
    return false;
  }
  for (const char* port : kPortEndings) {
    for (const char* copy : kCopyEndings) {
      if (SameName(printerName, model + port + copy)) {
        return true;
      }
    }
  }
  return false;
}

Ownership FindOwnership(const PackageComponents& package, const Inventory& system) {
  Ownership owned;
  FindDrivers(package, system, owned);
  FindMonitors(package, system, owned);
  FindProcessors(package, system, owned);
  for (const InstalledPrinter& printer : system.printers) {
    if (ContainsName(owned.drivers, printer.driver) &&
        (!SharedDriver(package, printer.driver) ||
         NameDerivesFromModel(printer.name, package.model))) {
      owned.printers.push_back(printer);
    }
  }
  return owned;
}

}  // namespace uninstall
