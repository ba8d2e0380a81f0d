#include "install/install_sequence.h"

#include <cctype>
#include <optional>

#include "config/driver_config.h"
#include "config/port_options.h"
#include "config/text_buffer.h"
#include "install/default_printer.h"
#include "install/driver_file.h"
#include "install/final_message.h"
#include "install/in_place_update.h"
#include "install/install_results.h"
#include "install/model_files.h"
#include "install/port_entry.h"
#include "install/port_monitors.h"
#include "install/print_processor.h"
#include "install/printer_queue.h"
#include "install/spooler_requests.h"
#include "install/usb_check.h"
#include "messages/message_box.h"
#include "ports/serial_settings_writer.h"
#include "registry/install_record_store.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

constexpr DWORD kWin98MonitorPause = 1000;

// How one installation ended before the wizard closes.
enum class RunEnd { kGoOn, kStay, kRefused, kFailed, kInstalled };

// The state of one run: the configuration reader that owns the records' texts, the records,
// the device-mode block and the printer's name. All of it is released when the run ends,
// whichever way it ends.
class Installation {
 public:
  Installation(platform::Platform& platform, InstallSelection& selection, SequenceReport& report)
      : platform_(platform), selection_(selection), report_(report), config_(platform) {
    config_.SetPrinterType(selection.printerType);
  }

  // The refusals that leave the wizard open, and the one that closes it (message 145).
  RunEnd Screen();
  RunEnd Install();
  PortKind kind() const { return kind_; }

 private:
  bool Server2003Refused();
  void ReadRecords();
  void NamePortAndPrinter();
  bool RecordUsbPort();
  bool BringMonitorsAndProcessorUpToDate();
  void RegisterLanguageMonitor();
  bool AddPrinter();
  bool KeepExistingPrinter();
  bool StoreSerialSettings();
  // Notes a step that failed while the installation goes on.
  void Check(bool succeeded, const char* step);

  platform::Platform& platform_;
  InstallSelection& selection_;
  SequenceReport& report_;
  config::DriverConfig config_;
  PortKind kind_ = PortKind::kUnknown;
  config::DriverFileList files_{};
  config::DriverRecord driver_{};
  config::MonitorRecord languageMonitor_{};
  config::PrinterRecord printer_{};
  std::optional<config::DevModeBlock> devMode_;
  Text printerName_ = {};
  PrinterNameBuffer copyName_;
};

RunEnd Installation::Screen() {
  if (selection_.modelName[0] == '\0') {
    messages::ShowMessage(platform_, IDS_SELECT_PRINTER_FIRST);
    return RunEnd::kStay;
  }
  if (selection_.targetOs == kTargetServer2003 && Server2003Refused()) {
    messages::ShowMessage(platform_, IDS_NO_SERVER2003);
    return RunEnd::kRefused;
  }
  kind_ = KindOfPort(selection_.portEntry);
  if (kind_ == PortKind::kUnknown) {
    messages::ShowMessage(platform_, IDS_PORT_NOT_SUPPORTED);
    return RunEnd::kStay;
  }
  if (selection_.targetOs == kTargetNt4 && kind_ == PortKind::kUsb) {
    messages::ShowMessage(platform_, IDS_NT4_NO_USB);
    return RunEnd::kStay;
  }
  return RunEnd::kGoOn;
}

// The configuration may have changed since the wizard let the model through to Server 2003.
bool Installation::Server2003Refused() {
  return !config::ReadPortOptions(config_, selection_.modelName).system2003Supported;
}

void Installation::ReadRecords() {
  devMode_.emplace();
  const char* model = selection_.modelName;
  const int os = selection_.targetOs;
  const int flavor = selection_.driverFlavor;
  config_.ReadDriverFileList(model, os, files_, flavor);
  config_.ReadDriverRecord(model, os, driver_, flavor);
  config_.ReadMonitorRecord(os, languageMonitor_);
  config_.ReadPrinterRecord(model, os, printer_, flavor, *devMode_);
}

void Installation::NamePortAndPrinter() {
  FormPrinterPortName(selection_.portEntry, selection_.printerPortName);
  printer_.pPortName = selection_.printerPortName;
  config::CopyText(printerName_, printer_.pPrinterName != nullptr ? printer_.pPrinterName : "");
  AppendPortEnding(kind_, selection_.portEntry, printerName_);
  printer_.pPrinterName = printerName_;
}

// USB: the attached printer must answer on the chosen port (it may stay), then the port is
// recorded among the installer's USB ports.
bool Installation::RecordUsbPort() {
  if (kind_ != PortKind::kUsb) {
    return true;
  }
  if (!CheckUsbPrinter(platform_, selection_.installMode, selection_.portEntry)) {
    return false;
  }
  registry::InstallRecordStore(platform_, config_).UpdateUsbPortRecords(selection_.printerPortName);
  return true;
}

bool Installation::BringMonitorsAndProcessorUpToDate() {
  const int os = selection_.targetOs;
  if (os == kTargetWin98Me) {
    platform_.system.Sleep(kWin98MonitorPause);
  }
  const int monitors = CheckPortMonitors(platform_, config_, os, selection_.portEntry);
  if (monitors == kMonitorAddFailed) {
    return false;
  }
  const int processor = CheckPrintProcessor(platform_, config_, os, printer_.pPrintProcessor,
                                            files_.printProcessorDll);
  if (processor == kProcessorAddFailed) {
    return false;
  }
  selection_.updateFlags = monitors | processor;
  const std::int32_t packageVersion = config_.PackageDriverVersion();
  return selection_.updateFlags == 0 ||
         InPlaceUpdate(platform_, config_, selection_.updateFlags, os, printer_.pPrintProcessor,
                       files_.printProcessorDll, packageVersion) != kFailed;
}

void Installation::Check(bool succeeded, const char* step) {
  if (!succeeded) {
    report_.failedSteps.push_back(step);
  }
}

void Installation::RegisterLanguageMonitor() {
  if (files_.languageMonitorDll[0] == '\0') {
    return;
  }
  // A copy that fails shows its message; one held by the spooler is the file already in place.
  PlaceDriverFile(platform_, files_.languageMonitorDll, kDriverDir, selection_.targetOs, false);
  Check(AddPortMonitor(platform_, languageMonitor_) != kFailed, "language monitor (AddMonitorA)");
}

// A printer of this model that already prints to the port with the driver stays as it is.
bool Installation::KeepExistingPrinter() {
  if (!report_.existingPrinter) {
    return false;
  }
  const std::string kept = report_.existingPrinter(
      printer_.pDriverName != nullptr ? printer_.pDriverName : "", selection_.printerPortName);
  if (kept.empty()) {
    return false;
  }
  config::CopyText(selection_.modelName, kept);
  return true;
}

// A USB port takes one printer; serial and parallel ports take numbered copies.
bool Installation::AddPrinter() {
  if (KeepExistingPrinter()) {
    return true;
  }
  const bool usb = kind_ == PortKind::kUsb;
  if (usb) {
    registry::InstallRecordStore(platform_, config_).MarkUsbPort(selection_.portEntry);
  }
  if (AddPrinterQueue(platform_, printer_, 2, usb, copyName_) == kFailed) {
    return false;
  }
  config::CopyText(selection_.modelName, printer_.pPrinterName);
  return selection_.modelName[0] != '\0';
}

bool Installation::StoreSerialSettings() {
  const SerialPortName port = SerialPortOfEntry(selection_.portEntry);
  selection_.serial.parity =
      static_cast<char>(std::tolower(static_cast<unsigned char>(selection_.serial.parity)));
  if (selection_.targetOs == kTargetWin98Me) {
    return ports::WriteSerialSettingsWin98(platform_, port.number, port.name, selection_.serial);
  }
  return ports::WriteSerialSettingsNt(platform_, port.name, selection_.serial);
}

RunEnd Installation::Install() {
  ReadRecords();
  NamePortAndPrinter();
  if (!RecordUsbPort()) {
    return RunEnd::kStay;
  }
  if (!BringMonitorsAndProcessorUpToDate()) {
    return RunEnd::kFailed;
  }
  if (kind_ == PortKind::kUsb && ProbePorts(platform_) == kFailed) {
    return RunEnd::kFailed;
  }
  if (!PlaceModelFiles(platform_, config_, files_, selection_.modelName, selection_.targetOs,
                       selection_.driverFlavor)) {
    return RunEnd::kFailed;
  }
  RegisterLanguageMonitor();
  Check(AddDriver(platform_, driver_) != kFailed, "printer driver (AddPrinterDriverA)");
  if (!AddPrinter()) {
    return RunEnd::kFailed;
  }
  if (selection_.setAsDefault != 0) {
    Check(MakeDefaultPrinter(platform_, selection_.modelName) != kFailed, "default printer");
  }
  if (kind_ == PortKind::kSerial) {
    Check(StoreSerialSettings(), "serial settings");
  }
  return RunEnd::kInstalled;
}

}  // namespace

SequenceEnd InstallSequence(platform::Platform& platform, InstallSelection& selection,
                            const EndWizard& endWizard, SequenceReport* report) {
  selection.updateFlags = 0;
  RunEnd end = RunEnd::kStay;
  PortKind kind = PortKind::kUnknown;
  SequenceReport unused;
  {
    Installation run(platform, selection, report != nullptr ? *report : unused);
    end = run.Screen();
    if (end == RunEnd::kGoOn) {
      end = run.Install();
    }
    kind = run.kind();
  }
  if (end == RunEnd::kStay) {
    return SequenceEnd::kStay;
  }
  // The run's records and device-mode block are gone; the wizard closes before the last word.
  if (endWizard) {
    endWizard();
  }
  if (end == RunEnd::kRefused) {
    return SequenceEnd::kRefused;
  }
  if (end != RunEnd::kInstalled) {
    return SequenceEnd::kFailed;
  }
  const bool restarting = ShowFinalMessage(platform, selection.targetOs, kind);
  return selection.targetOs == kTargetWin98Me && !restarting ? SequenceEnd::kRestartPending
                                                             : SequenceEnd::kInstalled;
}

}  // namespace install
