#include "uninstall/inventory.h"

#include "install/spooler_keys.h"
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

bool ReadSpooler(platform::Platform& platform, const PackageComponents& package,
                 Inventory& inventory, std::string& failure) {
  const char* environment = TargetEnvironment(package.targetOs);
  DWORD error = 0;
  if (!ListPrinters(platform, inventory.printers, error)) {
    failure = Failure("the spooler does not list its printers", error);
    return false;
  }
  if (!ListDrivers(platform, environment, inventory.drivers, error)) {
    failure = Failure("the spooler does not list its printer drivers", error);
    return false;
  }
  if (!ListProcessors(platform, environment, inventory.processors, error)) {
    failure = Failure("the spooler does not list its print processors", error);
    return false;
  }
  if (!ListPorts(platform, inventory.ports, error)) {
    failure = Failure("the spooler does not list its ports", error);
    return false;
  }
  return true;
}

// A monitor counts as installed exactly when its key exists, as the installer decides.
void ReadMonitors(platform::Platform& platform, const PackageComponents& package,
                  Inventory& inventory) {
  for (const PackageComponent& component : package.monitors) {
    registry::RegistryKey key(platform.registry);
    if (!key.Open(HKEY_LOCAL_MACHINE, install::MonitorKeyPath(component.name.c_str()).c_str())) {
      continue;
    }
    char dll[kPathSize] = {};
    key.QueryValue("Driver", dll, sizeof(dll) - 1);
    InstalledMonitor monitor{component.name, dll, {}};
    for (const PortOwner& port : inventory.ports) {
      if (SameName(port.monitor, component.name)) {
        monitor.ports.push_back(port.port);
      }
    }
    inventory.monitors.push_back(monitor);
  }
}

void ReadRecords(platform::Platform& platform, Inventory& inventory) {
  for (const char* path :
       {registry::kPortNameKey, registry::kPrinterPortKey, registry::kInstallPrinterKey}) {
    registry::RegistryKey key(platform.registry);
    if (!key.Open(HKEY_LOCAL_MACHINE, path)) {
      continue;
    }
    for (DWORD index = 0;; ++index) {
      char name[kValueNameSize] = {};
      DWORD size = sizeof(name);
      DWORD type = 0;
      const LONG result = key.EnumValue(index, name, &size, &type);
      if (result == static_cast<LONG>(ERROR_MORE_DATA)) {
        continue;  // a name longer than any the installer writes
      }
      if (result != ERROR_SUCCESS) {
        break;
      }
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
  if (!ReadSpooler(platform, package, inventory, failure) ||
      !ReadFolders(platform, inventory, failure)) {
    return false;
  }
  ReadMonitors(platform, package, inventory);
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

bool MonitorInstalled(const Inventory& inventory, const std::string& name) {
  for (const InstalledMonitor& monitor : inventory.monitors) {
    if (SameName(monitor.name, name)) {
      return true;
    }
  }
  return false;
}

}  // namespace uninstall
