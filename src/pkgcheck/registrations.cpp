#include "pkgcheck/registrations.h"

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
  if (!plan.installsProcessor) {
    return;
  }
  processors_.push_back(Use{plan.targetOs, platform::sim::UpperCase(plan.processor),
                            plan.files.printProcessorDll, where, By(model, plan)});
}

void Registrations::Report(CheckContext& context) const {
  const auto compare = [&](const std::vector<Use>& uses, const char* what, const char* check) {
    for (std::size_t i = 0; i < uses.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        const Use& first = uses[j];
        const Use& later = uses[i];
        if (first.targetOs != later.targetOs || first.name != later.name ||
            first.content == later.content) {
          continue;
        }
        context.Add(Severity::kError, later.where, check,
                    std::string(what) + " is registered by " + later.by + " with other files " +
                        "than by " + first.by + " (" + first.where.file + ":" +
                        std::to_string(first.where.line) + ") on " + SystemName(later.targetOs) +
                        ": installing one replaces the other's; give each its own name");
        break;
      }
    }
  };
  compare(drivers_, "this driver name", "driver-name-clash");
  compare(processors_, "this print processor", "processor-clash");
}

}  // namespace pkgcheck
