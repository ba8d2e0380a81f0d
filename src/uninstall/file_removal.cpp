#include "uninstall/file_removal.h"

#include <vector>

#include "platform/loaded_module.h"

namespace uninstall {
namespace {

constexpr const char* kWininitSection = "rename";
constexpr DWORD kPathSize = 260;

bool RunningWindows9x(platform::SystemService& system) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  return system.GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool DeleteAtRestartNt(platform::Platform& platform, const std::string& path, DWORD& error) {
  platform::LoadedModule kernel(platform.libraries, "kernel32.dll");
  const auto moveFileEx = kernel.Find<platform::MoveFileExAFn>("MoveFileExA");
  if (moveFileEx == nullptr) {
    error = ERROR_CALL_NOT_IMPLEMENTED;
    return false;
  }
  if (!moveFileEx(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    error = platform.system.GetLastError();
    return false;
  }
  return true;
}

// The section's lines as the list GetPrivateProfileSectionA gives, its last NUL left off; a
// list cut to fit (size - 2 returned) is read again with a larger buffer.
std::string SectionLines(platform::ProfileService& profile, const std::string& file) {
  for (DWORD size = 1024;; size *= 4) {
    std::vector<char> buffer(size, '\0');
    const DWORD length =
        profile.GetPrivateProfileSectionA(kWininitSection, buffer.data(), size, file.c_str());
    if (length + 2 < size || size >= (1u << 24)) {
      return std::string(buffer.data(), length);
    }
  }
}

// WININIT.INI needs the short (8.3) path: it is read before long names are available.
bool DeleteAtRestart9x(platform::Platform& platform, const std::string& path, DWORD& error) {
  char windows[kPathSize] = {};
  const UINT length = platform.files.GetWindowsDirectoryA(windows, kPathSize);
  if (length == 0 || length >= kPathSize) {
    error = platform.system.GetLastError();
    return false;
  }
  const std::string file = std::string(windows) + "\\WININIT.INI";
  char shortPath[kPathSize] = {};
  const DWORD shortLength = platform.files.GetShortPathNameA(path.c_str(), shortPath, kPathSize);
  const std::string target = shortLength > 0 && shortLength < kPathSize ? shortPath : path;
  std::string lines = SectionLines(platform.profile, file);
  lines += "NUL=" + target + '\0';
  lines += '\0';
  if (!platform.profile.WritePrivateProfileSectionA(kWininitSection, lines.c_str(), file.c_str())) {
    error = platform.system.GetLastError();
    return false;
  }
  return true;
}

}  // namespace

FileRemoval RemoveFile(platform::Platform& platform, const std::string& path, DWORD& error) {
  error = 0;
  if (platform.files.DeleteFileA(path.c_str())) {
    return FileRemoval::kRemoved;
  }
  error = platform.system.GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
    return FileRemoval::kRemoved;
  }
  if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) {
    return FileRemoval::kRemains;
  }
  const bool deferred = RunningWindows9x(platform.system)
                            ? DeleteAtRestart9x(platform, path, error)
                            : DeleteAtRestartNt(platform, path, error);
  return deferred ? FileRemoval::kAtRestart : FileRemoval::kRemains;
}

}  // namespace uninstall
