// Seam: version, pauses and the thread's last error.
#pragma once

#include "platform/win_types.h"

namespace platform {

class SystemService {
 public:
  virtual ~SystemService() = default;
  virtual BOOL GetVersionExA(OSVERSIONINFOA* info) = 0;
  virtual void Sleep(DWORD milliseconds) = 0;
  virtual DWORD GetLastError() = 0;
};

}  // namespace platform
