#include "pkgcheck/native/sim_package.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pkgcheck {
namespace {

namespace fs = std::filesystem;
using platform::sim::SimFileTree;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string Under(const std::string& relative) {
  return relative.empty() ? kSimPackageRoot : std::string(kSimPackageRoot) + "\\" + relative;
}

}  // namespace

bool LoadPackage(const std::string& folder, platform::sim::SimMachine& machine) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    return false;
  }
  machine.disk().MakeDirectory(kSimPackageRoot);
  // The package folder and one level of folders below it: DRVCONFIG and the system folders.
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file(error)) {
      machine.disk().WriteFile(Under(name), ReadBytes(entry.path()));
    } else if (entry.is_directory(error)) {
      machine.disk().MakeDirectory(Under(name));
      for (const auto& inner : fs::directory_iterator(entry.path(), error)) {
        if (inner.is_regular_file(error)) {
          machine.disk().WriteFile(Under(name + "\\" + inner.path().filename().string()),
                                   ReadBytes(inner.path()));
        }
      }
    }
  }
  machine.SetModuleFileName(Under("Setup.exe"));
  machine.SetCurrentDirectory(kSimPackageRoot);
  return true;
}

std::optional<std::string> SimPackageFolder::Read(const std::string& relative) {
  return disk_.ReadFile(Under(relative));
}

std::optional<std::vector<std::string>> SimPackageFolder::List(const std::string& relative) {
  const std::string folder = Under(relative);
  if (!disk_.DirectoryExists(folder)) {
    return std::nullopt;
  }
  std::vector<std::string> names = disk_.FileNames(folder);
  std::sort(names.begin(), names.end());
  return names;
}

std::shared_ptr<const platform::sim::IniDocument> SimPackageFolder::ParseIni(
    const std::string& relative, const std::string& bytes) {
  if (profile_ == nullptr) {
    return PackageFolder::ParseIni(relative, bytes);
  }
  return profile_->Document(Under(relative));
}

}  // namespace pkgcheck
