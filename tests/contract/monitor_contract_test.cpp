// What the installer relies on from the spooler's ports and monitors: EnumPortsA's two calls
// (size, then data) and AddMonitorA with the package's serial monitor, 3006 when the monitor
// is already installed; and the answers test_AddMonitor and test_EnumPorts in Wine's
// winspool.drv/tests/info.c record for the arguments both calls refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "contract_platform.h"
#include "spooler_scene.h"

namespace {

class MonitorContract : public ::testing::Test {
 protected:
  MonitorContract()
      : spooler_(contract::TestPlatform().spooler), system_(contract::TestPlatform().system) {}

  BOOL AddMonitor(const std::string& name, const std::string& dll) {
    std::string monitorName = name;
    std::string dllName = dll;
    MONITOR_INFO_2A info = {};
    info.pName = &monitorName[0];
    info.pEnvironment = nullptr;
    info.pDLLName = &dllName[0];
    return spooler_.AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  }

  static bool Lists(const std::vector<std::string>& ports, const std::string& port) {
    return std::find(ports.begin(), ports.end(), port) != ports.end();
  }

  platform::SpoolerService& spooler_;
  platform::SystemService& system_;
};

TEST_F(MonitorContract, EnumPortsTellsTheSizeFirstThenFillsTheBuffer) {
  DWORD needed = 0;
  DWORD returned = 99;
  EXPECT_FALSE(spooler_.EnumPortsA(nullptr, 1, nullptr, 0, &needed, &returned));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(returned, 0u);
  ASSERT_GT(needed, 0u);

  std::vector<BYTE> buffer(needed);
  DWORD tooSmall = 0;
  EXPECT_FALSE(spooler_.EnumPortsA(nullptr, 1, buffer.data(), needed - 1, &tooSmall, &returned));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(tooSmall, needed);

  DWORD again = 0;
  ASSERT_TRUE(spooler_.EnumPortsA(nullptr, 1, buffer.data(), needed, &again, &returned));
  EXPECT_EQ(again, needed);
  // The records first, their names behind them, all inside the buffer.
  const auto* ports = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
  size_t names = 0;
  std::vector<std::string> listed;
  for (DWORD i = 0; i < returned; ++i) {
    const auto* name = reinterpret_cast<const BYTE*>(ports[i].pName);
    ASSERT_GE(name, buffer.data() + returned * sizeof(PORT_INFO_1A));
    ASSERT_LT(name, buffer.data() + needed);
    listed.emplace_back(ports[i].pName);
    names += listed.back().size() + 1;
  }
  EXPECT_EQ(needed, returned * sizeof(PORT_INFO_1A) + names);
  for (const char* port : {"COM1:", "COM2:", "LPT1:", "LPT2:", "LPT3:", "FILE:"}) {
    EXPECT_TRUE(Lists(listed, port)) << port;
  }
}

// The monitor DLL is loaded from the system directory, where the installer copies it.
TEST_F(MonitorContract, AddingAnInstalledMonitorAgainFailsWith3006) {
  ASSERT_TRUE(contract::PlaceDll("TPSERMON.DLL", contract::SystemDirectory(), "TPSERMON.DLL"));
  const std::string name = contract::OwnName("TP Serial");
  ASSERT_TRUE(AddMonitor(name, "TPSERMON.DLL")) << "error " << system_.GetLastError();
  EXPECT_EQ(contract::RegistryText("SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + name,
                                   "Driver"),
            "TPSERMON.DLL");

  EXPECT_FALSE(AddMonitor(name, "TPSERMON.DLL"));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_PRINT_MONITOR_ALREADY_INSTALLED));
}

TEST_F(MonitorContract, AnAddedMonitorsPortsAppearInEnumPorts) {
  ASSERT_TRUE(contract::PlaceDll("TPSERMON.DLL", contract::SystemDirectory(), "TPSERMON.DLL"));
  ASSERT_TRUE(AddMonitor(contract::OwnName("TP Serial"), "TPSERMON.DLL"))
      << "error " << system_.GetLastError();
  const std::vector<std::string> ports = contract::PortNames();
  for (int n = 1; n <= 8; ++n) {
    EXPECT_TRUE(Lists(ports, "KSCOM" + std::to_string(n) + ":")) << n;
  }
}

// test_AddMonitor: what AddMonitorA refuses, and with which error, on the NT family.
struct RefusedMonitor {
  const char* what;
  DWORD level;
  const char* name;  // nullptr: no name
  const char* dll;   // nullptr: no DLL name
  DWORD error;
};

const RefusedMonitor kRefusedMonitors[] = {
    {"level 1", 1, "TP Refused", "TPSERMON.DLL", ERROR_INVALID_LEVEL},
    {"level 3", 3, "TP Refused", "TPSERMON.DLL", ERROR_INVALID_LEVEL},
    {"empty name", 2, "", "TPSERMON.DLL", ERROR_INVALID_PARAMETER},
    {"no DLL name", 2, "TP Refused", nullptr, ERROR_INVALID_PARAMETER},
    {"empty DLL name", 2, "TP Refused", "", ERROR_INVALID_PARAMETER},
    {"DLL not in the system directory", 2, "TP Refused", "TPABSENT.DLL", ERROR_MOD_NOT_FOUND},
    {"DLL without the monitor entry point", 2, "TP Refused", "CTNOTMON.DLL", ERROR_PROC_NOT_FOUND},
};

TEST_F(MonitorContract, RefusedArgumentsAddNoMonitor) {
  // A real DLL that is no monitor: the package's print processor under another name.
  ASSERT_TRUE(contract::PlaceDll("TPPROC.DLL", contract::SystemDirectory(), "CTNOTMON.DLL"));
  for (const RefusedMonitor& c : kRefusedMonitors) {
    SCOPED_TRACE(c.what);
    std::string name = c.name == nullptr ? "" : c.name;
    std::string dll = c.dll == nullptr ? "" : c.dll;
    MONITOR_INFO_2A info = {};
    info.pName = c.name == nullptr ? nullptr : &name[0];
    info.pDLLName = c.dll == nullptr ? nullptr : &dll[0];
    system_.SetLastError(0xdeadbeef);
    EXPECT_FALSE(spooler_.AddMonitorA(nullptr, c.level, reinterpret_cast<LPBYTE>(&info)));
    EXPECT_EQ(system_.GetLastError(), c.error);
  }
  EXPECT_FALSE(contract::RegistryKeyExists(
      "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\TP Refused"));
}

// test_AddMonitor: "Some apps depend on the result of GetLastError() also on success". Wine's
// test records the same, but Wine often leaves an unrelated value after a success, so only
// the simulation is held to it.
TEST_F(MonitorContract, ASuccessfulAddSetsTheLastErrorTo0) {
  if (!contract::RunningOnSimulation()) {
    GTEST_SKIP() << "the last error after a success is not checked under Wine";
  }
  ASSERT_TRUE(contract::PlaceDll("TPSERMON.DLL", contract::SystemDirectory(), "TPSERMON.DLL"));
  system_.SetLastError(0xdeadbeef);
  ASSERT_TRUE(AddMonitor(contract::OwnName("TP Serial"), "TPSERMON.DLL"));
  EXPECT_EQ(system_.GetLastError(), 0u);
}

// test_EnumPorts: levels 1 and 2 exist on the NT family; others are refused.
TEST_F(MonitorContract, EnumPortsKnowsLevels1And2) {
  for (DWORD level : {0u, 3u, 4u}) {
    DWORD needed = 0;
    DWORD returned = 0;
    EXPECT_FALSE(spooler_.EnumPortsA(nullptr, level, nullptr, 0, &needed, &returned)) << level;
    EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL)) << level;
  }
  DWORD needed = 0;
  DWORD returned = 0;
  EXPECT_FALSE(spooler_.EnumPortsA(nullptr, 2, nullptr, 0, &needed, &returned));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(spooler_.EnumPortsA(nullptr, 2, buffer.data(), needed, &needed, &returned));
  std::vector<std::string> names;
  const auto* ports = reinterpret_cast<const PORT_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) {
    names.emplace_back(ports[i].pPortName);
    EXPECT_NE(ports[i].pMonitorName, nullptr) << names.back();
  }
  EXPECT_TRUE(Lists(names, "LPT1:"));
  EXPECT_TRUE(Lists(names, "COM1:"));
}

// test_EnumPorts: the NT family's RPC layer refuses a null size or count pointer with
// RPC_X_NULL_REF_POINTER (1780), or 87 as the test also allows.
TEST_F(MonitorContract, EnumPortsWantsBothCountPointers) {
  DWORD needed = 0;
  DWORD returned = 0;
  spooler_.EnumPortsA(nullptr, 1, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  const bool withoutNeeded =
      spooler_.EnumPortsA(nullptr, 1, buffer.data(), needed, nullptr, &returned) != FALSE;
  const DWORD neededError = system_.GetLastError();
  const bool withoutReturned =
      spooler_.EnumPortsA(nullptr, 1, buffer.data(), needed, &needed, nullptr) != FALSE;
  const DWORD returnedError = system_.GetLastError();
  EXPECT_FALSE(withoutNeeded);
  EXPECT_FALSE(withoutReturned);
  for (DWORD error : {neededError, returnedError}) {
    if (contract::RunningOnSimulation()) {
      EXPECT_EQ(error, static_cast<DWORD>(RPC_X_NULL_REF_POINTER));
    } else {
      EXPECT_TRUE(error == RPC_X_NULL_REF_POINTER || error == ERROR_INVALID_PARAMETER) << error;
    }
  }
}

}  // namespace
