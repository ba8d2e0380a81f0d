#include "uninstall/file_removal.h"

#include "platform/loaded_module.h"
#include "uninstall/wininit_rename.h"

namespace uninstall {
namespace {

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

// Adds the line to the file's [rename] section through the file's own bytes (a missing file is
// made); the first failure's error in `error`.
bool AddRenameLine(platform::Platform& platform, const std::string& path, const std::string& line,
                   DWORD& error) {
  platform::FileService& files = platform.files;
  HANDLE file = files.CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = platform.system.GetLastError();
    return false;
  }
  const DWORD size = files.GetFileSize(file, nullptr);
  std::string text(size == INVALID_FILE_SIZE ? 0 : size, '\0');
  DWORD read = 0;
  bool done = size != INVALID_FILE_SIZE &&
              (size == 0 || (files.ReadFile(file, &text[0], size, &read, nullptr) && read == size));
  if (done) {
    const std::string updated = WithRenameLine(text, line);
    DWORD written = 0;
    done = files.SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
           files.WriteFile(file, updated.data(), static_cast<DWORD>(updated.size()), &written,
                           nullptr) &&
           written == updated.size();
  }
  if (!done) {
    error = platform.system.GetLastError();
  }
  files.CloseHandle(file);
  return done;
}

// WININIT.INI needs the short (8.3) path: it is read before long names are available. Without
// one the file is not left to the restart, which could not delete it.
bool DeleteAtRestart9x(platform::Platform& platform, const std::string& path, DWORD& error) {
  char windows[kPathSize] = {};
  const UINT length = platform.files.GetWindowsDirectoryA(windows, kPathSize);
  if (length == 0 || length >= kPathSize) {
    error = platform.system.GetLastError();
    return false;
  }
  char shortPath[kPathSize] = {};
  const DWORD shortLength = platform.files.GetShortPathNameA(path.c_str(), shortPath, kPathSize);
  if (shortLength == 0 || shortLength >= kPathSize) {
    error = shortLength == 0 ? platform.system.GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    return false;
  }
  return AddRenameLine(platform, std::string(windows) + "\\WININIT.INI",
                       std::string("NUL=") + shortPath, error);
}

}  // namespace

FileRemoval RemoveFile(platform::Platform& platform, const std::string& path, DWORD& error) {
  error = 0;
  // A file copied read-only (from a CD) refuses deletion, now and at the restart.
  const DWORD attributes = platform.files.GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
    platform.files.SetFileAttributesA(path.c_str(),
                                      writable == 0 ? FILE_ATTRIBUTE_NORMAL : writable);
  }
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
