// The Windows versions the installer runs on, and a fixture that gives each test a fresh
// simulated machine of the version it asks for: for the tests of what differs between them.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/sim/sim_machine.h"

namespace platform::sim::testing {

struct WindowsVersion {
  const char* name;
  DWORD platformId;
  DWORD major;
  DWORD minor;
  bool windows9x() const { return platformId == VER_PLATFORM_WIN32_WINDOWS; }
  bool nt4() const { return platformId == VER_PLATFORM_WIN32_NT && major == 4; }
};

inline constexpr WindowsVersion kWindowsVersions[] = {
    {"Windows 98", VER_PLATFORM_WIN32_WINDOWS, 4, 10},
    {"Windows Me", VER_PLATFORM_WIN32_WINDOWS, 4, 90},
    {"Windows NT 4", VER_PLATFORM_WIN32_NT, 4, 0},
    {"Windows 2000", VER_PLATFORM_WIN32_NT, 5, 0},
    {"Windows XP", VER_PLATFORM_WIN32_NT, 5, 1},
    {"Windows Server 2003", VER_PLATFORM_WIN32_NT, 5, 2},
};

class VersionedMachineTest : public ::testing::Test {
 protected:
  void Use(const WindowsVersion& version) {
    machine_ = std::make_unique<SimMachine>();
    machine_->SetVersion(version.platformId, version.major, version.minor);
  }
  SimMachine& machine() { return *machine_; }
  SpoolerService& spooler() { return machine_->platform().spooler; }
  DWORD LastError() { return machine_->GetLastError(); }

  std::unique_ptr<SimMachine> machine_;
};

}  // namespace platform::sim::testing
