#include "uninstall/removal_plan.h"

#include <algorithm>

#include "install/port_entry.h"
#include "install/package_files.h"
#include "install/windows_components.h"
#include "registry/install_record_store.h"
#include "uninstall/names.h"

namespace uninstall {
namespace {

bool Listed(const std::vector<InstalledPrinter>& printers, const std::string& name) {
  return std::any_of(printers.begin(), printers.end(),
                     [&](const InstalledPrinter& p) { return SameName(p.name, name); });
}

std::vector<InstalledPrinter> Remaining(const Inventory& system,
                                        const std::vector<InstalledPrinter>& leaving) {
  std::vector<InstalledPrinter> remaining;
  for (const InstalledPrinter& printer : system.printers) {
    if (!Listed(leaving, printer.name)) {
      remaining.push_back(printer);
    }
  }
  return remaining;
}

// The first remaining printer for which `uses` holds, or null.
template <typename Uses>
const InstalledPrinter* FirstUser(const std::vector<InstalledPrinter>& printers, Uses uses) {
  const auto it = std::find_if(printers.begin(), printers.end(), uses);
  return it == printers.end() ? nullptr : &*it;
}

// The names the installer's records give the printers' USB ports: the port itself and the
// port-page entry it was formed from ("USB_M(A)_2" for the port USB_M_2).
std::vector<std::string> UsbPortNames(const PackageComponents& package,
                                      const std::vector<InstalledPrinter>& printers) {
  std::vector<std::string> names;
  for (const InstalledPrinter& printer : printers) {
    for (const std::string& port : SplitPortList(printer.port)) {
      if (install::KindOfPort(port.c_str()) != install::PortKind::kUsb) {
        continue;
      }
      AddName(names, port);
      for (const std::string& entry : package.usbPortEntries) {
        install::PortEntryText formed{};
        install::FormPrinterPortName(entry.c_str(), formed);
        if (SameName(formed, port)) {
          AddName(names, entry);
        }
      }
    }
  }
  return names;
}

void PlanDrivers(const Ownership& owned, const std::vector<InstalledPrinter>& remaining,
                 RemovalPlan& plan) {
  for (const std::string& driver : owned.drivers) {
    const auto* user =
        FirstUser(remaining, [&](const InstalledPrinter& p) { return SameName(p.driver, driver); });
    if (user == nullptr) {
      plan.drivers.push_back(driver);
    } else {
      plan.kept.push_back(driver + ": used by " + user->name);
    }
  }
}

// A USB port name the installer's records may hold: a USB port, or a port-page entry.
bool UsbRecordName(const PackageComponents& package, const std::string& name) {
  return install::KindOfPort(name.c_str()) == install::PortKind::kUsb ||
         ContainsName(package.usbPortEntries, name);
}

// The records of the leaving printers and of the USB ports printers were installed on (those
// PORTNAME names) that no remaining printer uses. The free-port markers the installation
// writes for every supported port stay.
void PlanRecords(const PackageComponents& package, const Inventory& system,
                 const std::vector<InstalledPrinter>& leaving,
                 const std::vector<InstalledPrinter>& remaining, const RemovalList& unfinished,
                 RemovalPlan& plan) {
  const std::vector<std::string> usedPorts = UsbPortNames(package, remaining);
  std::vector<std::string> goingPorts = UsbPortNames(package, leaving);
  for (const RegistryRecord& record : system.records) {
    if (record.key == registry::kPortNameKey && UsbRecordName(package, record.value)) {
      AddName(goingPorts, record.value);
    }
  }
  for (const RegistryRecord& record : system.records) {
    const bool goes =
        record.key == registry::kInstallPrinterKey
            ? Listed(leaving, record.value) ||
                  (ContainsName(unfinished.records, RecordName(record)) &&
                   !Listed(remaining, record.value))
            : ContainsName(goingPorts, record.value) && !ContainsName(usedPorts, record.value);
    if (goes) {
      plan.records.push_back(record);
    }
  }
}

// A remaining printer that may print through the monitor: to a port reported for it, or to a
// port whose reported monitor is no registered monitor (a DLL may report a name of its own),
// is not named, or is not listed at all.
const InstalledPrinter* MonitorUser(const InstalledMonitor& monitor, const Inventory& system,
                                    const std::vector<InstalledPrinter>& remaining) {
  return FirstUser(remaining, [&](const InstalledPrinter& printer) {
    for (const std::string& port : SplitPortList(printer.port)) {
      const auto owner = std::find_if(system.ports.begin(), system.ports.end(),
                                      [&](const PortOwner& o) { return SameName(o.port, port); });
      if (ContainsName(monitor.ports, port) || owner == system.ports.end() ||
          owner->monitor.empty() || FindMonitor(system, owner->monitor) == nullptr) {
        return true;
      }
    }
    return false;
  });
}

// The bare names of the files that what remains still names: every monitor, processor and
// driver of any environment that does not leave, and the package's components that stay.
struct RemainingFiles {
  std::vector<std::string> names;
  bool Contains(const std::string& file) const {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return install::SameFileName(n, file); });
  }
};

RemainingFiles NamedByRemaining(const Inventory& system, const RemovalPlan& plan,
                                const std::vector<std::string>& keptPackageFiles) {
  RemainingFiles remaining{keptPackageFiles};
  const auto leaving = [](const std::vector<PackageComponent>& list, const std::string& name) {
    return std::any_of(list.begin(), list.end(),
                       [&](const PackageComponent& c) { return SameName(c.name, name); });
  };
  for (const InstalledMonitor& monitor : system.monitors) {
    if (!leaving(plan.monitors, monitor.name)) {
      remaining.names.push_back(monitor.dll);
    }
  }
  for (const InstalledProcessor& processor : system.processors) {
    if (!processor.target || !leaving(plan.processors, processor.name)) {
      remaining.names.push_back(processor.dll);
    }
  }
  for (const InstalledDriver& driver : system.drivers) {
    if (!driver.target || !ContainsName(plan.drivers, driver.name)) {
      remaining.names.insert(remaining.names.end(), driver.files.begin(), driver.files.end());
    }
  }
  return remaining;
}

// The files of a leaving component: the DLL its registration names and the package's other
// files of it, where they exist, are not Windows' own, and nothing remaining names them.
void PlanFiles(PackageComponent& component, const std::string& registeredDll,
               const PackageComponent& package, const Inventory& system,
               const RemainingFiles& remaining,
               std::string (*path)(const Inventory&, const std::string&)) {
  std::vector<std::string> candidates{registeredDll};
  candidates.insert(candidates.end(), package.files.begin(), package.files.end());
  for (const std::string& file : candidates) {
    const std::string full = path(system, file);
    if (install::IsBareFileName(file.c_str()) && !install::IsWindowsOwnFile(file) &&
        ContainsName(system.files, full) && !remaining.Contains(file)) {
      AddName(component.files, full);
    }
  }
}

const PackageComponent* Named(const std::vector<PackageComponent>& list, const std::string& name) {
  const auto it = std::find_if(list.begin(), list.end(),
                               [&](const PackageComponent& c) { return SameName(c.name, name); });
  return it == list.end() ? nullptr : &*it;
}

void PlanMonitorsAndProcessors(const PackageComponents& package, const Inventory& system,
                               const Ownership& owned,
                               const std::vector<InstalledPrinter>& remaining,
                               const RemovalList& unfinished, RemovalPlan& plan) {
  std::vector<std::string> keptFiles;
  std::vector<const OwnedComponent*> goingMonitors;
  for (const OwnedComponent& monitor : owned.monitors) {
    const InstalledMonitor* installed = FindMonitor(system, monitor.name);
    if (const InstalledPrinter* user = MonitorUser(*installed, system, remaining)) {
      plan.kept.push_back(monitor.name + ": " + user->name + " prints to " + user->port);
      const PackageComponent* component = Named(package.monitors, monitor.name);
      keptFiles.insert(keptFiles.end(), component->files.begin(), component->files.end());
    } else {
      goingMonitors.push_back(&monitor);
      plan.monitors.push_back(PackageComponent{monitor.name, {}, {}});
    }
  }
  std::vector<const OwnedComponent*> goingProcessors;
  for (const OwnedComponent& processor : owned.processors) {
    const auto* user = FirstUser(remaining, [&](const InstalledPrinter& p) {
      return SameName(p.processor, processor.name);
    });
    if (user != nullptr) {
      plan.kept.push_back(processor.name + ": used by " + user->name);
      const PackageComponent* component = Named(package.processors, processor.name);
      keptFiles.insert(keptFiles.end(), component->files.begin(), component->files.end());
    } else {
      goingProcessors.push_back(&processor);
      plan.processors.push_back(PackageComponent{processor.name, {}, {}});
    }
  }
  const RemainingFiles stays = NamedByRemaining(system, plan, keptFiles);
  for (size_t i = 0; i < goingMonitors.size(); ++i) {
    PlanFiles(plan.monitors[i], goingMonitors[i]->dll,
              *Named(package.monitors, goingMonitors[i]->name), system, stays, MonitorFilePath);
  }
  for (size_t i = 0; i < goingProcessors.size(); ++i) {
    PlanFiles(plan.processors[i], goingProcessors[i]->dll,
              *Named(package.processors, goingProcessors[i]->name), system, stays,
              ProcessorFilePath);
  }
  // What an earlier removal planned and left: only files still on the disk, in the folders
  // the package's files lie in, under the same rules.
  for (const std::string& file : unfinished.files) {
    const std::string name = BareFileName(file);
    const bool inFolder = SameName(file, MonitorFilePath(system, name)) ||
                          SameName(file, ProcessorFilePath(system, name));
    const bool planned = ContainsName(ListOf(plan).files, file);
    if (inFolder && !planned && ContainsName(system.files, file) &&
        !install::IsWindowsOwnFile(name) && !stays.Contains(name)) {
      plan.files.push_back(file);
    }
  }
}

}  // namespace

std::string RecordName(const RegistryRecord& record) {
  return record.key + record.value;
}

RemovalList ListOf(const RemovalPlan& plan) {
  RemovalList list;
  for (const InstalledPrinter& printer : plan.printers) {
    list.printers.push_back(printer.name);
  }
  list.drivers = plan.drivers;
  for (const RegistryRecord& record : plan.records) {
    list.records.push_back(RecordName(record));
  }
  for (const PackageComponent& monitor : plan.monitors) {
    list.monitors.push_back(monitor.name);
    list.files.insert(list.files.end(), monitor.files.begin(), monitor.files.end());
  }
  for (const PackageComponent& processor : plan.processors) {
    list.processors.push_back(processor.name);
    list.files.insert(list.files.end(), processor.files.begin(), processor.files.end());
  }
  list.files.insert(list.files.end(), plan.files.begin(), plan.files.end());
  return list;
}

RemovalPlan PlanRemoval(const PackageComponents& package, const Inventory& system,
                        const std::vector<InstalledPrinter>& leaving,
                        const RemovalList& unfinished) {
  RemovalPlan plan;
  const Ownership owned = FindOwnership(package, system);
  plan.foreign = owned.foreign;
  for (const InstalledPrinter& printer : system.printers) {
    if (Listed(leaving, printer.name)) {
      plan.printers.push_back(printer);
    }
  }
  const std::vector<InstalledPrinter> remaining = Remaining(system, leaving);
  PlanDrivers(owned, remaining, plan);
  PlanRecords(package, system, leaving, remaining, unfinished, plan);
  PlanMonitorsAndProcessors(package, system, owned, remaining, unfinished, plan);
  return plan;
}

}  // namespace uninstall
