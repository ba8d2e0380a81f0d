// Win32 service control calls, one to one.
#pragma once

#include "platform/service_control.h"

namespace platform {

class Win32ServiceControl final : public ServiceControl {
 public:
  SC_HANDLE OpenSCManagerA(LPCSTR machine, LPCSTR database, DWORD access) override {
    return ::OpenSCManagerA(machine, database, access);
  }
  SC_HANDLE OpenServiceA(SC_HANDLE manager, LPCSTR name, DWORD access) override {
    return ::OpenServiceA(manager, name, access);
  }
  BOOL ControlService(SC_HANDLE service, DWORD control, SERVICE_STATUS* status) override {
    return ::ControlService(service, control, status);
  }
  BOOL StartServiceA(SC_HANDLE service, DWORD argc, LPCSTR* argv) override {
    return ::StartServiceA(service, argc, argv);
  }
  BOOL QueryServiceStatus(SC_HANDLE service, SERVICE_STATUS* status) override {
    return ::QueryServiceStatus(service, status);
  }
  BOOL CloseServiceHandle(SC_HANDLE handle) override { return ::CloseServiceHandle(handle); }
};

}  // namespace platform
