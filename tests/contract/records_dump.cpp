// Prints every record the installer reads from the package beside this program, for every
// model, target system and driver flavour, in one canonical text. Built natively (reading the
// package through the simulated profile reader) and for Windows (through the real one), so that
// the two outputs can be compared byte for byte.
//   records_dump [package folder]   (native build: the package folder to load into the sim)
#include <cstdio>
#include <string>

#include "config/driver_config.h"
#include "contract_platform.h"
#include "records_package.h"

namespace {

std::string Hex(const unsigned char* bytes, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 15];
  }
  return out;
}

std::string Quoted(const char* text) {
  return text == nullptr ? "(null)" : "\"" + std::string(text) + "\"";
}

// A multi-string list up to its closing terminator.
std::string List(const char* list) {
  std::string out = "[";
  while (list != nullptr && *list != '\0') {
    out += Quoted(list) + " ";
    list += std::string(list).size() + 1;
  }
  return out + "]";
}

void DumpModel(config::DriverConfig& config, const char* model, int type) {
  config.SetPrinterType(type);
  for (int os = 0; os < kTargetOsCount; ++os) {
    for (int flavor = kFlavorStd; flavor <= kFlavorGdi; ++flavor) {
      std::printf("== %s family %d os %d flavor %d\n", model, type, os, flavor);
      config::DriverFileList files{};
      config.ReadDriverFileList(model, os, files, flavor);
      std::printf("files %s %s %s %s %s %s %s %s %s\n", Quoted(files.driverPath).c_str(),
                  Quoted(files.dataFile).c_str(), Quoted(files.configFile).c_str(),
                  Quoted(files.helpFile).c_str(), Quoted(files.oemPluginDll).c_str(),
                  Quoted(files.oemPluginIni).c_str(), Quoted(files.resourceDll).c_str(),
                  Quoted(files.languageMonitorDll).c_str(),
                  Quoted(files.printProcessorDll).c_str());
      config::DriverRecord driver{};
      config.ReadDriverRecord(model, os, driver, flavor);
      std::printf("driver %lu %s %s %s %s %s %s %s %s %s\n",
                  static_cast<unsigned long>(driver.cVersion), Quoted(driver.pName).c_str(),
                  Quoted(driver.pEnvironment).c_str(), Quoted(driver.pDriverPath).c_str(),
                  Quoted(driver.pDataFile).c_str(), Quoted(driver.pConfigFile).c_str(),
                  Quoted(driver.pHelpFile).c_str(), List(driver.pDependentFiles).c_str(),
                  Quoted(driver.pMonitorName).c_str(), Quoted(driver.pDefaultDataType).c_str());
      std::printf("universal %d\n", config.Is2kDdkDriver(model, os, flavor) ? 1 : 0);
      config::PrinterRecord printer{};
      config::DevModeBlock devMode;
      config.ReadPrinterRecord(model, os, printer, flavor, devMode);
      std::printf(
          "printer %s %s %s %s %s %s %s %s %s %lu %lu %lu %lu %lu %lu %lu %lu\n",
          Quoted(printer.pServerName).c_str(), Quoted(printer.pPrinterName).c_str(),
          Quoted(printer.pDriverName).c_str(), Quoted(printer.pComment).c_str(),
          Quoted(printer.pLocation).c_str(), Quoted(printer.pSepFile).c_str(),
          Quoted(printer.pPrintProcessor).c_str(), Quoted(printer.pDatatype).c_str(),
          Quoted(printer.pParameters).c_str(), static_cast<unsigned long>(printer.Attributes),
          static_cast<unsigned long>(printer.Priority),
          static_cast<unsigned long>(printer.DefaultPriority),
          static_cast<unsigned long>(printer.StartTime),
          static_cast<unsigned long>(printer.UntilTime), static_cast<unsigned long>(printer.Status),
          static_cast<unsigned long>(printer.cJobs),
          static_cast<unsigned long>(printer.AveragePPM));
      std::printf("devmode %s\n", Hex(devMode.bytes(), devMode.size()).c_str());
    }
  }
}

void DumpPortMonitors(config::DriverConfig& config) {
  for (int os = 0; os < kTargetOsCount; ++os) {
    config::PortMonitorSet set{};
    config.ReadPortMonitorSet(os, set);
    config::MonitorRecord language{};
    config.ReadMonitorRecord(os, language);
    std::printf("monitors %d %s %s %s %s %ld | %s %s %s %s %ld | %s %s %s\n", os,
                Quoted(set.serialMonitor.pName).c_str(),
                Quoted(set.serialMonitor.pEnvironment).c_str(),
                Quoted(set.serialMonitor.pDLLName).c_str(), Quoted(set.serialMonitorUiDll).c_str(),
                static_cast<long>(set.serialMonitorVersion), Quoted(set.usbMonitor.pName).c_str(),
                Quoted(set.usbMonitor.pEnvironment).c_str(),
                Quoted(set.usbMonitor.pDLLName).c_str(), Quoted(set.usbMonitorUiDll).c_str(),
                static_cast<long>(set.usbMonitorVersion), Quoted(language.pName).c_str(),
                Quoted(language.pEnvironment).c_str(), Quoted(language.pDLLName).c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!contract::LoadPackage(argc > 1 ? argv[1] : nullptr)) {
    std::fprintf(stderr, "records_dump: cannot load the package\n");
    return 2;
  }
  config::DriverConfig config(contract::TestPlatform());
  const int count = config.ModelCount();
  std::printf("models %d version %ld\n", count, static_cast<long>(config.PackageDriverVersion()));
  for (int n = 1; n <= count; ++n) {
    Text model{};
    const int type = config.ModelEntry(n, model);
    std::printf("entry %d %d %s\n", n, type, model);
    if (type >= 0) {
      DumpModel(config, model, type);
    }
  }
  DumpPortMonitors(config);
  return 0;
}
