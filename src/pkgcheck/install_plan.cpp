#include "pkgcheck/install_plan.h"

#include <cstring>

#include "install/driver_file.h"
#include "install/model_files.h"
#include "install/unidrv_files.h"
#include "pkgcheck/check_context.h"

namespace pkgcheck {
namespace {

std::string String(const char* text) {
  return text == nullptr ? std::string() : std::string(text);
}

std::vector<std::string> MultiString(const char* list) {
  std::vector<std::string> entries;
  for (const char* p = list; p != nullptr && *p != '\0'; p += std::strlen(p) + 1) {
    entries.emplace_back(p);
  }
  return entries;
}

// The copies in the installation's order: the print processor's DLL, the driver's own files
// (PlaceModelFiles), the universal driver's, the resource DLL, the language monitor's DLL.
void PlanCopies(InstallPlan& plan, const std::string& f) {
  const config::DriverFileList& files = plan.files;
  const int os = plan.targetOs;
  auto& copies = plan.copies;
  // The print processor is brought up to date before the driver's files are placed.
  if (plan.installsProcessor && files.printProcessorDll[0] != '\0') {
    copies.push_back({files.printProcessorDll, install::kProcessorDir, f + "ProcessorDLLName",
                      "when the processor is not installed yet, or older"});
  }
  for (const install::FileCopy& copy : install::NamedFileCopies(files, os)) {
    copies.push_back({copy.name, copy.destination, f + copy.key, ""});
  }
  if (os == kTargetWin98Me) {
    copies.push_back({"ICONLIB.DLL", install::kDriverDir, "", ""});
    copies.push_back({"UNIDRV.DLL", install::kDriverDir, "",
                      "when the system has no UNIDRV.DLL and no copy in Sysbckup"});
    if (plan.model.find("QRX-K810") != std::string::npos) {
      copies.push_back({"DMCOLOR.DLL", install::kDriverDir, "", "QRX-K810 models"});
    }
  }
  if (os >= kTargetWin2000 && plan.universalDriver) {
    for (const install::FileCopy& copy : install::UniversalDriverCopies()) {
      copies.push_back({copy.name, copy.destination, "", ""});
    }
  }
  if (plan.universalDriver) {
    copies.push_back({files.resourceDll, install::kDriverDirV3, f + "DataFileDLLName", ""});
  }
  if (plan.registersLanguageMonitor) {
    copies.push_back({files.languageMonitorDll, install::kDriverDir, f + "MonitorDLLName", ""});
  }
}

}  // namespace

const char* DestinationName(int destination) {
  switch (destination) {
    case install::kDriverDir:
      return "printer-driver folder";
    case install::kDriverDirV3:
      return "printer-driver folder\\3";
    case install::kProcessorDir:
      return "print-processor folder";
    case install::kSystemDir:
      return "system folder";
    default:
      return "?";
  }
}

InstallPlan PlanInstallation(config::DriverConfig& config, int printerType,
                             const std::string& model, int targetOs, int flavor) {
  InstallPlan plan;
  plan.model = model;
  plan.targetOs = targetOs;
  plan.flavor = flavor;
  config.SetPrinterType(printerType);
  const char* name = model.c_str();
  config.ReadDriverFileList(name, targetOs, plan.files, flavor);

  config::DriverRecord driver{};
  config.ReadDriverRecord(name, targetOs, driver, flavor);
  plan.driverVersion = driver.cVersion;
  plan.driverName = String(driver.pName);
  plan.environment = String(driver.pEnvironment);
  plan.driverPath = String(driver.pDriverPath);
  plan.dataFile = String(driver.pDataFile);
  plan.configFile = String(driver.pConfigFile);
  plan.helpFile = String(driver.pHelpFile);
  plan.monitorName = String(driver.pMonitorName);
  plan.dependentFiles = MultiString(driver.pDependentFiles);

  config::PrinterRecord printer{};
  config::DevModeBlock devMode;
  config.ReadPrinterRecord(name, targetOs, printer, flavor, devMode);
  plan.processor = String(printer.pPrintProcessor);
  plan.serverName = String(printer.pServerName);
  plan.comment = String(printer.pComment);
  plan.location = String(printer.pLocation);
  plan.sepFile = String(printer.pSepFile);
  plan.datatype = String(printer.pDatatype);
  plan.parameters = String(printer.pParameters);
  plan.attributes = printer.Attributes;
  plan.priority = printer.Priority;
  plan.defaultPriority = printer.DefaultPriority;
  plan.startTime = printer.StartTime;
  plan.untilTime = printer.UntilTime;
  plan.devModeBytes.assign(reinterpret_cast<const char*>(devMode.bytes()), devMode.size());

  plan.universalDriver = config.Is2kDdkDriver(name, targetOs, flavor);
  plan.installsProcessor = plan.processor != kSystemProcessor;
  plan.registersLanguageMonitor = plan.files.languageMonitorDll[0] != '\0';
  PlanCopies(plan, FlavorName(flavor));
  return plan;
}

std::vector<PlannedMonitor> PlanPortMonitors(config::DriverConfig& config, int targetOs) {
  config::PortMonitorSet set{};
  config.ReadPortMonitorSet(targetOs, set);
  std::vector<PlannedMonitor> monitors;
  const auto add = [&](const char* kind, const config::MonitorRecord& record, const char* uiDll,
                       std::int32_t version) {
    if (record.pDLLName != nullptr && record.pDLLName[0] != '\0') {
      monitors.push_back({kind, String(record.pName), String(record.pDLLName), uiDll, version});
    }
  };
  if (targetOs != kTargetWin98Me) {
    add("serial", set.serialMonitor, set.serialMonitorUiDll, set.serialMonitorVersion);
  }
  if (targetOs != kTargetNt4) {
    add("USB", set.usbMonitor, set.usbMonitorUiDll, set.usbMonitorVersion);
  }
  return monitors;
}

}  // namespace pkgcheck
