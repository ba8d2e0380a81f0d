// Seam: version, pauses, the thread's last error, restart and broadcasts.
#pragma once

#include "platform/win_types.h"

namespace platform {

class SystemService {
 public:
  virtual ~SystemService() = default;
  virtual BOOL GetVersionExA(OSVERSIONINFOA* info) = 0;
  // The extended form. The caller sets dwOSVersionInfoSize: the extended size, which NT 4
  // before SP6 and Windows 95/98/Me refuse, or the plain size to fall back on.
  virtual BOOL GetVersionExA(OSVERSIONINFOEXA* info) = 0;
  virtual HANDLE GetCurrentProcess() = 0;
  virtual void Sleep(DWORD milliseconds) = 0;
  virtual DWORD GetLastError() = 0;
  virtual void SetLastError(DWORD error) = 0;
  // A named mutex; the last error is ERROR_ALREADY_EXISTS when another process made it first.
  // The handle is closed with FileService::CloseHandle.
  virtual HANDLE CreateMutexA(void* security, BOOL initialOwner, LPCSTR name) = 0;
  virtual BOOL ExitWindowsEx(UINT flags, DWORD reason) = 0;
  // The setting-change broadcasts.
  virtual LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT flags, UINT timeout, PDWORD_PTR result) = 0;
  virtual BOOL SendNotifyMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace platform
