#include "pkgcheck/plan_output.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "config/decimal.h"
#include "config/family_suffix.h"
#include "config/section_names.h"
#include "install/package_files.h"
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

std::string Driver(const InstallPlan& plan) {
  const std::string folder = install::PackageFolder(plan.targetOs);
  std::string text;
  for (const PlannedCopy& copy : plan.copies) {
    const bool skipped = copy.name.empty() || copy.name[0] == '0';
    text += "    " + folder.substr(1) + copy.name + " -> " + DestinationName(copy.destination) +
            (copy.key.empty() ? "" : "  (" + copy.key + ")") +
            (copy.when.empty() ? "" : "  " + copy.when) +
            (skipped ? "  -- not copied: no file given" : "") + "\n";
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
              TextConverter convert, std::string& out) {
  const int os = ParseSystem(system);
  std::string model;
  const int family = FindModel(context, wanted, model);
  if (os < 0 || family < 0) {
    out = convert("pkgcheck: " + (os < 0
                                      ? "unknown system \"" + system + "\" (98, NT, 2K, XP or 2003)"
                                      : "no model \"" + wanted + "\" in the model list")) +
          "\n";
    return 2;
  }
  const PortOptions options = ReadPortOptions(context, family, model);
  std::string text = "Installing " + model + " (" + ConfigFileName(family + 1) + ") on " +
                     SystemName(os) + ", files from " + SystemFolder(os) + "\\:\n";
  if (os == kTargetServer2003 && options.server2003 == 0) {
    out = convert(text + "  refused: System2003Supported is 0 (message 145)\n");
    return 0;
  }
  text += "Ports offered (baud rate " + std::to_string(options.baudRate) + " preselected):\n" +
          Ports(os, model, options) + "Port monitors installed for a serial or USB port:\n" +
          Monitors(context, os);
  for (const int flavor : {kFlavorStd, kFlavorGdi}) {
    const InstallPlan plan = PlanInstallation(context.config, family, model, os, flavor);
    text += std::string(FlavorName(flavor)) + " driver (" +
            (flavor == kFlavorStd ? "serial ports; in Advanced mode also others"
                                  : "parallel and USB ports") +
            "):\n  files:\n" + Driver(plan);
  }
  out = convert(text);
  return 0;
}

}  // namespace pkgcheck
