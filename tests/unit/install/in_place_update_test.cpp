#include "install/in_place_update.h"

#include <string>
#include <vector>

#include "install/install_results.h"
#include "monitor_package.h"

namespace {

using install::kProcessorOlder;
using install::kSerialMonitorOlder;
using install::kUsbMonitorOlder;
using install_test::k9xProcessorsKey;
using install_test::kNtProcessorsKey;
using install_test::kSerialMonitor;
using install_test::kUsbMonitor;
using install_test::MonitorTest;

constexpr const char* kProcessor = "KS Processor";

class InPlaceUpdateTest : public MonitorTest {
 protected:
  void SetUp() override {
    WriteMonitorSections("3", "4");
    PutMonitorFiles("winnt", "nt");
    PutPackageFile("winnt", "KSPP.DLL", "nt KSPP.DLL");
  }
  int Update(int flags, int targetOs = kTargetWinXp, const char* dll = "KSPP.DLL") {
    return install::InPlaceUpdate(platform(), config, flags, targetOs, kProcessor, dll, 7);
  }
  // A processor installed earlier, in the running system's processor folder.
  void InstallProcessor(const std::string& keyBase, DWORD version) {
    machine.registry().PutValue(keyBase + kProcessor, "Driver", REG_SZ,
                                std::string("KSPP.DLL\0", 9));
    machine.registry().PutDword(keyBase + kProcessor, "DriverVersion", version);
    machine.disk().WriteFile(ProcessorDir() + "\\KSPP.DLL", "old KSPP.DLL");
  }
  std::vector<DWORD> StartTimes() { return machine.services().startRequestTimes(); }
  std::vector<DWORD> StopTimes() { return machine.services().stopRequestTimes(); }
};

// NT family.

TEST_F(InPlaceUpdateTest, SerialMonitorAndProcessorOlderOnXpReplaceOnlyTheMonitor) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  InstallProcessor(kNtProcessorsKey, 1);
  EXPECT_EQ(Update(kSerialMonitorOlder | kProcessorOlder), 1);

  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), MonitorFile("nt KSCOM.DLL"));
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kSerialMonitor), "DriverVersion"), 3u);
  // The processor keeps its file and its older version, to be reported next time.
  EXPECT_EQ(FileAt(ProcessorDir() + "\\KSPP.DLL"), "old KSPP.DLL");
  EXPECT_EQ(
      machine.registry().GetDword(std::string(kNtProcessorsKey) + kProcessor, "DriverVersion"), 1u);
  // Stop, 100 + 500 ms, start, 2500 ms, start again, 1000 ms, one query finds it running.
  EXPECT_EQ(StopTimes(), std::vector<DWORD>{0});
  EXPECT_EQ(StartTimes(), (std::vector<DWORD>{600, 3100}));
  EXPECT_EQ(machine.elapsedMilliseconds(), 4100u);
  EXPECT_EQ(machine.services().statusQueries(), 1);
  EXPECT_EQ(machine.services().spoolerState(), SERVICE_RUNNING);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(InPlaceUpdateTest, MonitorHeldByTheRunningSpoolerIsReplacedWhileItIsStopped) {
  // Without the stop, the copy over the loaded DLL would fail with a sharing violation.
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  EXPECT_EQ(Update(kSerialMonitorOlder), 1);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), MonitorFile("nt KSCOM.DLL"));
  EXPECT_FALSE(machine.disk().Exists(SystemDir() + "\\nKSCOM.DLL"));
}

TEST_F(InPlaceUpdateTest, Windows2000AndNt4WaitOneSecondBetweenTheStarts) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  EXPECT_EQ(Update(kSerialMonitorOlder, kTargetWin2000), 1);
  EXPECT_EQ(StartTimes(), (std::vector<DWORD>{600, 1600}));
  EXPECT_EQ(machine.elapsedMilliseconds(), 2600u);
}

TEST_F(InPlaceUpdateTest, Nt4TargetWaitsOneSecondAndServer2003TwoAndAHalf) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  EXPECT_EQ(Update(kSerialMonitorOlder, kTargetNt4), 1);
  EXPECT_EQ(StartTimes(), (std::vector<DWORD>{600, 1600}));
  PutMonitorFiles("win2003", "2003");
  EXPECT_EQ(Update(kSerialMonitorOlder, kTargetServer2003), 1);
  EXPECT_EQ(StartTimes(), (std::vector<DWORD>{600, 1600, 3200, 5700}));
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), MonitorFile("2003 KSCOM.DLL"));
}

TEST_F(InPlaceUpdateTest, UsbMonitorOlderReplacesTheUsbMonitor) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 1);
  EXPECT_EQ(Update(kUsbMonitorOlder | kProcessorOlder), 1);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSUSB.DLL"), MonitorFile("nt KSUSB.DLL"));
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kUsbMonitor), "DriverVersion"), 4u);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), "old KSCOM.DLL");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kSerialMonitor), "DriverVersion"), 1u);
}

TEST_F(InPlaceUpdateTest, SerialBitWinsOverUsbBit) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 1);
  EXPECT_EQ(Update(kSerialMonitorOlder | kUsbMonitorOlder), 1);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), MonitorFile("nt KSCOM.DLL"));
  EXPECT_EQ(FileAt(SystemDir() + "\\KSUSB.DLL"), "old KSUSB.DLL");
}

TEST_F(InPlaceUpdateTest, FailedMonitorCopyIsShownAndKeepsTheOldVersionForTheNextRun) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  machine.disk().Remove(std::string(install_test::kPackage) + "\\winnt\\KSCOM.DLL");
  EXPECT_EQ(Update(kSerialMonitorOlder), 1);
  EXPECT_EQ(Shown(), Messages({IDS_COPY_FILE_FAILED}));
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kSerialMonitor), "DriverVersion"), 1u);
  EXPECT_EQ(StartTimes().size(), 2u);
}

TEST_F(InPlaceUpdateTest, MonitorStillHeldByAPendingStopKeepsItsVersionAndTheSpoolerComesBack) {
  // The spooler takes three status queries to stop: the copy meets the DLL still loaded, and
  // both start requests meet a service that has not stopped yet (refused as already running).
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  machine.services().StopTakesQueries(3);
  EXPECT_EQ(Update(kSerialMonitorOlder), 0);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), "old KSCOM.DLL");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kSerialMonitor), "DriverVersion"), 1u);
  EXPECT_EQ(Shown(), std::vector<std::string>{"StartSpoolService error"});
  // The third start, after ten polls, finds it stopped and brings it up.
  EXPECT_EQ(StartTimes(), (std::vector<DWORD>{600, 3100, 7100}));
  EXPECT_EQ(machine.services().spoolerState(), SERVICE_RUNNING);
  ExpectEverythingReleased();
}

TEST_F(InPlaceUpdateTest, StopThatCompletesBeforeTheWaitIsFollowedByARunningSpooler) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  machine.services().StopTakesQueries(1);
  machine.services().StartTakesQueries(1);
  EXPECT_EQ(Update(kSerialMonitorOlder), 0);
  // Poll 1 sees the stop pending, poll 2 stopped; nothing started it in between.
  EXPECT_EQ(machine.services().spoolerState(), SERVICE_RUNNING - 2);
  EXPECT_EQ(StartTimes().size(), 3u);
}

TEST_F(InPlaceUpdateTest, ProcessorOlderIsCopiedWithTheSpoolerStoppedAndRecorded) {
  InstallProcessor(kNtProcessorsKey, 1);
  EXPECT_EQ(Update(kProcessorOlder), 1);
  EXPECT_EQ(FileAt(ProcessorDir() + "\\KSPP.DLL"), "nt KSPP.DLL");
  EXPECT_EQ(
      machine.registry().GetDword(std::string(kNtProcessorsKey) + kProcessor, "DriverVersion"), 7u);
  EXPECT_EQ(StartTimes(), (std::vector<DWORD>{600, 3100}));
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(InPlaceUpdateTest, ProcessorFolderUnavailableEndsBeforeTheSpoolerIsTouched) {
  InstallProcessor(kNtProcessorsKey, 1);
  machine.spooler().FailCall("GetPrintProcessorDirectoryA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Update(kProcessorOlder), 0);
  EXPECT_EQ(Shown(), Messages({IDS_GET_PROCESSOR_DIR_FAILED}));
  EXPECT_EQ(machine.services().stopRequests(), 0);
  EXPECT_EQ(machine.services().startRequests(), 0);
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
}

TEST_F(InPlaceUpdateTest, ProcessorFolderIsNeededEvenWhenAMonitorIsUpdatedInstead) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  machine.spooler().FailCall("GetPrintProcessorDirectoryA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Update(kSerialMonitorOlder | kProcessorOlder), 0);
  EXPECT_EQ(Shown(), Messages({IDS_GET_PROCESSOR_DIR_FAILED}));
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), "old KSCOM.DLL");
}

TEST_F(InPlaceUpdateTest, NoCurrentFolderEnds107WithTheSpoolerRestartedAsAlways) {
  InstallProcessor(kNtProcessorsKey, 1);
  machine.SetCurrentDirectory("C:\\" + std::string(300, 'C'));
  EXPECT_EQ(Update(kProcessorOlder), 0);
  EXPECT_EQ(Shown(), Messages({IDS_GET_CURRENT_DIR_FAILED}));
  EXPECT_EQ(StopTimes(), std::vector<DWORD>{0});
  // Start, 2500 ms, start again, 1000 ms, one query: the same restart as after a replacement.
  EXPECT_EQ(StartTimes(), (std::vector<DWORD>{600, 3100}));
  EXPECT_EQ(machine.services().statusQueries(), 1);
  EXPECT_EQ(machine.services().spoolerState(), SERVICE_RUNNING);
  EXPECT_EQ(machine.elapsedMilliseconds(), 4100u);
  ExpectEverythingReleased();
}

TEST_F(InPlaceUpdateTest, FailedProcessorCopyEnds122WithTheSpoolerRestartedAsAlways) {
  InstallProcessor(kNtProcessorsKey, 1);
  machine.services().StartTakesQueries(2);
  EXPECT_EQ(Update(kProcessorOlder, kTargetWinXp, "MISSING.DLL"), 0);
  EXPECT_EQ(Shown(), Messages({IDS_COPY_FILE_FAILED}));
  EXPECT_EQ(machine.services().spoolerState(), SERVICE_RUNNING);
  // The wait polls until the slow start completes at the third query.
  EXPECT_EQ(StartTimes(), (std::vector<DWORD>{600, 3100}));
  EXPECT_EQ(machine.services().statusQueries(), 3);
  EXPECT_EQ(
      machine.registry().GetDword(std::string(kNtProcessorsKey) + kProcessor, "DriverVersion"), 1u);
  ExpectEverythingReleased();
}

TEST_F(InPlaceUpdateTest, ProcessorDllThatIsNotABareFileNameIsNeverCopied) {
  InstallProcessor(kNtProcessorsKey, 1);
  machine.disk().WriteFile("C:\\PACKAGE\\EVIL.DLL", "evil");
  const auto before = machine.disk().Snapshot();
  EXPECT_EQ(Update(kProcessorOlder, kTargetWinXp, "..\\..\\EVIL.DLL"), 0);
  EXPECT_EQ(machine.disk().Snapshot(), before);
  EXPECT_EQ(Shown(), Messages({IDS_COPY_FILE_FAILED}));
  EXPECT_EQ(machine.services().spoolerState(), SERVICE_RUNNING);
}

TEST_F(InPlaceUpdateTest, SpoolerNotComingBackIsStartedOnceMoreAndEndsTheInstallation) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  machine.services().SpoolerNeverStarts(true);
  EXPECT_EQ(Update(kSerialMonitorOlder), 0);
  EXPECT_EQ(Shown(), std::vector<std::string>{"StartSpoolService error"});
  // 600 first start, 3100 second, 4100 + ten polls of 300 ms = 7100 the last.
  EXPECT_EQ(StartTimes(), (std::vector<DWORD>{600, 3100, 7100}));
  EXPECT_EQ(machine.services().statusQueries(), 10);
  EXPECT_EQ(machine.elapsedMilliseconds(), 7100u);
  ExpectEverythingReleased();
}

TEST_F(InPlaceUpdateTest, WithoutServiceManagerAccessTheWaitFails) {
  InstallMonitor(kSerialMonitor, "KSCOM.DLL", 1);
  machine.services().DenyManagerAccess(true);
  EXPECT_EQ(Update(kSerialMonitorOlder), 0);
  EXPECT_EQ(Shown(), std::vector<std::string>{"StartSpoolService error"});
  EXPECT_EQ(machine.services().stopRequests(), 0);
  // The spooler kept running and holding its DLL: the copy was refused, silently.
  EXPECT_EQ(FileAt(SystemDir() + "\\KSCOM.DLL"), "old KSCOM.DLL");
  ExpectEverythingReleased();
}

// Windows 98/Me.

class InPlaceUpdate98Test : public InPlaceUpdateTest {
 protected:
  void SetUp() override {
    UseWindows98();
    WriteMonitorSections("3", "4");
    PutMonitorFiles("win98", "98");
    PutPackageFile("win98", "KSPP.DLL", "98 KSPP.DLL");
  }
  int Update98(int flags) { return Update(flags, kTargetWin98Me); }
  std::string ProcessorKey() { return std::string(k9xProcessorsKey) + kProcessor; }
};

TEST_F(InPlaceUpdate98Test, HeldUsbMonitorIsReplacedUnderTheAlternateName) {
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 1);
  EXPECT_EQ(Update98(kUsbMonitorOlder), 1);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSUSB.DLL"), "old KSUSB.DLL");
  EXPECT_EQ(FileAt(SystemDir() + "\\nKSUSB.DLL"), MonitorFile("98 KSUSB.DLL"));
  EXPECT_EQ(DriverValue(MonitorKey(kUsbMonitor)), "nKSUSB.DLL");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kUsbMonitor), "DriverVersion"), 4u);
  // No service is stopped and nothing waits.
  EXPECT_EQ(machine.services().stopRequests(), 0);
  EXPECT_EQ(machine.services().startRequests(), 0);
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(InPlaceUpdate98Test, FreeUsbMonitorFileIsReplacedInPlace) {
  // A key without a "Driver" value: the spooler holds nothing.
  machine.registry().PutDword(MonitorKey(kUsbMonitor), "DriverVersion", 1);
  machine.disk().WriteFile(SystemDir() + "\\KSUSB.DLL", "old");
  EXPECT_EQ(Update98(kUsbMonitorOlder), 1);
  EXPECT_EQ(FileAt(SystemDir() + "\\KSUSB.DLL"), MonitorFile("98 KSUSB.DLL"));
  EXPECT_EQ(DriverValue(MonitorKey(kUsbMonitor)), "KSUSB.DLL");
  EXPECT_FALSE(machine.disk().Exists(SystemDir() + "\\nKSUSB.DLL"));
}

TEST_F(InPlaceUpdate98Test, MissingMonitorKeyIsCreated) {
  EXPECT_EQ(Update98(kUsbMonitorOlder), 1);
  EXPECT_EQ(DriverValue(MonitorKey(kUsbMonitor)), "KSUSB.DLL");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kUsbMonitor), "DriverVersion"), 4u);
}

TEST_F(InPlaceUpdate98Test, BothNamesLockedShows141AndEndsTheInstallation) {
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 1);
  machine.disk().WriteFile(SystemDir() + "\\nKSUSB.DLL", "older alternate");
  machine.disk().Lock(SystemDir() + "\\nKSUSB.DLL", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Update98(kUsbMonitorOlder), 0);
  EXPECT_EQ(Shown(), Messages({IDS_SYSTEM_ERROR_RESTART}));
  EXPECT_EQ(DriverValue(MonitorKey(kUsbMonitor)), "KSUSB.DLL");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kUsbMonitor), "DriverVersion"), 1u);
  ExpectEverythingReleased();
}

TEST_F(InPlaceUpdate98Test, FailedCopyLeavesDriverAndVersionAsTheyWere) {
  // Neither value may name or vouch for a file that was never written.
  machine.registry().PutDword(MonitorKey(kUsbMonitor), "DriverVersion", 1);
  machine.disk().Remove(std::string(install_test::kPackage) + "\\win98\\KSUSB.DLL");
  EXPECT_EQ(Update98(kUsbMonitorOlder), 1);
  EXPECT_EQ(Shown(), Messages({IDS_COPY_FILE_FAILED}));
  EXPECT_EQ(DriverValue(MonitorKey(kUsbMonitor)), "<none>");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kUsbMonitor), "DriverVersion"), 1u);
}

TEST_F(InPlaceUpdate98Test, HeldFileWhoseAlternateCannotBeCopiedKeepsTheOldRecords) {
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 1);
  // The alternate file is not held, but the disk refuses it (112: the disk is full).
  machine.disk().WriteFile(SystemDir() + "\\nKSUSB.DLL", "older alternate");
  machine.disk().Lock(SystemDir() + "\\nKSUSB.DLL", 112);
  EXPECT_EQ(Update98(kUsbMonitorOlder), 1);
  EXPECT_EQ(Shown(), Messages({IDS_COPY_FILE_FAILED}));
  EXPECT_EQ(DriverValue(MonitorKey(kUsbMonitor)), "KSUSB.DLL");
  EXPECT_EQ(machine.registry().GetDword(MonitorKey(kUsbMonitor), "DriverVersion"), 1u);
}

TEST_F(InPlaceUpdate98Test, HeldProcessorIsReplacedUnderTheAlternateName) {
  InstallProcessor(k9xProcessorsKey, 1);
  EXPECT_EQ(Update98(kProcessorOlder), 1);
  EXPECT_EQ(FileAt(ProcessorDir() + "\\KSPP.DLL"), "old KSPP.DLL");
  EXPECT_EQ(FileAt(ProcessorDir() + "\\nKSPP.DLL"), "98 KSPP.DLL");
  EXPECT_EQ(DriverValue(ProcessorKey()), "nKSPP.DLL");
  EXPECT_EQ(machine.registry().GetDword(ProcessorKey(), "DriverVersion"), 7u);
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
  ExpectEverythingReleased();
}

TEST_F(InPlaceUpdate98Test, SerialBitIsIgnoredAndUsbWinsOverTheProcessor) {
  InstallMonitor(kUsbMonitor, "KSUSB.DLL", 1);
  InstallProcessor(k9xProcessorsKey, 1);
  EXPECT_EQ(Update98(kSerialMonitorOlder | kUsbMonitorOlder | kProcessorOlder), 1);
  EXPECT_EQ(DriverValue(MonitorKey(kUsbMonitor)), "nKSUSB.DLL");
  EXPECT_EQ(DriverValue(ProcessorKey()), "KSPP.DLL");
  EXPECT_EQ(machine.registry().GetDword(ProcessorKey(), "DriverVersion"), 1u);

  EXPECT_EQ(Update98(kSerialMonitorOlder | kProcessorOlder), 1);
  EXPECT_EQ(DriverValue(ProcessorKey()), "nKSPP.DLL");
  EXPECT_FALSE(machine.registry().KeyExists(MonitorKey(kSerialMonitor)));
}

}  // namespace
