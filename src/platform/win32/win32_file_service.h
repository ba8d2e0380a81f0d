// Win32 file and folder calls, one to one.
#pragma once

#include "platform/file_service.h"

namespace platform {

class Win32FileService final : public FileService {
 public:
  DWORD GetModuleFileNameA(LPSTR out, DWORD size) override {
    return ::GetModuleFileNameA(nullptr, out, size);
  }
  DWORD GetCurrentDirectoryA(DWORD size, LPSTR out) override {
    return ::GetCurrentDirectoryA(size, out);
  }
  UINT GetSystemDirectoryA(LPSTR out, UINT size) override {
    return ::GetSystemDirectoryA(out, size);
  }
  UINT GetWindowsDirectoryA(LPSTR out, UINT size) override {
    return ::GetWindowsDirectoryA(out, size);
  }
};

}  // namespace platform
