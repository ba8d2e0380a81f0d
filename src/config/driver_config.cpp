#include "config/driver_config.h"

#include <string>

#include "config/code_page.h"
#include "config/decimal.h"
#include "config/family_suffix.h"
#include "config/text_buffer.h"

namespace config {
namespace {

constexpr const char* kCommonFileName = "DRVCONFIG\\setup.ini";
constexpr const char* kFamilyFileNames[kPrinterTypeCount] = {
    "DRVCONFIG\\setup_receipt.ini",
    "DRVCONFIG\\setup_ticket.ini",
    "DRVCONFIG\\setup_lable.ini",
    "DRVCONFIG\\setup_embedded.ini",
};

constexpr const char* kAbsent = "0";
constexpr const char* kSupportedUsbSection = "SUPPORTED-USB-DEVICE";

// A count read as a decimal number, kept within 0..bound.
std::int32_t Bounded(std::int32_t count, std::int32_t bound) {
  return count < 0 ? 0 : (count > bound ? bound : count);
}

bool IsPrinterType(int value) {
  return value >= 0 && value < kPrinterTypeCount;
}

}  // namespace

const char* FamilyFileName(int printerType) {
  return IsPrinterType(printerType) ? kFamilyFileNames[printerType] : "";
}

void ProgramRelativePath(platform::Platform& platform, const char* relativeName, Text& out) {
  Text program{};
  platform.files.GetModuleFileNameA(program, sizeof(program));
  program[sizeof(program) - 1] = '\0';
  const std::string path(program);
  // A backslash that is the second byte of a double-byte character separates nothing.
  const size_t slash = LastPathSeparator(path);
  const std::string directory = (slash == std::string::npos) ? "" : path.substr(0, slash + 1);
  CopyText(out, directory + relativeName);
}

DriverConfig::DriverConfig(platform::Platform& platform) : platform_(platform) {
  CopyText(storage_.environment98, "Windows 4.0");
  CopyText(storage_.monitors.languageMonitorName, "Language Monitor");
  CopyText(storage_.monitors.languageMonitorDll, "pjlmon.dll");
  ProgramRelativePath(platform_, kCommonFileName, commonPath_);
  for (int type = 0; type < kPrinterTypeCount; ++type) {
    ProgramRelativePath(platform_, kFamilyFileNames[type], familyPaths_[type]);
  }
}

const char* DriverConfig::FamilyFilePath(int printerType) const {
  return IsPrinterType(printerType) ? familyPaths_[printerType] : "";
}

DWORD DriverConfig::ReadValue(const char* path, const char* section, const char* key, char* out,
                              DWORD size) {
  CopyText(workPath_, path);
  return platform_.profile.GetPrivateProfileStringA(section, key, kAbsent, out, size, workPath_);
}

DWORD DriverConfig::ReadCommonValue(const char* section, const char* key, char* out, DWORD size) {
  return ReadValue(commonPath_, section, key, out, size);
}

DWORD DriverConfig::ReadFamilyValue(const char* section, const char* key, char* out, DWORD size) {
  if (!IsPrinterType(printerType_)) {
    CopyText(out, size, kAbsent);
    return size > 1 ? 1 : 0;
  }
  return ReadValue(familyPaths_[printerType_], section, key, out, size);
}

std::int32_t DriverConfig::ModelCount() {
  char value[kModelCountSize] = {};
  ReadCommonValue("DEVICENAME", "DEVICENUMBER", value, sizeof(value));
  return Bounded(ParseDecimal(value), kMaxModelCount);
}

int DriverConfig::ModelEntry(int n, Text& modelName) {
  const std::string key = "DEVICENAME" + std::to_string(n);
  ReadCommonValue("DEVICENAME", key.c_str(), modelName, sizeof(modelName));
  const EntryFamily family = FindFamily(modelName);
  if (family.printerType >= 0) {
    modelName[family.nameLength] = '\0';
  }
  return family.printerType;
}

int DriverConfig::DefaultModel(Text& modelName) {
  ReadCommonValue("DEVICENAME", "DEFAULTNAME", modelName, sizeof(modelName));
  return ModelEntry(ParseDecimal(modelName), modelName);
}

std::int32_t DriverConfig::PackageDriverVersion() {
  char value[kDriverVersionSize] = {};
  ReadCommonValue("Version", "DriverVersion", value, sizeof(value));
  return ParseDecimal(value);
}

std::int32_t DriverConfig::SupportedUsbPortCount() {
  Text value{};
  ReadCommonValue(kSupportedUsbSection, "PRNCOUNT", value, sizeof(value));
  return Bounded(ParseDecimal(value), kMaxSupportedUsbPorts);
}

void DriverConfig::SupportedUsbPort(int index, UsbPortEntry& out) {
  ReadCommonValue(kSupportedUsbSection, std::to_string(index).c_str(), out, sizeof(out));
}

}  // namespace config
