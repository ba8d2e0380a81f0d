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

// The file and the alternate name it is copied under while the system holds the original.
void AddFileAndAlternate(std::vector<std::string>& files, const std::string& name) {
  if (GivenFile(name)) {
    AddName(files, name);
    AddName(files, install::AlternateName(name.c_str()));
  }
}

// The monitor's DLL, the alternate name it is installed under while the original is held, and
// its user-interface DLL.
PackageComponent MonitorOf(const MONITOR_INFO_2A& monitor, const char* uiDll) {
  PackageComponent component{monitor.pName != nullptr ? monitor.pName : "", {}};
  if (monitor.pDLLName != nullptr) {
    AddFileAndAlternate(component.files, monitor.pDLLName);
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
    monitor.files.erase(std::remove_if(monitor.files.begin(), monitor.files.end(),
                                       [&](const std::string& file) {
                                         return SameName(file, languageMonitor.pDLLName);
                                       }),
                        monitor.files.end());
  }
}

void ReadModelSections(config::DriverConfig& config, const char* model, int targetOs,
                       PackageComponents& package) {
  Text section{};
  config::PrinterInfoSectionName(model, targetOs, section);
  for (int flavor : kFlavors) {
    AddName(package.driverNames,
            ReadFamily(config, section, config::FlavorKey(flavor, "DRIVERNAME"),
                       config::kShortTextSize));
  }
  config::DriverSectionName(model, targetOs, section);
  for (int flavor : kFlavors) {
    const std::string name = ReadFamily(
        config, section, config::FlavorKey(flavor, "PrintProcessor"), config::kShortTextSize);
    if (name.empty() || SameName(name, kSystemProcessor)) {
      continue;
    }
    PackageComponent processor{name, {}};
    const std::string dll =
        ReadFamily(config, section, config::FlavorKey(flavor, "ProcessorDLLName"), kTextSize);
    AddFileAndAlternate(processor.files, dll);
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
  ReadModelSections(config, model, targetOs, package);
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
