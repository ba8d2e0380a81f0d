#include "uninstall/removal_plan.h"

#include <algorithm>

#include "install/port_entry.h"
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

void PlanDrivers(const PackageComponents& package, const Inventory& system,
                 const std::vector<InstalledPrinter>& remaining, RemovalPlan& plan) {
  for (const std::string& driver : package.driverNames) {
    if (!ContainsName(system.drivers, driver)) {
      continue;
    }
    const auto* user =
        FirstUser(remaining, [&](const InstalledPrinter& p) { return SameName(p.driver, driver); });
    if (user == nullptr) {
      plan.drivers.push_back(driver);
    } else {
      plan.kept.push_back(driver + ": used by " + user->name);
    }
  }
}

void PlanRecords(const PackageComponents& package, const Inventory& system,
                 const std::vector<InstalledPrinter>& leaving,
                 const std::vector<InstalledPrinter>& remaining, RemovalPlan& plan) {
  const std::vector<std::string> leavingPorts = UsbPortNames(package, leaving);
  const std::vector<std::string> usedPorts = UsbPortNames(package, remaining);
  for (const RegistryRecord& record : system.records) {
    const bool printerRecord = record.key == registry::kInstallPrinterKey;
    const bool named = printerRecord ? Listed(leaving, record.value)
                                     : ContainsName(leavingPorts, record.value) &&
                                           !ContainsName(usedPorts, record.value);
    if (named) {
      plan.records.push_back(record);
    }
  }
}

// A remaining printer that prints to one of the monitor's ports, or to a port whose monitor
// the spooler does not name (it might be this one).
const InstalledPrinter* MonitorUser(const InstalledMonitor& monitor, const Inventory& system,
                                    const std::vector<InstalledPrinter>& remaining) {
  return FirstUser(remaining, [&](const InstalledPrinter& printer) {
    for (const std::string& port : SplitPortList(printer.port)) {
      const auto owner = std::find_if(system.ports.begin(), system.ports.end(),
                                      [&](const PortOwner& o) { return SameName(o.port, port); });
      if (ContainsName(monitor.ports, port) || owner == system.ports.end() ||
          owner->monitor.empty()) {
        return true;
      }
    }
    return false;
  });
}

// The component's files that exist, except those a component that stays also names.
PackageComponent WithFiles(const PackageComponent& component,
                           const std::vector<std::string>& keptFiles, const Inventory& system,
                           std::string (*path)(const Inventory&, const std::string&)) {
  PackageComponent planned{component.name, {}};
  for (const std::string& file : component.files) {
    const std::string full = path(system, file);
    if (ContainsName(system.files, full) && !ContainsName(keptFiles, file)) {
      planned.files.push_back(full);
    }
  }
  return planned;
}

void PlanMonitors(const PackageComponents& package, const Inventory& system,
                  const std::vector<InstalledPrinter>& remaining, RemovalPlan& plan) {
  std::vector<const PackageComponent*> going;
  std::vector<std::string> keptFiles;
  for (const PackageComponent& component : package.monitors) {
    const auto monitor =
        std::find_if(system.monitors.begin(), system.monitors.end(),
                     [&](const InstalledMonitor& m) { return SameName(m.name, component.name); });
    if (monitor == system.monitors.end()) {
      continue;
    }
    if (const InstalledPrinter* user = MonitorUser(*monitor, system, remaining)) {
      plan.kept.push_back(component.name + ": " + user->name + " prints to " + user->port);
      keptFiles.insert(keptFiles.end(), component.files.begin(), component.files.end());
      keptFiles.push_back(monitor->dll);
    } else {
      going.push_back(&component);
    }
  }
  for (const PackageComponent* component : going) {
    plan.monitors.push_back(WithFiles(*component, keptFiles, system, MonitorFilePath));
  }
}

void PlanProcessors(const PackageComponents& package, const Inventory& system,
                    const std::vector<InstalledPrinter>& remaining, RemovalPlan& plan) {
  std::vector<const PackageComponent*> going;
  std::vector<std::string> keptFiles;
  for (const PackageComponent& component : package.processors) {
    if (!ContainsName(system.processors, component.name)) {
      continue;
    }
    const auto* user = FirstUser(remaining, [&](const InstalledPrinter& p) {
      return SameName(p.processor, component.name);
    });
    if (user != nullptr) {
      plan.kept.push_back(component.name + ": used by " + user->name);
      keptFiles.insert(keptFiles.end(), component.files.begin(), component.files.end());
    } else {
      going.push_back(&component);
    }
  }
  for (const PackageComponent* component : going) {
    plan.processors.push_back(WithFiles(*component, keptFiles, system, ProcessorFilePath));
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
  return list;
}

std::vector<InstalledPrinter> ModelPrinters(const PackageComponents& package,
                                            const Inventory& system) {
  std::vector<InstalledPrinter> printers;
  for (const InstalledPrinter& printer : system.printers) {
    if (ContainsName(package.driverNames, printer.driver)) {
      printers.push_back(printer);
    }
  }
  return printers;
}

RemovalPlan PlanRemoval(const PackageComponents& package, const Inventory& system,
                        const std::vector<InstalledPrinter>& leaving) {
  RemovalPlan plan;
  for (const InstalledPrinter& printer : system.printers) {
    if (Listed(leaving, printer.name)) {
      plan.printers.push_back(printer);
    }
  }
  const std::vector<InstalledPrinter> remaining = Remaining(system, leaving);
  PlanDrivers(package, system, remaining, plan);
  PlanRecords(package, system, leaving, remaining, plan);
  PlanMonitors(package, system, remaining, plan);
  PlanProcessors(package, system, remaining, plan);
  return plan;
}

}  // namespace uninstall
