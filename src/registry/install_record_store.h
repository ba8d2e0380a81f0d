// The installer's own registry area under HKEY_LOCAL_MACHINE\SOFTWARE\KESTREL: which USB port
// names the package supports, which USB ports carry printers, and the port a new printer takes.
// Written during USB installations only; failures are ignored, as the records are advisory.
#pragma once

#include "config/driver_config.h"
#include "platform/platform.h"

namespace registry {

constexpr const char* kPortNameKey = "SOFTWARE\\KESTREL\\PORTNAME\\";
constexpr const char* kPrinterPortKey = "SOFTWARE\\KESTREL\\PRINTERPORT\\";
constexpr const char* kInstallPrinterKey = "SOFTWARE\\KESTREL\\INSTALLPRINTER\\";

class InstallRecordStore {
 public:
  InstallRecordStore(platform::Platform& platform, config::DriverConfig& config)
      : platform_(platform), config_(config) {}

  // Before the port-monitor checks: records the chosen port's number in the supported list,
  // resets D1..D8, gives every supported port without a value 255, and numbers the ports of
  // printers listed under INSTALLPRINTER.
  void UpdateUsbPortRecords(const char* portName);
  // Immediately before the printer is added: the chosen port is taken (0).
  void MarkUsbPort(const char* portText);

  // The USB port name for an INSTALLPRINTER value name: "USB_" + the name up to its first "(",
  // then "_" and the port number that follows "(U) " (nothing when the name ends too soon).
  static void PortNameFromPrinterName(const char* printerName, char (&out)[260]);

  // The package's supported USB port list ([SUPPORTED-USB-DEVICE]): its length, and entry i
  // cut to its 29-character capacity.
  int SupportedCount();
  void SupportedEntry(int index, char (&out)[30]);

 private:
  // Records a supported port name's number under PORTNAME when that key exists.
  void RecordPortNumber(const char* portName);
  // The steps of UpdateUsbPortRecords, in order.
  void RecordChosenPortNumber(const char* portName, int count);
  void MarkEveryDeviceTaken();
  void AddMissingPortMarkers(int count);
  void RecordInstalledPrinterPorts();

  platform::Platform& platform_;
  config::DriverConfig& config_;
};

}  // namespace registry
