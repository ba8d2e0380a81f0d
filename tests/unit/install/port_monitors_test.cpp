#include "install/port_monitors.h"

#include <string>

#include "install/install_results.h"
#include "monitor_package.h"

namespace {

using install_test::kSerialMonitor;
using install_test::kUsbMonitor;
using install_test::MonitorTest;

class CheckPortMonitorsTest : public MonitorTest {
 protected:
  void SetUp() override {
    WriteMonitorSections("3", "4");
    PutMonitorFiles("winnt", "nt");
    PutMonitorFiles("win98", "98");
  }
  int Check(const char* port, int targetOs = kTargetWinXp) {
    return install::CheckPortMonitors(platform(), config, targetOs, port);
  }
};

TEST_F(CheckPortMonitorsTest, ParallelPortNeedsNoMonitor) {
  const auto before = machine.disk().Snapshot();
  EXPECT_EQ(Check("LPT1:"), 0);
  // Even a name that also holds "COM" or "USB_": "LPT" decides first.
  EXPECT_EQ(Check("LPT_COM_USB_"), 0);
  EXPECT_EQ(machine.disk().Snapshot(), before);
  EXPECT_FALSE(machine.spooler().MonitorInstalled(kSerialMonitor));
  EXPECT_EQ(machine.spooler().callCount("AddMonitorA"), 0);
}

TEST_F(CheckPortMonitorsTest, AbsentSerialMonitorIsPlacedAddedAndRecorded) {
  EXPECT_EQ(Check("KSCOM1:"), 0);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), MonitorFile("nt KSCOM.DLL"));
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOMUI.DLL"), "nt KSCOMUI.DLL");
  EXPECT_TRUE(machine.spooler().MonitorInstalled(kSerialMonitor));
  EXPECT_EQ(DriverValue(MonitorKey(kSerialMonitor)), "KSCOM.DLL");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kSerialMonitor), "DriverVersion"), 3u);
  // The USB monitor is not the serial port's business.
  EXPECT_FALSE(machine.spooler().MonitorInstalled(kUsbMonitor));
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(CheckPortMonitorsTest, InstalledSerialMonitorIsOnlyCompared) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 3);
  EXPECT_EQ(Check("KSCOM1:"), 0);
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 9);
  EXPECT_EQ(Check("KSCOM1:"), 0);
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 2);
  EXPECT_EQ(Check("KSCOM1:"), install::kSerialMonitorOlder);
  // Nothing is installed or changed by the check itself.
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), "old KSCOM.DLL");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kSerialMonitor), "DriverVersion"), 2u);
  EXPECT_EQ(machine.spooler().callCount("AddMonitorA"), 0);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(CheckPortMonitorsTest, MissingRecordedVersionCountsAsOlder) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", -1);
  EXPECT_EQ(Check("KSCOM2:"), install::kSerialMonitorOlder);
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", -1);
  EXPECT_EQ(Check("USB_M_1"), install::kUsbMonitorOlder);
}

TEST_F(CheckPortMonitorsTest, VersionsCompareUnsigned) {
  WriteMonitorSections("-1", "1");
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 5);
  EXPECT_EQ(Check("KSCOM1:"), install::kSerialMonitorOlder);
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 0x80000000LL);
  EXPECT_EQ(Check("USB_M_1"), 0);
}

TEST_F(CheckPortMonitorsTest, SerialBranchIsSkippedForWindows98) {
  EXPECT_EQ(Check("KSCOM1:", kTargetWin98Me), 0);
  EXPECT_FALSE(machine.spooler().MonitorInstalled(kSerialMonitor));
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  EXPECT_EQ(Check("KSCOM1:", kTargetWin98Me), 0);
}

TEST_F(CheckPortMonitorsTest, UsbBranchIsSkippedForNt4) {
  EXPECT_EQ(Check("USB_M_1", kTargetNt4), 0);
  EXPECT_FALSE(machine.spooler().MonitorInstalled(kUsbMonitor));
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 1);
  EXPECT_EQ(Check("USB_M_1", kTargetNt4), 0);
}

TEST_F(CheckPortMonitorsTest, AbsentUsbMonitorOnWindows98IsAddedForWindows40) {
  UseWindows98();
  EXPECT_EQ(Check("USB_M_1", kTargetWin98Me), 0);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSUSB.DLL"), MonitorFile("98 KSUSB.DLL"));
  EXPECT_EQ(FileAt(SystemDir() + "\\KSUSBUI.DLL"), "98 KSUSBUI.DLL");
  EXPECT_TRUE(machine.spooler().MonitorInstalled(kUsbMonitor));
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kUsbMonitor), "DriverVersion"), 4u);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(CheckPortMonitorsTest, LockedDllIsCopiedAndRegisteredUnderTheAlternateName) {
  machine.disk().WriteFile(SystemDir() + "\\KSCOM.DLL", "in use");
  machine.disk().Lock(SystemDir() + "\\KSCOM.DLL", ERROR_SHARING_VIOLATION);
  EXPECT_EQ(Check("KSCOM1:"), 0);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), "in use");
  EXPECT_EQ(FileAt(SystemDir() + "\\nKSCOM.DLL"), MonitorFile("nt KSCOM.DLL"));
  EXPECT_EQ(DriverValue(MonitorKey(kSerialMonitor)), "nKSCOM.DLL");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kSerialMonitor), "DriverVersion"), 3u);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(CheckPortMonitorsTest, ProtectedDllIsTreatedAsLocked) {
  machine.disk().WriteFile(SystemDir() + "\\KSUSB.DLL", "protected");
  machine.disk().Lock(SystemDir() + "\\KSUSB.DLL", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Check("USB_M_2"), 0);
  EXPECT_EQ(DriverValue(MonitorKey(kUsbMonitor)), "nKSUSB.DLL");
}

TEST_F(CheckPortMonitorsTest, MonitorReportedAlreadyInstalledIsSuccess) {
  machine.spooler().FailCall("AddMonitorA", ERROR_PRINT_MONITOR_ALREADY_INSTALLED);
  EXPECT_EQ(Check("KSCOM1:"), 0);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(CheckPortMonitorsTest, RefusedMonitorEndsTheInstallationWith119) {
  machine.spooler().FailCall("AddMonitorA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Check("KSCOM1:"), install::kMonitorAddFailed);
  EXPECT_EQ(Shown(), std::vector<std::string>{Message(IDS_ADD_MONITOR_FAILED) +
                                              install_test::kNeedsAdministrator});
  EXPECT_FALSE(machine.registry().KeyExists(MonitorKey(kSerialMonitor)));
  ExpectEverythingReleased();
}

TEST_F(CheckPortMonitorsTest, RefusedSerialMonitorStopsBeforeTheUsbBranch) {
  machine.spooler().FailCall("AddMonitorA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Check("USB_COM_1"), install::kMonitorAddFailed);
  EXPECT_EQ(machine.spooler().callCount("AddMonitorA"), 1);
  EXPECT_FALSE(machine.disk().Exists(SystemDir() + "\\KSUSB.DLL"));
}

TEST_F(CheckPortMonitorsTest, UsbAnswerReplacesTheSerialAnswer) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 1);
  EXPECT_EQ(Check("USB_COM_1"), install::kUsbMonitorOlder);
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 4);
  EXPECT_EQ(Check("USB_COM_1"), install::kSerialMonitorOlder);
}

TEST_F(CheckPortMonitorsTest, MissingKeysLookForAMonitorNamed0) {
  machine.disk().WriteFile(install_test::kCommonFile, "[COMMON-MONITOR.XP]\r\n");
  // Without a file named "0" the spooler cannot load it.
  EXPECT_EQ(Check("KSCOM1:"), install::kMonitorAddFailed);
  EXPECT_EQ(Shown(), Messages({IDS_ADD_MONITOR_FAILED}));
  machine.disk().WriteFile(SystemDir() + "\\0", MonitorFile("zero"));
  EXPECT_EQ(Check("KSCOM1:"), 0);
  EXPECT_TRUE(machine.spooler().MonitorInstalled("0"));
  EXPECT_EQ(DriverValue(MonitorKey("0")), "0");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey("0"), "DriverVersion"), 0u);
}

TEST_F(CheckPortMonitorsTest, EmptyDllNameSkipsTheBranch) {
  machine.disk().WriteFile(install_test::kCommonFile,
                           "[COMMON-MONITOR.XP]\r\nCOMMONitorPName=KS\r\nCOMMONitorPDLLName=\r\n");
  EXPECT_EQ(Check("KSCOM1:"), 0);
  EXPECT_EQ(machine.spooler().callCount("AddMonitorA"), 0);
}

// A monitor named as one of Windows' own, or whose DLL (or UI DLL) is Windows' own or no bare
// file name, is neither copied nor registered: the system's files stay as they are.
struct RefusedMonitor {
  const char* name;
  const char* lines;  // the serial monitor's keys
};

const RefusedMonitor kRefusedMonitors[] = {
    {"SpoolerDll", "COMMONitorPName=KS\r\nCOMMONitorPDLLName=localspl.dll\r\n"},
    {"TrailingDotAndCase", "COMMONitorPName=KS\r\nCOMMONitorPDLLName=PJLMON.DLL.\r\n"},
    {"PathOutOfTheFolder", "COMMONitorPName=KS\r\nCOMMONitorPDLLName=..\\KSCOM.DLL\r\n"},
    {"WindowsUiDll",
     "COMMONitorPName=KS\r\nCOMMONitorPDLLName=KSCOM.DLL\r\nCOMMONitorPUIDLLName=tcpmon.dll\r\n"},
    {"WindowsMonitorName", "COMMONitorPName=local port\r\nCOMMONitorPDLLName=KSCOM.DLL\r\n"},
};

class RefusedMonitorTest : public CheckPortMonitorsTest,
                           public ::testing::WithParamInterface<RefusedMonitor> {};

TEST_P(RefusedMonitorTest, IsNeitherCopiedNorRegistered) {
  machine.disk().WriteFile(install_test::kCommonFile,
                           std::string("[COMMON-MONITOR.XP]\r\n") + GetParam().lines);
  for (const char* file : {"localspl.dll", "pjlmon.dll", "tcpmon.dll"}) {
    PutPackageFile("winnt", file, "package's copy");
    machine.disk().WriteFile(SystemDir() + "\\" + file, "Windows' own");
  }
  const auto before = machine.disk().Snapshot();
  EXPECT_EQ(Check("KSCOM1:"), install::kMonitorAddFailed);
  EXPECT_EQ(machine.disk().Snapshot(), before);
  EXPECT_EQ(FileAt(SystemDir() + "\\localspl.dll"), "Windows' own");
  EXPECT_EQ(machine.spooler().callCount("AddMonitorA"), 0);
  EXPECT_EQ(Shown(), Messages({IDS_ADD_MONITOR_FAILED}));
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedMonitorTest, ::testing::ValuesIn(kRefusedMonitors),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
