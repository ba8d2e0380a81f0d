// What a removal takes away, decided from the system's registrations (ownership.h): the
// printers that leave, then every driver, record, port monitor and print processor of the
// package that no remaining printer still needs, and the files their registrations name that
// nothing remaining names. What an earlier removal recorded and left (removal_record.h) adds
// only its files and records that are still there, under the same rules.
#pragma once

#include <string>
#include <vector>

#include "uninstall/inventory.h"
#include "uninstall/ownership.h"
#include "uninstall/package_components.h"

namespace uninstall {

struct RemovalPlan {
  std::vector<InstalledPrinter> printers;
  std::vector<std::string> drivers;
  std::vector<RegistryRecord> records;
  std::vector<PackageComponent> monitors;    // with the full paths of their files that exist
  std::vector<PackageComponent> processors;  // likewise
  std::vector<std::string> files;            // left by an earlier removal (full paths)
  // Why a component of the package stays, one line each ("TP Serial Monitor: TP-R58(S) prints
  // to KSCOM2:"), for the log.
  std::vector<std::string> kept;
  std::vector<std::string> foreign;  // Ownership::foreign

  bool empty() const {
    return printers.empty() && drivers.empty() && records.empty() && monitors.empty() &&
           processors.empty() && files.empty();
  }
};

// A removal's parts by kind, as names, for a person and for the log.
struct RemovalList {
  std::vector<std::string> printers;
  std::vector<std::string> drivers;
  std::vector<std::string> records;  // key and value name: SOFTWARE\KESTREL\PORTNAME\USB_M_1
  std::vector<std::string> monitors;
  std::vector<std::string> processors;
  std::vector<std::string> files;

  bool empty() const {
    return printers.empty() && drivers.empty() && records.empty() && monitors.empty() &&
           processors.empty() && files.empty();
  }
};

RemovalList ListOf(const RemovalPlan& plan);
std::string RecordName(const RegistryRecord& record);

// What goes once the printers `leaving` are gone (those still there are listed to go too);
// `unfinished` is what an earlier removal recorded and did not finish.
RemovalPlan PlanRemoval(const PackageComponents& package, const Inventory& system,
                        const std::vector<InstalledPrinter>& leaving,
                        const RemovalList& unfinished = RemovalList());

}  // namespace uninstall
