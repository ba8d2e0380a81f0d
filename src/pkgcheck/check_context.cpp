#include "pkgcheck/check_context.h"

#include <vector>

#include "config/driver_config.h"
#include "install/package_files.h"

namespace pkgcheck {

std::string ConfigFileName(int index) {
  if (index == kCommonFile) {
    return "DRVCONFIG/setup.ini";
  }
  std::string name = config::FamilyFileName(index - 1);
  for (char& c : name) {
    c = c == '\\' ? '/' : c;
  }
  return name;
}

CheckContext::CheckContext(platform::Platform& platform, PackageFolder& folder, Report& report)
    : platform(platform),
      folder(folder),
      report(report),
      config(platform),
      files_(static_cast<std::size_t>(kConfigFileCount)) {}

const ConfigFile* CheckContext::File(int index) const {
  if (index < 0 || index >= kConfigFileCount) {
    return nullptr;
  }
  const auto& file = files_[static_cast<std::size_t>(index)];
  return file ? &*file : nullptr;
}

Where CheckContext::At(const ConfigFile& file, const std::string& section,
                       const std::string& key) const {
  int line = file.KeyLine(section, key);
  if (line == 0) {
    line = file.SectionLine(section);
  }
  return Where{file.name(), line, section, key};
}

std::string CheckContext::ReadFamily(int printerType, const std::string& section,
                                     const std::string& key, std::size_t size) {
  std::vector<char> value(size, '\0');
  config.SetPrinterType(printerType);
  config.ReadFamilyValue(section.c_str(), key.c_str(), value.data(), static_cast<DWORD>(size));
  return value.data();
}

std::string CheckContext::ReadCommon(const std::string& section, const std::string& key,
                                     std::size_t size) {
  std::vector<char> value(size, '\0');
  config.ReadCommonValue(section.c_str(), key.c_str(), value.data(), static_cast<DWORD>(size));
  return value.data();
}

std::string CheckContext::Read(const ConfigFile& file, const std::string& section,
                               const std::string& key, std::size_t size) {
  for (int index = 1; index < kConfigFileCount; ++index) {
    if (File(index) == &file) {
      return ReadFamily(index - 1, section, key, size);
    }
  }
  return ReadCommon(section, key, size);
}

const char* SystemName(int targetOs) {
  static const char* const kNames[kTargetOsCount] = {
      "Windows 98/Me", "Windows NT 4", "Windows 2000", "Windows XP", "Windows Server 2003"};
  return targetOs >= 0 && targetOs < kTargetOsCount ? kNames[targetOs] : "?";
}

std::string SystemFolder(int targetOs) {
  std::string folder = install::PackageFolder(targetOs);  // "\\winnt\\"
  return folder.substr(1, folder.size() - 2);
}

const char* FlavorName(int flavor) {
  return flavor == kFlavorGdi ? "GDI" : "STD";
}

}  // namespace pkgcheck
