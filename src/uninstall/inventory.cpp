#include "uninstall/inventory.h"

#include <algorithm>

#include "config/code_page.h"
#include "platform/file_exists.h"
#include "registry/install_record_store.h"
#include "registry/registry_key.h"
#include "uninstall/names.h"

namespace uninstall {
namespace {

constexpr DWORD kPathSize = 260;
constexpr DWORD kValueNameSize = 260;

std::string Failure(const char* what, DWORD error) {
  return std::string(what) + " (error " + std::to_string(error) + ")";
}

// Every environment a system may hold drivers and processors for; the target's comes first.
constexpr const char* kEnvironments[] = {"Windows 4.0", "Windows NT x86", "Windows x64",
                                         "Windows IA64"};

// The environment's name in the registry: the target's own, or, for the running system's, the
// one whose folder the spooler named ("...\prtprocs\w32x86").
std::string RegistryEnvironment(const char* target, const std::string& processorFolder) {
  if (target != nullptr) {
    return target;
  }
  const std::string folder = BareFileName(processorFolder);
  if (SameName(folder, "x64")) {
    return "Windows x64";
  }
  if (SameName(folder, "ia64")) {
    return "Windows IA64";
  }
  if (SameName(folder, "win40")) {
    return "Windows 4.0";
  }
  return "Windows NT x86";
}

// An environment the system does not know is no failure: it holds nothing.
bool UnknownEnvironment(DWORD error) {
  return error == ERROR_INVALID_ENVIRONMENT || error == static_cast<DWORD>(ERROR_INVALID_PARAMETER);
}

bool ReadDrivers(platform::Platform& platform, const char* target, Inventory& inventory,
                 std::string& failure) {
  std::vector<RegisteredDriver> targetDrivers;
  DWORD error = 0;
  if (!ListDrivers(platform, target, targetDrivers, error)) {
    failure = Failure("the spooler does not list its printer drivers", error);
    return false;
  }
  const auto add = [&](const RegisteredDriver& driver, bool isTarget) {
    InstalledDriver installed{driver.name, isTarget, BareFileName(driver.driverPath), {}};
    for (const std::string& file : driver.files) {
      AddName(installed.files, BareFileName(file));
    }
    inventory.drivers.push_back(std::move(installed));
  };
  for (const RegisteredDriver& driver : targetDrivers) {
    add(driver, true);
  }
  for (const char* environment : kEnvironments) {
    std::vector<RegisteredDriver> drivers;
    if (!ListDrivers(platform, environment, drivers, error)) {
      if (UnknownEnvironment(error)) {
        continue;
      }
      failure = Failure("the spooler does not list its printer drivers", error);
      return false;
    }
    for (const RegisteredDriver& driver : drivers) {
      const bool listed =
          std::any_of(targetDrivers.begin(), targetDrivers.end(), [&](const RegisteredDriver& d) {
            return SameName(d.name, driver.name) && SameName(d.environment, driver.environment);
          });
      if (!listed) {
        add(driver, false);
      }
    }
  }
  return true;
}

// The DLL a processor is registered with: the "Driver" value of its key, where the spooler
// keeps it (no spooler call names it).
std::string ProcessorDll(platform::Platform& platform, const std::string& environment,
                         const std::string& name) {
  registry::RegistryKey key(platform.registry);
  const std::string path = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" +
                           environment + "\\Print Processors\\" + name;
  char dll[kPathSize] = {};
  if (!key.Open(HKEY_LOCAL_MACHINE, path.c_str()) ||
      !key.QueryValue("Driver", dll, kPathSize - 1)) {
    return std::string();
  }
  return BareFileName(dll);
}

bool ReadProcessors(platform::Platform& platform, const char* target, Inventory& inventory,
                    std::string& failure) {
  const std::string targetEnvironment = RegistryEnvironment(target, inventory.processorFolder);
  std::vector<std::string> names;
  DWORD error = 0;
  if (!ListProcessors(platform, target, names, error)) {
    failure = Failure("the spooler does not list its print processors", error);
    return false;
  }
  for (const std::string& name : names) {
    inventory.processors.push_back(
        InstalledProcessor{name, true, ProcessorDll(platform, targetEnvironment, name)});
  }
  for (const char* environment : kEnvironments) {
    if (SameName(environment, targetEnvironment)) {
      continue;
    }
    std::string env = environment;
    if (!ListProcessors(platform, environment, names, error)) {
      if (UnknownEnvironment(error)) {
        continue;
      }
      failure = Failure("the spooler does not list its print processors", error);
      return false;
    }
    for (const std::string& name : names) {
      inventory.processors.push_back(
          InstalledProcessor{name, false, ProcessorDll(platform, env, name)});
    }
  }
  return true;
}

bool ReadSpooler(platform::Platform& platform, const PackageComponents& package,
                 Inventory& inventory, std::string& failure) {
  const char* environment = TargetEnvironment(package.targetOs);
  DWORD error = 0;
  if (!ReadDrivers(platform, environment, inventory, failure) ||
      !ReadProcessors(platform, environment, inventory, failure)) {
    return false;
  }
  if (!ListPorts(platform, inventory.ports, error)) {
    failure = Failure("the spooler does not list its ports", error);
    return false;
  }
  std::vector<RegisteredMonitor> monitors;
  if (!ListMonitors(platform, monitors, error)) {
    failure = Failure("the spooler does not list its port monitors", error);
    return false;
  }
  for (const RegisteredMonitor& registered : monitors) {
    InstalledMonitor monitor{registered.name, BareFileName(registered.dll), {}};
    for (const PortOwner& port : inventory.ports) {
      if (SameName(port.monitor, registered.name)) {
        monitor.ports.push_back(port.port);
      }
    }
    inventory.monitors.push_back(std::move(monitor));
  }
  return true;
}

void ReadRecords(platform::Platform& platform, Inventory& inventory) {
  for (const char* path :
       {registry::kPortNameKey, registry::kPrinterPortKey, registry::kInstallPrinterKey}) {
    registry::RegistryKey key(platform.registry);
    if (!key.Open(HKEY_LOCAL_MACHINE, path)) {
      continue;
    }
    for (const std::string& name : key.ValueNames(kValueNameSize)) {
      inventory.records.push_back(RegistryRecord{path, name});
    }
  }
}

bool ReadFolders(platform::Platform& platform, Inventory& inventory, std::string& failure) {
  char folder[kPathSize] = {};
  const UINT length = platform.files.GetSystemDirectoryA(folder, kPathSize);
  if (length == 0 || length >= kPathSize) {
    failure = "the system folder is not known";
    return false;
  }
  inventory.systemFolder = folder;
  char processors[kPathSize] = {};
  DWORD needed = 0;
  // The folder the installer placed the processor in: the running system's own.
  if (!platform.spooler.GetPrintProcessorDirectoryA(
          nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(processors), kPathSize - 1, &needed)) {
    failure = Failure("the spooler does not name its print-processor folder",
                      platform.system.GetLastError());
    return false;
  }
  inventory.processorFolder = processors;
  return true;
}

void ReadFiles(platform::Platform& platform, const PackageComponents& package,
               Inventory& inventory) {
  const auto look = [&](const std::string& path) {
    if (platform::FileExists(platform.files, path)) {
      AddName(inventory.files, path);
    }
  };
  for (const PackageComponent& monitor : package.monitors) {
    for (const std::string& file : monitor.files) {
      look(MonitorFilePath(inventory, file));
    }
  }
  for (const PackageComponent& processor : package.processors) {
    for (const std::string& file : processor.files) {
      look(ProcessorFilePath(inventory, file));
    }
  }
}

}  // namespace

bool ReadInventory(platform::Platform& platform, const PackageComponents& package,
                   Inventory& inventory, std::string& failure) {
  inventory = Inventory{};
  DWORD error = 0;
  if (!ListPrinters(platform, inventory.printers, error)) {
    failure = Failure("the spooler does not list its printers", error);
    return false;
  }
  // The processors' folder names the running system's environment.
  if (!ReadFolders(platform, inventory, failure) ||
      !ReadSpooler(platform, package, inventory, failure)) {
    return false;
  }
  ReadRecords(platform, inventory);
  ReadFiles(platform, package, inventory);
  return true;
}

std::string MonitorFilePath(const Inventory& inventory, const std::string& file) {
  return inventory.systemFolder + "\\" + file;
}

std::string ProcessorFilePath(const Inventory& inventory, const std::string& file) {
  return inventory.processorFolder + "\\" + file;
}

const InstalledMonitor* FindMonitor(const Inventory& inventory, const std::string& name) {
  const auto it = std::find_if(inventory.monitors.begin(), inventory.monitors.end(),
                               [&](const InstalledMonitor& m) { return SameName(m.name, name); });
  return it == inventory.monitors.end() ? nullptr : &*it;
}

const InstalledDriver* FindTargetDriver(const Inventory& inventory, const std::string& name) {
  const auto it =
      std::find_if(inventory.drivers.begin(), inventory.drivers.end(),
                   [&](const InstalledDriver& d) { return d.target && SameName(d.name, name); });
  return it == inventory.drivers.end() ? nullptr : &*it;
}

const InstalledProcessor* FindTargetProcessor(const Inventory& inventory, const std::string& name) {
  const auto it =
      std::find_if(inventory.processors.begin(), inventory.processors.end(),
                   [&](const InstalledProcessor& p) { return p.target && SameName(p.name, name); });
  return it == inventory.processors.end() ? nullptr : &*it;
}

std::string BareFileName(const std::string& path) {
  const size_t separator = config::LastPathSeparator(path);
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace uninstall
