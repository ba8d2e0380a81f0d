#include "pkgcheck/model_checks.h"

#include <algorithm>
#include <set>

#include "config/decimal.h"
#include "config/family_suffix.h"
#include "config/section_names.h"
#include "pkgcheck/install_plan.h"
#include "pkgcheck/printer_checks.h"
#include "pkgcheck/registrations.h"
#include "pkgcheck/value_checks.h"
#include "platform/sim/name_case.h"

namespace pkgcheck {
namespace {

constexpr int kFileCapacity = kTextSize - 1;
constexpr int kNameCapacity = 49;
constexpr int kOptionCapacity = kTextSize - 1;
constexpr std::int32_t kBaudRates[] = {110,  300,   1200,  2400,  4800,
                                       9600, 19200, 38400, 57600, 115200};
// "USB_" + model + "_4" must fit the supported USB list (29 characters) and the port page's
// port buffer (51 characters).
constexpr std::size_t kUsbListModelChars = 29 - 6;
constexpr std::size_t kPortBufferModelChars = 51 - 6;

std::string Section(void (*name)(const char*, int, Text&), const Model& model, int os) {
  Text section{};
  name(model.name.c_str(), os, section);
  return section;
}

// What a driver-section key's file is to the driver ("DataFileDLLName": "resource DLL").
std::string FileRole(const std::string& key) {
  static const std::pair<const char*, const char*> kRoles[] = {
      {"DriverPath", "driver DLL"},
      {"DataFile", "data file"},
      {"ConfigFile", "configuration DLL"},
      {"HelpFile", "help file"},
      {"DataFileDLLName", "resource DLL"},
      {"MonitorDLLName", "language-monitor DLL"},
      {"ProcessorDLLName", "print-processor DLL"},
      {"DataOemuniDLL", "OEM plug-in DLL"},
      {"DataOemuniini", "OEM plug-in INI file"}};
  for (const auto& [name, role] : kRoles) {
    if (key == name) {
      return role;
    }
  }
  return key;
}

// Whether the file holds any section of the model ("M." followed by anything).
bool HasAnySection(const ConfigFile& file, const std::string& model) {
  return file.HasSectionStartingWith(model + ".");
}

// The family file another suffix would select, when it holds the model's sections.
std::string OtherFamilyHint(const CheckContext& context, const Model& model) {
  for (int type = 0; type < kPrinterTypeCount; ++type) {
    const ConfigFile* other = context.Family(type);
    if (type != model.family && other != nullptr && HasAnySection(*other, model.name)) {
      return "; its sections are in " + other->name() + ", which the suffix \"" +
             config::FamilySuffix(type) + "\" selects";
    }
  }
  return "";
}

// The family file of each model, once per missing file.
bool FamilyFileReadable(CheckContext& context, const Model& model) {
  if (context.Family(model.family) != nullptr) {
    return true;
  }
  if (!context.unreadable[model.family + 1]) {
    std::string models;
    for (const Model& m : context.models) {
      models += m.family == model.family ? (models.empty() ? "" : ", ") + m.name : "";
    }
    context.Add(Severity::kError, Where{ConfigFileName(model.family + 1), 0, "", ""},
                "file-missing", "missing: " + models + " cannot be installed");
  }
  return false;
}

void ReadPortOptions(CheckContext& context, const ConfigFile& file, Model& model) {
  Text sectionText{};
  config::PortOptionsSectionName(model.name.c_str(), sectionText);
  const std::string section = sectionText;
  model.portOptions = file.SectionLine(section) != 0;
  if (!model.portOptions) {
    context.Add(Severity::kError, Where{file.name(), 0, section, ""}, "section-missing",
                "missing: the model offers Typical mode only, is refused on Windows Server 2003, "
                "preselects no baud rate and no USB port");
    return;
  }
  const auto option = [&](const char* key, Severity severity, const char* meaning) {
    return static_cast<std::int32_t>(CheckNumber(context, file, section, key, kOptionCapacity,
                                                 kCount, IfMissing{severity, meaning}));
  };
  model.advanced = option("AdvancedSetup", Severity::kWarning, "so only Typical mode is offered");
  model.server2003 = option("System2003Supported", Severity::kWarning,
                            "so the model is refused on Windows Server 2003");
  model.baudRate = option("BaudRate", Severity::kError, "which is no baud rate");
  model.usb = option("USBSUPPORTED", Severity::kWarning, "so no USB port is offered");
  model.lptDefault = option("LPTDEFAULT", Severity::kWarning, "so LPT1: is not preselected");
  model.usbPortsKnown = true;
  for (const char* key : {"USBSUPPORTED", "AdvancedSetup"}) {
    const std::optional<std::string> raw = file.Raw(section, key);
    model.usbPortsKnown =
        model.usbPortsKnown && raw && config::ScanDecimal(Unquoted(*raw).c_str()).plain;
  }
  if (file.Raw(section, "BaudRate") && std::find(std::begin(kBaudRates), std::end(kBaudRates),
                                                 model.baudRate) == std::end(kBaudRates)) {
    context.Add(Severity::kError, context.At(file, section, "BaudRate"), "baud-rate",
                std::to_string(model.baudRate) +
                    " is not a rate the port page offers (110, 300, 1200, 2400, 4800, 9600, "
                    "19200, 38400, 57600, 115200)");
  }
}

// Names that the USB port names and the printer names built from the model cannot carry.
void CheckNameForUsb(CheckContext& context, Model& model) {
  const Where where{ConfigFileName(kCommonFile), model.line, "DEVICENAME",
                    "DEVICENAME" + std::to_string(model.entry)};
  const std::size_t length = model.name.size();
  if (length > kUsbListModelChars) {
    model.nameTooLongForUsb = true;
    context.Add(Severity::kError, where, "model-name-too-long-for-usb",
                "the model name \"" + model.name + "\" is " + std::to_string(length) +
                    " characters long: with USBSUPPORTED its USB port names USB_" + model.name +
                    "_n " +
                    (length > kPortBufferModelChars
                         ? "do not fit the port page and are never offered"
                         : "are longer than the 29 characters of [SUPPORTED-USB-DEVICE]") +
                    "; at most 23 characters");
  }
  if (model.name.find_first_of("()") != std::string::npos) {
    context.Add(Severity::kWarning, where, "model-name-bracket",
                "the model name \"" + model.name +
                    "\" holds a bracket: a USB printer's port "
                    "name loses the bracketed text");
  }
  for (int n = 1; n <= 8; ++n) {
    if (model.name.find("_" + std::to_string(n)) != std::string::npos) {
      context.Add(Severity::kWarning, where, "model-name-port-number",
                  "the model name \"" + model.name + "\" holds \"_" + std::to_string(n) +
                      "\", which USB port names use for their number: the port page and the "
                      "printer name take it for one");
      break;
    }
  }
}

void ChooseSystems(CheckContext& context, const ConfigFile& file, Model& model) {
  model.systems = {kTargetWin98Me, kTargetNt4, kTargetWin2000, kTargetWinXp};
  if (model.server2003 != 0) {
    const int os = kTargetServer2003;
    if (file.SectionLine(Section(config::DriverSectionName, model, os)) == 0 &&
        file.SectionLine(Section(config::PrinterInfoSectionName, model, os)) == 0 &&
        file.SectionLine(Section(config::DevModeSectionName, model, os)) == 0) {
      Text port{};
      config::PortOptionsSectionName(model.name.c_str(), port);
      context.Add(Severity::kError, context.At(file, port, "System2003Supported"),
                  "server2003-sections",
                  "the model may be installed on Windows Server 2003, but it has no section for "
                  "it (" +
                      model.name + ".2003, .PRINTERINFO2003, .DEVMODE2003); or set 0");
      return;
    }
    model.systems.push_back(os);
    return;
  }
  const std::string section = Section(config::DriverSectionName, model, kTargetServer2003);
  if (model.portOptions && file.SectionLine(section) != 0) {
    context.Add(Severity::kNote, Where{file.name(), file.SectionLine(section), section, ""},
                "unused-section", "never read: System2003Supported is 0");
  }
}

// The kind of a model's section from its suffix: "PRINTERINFO", "DEVMODE", "PORT" or "" (a
// driver section).
std::string SectionKind(const std::string& suffix) {
  const std::string upper = platform::sim::UpperCase(suffix);
  for (const char* kind : {"PRINTERINFO", "DEVMODE"}) {
    if (upper.compare(0, std::char_traits<char>::length(kind), kind) == 0) {
      return kind;
    }
  }
  return upper == "PORT" ? "PORT" : "";
}

bool IsReadSuffix(const std::string& suffix) {
  static const char* const kRead[] = {"PORT",
                                      "98",
                                      "NT",
                                      "2K",
                                      "XP",
                                      "2003",
                                      "PRINTERINFO98",
                                      "PRINTERINFONT",
                                      "PRINTERINFO2K",
                                      "PRINTERINFO2003",
                                      "DEVMODE98",
                                      "DEVMODENT",
                                      "DEVMODE2K",
                                      "DEVMODE2003"};
  return std::any_of(std::begin(kRead), std::end(kRead), [&](const char* read) {
    return platform::sim::EqualsIgnoringCase(suffix, read);
  });
}

// A section of the model, of the missing section's kind, that no system reads: a repeat of
// another of its sections or a misspelt name. Probably the missing section, so the finding
// points there. Its line, or 0.
int StraySectionLine(const ConfigFile& file, const std::string& section, std::string& why) {
  const std::size_t dot = section.rfind('.');
  const std::string model = section.substr(0, dot + 1);
  const std::string kind = SectionKind(section.substr(dot + 1));
  const auto& lines = file.document().lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& name = lines[i].name;
    if (lines[i].kind != platform::sim::IniDocument::Kind::kHeader ||
        !platform::sim::EqualsIgnoringCase(name.substr(0, model.size()), model) ||
        SectionKind(name.substr(model.size())) != kind) {
      continue;
    }
    const std::size_t first = file.document().FindHeader(name);
    if (first != i) {
      why = "the section at this line repeats [" + name + "] (first at line " +
            std::to_string(first + 1) + ") and is never read: was it meant as [" + section + "]?";
      return static_cast<int>(i + 1);
    }
    if (!IsReadSuffix(name.substr(model.size()))) {
      why = "[" + name + "] at this line is never read, no system reads a section of that name" +
            (platform::sim::UpperCase(name).find("XP") != std::string::npos && !kind.empty()
                 ? " (Windows XP reads the 2K section)"
                 : "") +
            ": rename it [" + section + "]";
      return static_cast<int>(i + 1);
    }
  }
  return 0;
}

// The section, or a finding that it is missing.
bool RequireSection(CheckContext& context, const ConfigFile& file, const std::string& section,
                    int os) {
  if (file.SectionLine(section) != 0) {
    return true;
  }
  // Windows 2000 and XP read the same printer-information and device-mode sections.
  const std::string kind = SectionKind(section.substr(section.rfind('.') + 1));
  std::string message =
      std::string("missing: it is read for ") + SystemName(os) +
      (os == kTargetWin2000 && !kind.empty() ? std::string(" and ") + SystemName(kTargetWinXp)
                                             : std::string());
  std::string why;
  const int line = StraySectionLine(file, section, why);
  if (line != 0) {
    message += "; " + why;
  } else if (os == kTargetServer2003) {
    message += "; or set System2003Supported=0";
  }
  context.Add(Severity::kError, Where{file.name(), line, section, ""}, "section-missing", message);
  return false;
}

bool HasFlavorKeys(const ConfigFile& file, const std::string& section, int flavor) {
  const std::string prefix = FlavorName(flavor);
  const auto keys = file.Keys(section);
  return std::any_of(keys.begin(), keys.end(), [&](const auto& key) {
    return platform::sim::UpperCase(key.first).compare(0, 3, prefix) == 0;
  });
}

void CheckLanguageMonitor(CheckContext& context, const ConfigFile& file, const std::string& section,
                          const std::string& f, const InstallPlan& plan) {
  const std::string nameKey = f + "MonitorName";
  const std::string dllKey = f + "MonitorDLLName";
  CheckText(context, file, section, nameKey, kNameCapacity,
            IfMissing{Severity::kError,
                      "the monitor the driver names, which does not exist; give "
                      "\"Language Monitor\" or leave it empty"});
  const std::string name = plan.monitorName;
  const std::string dll = plan.files.languageMonitorDll;
  if (file.Raw(section, nameKey) && !name.empty() && name != "Language Monitor") {
    context.Add(Severity::kWarning, context.At(file, section, nameKey), "language-monitor",
                "\"" + name +
                    "\": Setup.exe registers only \"Language Monitor\" (pjlmon.dll); "
                    "a driver naming another monitor needs it installed otherwise");
  }
  if (!file.Raw(section, dllKey)) {
    context.Add(Severity::kWarning, context.At(file, section, dllKey), "key-missing",
                "missing: it reads as \"0\", so no DLL is copied, yet \"Language Monitor\" is "
                "registered; leave it empty for a driver without language monitor");
  } else if (name.empty() != dll.empty()) {
    context.Add(Severity::kWarning, context.At(file, section, dllKey), "language-monitor",
                name.empty() ? "a language-monitor DLL is given, but " + nameKey + " is empty"
                             : "empty, but the driver names \"" + name +
                                   "\", which the installation then does not register");
  }
}

void CheckProcessor(CheckContext& context, const ConfigFile& file, const std::string& section,
                    const std::string& f, const InstallPlan& plan) {
  const std::string key = f + "PrintProcessor";
  if (!CheckText(context, file, section, key, kNameCapacity,
                 IfMissing{Severity::kError,
                           "a print processor that does not exist: give WinPrint or the "
                           "package's processor"})) {
    return;
  }
  const std::string& name = plan.processor;
  const Where where = context.At(file, section, key);
  if (name.empty()) {
    context.Add(Severity::kError, where, "print-processor",
                "empty: give WinPrint or the package's processor");
  } else if (name != kSystemProcessor &&
             platform::sim::EqualsIgnoringCase(name, kSystemProcessor)) {
    context.Add(Severity::kError, where, "print-processor",
                "\"" + name +
                    "\": spell it WinPrint, or Setup.exe tries to install it as the "
                    "package's own processor");
  } else if (name.find('\\') != std::string::npos) {
    context.Add(Severity::kError, where, "print-processor",
                "\"" + name + "\" holds a backslash, which a processor name cannot hold");
  }
}

// The universal-driver flags of one flavour against each other.
void CheckUniversalDriver(CheckContext& context, const ConfigFile& file, const std::string& section,
                          const std::string& f, const InstallPlan& plan) {
  const std::string flagKey = f + "2KDDKDEV";
  const std::string flag = context.Read(file, section, flagKey, 5);
  if (file.Raw(section, flagKey) && flag[0] != '0' && flag[0] != '1') {
    context.Add(Severity::kWarning, context.At(file, section, flagKey), "universal-flag",
                "\"" + flag +
                    "\": only a value beginning with 1 makes the driver a "
                    "universal-driver minidriver");
  }
  if (plan.universalDriver && plan.targetOs < kTargetWin2000) {
    context.Add(Severity::kError, context.At(file, section, flagKey), "universal-flag",
                std::string("universal-driver minidrivers need Windows 2000 or later; on ") +
                    SystemName(plan.targetOs) +
                    " the resource DLL is copied to a \\3 folder "
                    "that does not exist");
    return;
  }
  const bool dependents = !plan.dependentFiles.empty();
  if (plan.targetOs >= kTargetWin2000 && dependents != plan.universalDriver) {
    const bool gdiKeyAlone = dependents;
    context.Add(Severity::kError, context.At(file, section, gdiKeyAlone ? "GDI2KDDKDEV" : flagKey),
                "universal-flag",
                gdiKeyAlone ? "GDI2KDDKDEV lists the universal-driver files for the " + f +
                                  " driver, but " + flagKey + " is not 1, so they are not copied"
                            : flagKey + "=1 makes the " + f +
                                  " driver a universal-driver minidriver, but without "
                                  "GDI2KDDKDEV its driver names no dependent files");
  }
}

// The OEM plug-in files are copied only as a pair.
void CheckOemPair(CheckContext& context, const ConfigFile& file, const std::string& section,
                  const std::string& f, const InstallPlan& plan) {
  const std::string dll = plan.files.oemPluginDll;
  const std::string ini = plan.files.oemPluginIni;
  const bool dllGiven = !dll.empty() && dll[0] != '0';
  const bool iniGiven = !ini.empty() && ini[0] != '0';
  for (const auto& [key, value] :
       {std::make_pair(f + "DataOemuniDLL", dll), std::make_pair(f + "DataOemuniini", ini)}) {
    if (file.Raw(section, key) && value.empty() && (dllGiven || iniGiven)) {
      context.Add(Severity::kError, context.At(file, section, key), "oem-files",
                  "empty: the installation tries to copy a file without a name (message 122); "
                  "leave the key out");
    }
  }
  if (dllGiven != iniGiven) {
    context.Add(Severity::kError,
                context.At(file, section, dllGiven ? f + "DataOemuniini" : f + "DataOemuniDLL"),
                "oem-files",
                "give " + f + "DataOemuniDLL and " + f +
                    "DataOemuniini both or neither: neither is copied while only one is given");
  }
}

// Every file the installation copies: the names its keys give, and those it knows itself.
void CheckCopies(CheckContext& context, const ConfigFile& file, const std::string& section,
                 const Model& model, const InstallPlan& plan) {
  const std::string f = FlavorName(plan.flavor);
  const std::string purpose = f + " driver of " + model.name + " on " + SystemName(plan.targetOs);
  std::set<std::string> checked;
  for (const char* key : {"DriverPath", "DataFile", "ConfigFile", "HelpFile"}) {
    checked.insert(f + key);
    CheckFileName(context, file, section, f + key, context.Read(file, section, f + key, kTextSize),
                  kFileCapacity, plan.targetOs, true, FileRole(key) + " of the " + purpose);
  }
  for (const PlannedCopy& copy : plan.copies) {
    if (copy.key.empty()) {
      const bool system98 = plan.targetOs == kTargetWin98Me;
      const std::string trigger = system98 ? "" : f + "2KDDKDEV";
      context.fileUses.push_back(FileUse{plan.targetOs, copy.name,
                                         context.At(file, section, trigger),
                                         copy.when.empty() ? Severity::kError : Severity::kWarning,
                                         "copied by Setup.exe for the " + purpose +
                                             (copy.when.empty() ? "" : " (" + copy.when + ")")});
    } else if (checked.insert(copy.key).second) {
      const bool required = copy.key == f + "DataFileDLLName" || copy.key == f + "ProcessorDLLName";
      CheckFileName(context, file, section, copy.key, copy.name, kFileCapacity, plan.targetOs,
                    required, FileRole(copy.key.substr(3)) + " of the " + purpose);
    }
  }
}

void CheckDriverFlavor(CheckContext& context, const ConfigFile& file, const Model& model, int os,
                       int flavor, Registrations& registrations) {
  const std::string section = Section(config::DriverSectionName, model, os);
  const std::string f = FlavorName(flavor);
  if (!HasFlavorKeys(file, section, flavor)) {
    context.Add(Severity::kError, Where{file.name(), file.SectionLine(section), section, ""},
                "flavor-missing",
                "no " + f + " keys: the " + f + " driver serves the " +
                    (flavor == kFlavorStd ? "serial ports" : "parallel ports") +
                    ", which are always offered");
    return;
  }
  const InstallPlan plan = PlanInstallation(context.config, model.family, model.name, os, flavor);
  CheckCopies(context, file, section, model, plan);
  CheckOemPair(context, file, section, f, plan);
  CheckLanguageMonitor(context, file, section, f, plan);
  CheckProcessor(context, file, section, f, plan);
  CheckUniversalDriver(context, file, section, f, plan);
  const std::string infoSection = Section(config::PrinterInfoSectionName, model, os);
  if (file.SectionLine(infoSection) != 0) {
    CheckDriverName(context, file, infoSection, f);
    registrations.AddDriver(context.At(file, infoSection, f + "DRIVERNAME"), model, plan);
  }
  registrations.AddProcessor(context.At(file, section, f + "PrintProcessor"), model, plan);
  context.packageProcessor = context.packageProcessor || plan.installsProcessor;
}

void CheckSystem(CheckContext& context, const ConfigFile& file, const Model& model, int os,
                 Registrations& registrations) {
  const std::string driverSection = Section(config::DriverSectionName, model, os);
  if (RequireSection(context, file, driverSection, os)) {
    for (const int flavor : {kFlavorStd, kFlavorGdi}) {
      CheckDriverFlavor(context, file, model, os, flavor, registrations);
    }
  }
  // Windows 2000 and XP share these two: checked once.
  const std::string infoSection = Section(config::PrinterInfoSectionName, model, os);
  if (os != kTargetWinXp && RequireSection(context, file, infoSection, os)) {
    CheckPrinterInfo(context, file, infoSection);
  }
  const std::string devModeSection = Section(config::DevModeSectionName, model, os);
  if (os != kTargetWinXp && RequireSection(context, file, devModeSection, os)) {
    CheckDevMode(context, file, devModeSection);
  }
}

void CheckModel(CheckContext& context, Model& model, Registrations& registrations) {
  if (!FamilyFileReadable(context, model)) {
    return;
  }
  const ConfigFile& file = *context.Family(model.family);
  if (!HasAnySection(file, model.name)) {
    context.Add(
        Severity::kError,
        Where{ConfigFileName(kCommonFile), model.line, "DEVICENAME",
              "DEVICENAME" + std::to_string(model.entry)},
        "model-sections-missing",
        file.name() + " holds no section of " + model.name + OtherFamilyHint(context, model));
    return;
  }
  model.checked = true;
  ReadPortOptions(context, file, model);
  if (model.usb != 0) {
    CheckNameForUsb(context, model);
  }
  ChooseSystems(context, file, model);
  for (const int os : model.systems) {
    CheckSystem(context, file, model, os, registrations);
  }
}

}  // namespace

void CheckModels(CheckContext& context) {
  Registrations registrations;
  for (Model& model : context.models) {
    CheckModel(context, model, registrations);
  }
  registrations.Report(context);
}

}  // namespace pkgcheck
