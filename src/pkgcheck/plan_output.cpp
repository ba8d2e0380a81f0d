#include "pkgcheck/plan_output.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "config/decimal.h"
#include "config/family_suffix.h"
#include "config/section_names.h"
#include "install/package_files.h"
#include "resources/message_table.h"
#include "pkgcheck/config_file.h"
#include "pkgcheck/install_plan.h"
#include "platform/sim/name_case.h"
#include "ports/usb_port_name.h"

namespace pkgcheck {
namespace {

struct PortOptions {
  std::int32_t advanced, server2003, baudRate, usb, lptDefault;
};

PortOptions ReadPortOptions(CheckContext& context, int family, const std::string& model) {
  Text section{};
  config::PortOptionsSectionName(model.c_str(), section);
  const auto read = [&](const char* key) {
    return config::ParseDecimal(context.ReadFamily(family, section, key, kTextSize).c_str());
  };
  return PortOptions{read("AdvancedSetup"), read("System2003Supported"), read("BaudRate"),
                     read("USBSUPPORTED"), read("LPTDEFAULT")};
}

// The model's entry in the model list: its family and its name as listed, or -1.
int FindModel(CheckContext& context, const std::string& wanted, std::string& name) {
  const int count = context.config.ModelCount();
  for (int n = 1; n <= count; ++n) {
    Text listed{};
    const int family = context.config.ModelEntry(n, listed);
    const std::string entry = std::string(listed) + config::FamilySuffix(family);
    if (family >= 0 && (platform::sim::EqualsIgnoringCase(listed, wanted) ||
                        platform::sim::EqualsIgnoringCase(entry, wanted))) {
      name = listed;
      return family;
    }
  }
  return -1;
}

std::string Ports(int os, const std::string& model, const PortOptions& options) {
  const bool win98 = os == kTargetWin98Me;
  std::string text = std::string("  serial    ") + (win98 ? "COM1:, COM2:" : "KSCOM1: to KSCOM8:") +
                     "  -> STD driver, printer " + model + "(S)\n" + "  parallel  " +
                     (win98 ? "LPT1:" : "LPT1: to LPT3:") + "  -> GDI driver, printer " + model +
                     "(P)\n";
  if (options.usb == 0 || os == kTargetNt4) {
    return text + "  USB       none" +
           (options.usb != 0 ? " (Windows NT 4 has no USB)\n" : " (USBSUPPORTED is 0)\n");
  }
  const int count = options.advanced != 0 ? ports::kAdvancedUsbPorts : 1;
  for (int n = 1; n <= count; ++n) {
    ports::PortText port{};
    const bool fits = ports::FormatUsbPortName(model.c_str(), n, port);
    text += std::string("  USB       ") + (fits ? port : "(name too long: not offered)") +
            (n > 1 ? "  (Advanced mode)" : "") + "  -> GDI driver, printer " + model + "(U) " +
            std::to_string(n) + "\n";
  }
  return text;
}

std::string Monitors(CheckContext& context, int os) {
  std::string text;
  for (const PlannedMonitor& monitor : PlanPortMonitors(context.config, os)) {
    const std::string folder = install::PackageFolder(os);
    text += "  " + monitor.kind + " ports: \"" + monitor.name + "\" version " +
            std::to_string(monitor.version) + ": " + folder.substr(1) + monitor.dll +
            (monitor.uiDll.empty() || monitor.uiDll[0] == '0'
                 ? std::string()
                 : " and " + folder.substr(1) + monitor.uiDll) +
            " -> system folder, when not installed yet or older\n";
  }
  return text.empty() ? "  none\n" : text;
}

std::string Number(std::uint32_t value) {
  return std::to_string(value);
}

// What becomes of a planned copy: "copied", "missing" (named, but not in the package folder) or
// "not given" (a value beginning with 0).
std::string CopyState(const PlannedCopy& copy, const std::vector<std::string>& listing) {
  if (copy.name.empty() || copy.name[0] == '0') {
    return "not given";
  }
  const bool present = std::any_of(listing.begin(), listing.end(), [&](const std::string& entry) {
    return platform::sim::EqualsIgnoringCase(entry, copy.name);
  });
  return present ? "copied" : "missing";
}

std::string Driver(const InstallPlan& plan, const std::vector<std::string>& listing) {
  const std::string folder = install::PackageFolder(plan.targetOs);
  std::string text;
  for (const PlannedCopy& copy : plan.copies) {
    const std::string state = CopyState(copy, listing);
    text += "    " + folder.substr(1) + copy.name + " -> " + DestinationName(copy.destination) +
            (copy.key.empty() ? "" : "  (" + copy.key + ")") +
            (copy.when.empty() ? "" : "  " + copy.when) +
            (state == "not given" ? "  -- not copied: no file given"
             : state == "missing" ? "  -- MISSING from the package folder"
                                  : "") +
            "\n";
  }
  std::string dependents;
  for (const std::string& entry : plan.dependentFiles) {
    dependents += (dependents.empty() ? "" : ", ") + entry;
  }
  text += "  print processor: \"" + plan.processor + "\"" +
          (plan.installsProcessor ? " (the package's; installed when absent or older)"
                                  : " (the system's)") +
          "\n";
  text += std::string("  language monitor: ") +
          (plan.registersLanguageMonitor ? "\"Language Monitor\" (pjlmon.dll) registered"
                                         : "none registered") +
          "\n";
  text += "  driver \"" + plan.driverName + "\", version " + Number(plan.driverVersion) +
          (plan.environment.empty() ? "" : ", environment \"" + plan.environment + "\"") +
          ": driver " + plan.driverPath + ", data " + plan.dataFile + ", configuration " +
          plan.configFile + ", help " + plan.helpFile + ", monitor \"" + plan.monitorName +
          "\", dependent files: " + (dependents.empty() ? "none" : dependents) + "\n";
  text += "  printer: driver \"" + plan.driverName + "\", data type \"" + plan.datatype +
          "\", comment \"" + plan.comment + "\", location \"" + plan.location +
          "\", separator file \"" + plan.sepFile + "\", attributes " + Number(plan.attributes) +
          ", priority " + Number(plan.priority) + ", default priority " +
          Number(plan.defaultPriority) + "\n";
  DEVMODEA dm{};
  std::memcpy(&dm, plan.devModeBytes.data(), std::min(sizeof(dm), plan.devModeBytes.size()));
  text += "  device mode: device name \"" + std::string(reinterpret_cast<char*>(dm.dmDeviceName)) +
          "\", form \"" + std::string(reinterpret_cast<char*>(dm.dmFormName)) + "\", paper " +
          std::to_string(dm.dmPaperWidth) + " x " + std::to_string(dm.dmPaperLength) + ", copies " +
          std::to_string(dm.dmCopies) + ", fields " + Number(dm.dmFields) +
          ", driver-private bytes " + std::to_string(dm.dmDriverExtra) + "\n";
  return text;
}

// The message as the Chinese wizard shows it, then as the English one does.
std::string MessageText(unsigned id) {
  for (const messages::MessageText& message : messages::kMessageTable) {
    if (message.id == id) {
      return std::string(message.chinese) + "\" / \"" + message.english;
    }
  }
  return "";
}

// The family file as the reader sees it, or null when it is not in the package.
std::optional<ConfigFile> FamilyFile(CheckContext& context, int family) {
  std::string relative = ConfigFileName(family + 1);
  std::replace(relative.begin(), relative.end(), '/', '\\');
  const std::optional<std::string> bytes = context.folder.Read(relative);
  if (!bytes) {
    return std::nullopt;
  }
  return ConfigFile(ConfigFileName(family + 1), *bytes, context.folder.ParseIni(relative, *bytes));
}

std::string JsonList(const std::vector<std::string>& items, TextConverter convert) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += (i == 0 ? "" : ", ") + JsonString(convert(items[i]));
  }
  return out + "]";
}

// The text's lines, without their two-blank indent.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    std::string line = text.substr(at, end - at);
    lines.push_back(line.substr(line.find_first_not_of(' ')));
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

}  // namespace

int ParseSystem(const std::string& name) {
  const std::string upper = platform::sim::UpperCase(name);
  const struct {
    const char* name;
    int os;
  } kNames[] = {{"98", kTargetWin98Me},
                {"WIN98", kTargetWin98Me},
                {"ME", kTargetWin98Me},
                {"NT", kTargetNt4},
                {"NT4", kTargetNt4},
                {"2K", kTargetWin2000},
                {"2000", kTargetWin2000},
                {"XP", kTargetWinXp},
                {"WINXP", kTargetWinXp},
                {"2003", kTargetServer2003},
                {"SERVER2003", kTargetServer2003}};
  for (const auto& entry : kNames) {
    if (upper == entry.name) {
      return entry.os;
    }
  }
  for (int os = 0; os < kTargetOsCount; ++os) {
    if (upper == platform::sim::UpperCase(SystemName(os))) {
      return os;
    }
  }
  return -1;
}

int PrintPlan(CheckContext& context, const std::string& wanted, const std::string& system,
              TextConverter convert, std::string& out, bool json) {
  const int os = ParseSystem(system);
  std::string model;
  const int family = FindModel(context, wanted, model);
  if (os < 0 || family < 0) {
    const std::string error = os < 0 ? "unknown system \"" + system + "\" (98, NT, 2K, XP or 2003)"
                                     : "no model \"" + wanted + "\" in the model list";
    out = json ? "{\"schema\": " + std::to_string(kJsonSchema) +
                     ", \"error\": " + JsonString(convert(error)) + "}\n"
               : convert("pkgcheck: " + error) + "\n";
    return 2;
  }
  const PortOptions options = ReadPortOptions(context, family, model);
  const std::string head = "Installing " + model + " (" + ConfigFileName(family + 1) + ") on " +
                           SystemName(os) + ", files from " + SystemFolder(os) + "\\:\n";
  std::string jsonOut = "{\"schema\": " + std::to_string(kJsonSchema) +
                        ", \"model\": " + JsonString(convert(model)) +
                        ", \"system\": " + JsonString(SystemName(os)) +
                        ", \"familyFile\": " + JsonString(ConfigFileName(family + 1)) +
                        ", \"folder\": " + JsonString(SystemFolder(os));
  if (os == kTargetServer2003 && options.server2003 == 0) {
    const std::string refusal =
        "System2003Supported is 0: message 145 \"" + MessageText(IDS_NO_SERVER2003) + "\"";
    out = json ? jsonOut + ", \"refused\": " + JsonString(convert(refusal)) + "}\n"
               : convert(head + "  refused: " + refusal + "\n");
    return 0;
  }
  const std::string ports = Ports(os, model, options);
  const std::string monitors = Monitors(context, os);
  std::string text = head + "Ports offered (baud rate " + std::to_string(options.baudRate) +
                     " preselected):\n" + ports +
                     "Port monitors installed for a serial or USB port:\n" + monitors;
  jsonOut += ", \"refused\": null, \"baudRate\": " + std::to_string(options.baudRate) +
             ", \"ports\": " + JsonList(Lines(ports), convert) +
             ", \"monitors\": " + JsonList(Lines(monitors), convert) + ", \"drivers\": [";
  const std::optional<ConfigFile> file = FamilyFile(context, family);
  const std::vector<std::string> listing =
      context.folder.List(SystemFolder(os)).value_or(std::vector<std::string>());
  for (const int flavor : {kFlavorStd, kFlavorGdi}) {
    const InstallPlan plan = PlanInstallation(context.config, family, model, os, flavor);
    Text section{};
    config::DriverSectionName(model.c_str(), os, section);
    const bool sectionMissing = !file || file->SectionLine(section) == 0;
    text += std::string(FlavorName(flavor)) + " driver (" +
            (flavor == kFlavorStd ? "serial ports; in Advanced mode also others"
                                  : "parallel and USB ports") +
            "):\n";
    jsonOut += std::string(flavor == kFlavorStd ? "" : ", ") +
               "{\"flavor\": " + JsonString(FlavorName(flavor)) +
               ", \"section\": " + JsonString(convert(section)) +
               ", \"sectionMissing\": " + (sectionMissing ? "true" : "false");
    if (sectionMissing) {
      // Every key reads as "0": nothing to list file by file.
      text += "  [" + std::string(section) + "] is MISSING from " + ConfigFileName(family + 1) +
              ": every key reads as \"0\", so no file of this driver is copied\n";
      jsonOut += ", \"files\": [], \"details\": []}";
      continue;
    }
    const std::string folder = install::PackageFolder(os);
    jsonOut += ", \"files\": [";
    for (std::size_t i = 0; i < plan.copies.size(); ++i) {
      const PlannedCopy& copy = plan.copies[i];
      jsonOut += std::string(i == 0 ? "" : ", ") +
                 "{\"file\": " + JsonString(convert(folder.substr(1) + copy.name)) +
                 ", \"destination\": " + JsonString(DestinationName(copy.destination)) +
                 ", \"key\": " + JsonString(copy.key) + ", \"when\": " + JsonString(copy.when) +
                 ", \"state\": " + JsonString(CopyState(copy, listing)) + "}";
    }
    const std::string driver = Driver(plan, listing);
    const std::vector<std::string> lines = Lines(driver.substr(driver.find("  print processor")));
    jsonOut += "], \"details\": " + JsonList(lines, convert) + "}";
    text += "  files:\n" + driver;
  }
  out = json ? jsonOut + "]}\n" : convert(text);
  return 0;
}

}  // namespace pkgcheck
