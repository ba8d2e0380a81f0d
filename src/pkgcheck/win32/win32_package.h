// The Windows pkgcheck reads a package folder with the real profile reader: DriverConfig finds
// the INI files from the program file's path, and the package files are taken from the current
// folder, so both answer with the package folder as Setup.exe started from it would see them.
#pragma once

#include <string>

#include "pkgcheck/package_folder.h"
#include "platform/win32/win32_file_service.h"

namespace pkgcheck {

// The real file calls, but for a program file in the package folder and that folder as the
// current one. Nothing is written: pkgcheck only reads.
class PackageFileService final : public platform::FileService {
 public:
  explicit PackageFileService(std::string folder) : folder_(std::move(folder)) {}
  DWORD GetModuleFileNameA(LPSTR out, DWORD size) override;
  DWORD GetCurrentDirectoryA(DWORD size, LPSTR out) override;
  // The package folder stays the current one.
  BOOL SetCurrentDirectoryA(LPCSTR) override { return FALSE; }
  DWORD GetFullPathNameA(LPCSTR path, DWORD size, LPSTR out) override {
    return real_.GetFullPathNameA(path, size, out);
  }
  UINT GetSystemDirectoryA(LPSTR out, UINT size) override {
    return real_.GetSystemDirectoryA(out, size);
  }
  UINT GetWindowsDirectoryA(LPSTR out, UINT size) override {
    return real_.GetWindowsDirectoryA(out, size);
  }
  BOOL CopyFileA(LPCSTR, LPCSTR, BOOL) override;
  DWORD GetFileAttributesA(LPCSTR path) override { return real_.GetFileAttributesA(path); }
  BOOL SetFileAttributesA(LPCSTR, DWORD) override;
  HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, void* security, DWORD disposition,
                     DWORD flags, HANDLE templateFile) override {
    return real_.CreateFileA(path, access, share, security, disposition, flags, templateFile);
  }
  BOOL CloseHandle(HANDLE handle) override { return real_.CloseHandle(handle); }
  DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) override {
    return real_.GetFileSize(file, sizeHigh);
  }
  BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, void* overlapped) override {
    return real_.ReadFile(file, buffer, toRead, read, overlapped);
  }
  // The package is only read.
  BOOL WriteFile(HANDLE, const void*, DWORD, LPDWORD, void*) override {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) override {
    return real_.SetFilePointer(file, distance, distanceHigh, method);
  }
  BOOL DeleteFileA(LPCSTR) override;
  DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) override {
    return real_.GetShortPathNameA(longPath, shortPath, size);
  }

 private:
  std::string folder_;
  platform::Win32FileService real_;
};

// The package folder on the disk.
class Win32PackageFolder final : public PackageFolder {
 public:
  explicit Win32PackageFolder(std::string folder) : folder_(std::move(folder)) {}
  std::optional<std::string> Read(const std::string& relative) override;
  std::optional<std::vector<std::string>> List(const std::string& relative) override;

 private:
  std::string folder_;
};

}  // namespace pkgcheck
