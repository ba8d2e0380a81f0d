// Native benchmark of the installer's reading and of the pauses its installation makes, on the
// simulated Windows with the sample package (scripts/bench runs it from an optimised build
// without sanitizers). It prints figures and never fails on them.
#include <chrono>
#include <cstdio>
#include <string>

#include "config/driver_config.h"
#include "config/text_buffer.h"
#include "install/install_sequence.h"
#include "platform/sim/sim_machine.h"
#include "tests/support/sample_package_layout.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Every record the installation reads for one model and system, as the install sequence and
// the monitor and processor checks read them.
void ReadAllRecords(platform::Platform& platform) {
  config::DriverConfig config(platform);
  config.SetPrinterType(kReceiptPrinter);
  config::DriverFileList files{};
  config::DriverRecord driver{};
  config::MonitorRecord monitor{};
  config::PrinterRecord printer{};
  config::PortMonitorSet monitors{};
  config::DevModeBlock devMode;
  config.ReadDriverFileList("TP-R80", kTargetWinXp, files, kFlavorStd);
  config.ReadDriverRecord("TP-R80", kTargetWinXp, driver, kFlavorStd);
  config.ReadMonitorRecord(kTargetWinXp, monitor);
  config.ReadPrinterRecord("TP-R80", kTargetWinXp, printer, kFlavorStd, devMode);
  config.ReadPortMonitorSet(kTargetWinXp, monitors);
  config.Is2kDdkDriver("TP-R80", kTargetWinXp, kFlavorStd);
  config.PackageDriverVersion();
}

void BenchRecords(const char* packageDir) {
  platform::sim::SimMachine machine;
  sample_package::LayOut(machine, packageDir);
  constexpr int kRounds = 200;
  ReadAllRecords(machine.platform());
  const auto start = Clock::now();
  for (int i = 0; i < kRounds; ++i) {
    ReadAllRecords(machine.platform());
  }
  std::printf("records of one model (TP-R80, Windows XP, all readers): %.3f ms per model\n",
              MillisecondsSince(start) / kRounds);
}

// The printer page's reading of the model list: the count, every entry and the default.
void BenchModelList() {
  constexpr int kModels = 1000;
  std::string ini = "[DEVICENAME]\r\nDEVICENUMBER=" + std::to_string(kModels) + "\r\n";
  for (int n = 1; n <= kModels; ++n) {
    ini += "DEVICENAME" + std::to_string(n) + "=TP-M" + std::to_string(n) + "-ReceiptPrinter\r\n";
  }
  ini += "DEFAULTNAME=500\r\n";
  platform::sim::SimMachine machine;
  machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup.ini", ini);
  constexpr int kRounds = 5;
  const auto start = Clock::now();
  for (int round = 0; round < kRounds; ++round) {
    config::DriverConfig config(machine.platform());
    const std::int32_t count = config.ModelCount();
    Text name = {};
    for (int n = 1; n <= count; ++n) {
      config.ModelEntry(n, name);
    }
    config.DefaultModel(name);
  }
  std::printf("model list of a package with %d models: %.1f ms per list\n", kModels,
              MillisecondsSince(start) / kRounds);
}

// The pauses the typical installation must make, from the simulated machine's virtual clock.
DWORD InstallationPauses(const char* packageDir, bool olderMonitorRecorded) {
  platform::sim::SimMachine machine;
  sample_package::LayOut(machine, packageDir);
  if (olderMonitorRecorded) {
    const std::string key =
        "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\TP Serial Monitor";
    machine.registry().PutValue(key, "Driver", REG_SZ, std::string("TPSERMON.DLL\0", 13));
    machine.registry().PutDword(key, "DriverVersion", 1);
  }
  install::InstallSelection selection;
  selection.targetOs = kTargetWinXp;
  config::CopyText(selection.modelName, "TP-R80");
  config::CopyText(selection.portEntry, "KSCOM1:");
  selection.serial.baudRate = 9600;
  selection.setAsDefault = 1;
  install::InstallSequence(machine.platform(), selection, [] {});
  return machine.elapsedMilliseconds();
}

}  // namespace

int main(int argc, char** argv) {
  const char* packageDir = argc > 1 ? argv[1] : SAMPLE_PACKAGE_DIR;
  BenchRecords(packageDir);
  BenchModelList();
  // One line for scripts/bench to read: the pauses on a fresh system and with an update.
  std::printf("pauses_ms fresh %u update %u (typical XP serial installation, simulated clock)\n",
              static_cast<unsigned>(InstallationPauses(packageDir, false)),
              static_cast<unsigned>(InstallationPauses(packageDir, true)));
  return 0;
}
