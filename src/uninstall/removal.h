// A removal of what the package installed for one model: the survey (what is there and what
// would go, with what an earlier removal left unfinished), then the removal in order (printers;
// drivers no remaining printer uses; the installer's records of the removed printers and of
// USB ports no printer uses; the package's port monitors and the model's print processor that
// nothing uses any more, with their files), each step decided again from the system's state
// after the one before and cleared from the removal's record once done, and a last look at
// what is gone.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "uninstall/package_components.h"
#include "uninstall/removal_plan.h"
#include "uninstall/removal_record.h"

namespace uninstall {

struct RemovalOutcome {
  RemovalList removed;                 // what is gone
  RemovalList remaining;               // what the plan meant to remove and is still there
  std::vector<std::string> atRestart;  // files that go with the next restart
};

// Receives a line for the log at each step.
using RemovalNote = std::function<void(const std::string&)>;

class Removal {
 public:
  // `entry` names the model's record (its setup.ini entry).
  Removal(platform::Platform& platform, PackageComponents package, const std::string& entry)
      : platform_(platform), package_(std::move(package)), record_(platform.registry, entry) {}

  // Reads the system's state and plans; false with the reason when the state cannot be read.
  bool Survey(std::string& failure);
  const RemovalPlan& plan() const { return plan_; }

  RemovalOutcome CarryOut(const RemovalNote& note);

 private:
  // Each returns the names the spooler reported removed.
  std::vector<std::string> RemovePrinters(const RemovalNote& note);
  void RemoveDrivers(const RemovalPlan& plan, const RemovalNote& note);
  void RemoveRecords(const RemovalPlan& plan, const RemovalNote& note);
  void RemoveMonitors(const RemovalPlan& plan, const RemovalNote& note);
  std::vector<std::string> RemoveProcessors(const RemovalPlan& plan, const RemovalNote& note);
  void RemoveComponentFiles(const std::vector<PackageComponent>& components, bool monitors,
                            const Inventory& now, RemovalOutcome& outcome, const RemovalNote& note);
  void RemoveFiles(const std::vector<std::string>& files, RemovalOutcome& outcome,
                   const RemovalNote& note);
  // Clears one part from the record once it is gone.
  void Cleared(std::vector<std::string> RemovalList::*kind, const std::string& name);
  // Which parts of the plan are gone, left to the restart or still there.
  RemovalOutcome Compare(const Inventory& after, std::vector<std::string> atRestart) const;
  // The environment argument of the target system's spooler calls (null: the running one's).
  LPSTR Environment();

  platform::Platform& platform_;
  PackageComponents package_;
  RemovalRecord record_;
  RemovalList unfinished_;  // what an earlier removal recorded and left
  Inventory before_;
  RemovalPlan plan_;
  std::string environment_;
};

}  // namespace uninstall
