// Win32 version, pause and last-error calls, one to one.
#pragma once

#include "platform/system_service.h"

namespace platform {

class Win32SystemService final : public SystemService {
 public:
  BOOL GetVersionExA(OSVERSIONINFOA* info) override {
    info->dwOSVersionInfoSize = sizeof(*info);
    return ::GetVersionExA(info);
  }
  void Sleep(DWORD milliseconds) override { ::Sleep(milliseconds); }
  DWORD GetLastError() override { return ::GetLastError(); }
};

}  // namespace platform
