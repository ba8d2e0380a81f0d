// DriverConfig: the reader of the package's INI files under DRVCONFIG beside the program file.
// It forms the five file paths once, reads the model list of the common file, and owns the
// texts of the records it fills.
#pragma once

#include <cstdint>

#include "config/install_types.h"
#include "platform/platform.h"

namespace config {

// Capacities of the common file's model-list keys (characters; the buffer is one more).
constexpr int kModelCountSize = 32;
constexpr int kDriverVersionSize = 12;

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

  // Number N of model entries ("DEVICENUMBER").
  std::int32_t ModelCount();
  // Entry n (1-based): the PrinterType of its family suffix, or -1 when it has none. The
  // output holds the model name (the entry cut where its suffix begins), or the entry as read.
  int ModelEntry(int n, Text& modelName);
  // The entry named by "DEFAULTNAME", as ModelEntry.
  int DefaultModel(Text& modelName);
  // Version of the package's print processor ([Version] "DriverVersion").
  std::int32_t PackageDriverVersion();

  // One value of the common file, with the default "0"; returns the characters read.
  DWORD ReadCommonValue(const char* section, const char* key, char* out, DWORD size);
  // One value of the current family's file; outside 0..3 no file is read and out holds "0".
  DWORD ReadFamilyValue(const char* section, const char* key, char* out, DWORD size);

 private:
  DWORD ReadValue(const char* path, const char* section, const char* key, char* out, DWORD size);

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
