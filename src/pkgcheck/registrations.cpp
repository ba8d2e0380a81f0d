#include "pkgcheck/registrations.h"

#include <map>
#include <optional>
#include <tuple>

#include "platform/sim/name_case.h"

namespace pkgcheck {
namespace {

std::string By(const Model& model, const InstallPlan& plan) {
  return model.name + " (" + FlavorName(plan.flavor) + ")";
}

std::string Join(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    text += part + "|";
  }
  return text;
}

}  // namespace

void Registrations::AddDriver(const Where& where, const Model& model, const InstallPlan& plan) {
  const std::string content =
      Join({std::to_string(plan.driverVersion), plan.driverPath, plan.dataFile, plan.configFile,
            plan.helpFile, plan.monitorName, Join(plan.dependentFiles)});
  drivers_.push_back(Use{plan.targetOs, platform::sim::UpperCase(plan.driverName), content, where,
                         By(model, plan)});
}

void Registrations::AddProcessor(const Where& where, const Model& model, const InstallPlan& plan) {
  const std::string& dll = plan.files.printProcessorDll;
  if (!plan.installsProcessor || dll.empty() || dll[0] == '0') {
    return;  // no DLL given: the missing key is the finding, not a clash that follows
  }
  processors_.push_back(Use{plan.targetOs, platform::sim::UpperCase(plan.processor),
                            plan.files.printProcessorDll, where, By(model, plan)});
}

void Registrations::Report(CheckContext& context) const {
  const auto compare = [&](const std::vector<Use>& uses, const char* what, const char* check) {
    // Per system and name: the first use, and the first whose files differ from it. A later
    // use clashes with the earliest use of other files, which is one of the two.
    struct Group {
      std::size_t first;
      std::optional<std::size_t> firstOther;
    };
    std::map<std::pair<int, std::string>, Group> groups;
    // One finding per pair of places: Windows 2000 and XP share the printer-information
    // section, so one clash there is one cause, on both systems.
    struct Clash {
      std::size_t later;
      std::size_t first;
      std::vector<int> systems;
    };
    std::vector<Clash> clashes;
    std::map<std::tuple<std::string, int, std::string, std::string, int, std::string>, std::size_t>
        clashByPlaces;
    for (std::size_t i = 0; i < uses.size(); ++i) {
      const Use& later = uses[i];
      const auto [group, added] = groups.try_emplace({later.targetOs, later.name}, Group{i, {}});
      if (added) {
        continue;
      }
      std::optional<std::size_t> clash;
      if (uses[group->second.first].content != later.content) {
        clash = group->second.first;
        if (!group->second.firstOther) {
          group->second.firstOther = i;
        }
      } else if (group->second.firstOther) {
        clash = group->second.firstOther;
      }
      if (!clash) {
        continue;
      }
      const Use& first = uses[*clash];
      const auto key = std::make_tuple(later.where.file, later.where.line, later.by,
                                       first.where.file, first.where.line, first.by);
      const auto [known, isNew] = clashByPlaces.try_emplace(key, clashes.size());
      if (isNew) {
        clashes.push_back(Clash{i, *clash, {}});
      }
      clashes[known->second].systems.push_back(later.targetOs);
    }
    for (const Clash& clash : clashes) {
      const Use& first = uses[clash.first];
      const Use& later = uses[clash.later];
      std::string systems;
      for (std::size_t k = 0; k < clash.systems.size(); ++k) {
        systems += (k == 0 ? "" : k + 1 == clash.systems.size() ? " and " : ", ");
        systems += SystemName(clash.systems[k]);
      }
      context.Add(Severity::kError, later.where, check,
                  std::string(what) + " is registered by " + later.by + " with other files " +
                      "than by " + first.by + " (" + first.where.file + ":" +
                      std::to_string(first.where.line) + ") on " + systems +
                      ": installing one replaces the other's; give each its own name");
    }
  };
  compare(drivers_, "this driver name", "driver-name-clash");
  compare(processors_, "this print processor", "processor-clash");
}

}  // namespace pkgcheck
