#include "install/spooler_control.h"

#include <cstdio>

#include "install/handles.h"
#include "install/install_results.h"
#include "messages/message_box.h"

namespace install {
namespace {

constexpr const char* kSpoolerService = "Spooler";
constexpr DWORD kStopPause = 100;
constexpr int kStatusPolls = 10;
constexpr DWORD kPollPause = 300;

SC_HANDLE OpenManager(platform::Platform& platform) {
  return platform.services.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
}

void ShowError(platform::Platform& platform, const char* format, DWORD error) {
  char text[80] = {};
  std::snprintf(text, sizeof(text), format, static_cast<unsigned>(error));
  messages::ShowText(platform, text);
}

}  // namespace

void StopSpooler(platform::Platform& platform) {
  ServiceHandle manager(platform.services, OpenManager(platform));
  if (manager.get() == nullptr) {
    return;
  }
  ServiceHandle service(platform.services, platform.services.OpenServiceA(
                                               manager.get(), kSpoolerService, SERVICE_STOP));
  if (service.get() != nullptr) {
    SERVICE_STATUS status{};
    if (platform.services.ControlService(service.get(), SERVICE_CONTROL_STOP, &status) == FALSE) {
      const DWORD error = platform.system.GetLastError();
      if (error != ERROR_SERVICE_NOT_ACTIVE) {
        ShowError(platform, "Stop spool service error, error code = %u", error);
      }
    }
    service.Close();
  }
  platform.system.Sleep(kStopPause);
}

void StartSpooler(platform::Platform& platform) {
  ServiceHandle manager(platform.services, OpenManager(platform));
  if (manager.get() == nullptr) {
    return;
  }
  ServiceHandle service(platform.services, platform.services.OpenServiceA(
                                               manager.get(), kSpoolerService, SERVICE_START));
  if (service.get() == nullptr) {
    return;
  }
  if (platform.services.StartServiceA(service.get(), 0, nullptr) == FALSE) {
    const DWORD error = platform.system.GetLastError();
    if (error != ERROR_SERVICE_ALREADY_RUNNING) {
      ShowError(platform, "Start spool service error, error code = %u", error);
    }
  }
}

int WaitSpoolerRunning(platform::Platform& platform) {
  DWORD state = SERVICE_STOPPED;
  {
    ServiceHandle manager(platform.services, OpenManager(platform));
    if (manager.get() != nullptr) {
      ServiceHandle service(
          platform.services,
          platform.services.OpenServiceA(manager.get(), kSpoolerService, SERVICE_QUERY_STATUS));
      for (int poll = 0; poll < kStatusPolls; ++poll) {
        SERVICE_STATUS status{};
        // A failed query (or none, without a service handle) leaves the state last read.
        if (service.get() != nullptr &&
            platform.services.QueryServiceStatus(service.get(), &status) != FALSE) {
          state = status.dwCurrentState;
        }
        if (state == SERVICE_RUNNING) {
          break;
        }
        platform.system.Sleep(kPollPause);
      }
    }
  }
  if (state == SERVICE_RUNNING) {
    return kSucceeded;
  }
  messages::ShowText(platform, "StartSpoolService error");
  return kFailed;
}

}  // namespace install
