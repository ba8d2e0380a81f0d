// What the installer relies on from the spooler's ports and monitors: EnumPortsA's two calls
// (size, then data) and AddMonitorA with the package's serial monitor, 3006 when the monitor
// is already installed.
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

TEST_F(MonitorContract, AMonitorWhoseDllIsNotInTheSystemDirectoryFailsWith126) {
  const std::string name = contract::OwnName("TP Serial");
  EXPECT_FALSE(AddMonitor(name, "TPABSENT.DLL"));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_FALSE(
      contract::RegistryKeyExists("SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + name));
}

}  // namespace
