// The simulated service control manager with the one service the installer controls,
// "Spooler": its state, and faults such as a manager that refuses access (no administrator
// rights) or a spooler that never comes up.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/service_control.h"

namespace platform::sim {

class SimMachine;

class SimServices final : public ServiceControl {
 public:
  explicit SimServices(SimMachine& machine) : machine_(machine) {}

  // Scene.
  void SetSpoolerState(DWORD state) { state_ = state; }
  void DenyManagerAccess(bool deny) { denyManager_ = deny; }
  // A start request is accepted but the service stays START_PENDING.
  void SpoolerNeverStarts(bool never) { neverStarts_ = never; }
  // The next start or stop request fails with this error (0: none).
  void FailStart(DWORD error) { startError_ = error; }
  void FailStop(DWORD error) { stopError_ = error; }
  // After this many status queries the pending start completes (0: at once on start).
  void StartTakesQueries(int queries) { startQueries_ = queries; }
  // After a stop request the service stays STOP_PENDING, still holding the files it loaded and
  // refusing a start with ERROR_SERVICE_ALREADY_RUNNING, for this many status queries (0: it
  // stops at once).
  void StopTakesQueries(int queries) { stopQueries_ = queries; }

  // What is there.
  DWORD spoolerState() const { return state_; }
  // The service's process is up: running, or not yet stopped after a stop request.
  bool spoolerRunning() const {
    return state_ == SERVICE_RUNNING || state_ == SERVICE_STOP_PENDING;
  }
  int startRequests() const { return startRequests_; }
  int stopRequests() const { return stopRequests_; }
  // When each start or stop request came, on the virtual clock.
  const std::vector<DWORD>& startRequestTimes() const { return startTimes_; }
  const std::vector<DWORD>& stopRequestTimes() const { return stopTimes_; }
  int statusQueries() const { return statusQueries_; }
  // The access rights asked for by each open of the manager and of the service, in order.
  const std::vector<DWORD>& managerAccessRequested() const { return managerAccess_; }
  const std::vector<DWORD>& serviceAccessRequested() const { return serviceAccess_; }
  size_t openHandles() const { return handles_.size(); }

  SC_HANDLE OpenSCManagerA(LPCSTR machine, LPCSTR database, DWORD access) override;
  SC_HANDLE OpenServiceA(SC_HANDLE manager, LPCSTR name, DWORD access) override;
  BOOL ControlService(SC_HANDLE service, DWORD control, SERVICE_STATUS* status) override;
  BOOL StartServiceA(SC_HANDLE service, DWORD argc, LPCSTR* argv) override;
  BOOL QueryServiceStatus(SC_HANDLE service, SERVICE_STATUS* status) override;
  BOOL CloseServiceHandle(SC_HANDLE handle) override;

 private:
  struct Handle {
    bool manager;
    DWORD access;
  };
  const Handle* Find(SC_HANDLE handle) const;
  SC_HANDLE NewHandle(Handle handle);
  BOOL Fail(DWORD error);
  void FillStatus(SERVICE_STATUS* status) const;

  SimMachine& machine_;
  DWORD state_ = SERVICE_RUNNING;
  bool denyManager_ = false;
  bool neverStarts_ = false;
  DWORD startError_ = 0;
  DWORD stopError_ = 0;
  int startQueries_ = 0;
  int stopQueries_ = 0;
  int pendingQueries_ = 0;
  int startRequests_ = 0;
  int stopRequests_ = 0;
  std::vector<DWORD> startTimes_;
  std::vector<DWORD> stopTimes_;
  int statusQueries_ = 0;
  std::vector<DWORD> managerAccess_;
  std::vector<DWORD> serviceAccess_;
  std::map<std::uintptr_t, Handle> handles_;
  std::uintptr_t nextHandle_ = 0x7000;
};

}  // namespace platform::sim
