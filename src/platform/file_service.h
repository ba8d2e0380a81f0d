// Seam: the program file's path and the system's folders.
#pragma once

#include "platform/win_types.h"

namespace platform {

class FileService {
 public:
  virtual ~FileService() = default;
  // Path of the running program file; same contract as GetModuleFileNameA(NULL, ...).
  virtual DWORD GetModuleFileNameA(LPSTR out, DWORD size) = 0;
  virtual DWORD GetCurrentDirectoryA(DWORD size, LPSTR out) = 0;
  virtual UINT GetSystemDirectoryA(LPSTR out, UINT size) = 0;
  virtual UINT GetWindowsDirectoryA(LPSTR out, UINT size) = 0;
};

}  // namespace platform
