// What the installer relies on from the service control manager when it stops and starts the
// print spooler around a file replacement: the "Spooler" service of this machine (of the Wine
// prefix on the bench) really stopped and started, with 1062 for a second stop and 1056 for a
// second start. Every test leaves the spooler running.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract_machine.h"
#include "contract_platform.h"
#include "spooler_scene.h"

namespace {

class ServiceContract : public ::testing::Test {
 protected:
  ServiceContract()
      : services_(contract::TestPlatform().services), system_(contract::TestPlatform().system) {}

  void SetUp() override {
    manager_ = services_.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager_, nullptr) << "error " << system_.GetLastError();
    query_ = Open(SERVICE_QUERY_STATUS);
    ASSERT_NE(query_, nullptr);
    // The spooler of a fresh Wine prefix is stopped (it is a demand-start service there,
    // measured); Windows starts it with the system (an assumption no test records), and so
    // does the simulation.
    SC_HANDLE start = Open(SERVICE_START);
    ASSERT_NE(start, nullptr);
    if (!services_.StartServiceA(start, 0, nullptr)) {
      ASSERT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));
    }
    ASSERT_EQ(WaitFor(SERVICE_RUNNING), static_cast<DWORD>(SERVICE_RUNNING));
  }

  void TearDown() override {
    if (query_ != nullptr && State() != SERVICE_RUNNING) {
      SC_HANDLE start = Open(SERVICE_START);
      if (start != nullptr) {
        services_.StartServiceA(start, 0, nullptr);
      }
      EXPECT_EQ(WaitFor(SERVICE_RUNNING), static_cast<DWORD>(SERVICE_RUNNING))
          << "the spooler was left stopped";
    }
    for (SC_HANDLE handle : opened_) {
      EXPECT_TRUE(services_.CloseServiceHandle(handle));
    }
    if (manager_ != nullptr) {
      EXPECT_TRUE(services_.CloseServiceHandle(manager_));
    }
  }

  SC_HANDLE Open(DWORD access) {
    SC_HANDLE service = services_.OpenServiceA(manager_, "Spooler", access);
    if (service != nullptr) {
      opened_.push_back(service);
    }
    return service;
  }

  DWORD State() {
    SERVICE_STATUS status = {};
    if (!services_.QueryServiceStatus(query_, &status)) {
      return 0;
    }
    return status.dwCurrentState;
  }

  // Polls as the installer does (up to ten times, 300 ms apart) and returns the last state.
  DWORD WaitFor(DWORD wanted) {
    DWORD state = State();
    for (int i = 0; i < 10 && state != wanted; ++i) {
      system_.Sleep(300);
      state = State();
    }
    return state;
  }

  platform::ServiceControl& services_;
  platform::SystemService& system_;
  SC_HANDLE manager_ = nullptr;
  SC_HANDLE query_ = nullptr;
  std::vector<SC_HANDLE> opened_;
};

TEST_F(ServiceContract, StartingARunningSpoolerFailsWith1056) {
  SC_HANDLE start = Open(SERVICE_START);
  ASSERT_NE(start, nullptr);
  EXPECT_FALSE(services_.StartServiceA(start, 0, nullptr));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_RUNNING));
}

TEST_F(ServiceContract, StopStopsTheSpoolerAndASecondStopFailsWith1062) {
  SC_HANDLE stop = Open(SERVICE_STOP);
  ASSERT_NE(stop, nullptr);
  SERVICE_STATUS status = {};
  ASSERT_TRUE(services_.ControlService(stop, SERVICE_CONTROL_STOP, &status))
      << "error " << system_.GetLastError();
  // The control returns at once; the service may still be on its way down.
  EXPECT_TRUE(status.dwCurrentState == SERVICE_STOP_PENDING ||
              status.dwCurrentState == SERVICE_STOPPED)
      << status.dwCurrentState;
  EXPECT_EQ(WaitFor(SERVICE_STOPPED), static_cast<DWORD>(SERVICE_STOPPED));

  // try_start_stop in Wine's advapi32/tests/service.c: the failed stop still reports the
  // state (NT 4 leaves whatever the status held).
  status.dwCurrentState = 0xdeadbeef;
  EXPECT_FALSE(services_.ControlService(stop, SERVICE_CONTROL_STOP, &status));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
  EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(ServiceContract, AStoppedSpoolerStartsAgain) {
  SC_HANDLE stop = Open(SERVICE_STOP);
  SC_HANDLE start = Open(SERVICE_START);
  ASSERT_NE(stop, nullptr);
  ASSERT_NE(start, nullptr);
  SERVICE_STATUS status = {};
  ASSERT_TRUE(services_.ControlService(stop, SERVICE_CONTROL_STOP, &status));
  ASSERT_EQ(WaitFor(SERVICE_STOPPED), static_cast<DWORD>(SERVICE_STOPPED));
  ASSERT_TRUE(services_.StartServiceA(start, 0, nullptr)) << "error " << system_.GetLastError();
  EXPECT_EQ(WaitFor(SERVICE_RUNNING), static_cast<DWORD>(SERVICE_RUNNING));
}

// Windows answers every spooler call with RPC_S_SERVER_UNAVAILABLE while the spooler is
// stopped (is_spooler_deactivated in Wine's winspool.drv/tests/info.c skips the tests on that
// answer). Wine differs (measured): its spooler calls run inside the calling program and work
// whether the service runs or not.
TEST_F(ServiceContract, SpoolerCallsNeedARunningSpooler) {
  SC_HANDLE stop = Open(SERVICE_STOP);
  ASSERT_NE(stop, nullptr);
  SERVICE_STATUS status = {};
  ASSERT_TRUE(services_.ControlService(stop, SERVICE_CONTROL_STOP, &status));
  ASSERT_EQ(WaitFor(SERVICE_STOPPED), static_cast<DWORD>(SERVICE_STOPPED));

  DWORD needed = 0;
  DWORD returned = 0;
  platform::SpoolerService& spooler = contract::TestPlatform().spooler;
  spooler.EnumPortsA(nullptr, 1, nullptr, 0, &needed, &returned);
  const DWORD sizeError = system_.GetLastError();
  if (contract::RunningUnderWine()) {
    EXPECT_EQ(sizeError, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_GT(needed, 0u);
  } else {
    EXPECT_EQ(sizeError, static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  }
}

// Windows' spooler keeps the monitors it has added loaded, so their DLLs cannot be replaced
// while it runs (a sharing violation); stopped, it lets go of them (an assumption no test
// records). This is why the installer stops the spooler to update a monitor. Wine differs
// (measured): its spooler runs inside the calling program and keeps the monitor loaded there,
// so the DLL stays locked for as long as that program runs, whether the "Spooler" service
// runs or not.
TEST_F(ServiceContract, AnAddedMonitorsDllIsReplacedOnlyWhileTheSpoolerIsStopped) {
  const std::string system = contract::SystemDirectory();
  ASSERT_TRUE(contract::PlaceDll("TPSERMON.DLL", system, "CTSERMON.DLL"));
  std::string name = contract::OwnName("TP Serial");
  char dll[] = "CTSERMON.DLL";
  MONITOR_INFO_2A info = {};
  info.pName = &name[0];
  info.pDLLName = dll;
  platform::SpoolerService& spooler = contract::TestPlatform().spooler;
  ASSERT_TRUE(spooler.AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)))
      << "error " << system_.GetLastError();

  platform::FileService& files = contract::TestPlatform().files;
  const std::string source = contract::PackageDll("TPSERMON.DLL");
  const std::string target = system + "\\CTSERMON.DLL";
  EXPECT_FALSE(files.CopyFileA(source.c_str(), target.c_str(), FALSE));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

  SC_HANDLE stop = Open(SERVICE_STOP);
  ASSERT_NE(stop, nullptr);
  SERVICE_STATUS status = {};
  ASSERT_TRUE(services_.ControlService(stop, SERVICE_CONTROL_STOP, &status));
  ASSERT_EQ(WaitFor(SERVICE_STOPPED), static_cast<DWORD>(SERVICE_STOPPED));
  const BOOL whileStopped = files.CopyFileA(source.c_str(), target.c_str(), FALSE);
  const DWORD error = system_.GetLastError();
  if (contract::RunningUnderWine()) {
    EXPECT_FALSE(whileStopped);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  } else {
    EXPECT_TRUE(whileStopped) << "error " << error;
  }
}

// The installer opens the service with one right per operation; an operation needs its own.
TEST_F(ServiceContract, EachOperationNeedsItsOwnAccessRight) {
  SC_HANDLE start = Open(SERVICE_START);
  SC_HANDLE stop = Open(SERVICE_STOP);
  ASSERT_NE(start, nullptr);
  ASSERT_NE(stop, nullptr);
  SERVICE_STATUS status = {};
  EXPECT_FALSE(services_.ControlService(start, SERVICE_CONTROL_STOP, &status));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(services_.QueryServiceStatus(stop, &status));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_RUNNING));
}

// test_open_svc in Wine's advapi32/tests/service.c: no manager is ERROR_INVALID_HANDLE; no
// name is ERROR_INVALID_ADDRESS from Windows 2000 on (87 on NT 4); an unknown name, or the
// display name, is ERROR_SERVICE_DOES_NOT_EXIST.
TEST_F(ServiceContract, OpenServiceRefusals) {
  struct Case {
    const char* what;
    bool manager;
    const char* name;
    DWORD error;
  };
  const Case cases[] = {
      {"no manager", false, "Spooler", ERROR_INVALID_HANDLE},
      {"no name", true, nullptr, ERROR_INVALID_ADDRESS},
      {"unknown name", true, "NoSuchSpoolerService", ERROR_SERVICE_DOES_NOT_EXIST},
      {"display name", true, "Print Spooler", ERROR_SERVICE_DOES_NOT_EXIST},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(services_.OpenServiceA(c.manager ? manager_ : nullptr, c.name, SERVICE_START),
              nullptr);
    EXPECT_EQ(system_.GetLastError(), c.error);
  }
}

}  // namespace
