// DriverConfig's driver, file-list and monitor readers.
#include <cstring>
#include <string>

#include "config/decimal.h"
#include "config/dependent_files.h"
#include "config/driver_config.h"
#include "config/flavor_key.h"
#include "config/section_names.h"
#include "config/text_buffer.h"

namespace config {
namespace {

bool IsWin98Me(int targetOs) {
  return targetOs == kTargetWin98Me;
}

DWORD DriverVersionFor(int targetOs) {
  switch (targetOs) {
    case kTargetWin98Me:
      return 0;
    case kTargetNt4:
      return 2;
    default:
      return 3;
  }
}

bool ReceivesUnidrvDependents(int targetOs) {
  return targetOs == kTargetWin2000 || targetOs == kTargetWinXp || targetOs == kTargetServer2003;
}

}  // namespace

void DriverConfig::ReadDriverFileList(const char* model, int targetOs, DriverFileList& files,
                                      int flavor) {
  Text section{};
  DriverSectionName(model, targetOs, section);
  const struct {
    const char* key;
    Text& out;
  } reads[] = {
      {"DriverPath", files.driverPath},
      {"DataFile", files.dataFile},
      {"ConfigFile", files.configFile},
      {"HelpFile", files.helpFile},
      {"DataOemuniDLL", files.oemPluginDll},
      {"DataOemuniini", files.oemPluginIni},
      {"DataFileDLLName", files.resourceDll},
      {"MonitorDLLName", files.languageMonitorDll},
      {"ProcessorDLLName", files.printProcessorDll},
  };
  for (const auto& read : reads) {
    ReadFamilyValue(section, FlavorKey(flavor, read.key).c_str(), read.out, sizeof(read.out));
  }
}

void DriverConfig::ReadDriverRecord(const char* model, int targetOs, DriverRecord& record,
                                    int flavor) {
  DriverRecordTexts& t = storage_.driver;
  Text section{};
  PrinterInfoSectionName(model, targetOs, section);
  ReadFamilyValue(section, FlavorKey(flavor, "DRIVERNAME").c_str(), t.driverName,
                  sizeof(t.driverName));
  record.pName = t.driverName;

  record.cVersion = DriverVersionFor(targetOs);
  record.pEnvironment = IsWin98Me(targetOs) ? storage_.environment98 : nullptr;

  DriverSectionName(model, targetOs, section);
  ReadFamilyValue(section, FlavorKey(flavor, "DataFile").c_str(), t.dataFile, sizeof(t.dataFile));
  ReadFamilyValue(section, FlavorKey(flavor, "DriverPath").c_str(), t.driverPath,
                  sizeof(t.driverPath));
  ReadFamilyValue(section, FlavorKey(flavor, "HelpFile").c_str(), t.helpFile, sizeof(t.helpFile));
  ReadFamilyValue(section, FlavorKey(flavor, "ConfigFile").c_str(), t.configFile,
                  sizeof(t.configFile));
  ReadFamilyValue(section, FlavorKey(flavor, "MonitorName").c_str(), t.monitorName,
                  sizeof(t.monitorName));
  ReadFamilyValue(section, FlavorKey(flavor, "DataOemuniDLL").c_str(), t.oemPluginDll,
                  sizeof(t.oemPluginDll));
  ReadFamilyValue(section, FlavorKey(flavor, "DataOemuniini").c_str(), t.oemPluginIni,
                  sizeof(t.oemPluginIni));
  record.pDriverPath = t.driverPath;
  record.pDataFile = t.dataFile;
  record.pConfigFile = t.configFile;
  record.pHelpFile = t.helpFile;
  record.pMonitorName = t.monitorName;
  record.pDefaultDataType = nullptr;

  // The universal-driver dependent list follows the GDI key whatever the flavour.
  ReadFamilyValue(section, "GDI2KDDKDEV", t.universalDriverFlag, sizeof(t.universalDriverFlag));
  std::memset(t.dependentFiles, 0, sizeof(t.dependentFiles));
  if (ParseDecimal(t.universalDriverFlag) != 0 && ReceivesUnidrvDependents(targetOs)) {
    // Sized for the longest texts the keys hold: the list always fits.
    BuildUnidrvDependents(t.dataFile, t.oemPluginDll, t.oemPluginIni, t.dependentFiles,
                          sizeof(t.dependentFiles));
  }
  record.pDependentFiles = t.dependentFiles;
}

bool DriverConfig::Is2kDdkDriver(const char* model, int targetOs, int flavor) {
  Text section{};
  DriverSectionName(model, targetOs, section);
  char flag[5] = {};
  ReadFamilyValue(section, FlavorKey(flavor, "2KDDKDEV").c_str(), flag, sizeof(flag));
  return flag[0] == '1';
}

void DriverConfig::ReadMonitorRecord(int targetOs, MonitorRecord& record) {
  record.pName = storage_.monitors.languageMonitorName;
  record.pEnvironment = IsWin98Me(targetOs) ? storage_.environment98 : nullptr;
  record.pDLLName = storage_.monitors.languageMonitorDll;
}

void DriverConfig::ReadPortMonitorSet(int targetOs, PortMonitorSet& set) {
  MonitorTexts& t = storage_.monitors;
  char section[kMonitorSectionSize] = {};
  PortMonitorSectionName(targetOs, section);
  char version[10] = {};

  ReadCommonValue(section, "USBMONitorPName", t.usbMonitorName, sizeof(t.usbMonitorName));
  ReadCommonValue(section, "USBMONitorPDLLName", t.usbMonitorDll, sizeof(t.usbMonitorDll));
  ReadCommonValue(section, "USBMONitorPUIDLLName", set.usbMonitorUiDll, kShortTextSize);
  ReadCommonValue(section, "USBMONitorVersion", version, sizeof(version));
  set.usbMonitorVersion = ParseDecimal(version);

  ReadCommonValue(section, "COMMONitorPName", t.serialMonitorName, sizeof(t.serialMonitorName));
  ReadCommonValue(section, "COMMONitorPDLLName", t.serialMonitorDll, sizeof(t.serialMonitorDll));
  ReadCommonValue(section, "COMMONitorPUIDLLName", set.serialMonitorUiDll, kShortTextSize);
  ReadCommonValue(section, "COMMONitorVersion", version, sizeof(version));
  set.serialMonitorVersion = ParseDecimal(version);

  char* environment = IsWin98Me(targetOs) ? storage_.environment98 : nullptr;
  set.usbMonitor = MonitorRecord{t.usbMonitorName, environment, t.usbMonitorDll};
  set.serialMonitor = MonitorRecord{t.serialMonitorName, environment, t.serialMonitorDll};
}

}  // namespace config
