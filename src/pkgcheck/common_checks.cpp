#include "pkgcheck/common_checks.h"

#include <algorithm>
#include <map>
#include <set>

#include "config/section_names.h"
#include "pkgcheck/dropped_models.h"
#include "pkgcheck/install_plan.h"
#include "pkgcheck/value_checks.h"
#include "platform/sim/name_case.h"
#include "ports/usb_port_name.h"

namespace pkgcheck {
namespace {

constexpr const char* kUsbSection = "SUPPORTED-USB-DEVICE";
constexpr int kUsbNameCapacity = config::kUsbPortEntrySize - 1;

bool InstallableOn(const Model& model, int os) {
  return std::find(model.systems.begin(), model.systems.end(), os) != model.systems.end();
}

bool AnyModel(const CheckContext& context, bool (*test)(const Model&, int), int os) {
  return std::any_of(context.models.begin(), context.models.end(),
                     [&](const Model& model) { return test(model, os); });
}

// The USB port names the port page offers for the model: USB_<model>_1, and _2 to _4 in
// Advanced mode.
std::vector<std::string> OfferedUsbPorts(const Model& model) {
  std::vector<std::string> ports;
  const int count = model.advanced != 0 ? ports::kAdvancedUsbPorts : 1;
  for (int n = 1; model.usb != 0 && n <= count; ++n) {
    ports::PortText name{};
    if (ports::FormatUsbPortName(model.name.c_str(), n, name)) {
      ports.push_back(name);
    }
  }
  return ports;
}

// "USB_<model>_" of the models whose USB options do not read as written (reported with the
// model), and of the models never offered (counted into their cause): ports that begin so are
// not judged again.
std::vector<std::pair<std::string, DroppedModels*>> UnjudgedPortPrefixes(CheckContext& context) {
  std::vector<std::pair<std::string, DroppedModels*>> prefixes = DroppedUsbPrefixes(context);
  for (const Model& model : context.models) {
    if (!model.usbPortsKnown) {
      prefixes.emplace_back("USB_" + model.name + "_", nullptr);
    }
  }
  return prefixes;
}

// Whether the port is one of those; a dropped model's port counts into its cause.
bool Unjudged(const std::vector<std::pair<std::string, DroppedModels*>>& prefixes,
              const std::string& port) {
  for (const auto& [prefix, dropped] : prefixes) {
    if (port.compare(0, prefix.size(), prefix) == 0) {
      if (dropped != nullptr) {
        ++dropped->usbPorts;
      }
      return true;
    }
  }
  return false;
}

// Entries "0" to "PRNCOUNT - 1" as the reader asks for them.
void CheckUsbCount(CheckContext& context, const ConfigFile& common, int count) {
  std::vector<std::string> missing;
  std::vector<std::string> beyond;
  std::set<int> present;
  for (const auto& [name, line] : common.Keys(kUsbSection)) {
    if (!name.empty() && name.size() < 6 && std::all_of(name.begin(), name.end(), ::isdigit) &&
        (name == "0" || name[0] != '0')) {
      present.insert(std::stoi(name));
    }
  }
  for (int i = 0; i < count; ++i) {
    if (present.count(i) == 0) {
      missing.push_back(std::to_string(i));
    }
  }
  for (const int i : present) {
    if (i >= count) {
      beyond.push_back(std::to_string(i));
    }
  }
  if (missing.empty() && beyond.empty()) {
    return;
  }
  const auto list = [](const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
      text += (text.empty() ? "" : ", ") + name;
    }
    return text;
  };
  std::string message = "PRNCOUNT=" + std::to_string(count) + ", but ";
  if (!missing.empty()) {
    message += "entries " + list(missing) + " are missing (read as \"0\")";
  }
  if (!beyond.empty()) {
    message += std::string(missing.empty() ? "" : ", and ") + "entries " + list(beyond) +
               " lie beyond it and are never read";
  }
  context.Add(Severity::kWarning, context.At(common, kUsbSection, "PRNCOUNT"), "usb-count",
              message + "; entries are numbered from 0 to PRNCOUNT - 1");
}

void CheckMonitor(CheckContext& context, const ConfigFile& common, const std::string& section,
                  const std::string& prefix, int os, const std::string& ports) {
  const std::string purpose = prefix == "COMMONitor" ? "serial-port monitor" : "USB port monitor";
  const std::string need = "which the " + ports + " need on " + SystemName(os);
  const IfMissing required{Severity::kError, need};
  const std::string nameKey = prefix + "PName";
  if (CheckText(context, common, section, nameKey, 49, required) &&
      context.Read(common, section, nameKey, 50).find('\\') != std::string::npos) {
    context.Add(Severity::kError, context.At(common, section, nameKey), "monitor-name",
                "a monitor name cannot hold a backslash");
  }
  const std::string dll = context.Read(common, section, prefix + "PDLLName", kTextSize);
  if (common.Raw(section, prefix + "PDLLName") && dll.empty()) {
    context.Add(Severity::kError, context.At(common, section, prefix + "PDLLName"), "monitor-dll",
                "empty: the " + purpose + " is not installed, " + need);
  }
  CheckFileName(context, common, section, prefix + "PDLLName", dll, kTextSize - 1, os, true,
                purpose + " DLL");
  CheckFileName(context, common, section, prefix + "PUIDLLName",
                context.Read(common, section, prefix + "PUIDLLName", 50), 49, os, false,
                purpose + " user-interface DLL");
  CheckNumber(context, common, section, prefix + "Version", 9, kCount,
              IfMissing{Severity::kWarning, "so an installed monitor is never replaced"});
}

// A monitor the system never installs: its files only need to be where its keys say.
void NoteUnusedMonitor(CheckContext& context, const ConfigFile& common, const std::string& section,
                       const std::string& prefix, int os) {
  const std::string purpose = std::string("not installed on ") + SystemName(os);
  for (const auto& [key, capacity] : {std::make_pair(prefix + "PDLLName", kTextSize - 1),
                                      std::make_pair(prefix + "PUIDLLName", 49)}) {
    CheckFileName(context, common, section, key,
                  context.Read(common, section, key, static_cast<std::size_t>(capacity) + 1),
                  capacity, os, false, purpose, Severity::kNote);
  }
}

}  // namespace

void CheckPackageVersion(CheckContext& context) {
  const ConfigFile* common = context.File(kCommonFile);
  if (common == nullptr) {
    return;
  }
  // Only a package that ships its own print processor needs a version for it.
  CheckNumber(context, *common, "Version", "DriverVersion", config::kDriverVersionSize - 1, kCount,
              context.packageProcessor
                  ? IfMissing{Severity::kWarning,
                              "so an installed copy of the package's print processor is never "
                              "replaced"}
                  : Optional());
}

void CheckSupportedUsbPorts(CheckContext& context) {
  const ConfigFile* common = context.File(kCommonFile);
  if (common == nullptr) {
    return;
  }
  std::map<std::string, const Model*> offered;
  std::set<std::string> tooLong;  // the ports of models whose name is reported too long
  for (const Model& model : context.models) {
    for (const std::string& port : OfferedUsbPorts(model)) {
      if (model.nameTooLongForUsb) {
        tooLong.insert(port);
      }
      offered.emplace(port, &model);
    }
  }
  CheckNumber(
      context, *common, kUsbSection, "PRNCOUNT", kTextSize - 1,
      NumberRule{0, config::kMaxSupportedUsbPorts, "the USB port count (0 to 4000)"},
      offered.empty() ? Optional() : IfMissing{Severity::kWarning, "so no USB port is recorded"});
  const int count = context.config.SupportedUsbPortCount();
  CheckUsbCount(context, *common, count);
  // Every numbered entry counts as listed, so that a wrong count is the one finding.
  std::set<std::string> listed;
  for (const auto& [key, line] : common->Keys(kUsbSection)) {
    listed.insert(Unquoted(*common->Raw(kUsbSection, key)));
  }
  const auto unjudged = UnjudgedPortPrefixes(context);
  for (int i = 0; i < count; ++i) {
    const std::string key = std::to_string(i);
    const std::optional<std::string> raw = common->Raw(kUsbSection, key);
    if (!raw) {
      continue;  // said with the count
    }
    const std::string port = Unquoted(*raw);
    if (tooLong.count(port) != 0 || Unjudged(unjudged, port)) {
      continue;  // the model's own finding says why
    }
    CheckText(context, *common, kUsbSection, key, kUsbNameCapacity, Optional());
    if (offered.count(port) == 0 && !context.modelListUnknown) {
      context.Add(Severity::kWarning, context.At(*common, kUsbSection, key), "usb-port-unknown",
                  "\"" + port +
                      "\" is no USB port the port page offers (USB_<model>_n of a "
                      "model with USBSUPPORTED=1; _2 to _4 only with AdvancedSetup=1)");
    }
  }
  for (const auto& [port, model] : offered) {
    if (listed.count(port) == 0 && !model->nameTooLongForUsb) {
      context.Add(Severity::kWarning,
                  Where{common->name(), common->SectionLine(kUsbSection), kUsbSection, ""},
                  "usb-port-unlisted",
                  "does not list " + port + ", which the port page offers for " + model->name +
                      ": its port number is not recorded");
    }
  }
}

void CheckPortMonitors(CheckContext& context) {
  const ConfigFile* common = context.File(kCommonFile);
  if (common == nullptr) {
    return;
  }
  for (int os = 0; os < kTargetOsCount; ++os) {
    const bool serial = os != kTargetWin98Me && AnyModel(context, InstallableOn, os);
    const bool usb =
        os != kTargetNt4 &&
        AnyModel(
            context,
            [](const Model& m, int system) { return m.usb != 0 && InstallableOn(m, system); }, os);
    char section[config::kMonitorSectionSize] = {};
    config::PortMonitorSectionName(os, section);
    if (common->SectionLine(section) == 0) {
      if (serial || usb) {
        context.Add(Severity::kError, Where{common->name(), 0, section, ""}, "section-missing",
                    std::string("missing: it names the port monitors for ") + SystemName(os));
      }
      continue;
    }
    if (serial) {
      CheckMonitor(context, *common, section, "COMMONitor", os, "serial ports KSCOM1: to KSCOM8:");
    } else {
      NoteUnusedMonitor(context, *common, section, "COMMONitor", os);
    }
    if (usb) {
      CheckMonitor(context, *common, section, "USBMONitor", os, "USB ports");
    } else {
      NoteUnusedMonitor(context, *common, section, "USBMONitor", os);
    }
  }
}

}  // namespace pkgcheck
