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

void FindMonitors(const PackageComponents& package, const Inventory& system, Ownership& owned) {
  for (const PackageComponent& component : package.monitors) {
    const InstalledMonitor* installed = FindMonitor(system, component.name);
    if (installed == nullptr) {
      continue;
    }
    if (!install::IsWindowsOwnMonitor(installed->name) &&
        !install::IsWindowsOwnFile(installed->dll) && NamesFile(component.dlls, installed->dll)) {
      owned.monitors.push_back(OwnedComponent{installed->name, installed->dll});
    } else {
      owned.foreign.push_back(NotOurs(component.name, "DLL", installed->dll));
    }
  }
}

void FindProcessors(const PackageComponents& package, const Inventory& system, Ownership& owned) {
  for (const PackageComponent& component : package.processors) {
    const InstalledProcessor* installed = FindTargetProcessor(system, component.name);
    if (installed == nullptr) {
      continue;
    }
    if (!install::IsWindowsOwnProcessor(installed->name) &&
        !install::IsWindowsOwnFile(installed->dll) && NamesFile(component.dlls, installed->dll)) {
      owned.processors.push_back(OwnedComponent{installed->name, installed->dll});
    } else {
      owned.foreign.push_back(NotOurs(component.name, "DLL", installed->dll));
    }
  }
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
