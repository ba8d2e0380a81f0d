// The simulated service manager's and file copy's answers that differ between the Windows
// versions the installer runs on, as Wine's advapi32/tests/service.c and kernel32/tests/file.c
// record them (the function is named per test).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

constexpr DWORD kUntouched = 0xdeadbeef;

struct Version {
  const char* name;
  DWORD platformId;
  DWORD major;
  DWORD minor;
};

constexpr Version kNtFamily[] = {
    {"Windows NT 4", VER_PLATFORM_WIN32_NT, 4, 0},
    {"Windows 2000", VER_PLATFORM_WIN32_NT, 5, 0},
    {"Windows XP", VER_PLATFORM_WIN32_NT, 5, 1},
    {"Windows Server 2003", VER_PLATFORM_WIN32_NT, 5, 2},
};

class SystemVersions : public ::testing::Test {
 protected:
  void Use(DWORD platformId, DWORD major, DWORD minor) {
    machine_ = std::make_unique<SimMachine>();
    machine_->SetVersion(platformId, major, minor);
  }
  SimMachine& machine() { return *machine_; }
  ServiceControl& services() { return machine_->platform().services; }

  std::unique_ptr<SimMachine> machine_;
};

// test_open_scm, test_open_svc and try_start_stop (service.c), per version: the last error a
// successful OpenSCManagerA leaves (NT 4 is not recorded), OpenServiceA without a name, and
// the state a failed stop reports (NT 4 leaves the status as it was).
TEST_F(SystemVersions, ServiceManagerAnswers) {
  struct Expected {
    DWORD afterOpen;
    DWORD withoutName;
    DWORD stateAfterFailedStop;
  };
  const Expected expected[] = {
      {kUntouched, ERROR_INVALID_PARAMETER, kUntouched},
      {ERROR_IO_PENDING, ERROR_INVALID_ADDRESS, SERVICE_STOPPED},
      {ERROR_SUCCESS, ERROR_INVALID_ADDRESS, SERVICE_STOPPED},
      {ERROR_SUCCESS, ERROR_INVALID_ADDRESS, SERVICE_STOPPED},
  };
  for (size_t i = 0; i < std::size(kNtFamily); ++i) {
    const Version& version = kNtFamily[i];
    SCOPED_TRACE(version.name);
    Use(version.platformId, version.major, version.minor);
    machine().services().SetSpoolerState(SERVICE_STOPPED);
    machine().SetLastError(kUntouched);
    SC_HANDLE manager = services().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(machine().GetLastError(), expected[i].afterOpen);
    EXPECT_EQ(services().OpenServiceA(manager, nullptr, SERVICE_STOP), nullptr);
    EXPECT_EQ(machine().GetLastError(), expected[i].withoutName);
    SC_HANDLE service = services().OpenServiceA(manager, "Spooler", SERVICE_STOP);
    ASSERT_NE(service, nullptr);
    SERVICE_STATUS status = {};
    status.dwCurrentState = kUntouched;
    EXPECT_FALSE(services().ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(machine().GetLastError(), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
    EXPECT_EQ(status.dwCurrentState, expected[i].stateAfterFailedStop);
    EXPECT_TRUE(services().CloseServiceHandle(service));
    EXPECT_TRUE(services().CloseServiceHandle(manager));
  }
}

// test_CopyFileA (file.c): a file copied onto itself is ERROR_FILE_EXISTS on Windows 95/98/Me
// and a sharing violation on the NT family; a destination held open, even for reading with
// read and write shared, refuses the copy on Windows 95/98/Me only.
TEST_F(SystemVersions, CopyFileOntoItselfAndOntoAnOpenFile) {
  struct Case {
    const char* name;
    DWORD platformId;
    DWORD major;
    DWORD minor;
    DWORD ontoItself;
    bool ontoOpenFile;
  };
  const Case cases[] = {
      {"Windows 98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, ERROR_FILE_EXISTS, false},
      {"Windows Me", VER_PLATFORM_WIN32_WINDOWS, 4, 90, ERROR_FILE_EXISTS, false},
      {"Windows NT 4", VER_PLATFORM_WIN32_NT, 4, 0, ERROR_SHARING_VIOLATION, true},
      {"Windows XP", VER_PLATFORM_WIN32_NT, 5, 1, ERROR_SHARING_VIOLATION, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Use(c.platformId, c.major, c.minor);
    const std::string source = "C:\\PACKAGE\\TP.DLL";
    const std::string target = machine().systemDirectory() + "\\TP.DLL";
    machine().disk().WriteFile(source, "new");
    machine().disk().WriteFile(target, "old");
    EXPECT_FALSE(machine().CopyFileA(source.c_str(), source.c_str(), FALSE));
    EXPECT_EQ(machine().GetLastError(), c.ontoItself);

    HANDLE reader =
        machine().CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    const BOOL copied = machine().CopyFileA(source.c_str(), target.c_str(), FALSE);
    EXPECT_EQ(copied != FALSE, c.ontoOpenFile);
    if (!c.ontoOpenFile) {
      EXPECT_EQ(machine().GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    EXPECT_EQ(*machine().disk().ReadFile(target), c.ontoOpenFile ? "new" : "old");
    EXPECT_TRUE(machine().CloseHandle(reader));
  }
}

// testGetModuleFileName (module.c): into a buffer too small GetModuleFileNameA answers size on
// the NT family and size - 1 on Windows 95/98/Me.
TEST_F(SystemVersions, ModuleNameIntoABufferTooSmall) {
  struct Case {
    const char* name;
    DWORD platformId;
    DWORD major;
    DWORD minor;
    DWORD halfName;
  };
  const Case cases[] = {
      {"Windows 98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, 9},
      {"Windows NT 4", VER_PLATFORM_WIN32_NT, 4, 0, 10},
      {"Windows Server 2003", VER_PLATFORM_WIN32_NT, 5, 2, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Use(c.platformId, c.major, c.minor);
    machine().SetModuleFileName("C:\\PKG\\Setup.exe");  // 16 characters
    char name[32];
    std::memset(name, '-', sizeof(name));
    EXPECT_EQ(machine().GetModuleFileNameA(name, 10), c.halfName);
    EXPECT_EQ(std::string(name, 9), "C:\\PKG\\Se");
    EXPECT_EQ(name[10], '-');
  }
}

}  // namespace
}  // namespace platform::sim
