// Whether a file is there: the open-existing test, asking for no access, so that a file another
// program holds open (a loaded DLL) is found too. The handle is closed at once.
#pragma once

#include <string>

#include "platform/file_service.h"

namespace platform {

inline bool FileExists(FileService& files, const std::string& path) {
  constexpr DWORD kShareAll = 0x7;  // read, write and delete
  constexpr DWORD kOpenExisting = 3;
  const HANDLE file =
      files.CreateFileA(path.c_str(), 0, kShareAll, nullptr, kOpenExisting, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  files.CloseHandle(file);
  return true;
}

}  // namespace platform
