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
  BOOL GetVersionExA(OSVERSIONINFOEXA* info) override {
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(info));
  }
  HANDLE GetCurrentProcess() override { return ::GetCurrentProcess(); }
  void Sleep(DWORD milliseconds) override { ::Sleep(milliseconds); }
  DWORD GetLastError() override { return ::GetLastError(); }
  void SetLastError(DWORD error) override { ::SetLastError(error); }
  HANDLE CreateMutexA(void* security, BOOL initialOwner, LPCSTR name) override {
    return ::CreateMutexA(static_cast<LPSECURITY_ATTRIBUTES>(security), initialOwner, name);
  }
  BOOL ExitWindowsEx(UINT flags, DWORD reason) override { return ::ExitWindowsEx(flags, reason); }
  LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                              UINT timeout, PDWORD_PTR result) override {
    return ::SendMessageTimeoutA(window, message, wParam, lParam, flags, timeout, result);
  }
  BOOL SendNotifyMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    return ::SendNotifyMessageA(window, message, wParam, lParam);
  }
};

}  // namespace platform
