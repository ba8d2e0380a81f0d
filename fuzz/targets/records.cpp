// DriverConfig's records read from any family file and any model name, for every system and
// flavour: every text is terminated inside its storage, the dependent list is closed, and the
// device-mode block keeps its fixed fields and whole characters.
#include <cstring>
#include <string>

#include "config/code_page.h"
#include "config/driver_config.h"
#include "fuzz/fuzz_target.h"
#include "platform/sim/sim_machine.h"

namespace {

void CheckText(const char* text) {
  FUZZ_CHECK(text != nullptr);
  FUZZ_CHECK(std::strlen(text) < 1000);
}

void CheckDevMode(const DEVMODEA& dm) {
  FUZZ_CHECK(dm.dmSize == 148 && dm.dmSpecVersion == 0x0400);
  for (const auto* field : {reinterpret_cast<const char*>(dm.dmDeviceName),
                            reinterpret_cast<const char*>(dm.dmFormName)}) {
    const std::size_t length = strnlen(field, 32);
    FUZZ_CHECK(length < 32);
    FUZZ_CHECK(config::WholeCharacterLength(std::string(field, length), length) == length);
  }
}

}  // namespace

FUZZ_TARGET(records) {
  fuzz::Input input(data, size);
  const std::string program = input.Text();
  const std::string model = input.Text().substr(0, kTextSize - 20);
  platform::sim::SimMachine machine;
  machine.SetModuleFileName(program.empty() ? "C:\\PACKAGE\\Setup.exe" : program);
  config::DriverConfig config(machine.platform());
  // The program's folder ends at a backslash of its own, never inside a character.
  const std::string path = config.CommonFilePath();
  FUZZ_CHECK(path.size() < kTextSize);
  machine.disk().WriteFile(config.FamilyFilePath(kReceiptPrinter), input.Rest());
  config.SetPrinterType(kReceiptPrinter);
  for (int os = 0; os < kTargetOsCount; ++os) {
    for (const int flavor : {kFlavorStd, kFlavorGdi}) {
      config::DriverFileList files{};
      config.ReadDriverFileList(model.c_str(), os, files, flavor);
      config::DriverRecord driver{};
      config.ReadDriverRecord(model.c_str(), os, driver, flavor);
      for (const char* text : {driver.pName, driver.pDriverPath, driver.pDataFile,
                               driver.pConfigFile, driver.pHelpFile, driver.pMonitorName}) {
        CheckText(text);
      }
      // The dependent list: entries until an empty one.
      const char* entry = driver.pDependentFiles;
      for (int n = 0; *entry != '\0'; ++n, entry += std::strlen(entry) + 1) {
        FUZZ_CHECK(n < 6);
      }
      config::PrinterRecord printer{};
      config::DevModeBlock devMode;
      config.ReadPrinterRecord(model.c_str(), os, printer, flavor, devMode);
      CheckText(printer.pPrintProcessor);
      CheckDevMode(*printer.pDevMode);
      config.Is2kDdkDriver(model.c_str(), os, flavor);
    }
    config::PortMonitorSet monitors{};
    config.ReadPortMonitorSet(os, monitors);
  }
  return 0;
}
