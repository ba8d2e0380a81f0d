#include "install/spooler_requests.h"

#include <string>

#include "install_fixture.h"

namespace {

using install_test::InstallTest;

class SpoolerRequestsTest : public InstallTest {
 public:
  using InstallTest::platform;

  config::DriverRecord Driver() {
    config::DriverRecord driver{};
    driver.cVersion = 3;
    driver.pName = driverName_;
    driver.pDriverPath = driverPath_;
    driver.pDataFile = dataFile_;
    driver.pConfigFile = configFile_;
    driver.pHelpFile = helpFile_;
    return driver;
  }
  config::MonitorRecord Monitor(char* environment = nullptr) {
    return config::MonitorRecord{monitorName_, environment, monitorDll_};
  }

  char driverName_[16] = "KS Driver";
  char driverPath_[16] = "KS.DLL";
  char dataFile_[16] = "KS.GPD";
  char configFile_[16] = "KSUI.DLL";
  char helpFile_[16] = "KS.HLP";
  char monitorName_[16] = "KS Monitor";
  char monitorDll_[16] = "KSMON.DLL";
};

// AddDriver.

TEST_F(SpoolerRequestsTest, AddDriverRegistersTheDriver) {
  for (const char* file : {"KS.DLL", "KS.GPD", "KSUI.DLL"}) {
    machine.disk().WriteFile(DriverDir() + "\\" + file, "x");
  }
  EXPECT_EQ(install::AddDriver(platform(), Driver()), 1);
  ASSERT_EQ(machine.spooler().drivers().size(), 1u);
  EXPECT_EQ(machine.spooler().drivers()[0].name, "KS Driver");
  EXPECT_EQ(machine.spooler().drivers()[0].helpFile, "KS.HLP");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SpoolerRequestsTest, AddDriverToleratesNoErrorAtAll) {
  // Files missing from the driver folder (the simulation refuses them, an assumption no test
  // records), then errors a caller might hope to be harmless.
  EXPECT_EQ(install::AddDriver(platform(), Driver()), 0);
  for (DWORD error : {ERROR_ALREADY_EXISTS, ERROR_PRINTER_ALREADY_EXISTS}) {
    machine.spooler().FailCall("AddPrinterDriverA", error, 1);
    EXPECT_EQ(install::AddDriver(platform(), Driver()), 0) << error;
  }
  EXPECT_EQ(Shown(), std::vector<std::string>(3, Message(IDS_ADD_DRIVER_FAILED)));
}

// AddPortMonitor.

TEST_F(SpoolerRequestsTest, AddPortMonitorRegistersTheMonitor) {
  machine.disk().WriteFile(SystemDir() + "\\KSMON.DLL", platform::sim::PortMonitorImage("KSMON"));
  EXPECT_EQ(install::AddPortMonitor(platform(), Monitor()), 1);
  EXPECT_TRUE(machine.spooler().MonitorInstalled("KS Monitor"));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SpoolerRequestsTest, MonitorAlreadyInstalledIsSuccessWithoutMessage) {
  machine.disk().WriteFile(SystemDir() + "\\KSMON.DLL", platform::sim::PortMonitorImage("KSMON"));
  ASSERT_EQ(install::AddPortMonitor(platform(), Monitor()), 1);
  EXPECT_EQ(install::AddPortMonitor(platform(), Monitor()), 1);  // 3006 from the spooler
  machine.spooler().FailCall("AddMonitorA", ERROR_ALREADY_EXISTS, 1);
  EXPECT_EQ(install::AddPortMonitor(platform(), Monitor()), 1);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SpoolerRequestsTest, OtherMonitorFailuresShow119) {
  // DLL not in the system folder: 126 (test_AddMonitor in Wine's winspool.drv/tests/info.c).
  EXPECT_EQ(install::AddPortMonitor(platform(), Monitor()), 0);
  char windows40[] = "Windows 4.0";
  machine.disk().WriteFile(SystemDir() + "\\KSMON.DLL", platform::sim::PortMonitorImage("KSMON"));
  EXPECT_EQ(install::AddPortMonitor(platform(), Monitor(windows40)), 0);  // wrong environment
  EXPECT_EQ(Shown(), Messages({IDS_ADD_MONITOR_FAILED, IDS_ADD_MONITOR_FAILED}));
  EXPECT_FALSE(machine.spooler().MonitorInstalled("KS Monitor"));
}

// AddProcessor.

TEST_F(SpoolerRequestsTest, AddProcessorUsesTheSpoolersOwnEnvironmentForTheNtFamily) {
  machine.disk().WriteFile(ProcessorDir() + "\\KSPP.DLL", "x");
  EXPECT_EQ(install::AddProcessor(platform(), "KS Processor", "KSPP.DLL", kTargetWinXp), 1);
  EXPECT_TRUE(machine.spooler().ProcessorInstalled("Windows NT x86", "KS Processor"));
  EXPECT_FALSE(machine.spooler().ProcessorInstalled("Windows 4.0", "KS Processor"));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SpoolerRequestsTest, AddProcessorNamesWindows40ForAWindows98Target) {
  machine.disk().WriteFile(ProcessorDir() + "\\KSPP.DLL", "x");
  EXPECT_EQ(install::AddProcessor(platform(), "KS Processor", "KSPP.DLL", kTargetWin98Me), 1);
  EXPECT_TRUE(machine.spooler().ProcessorInstalled("Windows 4.0", "KS Processor"));
  EXPECT_FALSE(machine.spooler().ProcessorInstalled("Windows NT x86", "KS Processor"));
}

TEST_F(SpoolerRequestsTest, AddProcessorHandsBackTheToleratedErrorNumbersSilently) {
  machine.disk().WriteFile(ProcessorDir() + "\\KSPP.DLL", "x");
  ASSERT_EQ(install::AddProcessor(platform(), "KS Processor", "KSPP.DLL", kTargetWinXp), 1);
  // The simulation's 3005 for an installed processor is an assumption no test records.
  EXPECT_EQ(install::AddProcessor(platform(), "KS Processor", "KSPP.DLL", kTargetWinXp), 3005);
  for (DWORD error : {DWORD{183}, DWORD{87}}) {
    machine.spooler().FailCall("AddPrintProcessorA", error, 1);
    EXPECT_EQ(install::AddProcessor(platform(), "KS Processor", "KSPP.DLL", kTargetWinXp),
              static_cast<int>(error));
  }
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SpoolerRequestsTest, AddProcessorOtherErrorShows123) {
  // The DLL is not in the processor folder: 126 from the simulation (an assumption no test
  // records).
  EXPECT_EQ(install::AddProcessor(platform(), "KS Processor", "KSPP.DLL", kTargetWinXp), 0);
  EXPECT_EQ(Shown(), Messages({IDS_ADD_PROCESSOR_FAILED}));
}

// ProbePorts.

TEST_F(SpoolerRequestsTest, ProbePortsAsksForTheSizeThenTheList) {
  EXPECT_EQ(install::ProbePorts(platform()), 1);
  EXPECT_EQ(machine.spooler().callCount("EnumPortsA"), 2);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SpoolerRequestsTest, ProbePortsFailingShows125) {
  machine.spooler().FailCall("EnumPortsA", ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(install::ProbePorts(platform()), 0);
  EXPECT_EQ(Shown(), Messages({IDS_ENUM_PORTS_FAILED}));
}

TEST_F(SpoolerRequestsTest, ProbePortsWithTheSpoolerStoppedShows125) {
  machine.services().SetSpoolerState(SERVICE_STOPPED);
  EXPECT_EQ(install::ProbePorts(platform()), 0);
  EXPECT_EQ(Shown(), Messages({IDS_ENUM_PORTS_FAILED}));
}

// Without administrator rights every spooler request is refused with ERROR_ACCESS_DENIED; the
// message then names the rights, and only then.

struct RefusedRequest {
  const char* call;
  unsigned message;
  int (*request)(SpoolerRequestsTest& test);
};

class SpoolerRefusalTest : public SpoolerRequestsTest,
                           public ::testing::WithParamInterface<RefusedRequest> {};

TEST_P(SpoolerRefusalTest, AccessDeniedNamesAdministratorRights) {
  const RefusedRequest& r = GetParam();
  machine.spooler().FailCall(r.call, ERROR_ACCESS_DENIED);
  EXPECT_EQ(r.request(*this), 0);
  machine.spooler().FailCall(r.call, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(r.request(*this), 0);
  EXPECT_EQ(Shown(),
            (std::vector<std::string>{Message(r.message) + install_test::kNeedsAdministrator,
                                      Message(r.message)}));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, SpoolerRefusalTest,
    ::testing::Values(RefusedRequest{"AddPrinterDriverA", IDS_ADD_DRIVER_FAILED,
                                     [](SpoolerRequestsTest& t) {
                                       return install::AddDriver(t.platform(), t.Driver());
                                     }},
                      RefusedRequest{"AddMonitorA", IDS_ADD_MONITOR_FAILED,
                                     [](SpoolerRequestsTest& t) {
                                       return install::AddPortMonitor(t.platform(), t.Monitor());
                                     }},
                      RefusedRequest{"AddPrintProcessorA", IDS_ADD_PROCESSOR_FAILED,
                                     [](SpoolerRequestsTest& t) {
                                       return install::AddProcessor(t.platform(), "KS Processor",
                                                                    "KSPP.DLL", kTargetWinXp);
                                     }},
                      RefusedRequest{"EnumPortsA", IDS_ENUM_PORTS_FAILED,
                                     [](SpoolerRequestsTest& t) {
                                       return install::ProbePorts(t.platform());
                                     }}),
    [](const ::testing::TestParamInfo<RefusedRequest>& info) { return info.param.call; });

}  // namespace
