#include "pkgcheck/dropped_models.h"

#include "platform/sim/name_case.h"

namespace pkgcheck {
namespace {

std::string Counted(int count, const std::string& what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace

std::vector<std::pair<std::string, DroppedModels*>> DroppedUsbPrefixes(CheckContext& context) {
  std::vector<std::pair<std::string, DroppedModels*>> prefixes;
  for (DroppedModels& dropped : context.dropped) {
    for (const auto& [name, family] : dropped.models) {
      prefixes.emplace_back("USB_" + name + "_", &dropped);
    }
  }
  return prefixes;
}

std::map<std::string, DroppedModels*> NamedByDroppedModels(CheckContext& context) {
  std::map<std::string, DroppedModels*> named;
  for (int family = 0; family < kPrinterTypeCount; ++family) {
    const ConfigFile* file = context.Family(family);
    std::map<std::string, DroppedModels*> byModel;  // upper-case model name
    for (DroppedModels& dropped : context.dropped) {
      for (const auto& [name, modelFamily] : dropped.models) {
        if (modelFamily == family) {
          byModel.emplace(platform::sim::UpperCase(name), &dropped);
        }
      }
    }
    if (file == nullptr || byModel.empty()) {
      continue;
    }
    // One pass over the file: a section "<model>.<suffix>" belongs to the model.
    DroppedModels* owner = nullptr;
    for (const auto& line : file->document().lines()) {
      using Kind = platform::sim::IniDocument::Kind;
      if (line.kind == Kind::kHeader) {
        const std::size_t dot = line.name.rfind('.');
        const auto found = dot == std::string::npos
                               ? byModel.end()
                               : byModel.find(platform::sim::UpperCase(line.name.substr(0, dot)));
        owner = found == byModel.end() ? nullptr : found->second;
      } else if (owner != nullptr && line.kind == Kind::kEntry && !line.value.empty()) {
        named.emplace(platform::sim::UpperCase(Unquoted(line.value)), owner);
      }
    }
  }
  return named;
}

void ReportDroppedModels(CheckContext& context) {
  for (const DroppedModels& dropped : context.dropped) {
    const bool several = dropped.models.size() > 1;
    std::string unused;
    if (dropped.usbPorts > 0) {
      unused = Counted(dropped.usbPorts, "USB port") + " in [SUPPORTED-USB-DEVICE]";
    }
    if (dropped.files > 0) {
      unused += (unused.empty() ? "" : " and ") + Counted(dropped.files, "file") +
                " in the package folders";
    }
    std::string message = dropped.message;
    if (!unused.empty()) {
      message += "; so " + unused + " that only " + (several ? "their" : "its") +
                 " sections name go unused";
    }
    if (dropped.defaultEntry) {
      message += "; DEFAULTNAME names " + std::string(several ? "one of them" : "it") +
                 ", so no model is preselected";
    }
    context.Add(dropped.severity, dropped.where, dropped.check, message);
  }
}

}  // namespace pkgcheck
