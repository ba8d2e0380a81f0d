// Win32 run-time loading, one to one.
#pragma once

#include "platform/library_service.h"

namespace platform {

class Win32LibraryService final : public LibraryService {
 public:
  HMODULE LoadLibraryA(LPCSTR name) override { return ::LoadLibraryA(name); }
  BOOL FreeLibrary(HMODULE module) override { return ::FreeLibrary(module); }
  FARPROC GetProcAddress(HMODULE module, LPCSTR name) override {
    return ::GetProcAddress(module, name);
  }
};

}  // namespace platform
