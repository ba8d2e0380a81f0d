#include "install/spooler_requests.h"

#include <string>

#include "install/install_results.h"
#include "install/spooler_refusal.h"
#include "install/zeroed_buffer.h"
#include "messages/message_box.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

// The first buffer handed to EnumPortsA, which only learns the size it needs.
constexpr std::size_t kFirstPortsBufferSize = 100;

}  // namespace

int AddDriver(platform::Platform& platform, config::DriverRecord info) {
  if (platform.spooler.AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)) != FALSE) {
    return kSucceeded;
  }
  ShowSpoolerFailure(platform, IDS_ADD_DRIVER_FAILED, platform.system.GetLastError());
  return kFailed;
}

int AddPortMonitor(platform::Platform& platform, config::MonitorRecord info) {
  if (platform.spooler.AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)) != FALSE) {
    return kSucceeded;
  }
  const DWORD error = platform.system.GetLastError();
  if (error == ERROR_PRINT_MONITOR_ALREADY_INSTALLED || error == ERROR_ALREADY_EXISTS) {
    return kSucceeded;
  }
  ShowSpoolerFailure(platform, IDS_ADD_MONITOR_FAILED, error);
  return kFailed;
}

int AddProcessor(platform::Platform& platform, const char* name, const char* dll, int targetOs) {
  // The spooler call takes writable texts; it gets copies of the caller's.
  std::string nameText = name == nullptr ? "" : name;
  std::string dllText = dll == nullptr ? "" : dll;
  char windows40[] = "Windows 4.0";
  const BOOL added = platform.spooler.AddPrintProcessorA(
      nullptr, targetOs == kTargetWin98Me ? windows40 : nullptr,
      dll == nullptr ? nullptr : dllText.data(), name == nullptr ? nullptr : nameText.data());
  if (added != FALSE) {
    return kSucceeded;
  }
  const DWORD error = platform.system.GetLastError();
  if (error == ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED || error == ERROR_ALREADY_EXISTS ||
      error == static_cast<DWORD>(ERROR_INVALID_PARAMETER)) {
    return static_cast<int>(error);
  }
  ShowSpoolerFailure(platform, IDS_ADD_PROCESSOR_FAILED, error);
  return kFailed;
}

int ProbePorts(platform::Platform& platform) {
  DWORD needed = 0;
  DWORD returned = 0;
  {
    ZeroedBuffer first = AllocateZeroed(kFirstPortsBufferSize);
    if (!first) {
      messages::ShowMessage(platform, IDS_OUT_OF_MEMORY);
      return kFailed;
    }
    // Asked for the size only; the answer is a failure with the size needed.
    platform.spooler.EnumPortsA(nullptr, 1, first.get(), 0, &needed, &returned);
  }
  ZeroedBuffer ports = AllocateZeroed(needed);
  if (!ports) {
    messages::ShowMessage(platform, IDS_OUT_OF_MEMORY);
    return kFailed;
  }
  if (platform.spooler.EnumPortsA(nullptr, 1, ports.get(), needed, &needed, &returned) == FALSE) {
    ShowSpoolerFailure(platform, IDS_ENUM_PORTS_FAILED, platform.system.GetLastError());
    return kFailed;
  }
  return kSucceeded;
}

}  // namespace install
