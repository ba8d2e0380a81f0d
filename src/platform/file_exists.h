// Whether a file is there: the open-existing test, asking for no access, so that a file another
// program holds open (a loaded DLL) is found too. The handle is owned for the test alone.
#pragma once

#include <string>

#include "platform/file_service.h"

namespace platform {

// A file handle from CreateFileA, closed when the object goes.
class FileHandle {
 public:
  FileHandle(FileService& files, HANDLE handle) : files_(files), handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (open()) {
      files_.CloseHandle(handle_);
    }
  }
  bool open() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

 private:
  FileService& files_;
  HANDLE handle_;
};

inline bool FileExists(FileService& files, const std::string& path) {
  constexpr DWORD kShareAll = 0x7;  // read, write and delete
  constexpr DWORD kOpenExisting = 3;
  const FileHandle file(
      files, files.CreateFileA(path.c_str(), 0, kShareAll, nullptr, kOpenExisting, 0, nullptr));
  return file.open();
}

}  // namespace platform
