#include "platform/sim/sim_services.h"

#include <cctype>
#include <string>

#include "platform/sim/ini_document.h"
#include "platform/sim/sim_machine.h"

namespace platform::sim {

BOOL SimServices::Fail(DWORD error) {
  machine_.SetLastError(error);
  return FALSE;
}

SC_HANDLE SimServices::NewHandle(Handle handle) {
  const std::uintptr_t id = nextHandle_;
  nextHandle_ += 4;
  handles_[id] = handle;
  return reinterpret_cast<SC_HANDLE>(id);
}

const SimServices::Handle* SimServices::Find(SC_HANDLE handle) const {
  const auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == handles_.end() ? nullptr : &it->second;
}

SC_HANDLE SimServices::OpenSCManagerA(LPCSTR /*machine*/, LPCSTR /*database*/, DWORD access) {
  managerAccess_.push_back(access);
  // Windows 95, 98 and Me have no service control manager (an assumption no test records).
  if (machine_.IsWindows9x()) {
    Fail(ERROR_CALL_NOT_IMPLEMENTED);
    return nullptr;
  }
  if (denyManager_) {
    Fail(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  // test_open_scm in Wine's advapi32/tests/service.c: a successful open sets the last error to
  // 0, on Windows 2000 to ERROR_IO_PENDING. No test records NT 4.
  if (machine_.IsWindows2000()) {
    machine_.SetLastError(ERROR_IO_PENDING);
  } else if (!machine_.IsNt4()) {
    machine_.SetLastError(ERROR_SUCCESS);
  }
  return NewHandle(Handle{true, access});
}

SC_HANDLE SimServices::OpenServiceA(SC_HANDLE manager, LPCSTR name, DWORD access) {
  serviceAccess_.push_back(access);
  const Handle* owner = Find(manager);
  if (owner == nullptr || !owner->manager) {
    Fail(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // test_open_svc in Wine's advapi32/tests/service.c: a null name is ERROR_INVALID_ADDRESS
  // from Windows 2000 on, 87 on NT 4; a display name is no service name.
  if (name == nullptr) {
    Fail(machine_.IsNt4() ? static_cast<DWORD>(ERROR_INVALID_PARAMETER) : ERROR_INVALID_ADDRESS);
    return nullptr;
  }
  if (!EqualsIgnoringCase(name, "Spooler")) {
    Fail(ERROR_SERVICE_DOES_NOT_EXIST);
    return nullptr;
  }
  return NewHandle(Handle{false, access});
}

BOOL SimServices::ControlService(SC_HANDLE service, DWORD control, SERVICE_STATUS* status) {
  const Handle* handle = Find(service);
  if (handle == nullptr || handle->manager) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  if ((handle->access & SERVICE_STOP) == 0) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  if (control != SERVICE_CONTROL_STOP) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  ++stopRequests_;
  stopTimes_.push_back(machine_.elapsedMilliseconds());
  if (stopError_ != 0) {
    const DWORD error = stopError_;
    stopError_ = 0;
    return Fail(error);
  }
  if (state_ == SERVICE_STOPPED) {
    // try_start_stop in Wine's advapi32/tests/service.c: the failed stop still reports the
    // state, except on NT 4, where the status holds whatever it held.
    if (!machine_.IsNt4()) {
      FillStatus(status);
    }
    return Fail(ERROR_SERVICE_NOT_ACTIVE);
  }
  state_ = stopQueries_ > 0 ? SERVICE_STOP_PENDING : SERVICE_STOPPED;
  pendingQueries_ = stopQueries_;
  FillStatus(status);
  return TRUE;
}

BOOL SimServices::StartServiceA(SC_HANDLE service, DWORD /*argc*/, LPCSTR* /*argv*/) {
  const Handle* handle = Find(service);
  if (handle == nullptr || handle->manager) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  if ((handle->access & SERVICE_START) == 0) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  ++startRequests_;
  startTimes_.push_back(machine_.elapsedMilliseconds());
  if (startError_ != 0) {
    const DWORD error = startError_;
    startError_ = 0;
    return Fail(error);
  }
  if (state_ != SERVICE_STOPPED) {
    return Fail(ERROR_SERVICE_ALREADY_RUNNING);
  }
  if (neverStarts_ || startQueries_ > 0) {
    state_ = SERVICE_START_PENDING;
    pendingQueries_ = startQueries_;
  } else {
    state_ = SERVICE_RUNNING;
  }
  return TRUE;
}

BOOL SimServices::QueryServiceStatus(SC_HANDLE service, SERVICE_STATUS* status) {
  const Handle* handle = Find(service);
  if (handle == nullptr || handle->manager) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  if ((handle->access & SERVICE_QUERY_STATUS) == 0) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  ++statusQueries_;
  const bool pending =
      (state_ == SERVICE_START_PENDING && !neverStarts_) || state_ == SERVICE_STOP_PENDING;
  if (pending) {
    if (pendingQueries_ <= 0) {
      state_ = state_ == SERVICE_START_PENDING ? SERVICE_RUNNING : SERVICE_STOPPED;
    } else {
      --pendingQueries_;
    }
  }
  FillStatus(status);
  return TRUE;
}

void SimServices::FillStatus(SERVICE_STATUS* status) const {
  if (status != nullptr) {
    *status = SERVICE_STATUS{};
    status->dwServiceType = 0x110;  // SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS
    status->dwCurrentState = state_;
  }
}

BOOL SimServices::CloseServiceHandle(SC_HANDLE handle) {
  if (handles_.erase(reinterpret_cast<std::uintptr_t>(handle)) == 0) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  return TRUE;
}

}  // namespace platform::sim
