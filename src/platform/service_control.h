// Seam: the service control manager calls, for the "Spooler" service.
#pragma once

#include "platform/win_types.h"

namespace platform {

class ServiceControl {
 public:
  virtual ~ServiceControl() = default;
  virtual SC_HANDLE OpenSCManagerA(LPCSTR machine, LPCSTR database, DWORD access) = 0;
  virtual SC_HANDLE OpenServiceA(SC_HANDLE manager, LPCSTR name, DWORD access) = 0;
  virtual BOOL ControlService(SC_HANDLE service, DWORD control, SERVICE_STATUS* status) = 0;
  virtual BOOL StartServiceA(SC_HANDLE service, DWORD argc, LPCSTR* argv) = 0;
  virtual BOOL QueryServiceStatus(SC_HANDLE service, SERVICE_STATUS* status) = 0;
  virtual BOOL CloseServiceHandle(SC_HANDLE handle) = 0;
};

}  // namespace platform
