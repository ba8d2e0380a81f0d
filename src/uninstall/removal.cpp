#include "uninstall/removal.h"

#include <algorithm>

#include "install/handles.h"
#include "platform/file_exists.h"
#include "platform/loaded_module.h"
#include "registry/registry_key.h"
#include "uninstall/file_removal.h"
#include "uninstall/names.h"

namespace uninstall {
namespace {

std::string ErrorText(DWORD error) {
  return " (error " + std::to_string(error) + ")";
}

// DeletePrinter wants a handle opened for administration.
DWORD DeletePrinterNamed(platform::Platform& platform, const std::string& name) {
  std::string printerName = name;
  PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  install::PrinterHandle printer(platform.spooler);
  if (!platform.spooler.OpenPrinterA(&printerName[0], printer.receive(), &defaults)) {
    return platform.system.GetLastError();
  }
  if (!platform.spooler.DeletePrinter(printer.get())) {
    return platform.system.GetLastError();
  }
  return ERROR_SUCCESS;
}

bool PrinterListed(const Inventory& system, const std::string& name) {
  return std::any_of(system.printers.begin(), system.printers.end(),
                     [&](const InstalledPrinter& p) { return SameName(p.name, name); });
}

bool RecordListed(const Inventory& system, const RegistryRecord& record) {
  return std::any_of(system.records.begin(), system.records.end(), [&](const RegistryRecord& r) {
    return r.key == record.key && SameName(r.value, record.value);
  });
}

bool ComponentListed(const Inventory& system, const std::string& name, bool monitor) {
  return monitor ? FindMonitor(system, name) != nullptr
                 : FindTargetProcessor(system, name) != nullptr;
}

}  // namespace

LPSTR Removal::Environment() {
  const char* environment = TargetEnvironment(package_.targetOs);
  environment_ = environment == nullptr ? "" : environment;
  return environment == nullptr ? nullptr : &environment_[0];
}

void Removal::Cleared(std::vector<std::string> RemovalList::*kind, const std::string& name) {
  RemovalList gone;
  (gone.*kind).push_back(name);
  record_.Clear(gone);
}

bool Removal::Survey(std::string& failure) {
  if (!ReadInventory(platform_, package_, before_, failure)) {
    return false;
  }
  unfinished_ = record_.Read();
  plan_ = PlanRemoval(package_, before_, FindOwnership(package_, before_).printers, unfinished_);
  if (plan_.empty()) {
    record_.Clear(unfinished_);  // all of it went meanwhile
  }
  return true;
}

std::vector<std::string> Removal::RemovePrinters(const RemovalNote& note) {
  std::vector<std::string> reported;
  for (const InstalledPrinter& printer : plan_.printers) {
    const DWORD error = DeletePrinterNamed(platform_, printer.name);
    note(error == ERROR_SUCCESS ? "removed printer " + printer.name
                                : "could not remove printer " + printer.name + ErrorText(error));
    if (error == ERROR_SUCCESS) {
      reported.push_back(printer.name);
      Cleared(&RemovalList::printers, printer.name);
    }
  }
  return reported;
}

void Removal::RemoveDrivers(const RemovalPlan& plan, const RemovalNote& note) {
  for (std::string driver : plan.drivers) {
    const bool removed =
        platform_.spooler.DeletePrinterDriverA(nullptr, Environment(), &driver[0]) != FALSE;
    note(removed
             ? "removed driver " + driver
             : "could not remove driver " + driver + ErrorText(platform_.system.GetLastError()));
    if (removed) {
      Cleared(&RemovalList::drivers, driver);
    }
  }
}

void Removal::RemoveRecords(const RemovalPlan& plan, const RemovalNote& note) {
  for (const RegistryRecord& record : plan.records) {
    registry::RegistryKey key(platform_.registry);
    const bool removed =
        key.Open(HKEY_LOCAL_MACHINE, record.key.c_str()) && key.DeleteValue(record.value.c_str());
    note((removed ? "removed record " : "could not remove record ") + record.key + record.value +
         (removed ? "" : ErrorText(key.lastError())));
    if (removed) {
      Cleared(&RemovalList::records, RecordName(record));
    }
  }
}

void Removal::RemoveMonitors(const RemovalPlan& plan, const RemovalNote& note) {
  for (const PackageComponent& monitor : plan.monitors) {
    std::string name = monitor.name;
    const bool removed =
        platform_.spooler.DeleteMonitorA(nullptr, Environment(), &name[0]) != FALSE;
    note(removed ? "removed port monitor " + name
                 : "could not remove port monitor " + name +
                       ErrorText(platform_.system.GetLastError()));
    if (removed) {
      Cleared(&RemovalList::monitors, name);
    }
  }
}

// DeletePrintProcessorA is looked up: not every system's winspool.drv is known to have it.
std::vector<std::string> Removal::RemoveProcessors(const RemovalPlan& plan,
                                                   const RemovalNote& note) {
  std::vector<std::string> reported;
  if (plan.processors.empty()) {
    return reported;
  }
  platform::LoadedModule winspool(platform_.libraries, "winspool.drv");
  const auto deleteProcessor =
      winspool.Find<platform::DeletePrintProcessorAFn>("DeletePrintProcessorA");
  for (const PackageComponent& processor : plan.processors) {
    if (deleteProcessor == nullptr) {
      note("could not remove print processor " + processor.name +
           ": this system's winspool.drv has no DeletePrintProcessorA");
      continue;
    }
    std::string name = processor.name;
    const bool removed = deleteProcessor(nullptr, Environment(), &name[0]) != FALSE;
    note(removed ? "removed print processor " + name
                 : "could not remove print processor " + name +
                       ErrorText(platform_.system.GetLastError()));
    if (removed) {
      reported.push_back(name);
      Cleared(&RemovalList::processors, name);
    }
  }
  return reported;
}

// The files of the components that are gone; those of a component still there stay, since
// the system may still load them.
void Removal::RemoveComponentFiles(const std::vector<PackageComponent>& components, bool monitors,
                                   const Inventory& now, RemovalOutcome& outcome,
                                   const RemovalNote& note) {
  for (const PackageComponent& component : components) {
    if (ComponentListed(now, component.name, monitors)) {
      if (!component.files.empty()) {
        note("the files of " + component.name + " stay: the spooler still lists it");
      }
      continue;
    }
    RemoveFiles(component.files, outcome, note);
  }
}

void Removal::RemoveFiles(const std::vector<std::string>& files, RemovalOutcome& outcome,
                          const RemovalNote& note) {
  for (const std::string& file : files) {
    DWORD error = 0;
    switch (RemoveFile(platform_, file, error)) {
      case FileRemoval::kRemoved:
        note("removed file " + file);
        Cleared(&RemovalList::files, file);
        break;
      case FileRemoval::kAtRestart:
        outcome.atRestart.push_back(file);
        note("file " + file + " is in use" + ErrorText(error) + "; it goes at the next restart");
        Cleared(&RemovalList::files, file);
        break;
      case FileRemoval::kRemains:
        note("could not remove file " + file + ErrorText(error));
        break;
    }
  }
}

RemovalOutcome Removal::CarryOut(const RemovalNote& note) {
  RemovalOutcome outcome;
  // Recorded before the first change, so that a removal that stops part-way can be finished.
  if (!record_.Write(ListOf(plan_))) {
    note("could not record the removal under " + std::string(kRemovalRecordKey));
  }
  const std::vector<std::string> printersReported = RemovePrinters(note);
  // Each later step is decided again from what is there now: a printer that would not go
  // keeps its driver, port monitor and processor.
  Inventory now;
  std::string failure;
  if (!ReadInventory(platform_, package_, now, failure)) {
    note("stopped: " + failure);
    return Compare(before_, {});
  }
  std::vector<InstalledPrinter> gone;
  for (const InstalledPrinter& printer : plan_.printers) {
    if (!PrinterListed(now, printer.name)) {
      gone.push_back(printer);
    } else if (ContainsName(printersReported, printer.name)) {
      // Windows deletes a printer with documents waiting once they are done.
      note("the spooler reported printer " + printer.name +
           " removed, yet still lists it (documents may be waiting)");
    }
  }
  const RemovalPlan rest = PlanRemoval(package_, now, gone, unfinished_);
  RemoveDrivers(rest, note);
  RemoveRecords(rest, note);
  RemoveMonitors(rest, note);
  const std::vector<std::string> reported = RemoveProcessors(rest, note);
  if (!ReadInventory(platform_, package_, now, failure)) {
    note("stopped: " + failure);
    return Compare(before_, {});
  }
  for (const std::string& processor : reported) {
    if (FindTargetProcessor(now, processor) != nullptr) {
      note("the spooler reported print processor " + processor + " removed, yet still lists it");
    }
  }
  RemoveComponentFiles(rest.monitors, true, now, outcome, note);
  RemoveComponentFiles(rest.processors, false, now, outcome, note);
  RemoveFiles(rest.files, outcome, note);
  Inventory after;
  if (!ReadInventory(platform_, package_, after, failure)) {
    note("could not look at what remains: " + failure);
    return Compare(before_, outcome.atRestart);
  }
  RemovalOutcome result = Compare(after, outcome.atRestart);
  record_.Clear(result.removed);
  return result;
}

RemovalOutcome Removal::Compare(const Inventory& after, std::vector<std::string> atRestart) const {
  RemovalOutcome outcome;
  outcome.atRestart = std::move(atRestart);
  const auto place = [&](bool there, std::vector<std::string> RemovalList::*kind,
                         const std::string& name) {
    ((there ? outcome.remaining : outcome.removed).*kind).push_back(name);
  };
  for (const InstalledPrinter& printer : plan_.printers) {
    place(PrinterListed(after, printer.name), &RemovalList::printers, printer.name);
  }
  for (const std::string& driver : plan_.drivers) {
    place(FindTargetDriver(after, driver) != nullptr, &RemovalList::drivers, driver);
  }
  for (const RegistryRecord& record : plan_.records) {
    place(RecordListed(after, record), &RemovalList::records, RecordName(record));
  }
  for (const PackageComponent& monitor : plan_.monitors) {
    place(FindMonitor(after, monitor.name) != nullptr, &RemovalList::monitors, monitor.name);
  }
  for (const PackageComponent& processor : plan_.processors) {
    place(FindTargetProcessor(after, processor.name) != nullptr, &RemovalList::processors,
          processor.name);
  }
  for (const std::string& file : ListOf(plan_).files) {
    if (!ContainsName(outcome.atRestart, file)) {
      place(platform::FileExists(platform_.files, file), &RemovalList::files, file);
    }
  }
  return outcome;
}

}  // namespace uninstall
