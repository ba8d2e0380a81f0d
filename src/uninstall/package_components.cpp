#include "uninstall/package_components.h"

#include <algorithm>

#include "config/flavor_key.h"
#include "config/record_storage.h"
#include "config/section_names.h"
#include "install/package_files.h"
#include "registry/install_record_store.h"
#include "uninstall/names.h"

namespace uninstall {
namespace {

constexpr int kFlavors[] = {kFlavorStd, kFlavorGdi};
constexpr const char* kSystemProcessor = "WinPrint";

std::string ReadFamily(config::DriverConfig& config, const Text& section, const std::string& key,
                       DWORD size) {
  char value[kTextSize] = {};
  config.ReadFamilyValue(section, key.c_str(), value, size);
  return value;
}

// A file name the package gives: a bare name (a missing key reads "0").
bool GivenFile(const std::string& name) {
  return !name.empty() && name[0] != '0' && install::IsBareFileName(name.c_str());
}

void AddFile(std::vector<std::string>& files, const std::string& name) {
  if (GivenFile(name)) {
    AddName(files, name);
  }
}

// The DLL and the alternate name it is copied under while the system holds the original: files
// of the component, and the names its registration may give.
void AddDll(PackageComponent& component, const std::string& name) {
  if (GivenFile(name)) {
    for (const std::string& file : {name, install::AlternateName(name.c_str())}) {
      AddName(component.files, file);
      AddName(component.dlls, file);
    }
  }
}

// The monitor's DLL, the alternate name it is installed under while the original is held, and
// its user-interface DLL.
PackageComponent MonitorOf(const MONITOR_INFO_2A& monitor, const char* uiDll) {
  PackageComponent component{monitor.pName != nullptr ? monitor.pName : "", {}, {}};
  if (monitor.pDLLName != nullptr) {
    AddDll(component, monitor.pDLLName);
  }
  AddFile(component.files, uiDll);
  return component;
}

void AddComponent(std::vector<PackageComponent>& list, PackageComponent component) {
  for (PackageComponent& listed : list) {
    if (SameName(listed.name, component.name)) {
      for (const std::string& file : component.files) {
        AddName(listed.files, file);
      }
      for (const std::string& dll : component.dlls) {
        AddName(listed.dlls, dll);
      }
      return;
    }
  }
  list.push_back(std::move(component));
}

void ReadMonitors(config::DriverConfig& config, int targetOs, PackageComponents& package) {
  config::PortMonitorSet set{};
  config.ReadPortMonitorSet(targetOs, set);
  config::MonitorRecord languageMonitor{};
  config.ReadMonitorRecord(targetOs, languageMonitor);
  for (const PackageComponent& monitor : {MonitorOf(set.serialMonitor, set.serialMonitorUiDll),
                                          MonitorOf(set.usbMonitor, set.usbMonitorUiDll)}) {
    // The language monitor is Windows' own, whatever a package calls its monitors.
    if (!monitor.name.empty() && !SameName(monitor.name, languageMonitor.pName)) {
      AddComponent(package.monitors, monitor);
    }
  }
  for (PackageComponent& monitor : package.monitors) {
    for (std::vector<std::string>* list : {&monitor.files, &monitor.dlls}) {
      list->erase(std::remove_if(list->begin(), list->end(),
                                 [&](const std::string& file) {
                                   return SameName(file, languageMonitor.pDLLName);
                                 }),
                  list->end());
    }
  }
}

std::vector<std::string> DriverNames(config::DriverConfig& config, const char* model,
                                     int targetOs) {
  Text section{};
  config::PrinterInfoSectionName(model, targetOs, section);
  std::vector<std::string> names;
  for (int flavor : kFlavors) {
    names.push_back(ReadFamily(config, section, config::FlavorKey(flavor, "DRIVERNAME"),
                               config::kShortTextSize));
  }
  return names;
}

void ReadDrivers(config::DriverConfig& config, const char* model, int targetOs,
                 PackageComponents& package) {
  const std::vector<std::string> names = DriverNames(config, model, targetOs);
  Text section{};
  config::DriverSectionName(model, targetOs, section);
  for (size_t i = 0; i < names.size(); ++i) {
    const bool listed =
        std::any_of(package.drivers.begin(), package.drivers.end(),
                    [&](const PackageDriver& d) { return SameName(d.name, names[i]); });
    if (names[i].empty() || listed) {
      continue;
    }
    const std::string file =
        ReadFamily(config, section, config::FlavorKey(kFlavors[i], "DriverPath"), kTextSize);
    package.drivers.push_back(PackageDriver{names[i], GivenFile(file) ? file : "", false});
  }
}

// Marks the drivers another model of the package registers under the same name.
void MarkSharedDrivers(config::DriverConfig& config, const char* model, int targetOs,
                       PackageComponents& package) {
  const int ownType = config.printerType();
  const std::int32_t count = config.ModelCount();
  for (int n = 1; n <= count; ++n) {
    Text other{};
    const int family = config.ModelEntry(n, other);
    if (family < 0 || (family == ownType && SameName(other, model))) {
      continue;
    }
    config.SetPrinterType(family);
    for (const std::string& name : DriverNames(config, other, targetOs)) {
      for (PackageDriver& driver : package.drivers) {
        driver.sharedWithOtherModel = driver.sharedWithOtherModel || SameName(driver.name, name);
      }
    }
  }
  config.SetPrinterType(ownType);
}

void ReadProcessors(config::DriverConfig& config, const char* model, int targetOs,
                    PackageComponents& package) {
  Text section{};
  config::DriverSectionName(model, targetOs, section);
  for (int flavor : kFlavors) {
    const std::string name = ReadFamily(
        config, section, config::FlavorKey(flavor, "PrintProcessor"), config::kShortTextSize);
    if (name.empty() || SameName(name, kSystemProcessor)) {
      continue;
    }
    PackageComponent processor{name, {}, {}};
    const std::string dll =
        ReadFamily(config, section, config::FlavorKey(flavor, "ProcessorDLLName"), kTextSize);
    AddDll(processor, dll);
    AddComponent(package.processors, processor);
  }
}

}  // namespace

const char* TargetEnvironment(int targetOs) {
  return targetOs == kTargetWin98Me ? "Windows 4.0" : nullptr;
}

PackageComponents ReadPackageComponents(platform::Platform& platform, config::DriverConfig& config,
                                        const char* model, int targetOs) {
  PackageComponents package;
  package.targetOs = targetOs;
  package.model = model;
  ReadDrivers(config, model, targetOs, package);
  MarkSharedDrivers(config, model, targetOs, package);
  ReadProcessors(config, model, targetOs, package);
  ReadMonitors(config, targetOs, package);
  registry::InstallRecordStore records(platform, config);
  // The package's count is bounded where it is read.
  const int count = records.SupportedCount();
  for (int i = 0; i < count; ++i) {
    char entry[30] = {};
    records.SupportedEntry(i, entry);
    package.usbPortEntries.emplace_back(entry);
  }
  return package;
}

}  // namespace uninstall
