// DriverConfig: the reader of the package's INI files under DRVCONFIG beside the program file.
// It forms the five file paths once, reads the model list of the common file, and owns the
// texts of the records it fills.
#pragma once

#include <cstdint>

#include "config/dev_mode_block.h"
#include "config/install_types.h"
#include "config/record_storage.h"
#include "config/records.h"
#include "platform/platform.h"

namespace config {

// Capacities of the common file's model-list keys (characters; the buffer is one more).
constexpr int kModelCountSize = 32;
constexpr int kDriverVersionSize = 12;

// Bounds of the counts read from the common file, so that a mistyped count cannot keep the
// wizard reading entries for hours: entries beyond them are never read.
constexpr int kMaxModelCount = 1000;
constexpr int kMaxSupportedUsbPorts = 4 * kMaxModelCount;
// A supported USB port name: capacity 29.
constexpr int kUsbPortEntrySize = 30;
using UsbPortEntry = char[kUsbPortEntrySize];

class DriverConfig {
 public:
  explicit DriverConfig(platform::Platform& platform);
  DriverConfig(const DriverConfig&) = delete;
  DriverConfig& operator=(const DriverConfig&) = delete;
  virtual ~DriverConfig() = default;

  // Selects the family file for the family-file reads; must be set before them.
  void SetPrinterType(int printerType) { printerType_ = printerType; }
  int printerType() const { return printerType_; }

  // The family file of a PrinterType, or "" for a value outside 0..3.
  const char* FamilyFilePath(int printerType) const;
  const char* CommonFilePath() const { return commonPath_; }

  // Number N of model entries ("DEVICENUMBER"), 0 to kMaxModelCount.
  std::int32_t ModelCount();
  // Entry n (1-based): the PrinterType of its family suffix, or -1 when it has none. The
  // output holds the model name (the entry cut where its suffix begins), or the entry as read.
  int ModelEntry(int n, Text& modelName);
  // The entry named by "DEFAULTNAME", as ModelEntry.
  int DefaultModel(Text& modelName);
  // Version of the package's print processor ([Version] "DriverVersion").
  std::int32_t PackageDriverVersion();
  // Number M of supported USB port names ([SUPPORTED-USB-DEVICE] "PRNCOUNT"), 0 to
  // kMaxSupportedUsbPorts.
  std::int32_t SupportedUsbPortCount();
  // Supported USB port name i (from 0), cut to its capacity.
  void SupportedUsbPort(int index, UsbPortEntry& out);

  // The package files of model for targetOs and flavor, into the caller's list.
  void ReadDriverFileList(const char* model, int targetOs, DriverFileList& files, int flavor);
  // The driver to register; its texts stay valid until the next read of this kind.
  void ReadDriverRecord(const char* model, int targetOs, DriverRecord& record, int flavor);
  // The language monitor every driver uses.
  void ReadMonitorRecord(int targetOs, MonitorRecord& record);
  // The package's serial-port and USB port monitors.
  void ReadPortMonitorSet(int targetOs, PortMonitorSet& set);
  // True when the driver is a universal-driver (GPD) minidriver: F + "2KDDKDEV" begins with 1.
  bool Is2kDdkDriver(const char* model, int targetOs, int flavor);
  // The printer queue to add. The device-mode block is filled and grown by the private area
  // that "DMDRIVEREXTRA" announces; record.pDevMode points at it afterwards. No security
  // descriptor is handed over (pSecurityDescriptor stays null).
  void ReadPrinterRecord(const char* model, int targetOs, PrinterRecord& record, int flavor,
                         DevModeBlock& devMode);

  // One value of the common file, with the default "0"; returns the characters read.
  DWORD ReadCommonValue(const char* section, const char* key, char* out, DWORD size);
  // One value of the current family's file; outside 0..3 no file is read and out holds "0".
  DWORD ReadFamilyValue(const char* section, const char* key, char* out, DWORD size);

 private:
  DWORD ReadValue(const char* path, const char* section, const char* key, char* out, DWORD size);

  void ReadDevMode(const char* model, int targetOs, DevModeBlock& devMode);

  RecordStorage storage_{};
  platform::Platform& platform_;
  int printerType_ = -1;
  Text workPath_{};
  Text familyPaths_[kPrinterTypeCount]{};
  Text commonPath_{};
};

// The path of a file relative to the program's directory: the program file's path up to and
// including its last backslash, followed by relativeName (relativeName alone without one).
void ProgramRelativePath(platform::Platform& platform, const char* relativeName, Text& out);

// "DRVCONFIG\setup_receipt.ini" and its siblings; "" for a value outside 0..3.
const char* FamilyFileName(int printerType);

}  // namespace config
