#include "install/print_processor.h"

#include <string>

#include "install/install_results.h"
#include "install_fixture.h"

namespace {

using install_test::InstallTest;
using install_test::k9xProcessorsKey;
using install_test::kNtProcessorsKey;

class CheckPrintProcessorTest : public InstallTest {
 protected:
  void SetPackageVersion(const std::string& version) {
    machine.disk().WriteFile(install_test::kCommonFile,
                             "[Version]\r\nDriverVersion=" + version + "\r\n");
  }
  int Check(int targetOs = kTargetWinXp, const char* name = "KS Processor",
            const char* dll = "KSPP.DLL") {
    return install::CheckPrintProcessor(platform(), config, targetOs, name, dll);
  }
  std::string NtKey(const std::string& name = "KS Processor") { return kNtProcessorsKey + name; }

  config::DriverConfig config{machine.platform()};
};

TEST_F(CheckPrintProcessorTest, WinPrintNeedsNothing) {
  SetPackageVersion("5");
  PutPackageFile("winnt", "KSPP.DLL", "pp");
  const auto before = machine.disk().Snapshot();
  EXPECT_EQ(Check(kTargetWinXp, "WinPrint"), 0);
  EXPECT_EQ(machine.disk().Snapshot(), before);
  EXPECT_FALSE(machine.registry().KeyExists(NtKey("WinPrint")));
  EXPECT_EQ(machine.spooler().callCount("AddPrintProcessorA"), 0);
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
}

TEST_F(CheckPrintProcessorTest, WinPrintIsComparedExactly) {
  // Another spelling is a processor of the package's like any other.
  SetPackageVersion("5");
  machine.registry().PutDword(NtKey("winprint"), "DriverVersion", 1);
  EXPECT_EQ(Check(kTargetWinXp, "winprint"), install::kProcessorOlder);
}

TEST_F(CheckPrintProcessorTest, InstalledAndCurrentIsLeftAlone) {
  SetPackageVersion("5");
  machine.registry().PutDword(NtKey(), "DriverVersion", 5);
  EXPECT_EQ(Check(), 0);
  machine.registry().PutDword(NtKey(), "DriverVersion", 6);
  EXPECT_EQ(Check(), 0);
  EXPECT_EQ(machine.registry().GetDword(NtKey(), "DriverVersion"), 6u);
  EXPECT_EQ(machine.spooler().callCount("AddPrintProcessorA"), 0);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(CheckPrintProcessorTest, OlderOrUnreadableVersionIsReported) {
  SetPackageVersion("5");
  machine.registry().PutDword(NtKey(), "DriverVersion", 4);
  EXPECT_EQ(Check(), install::kProcessorOlder);
  EXPECT_EQ(machine.registry().GetDword(NtKey(), "DriverVersion"), 4u);

  machine.registry().PutValue(NtKey("Other"), "Driver", REG_SZ, std::string("O.DLL\0", 6));
  EXPECT_EQ(Check(kTargetWinXp, "Other"), install::kProcessorOlder);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(CheckPrintProcessorTest, VersionsCompareUnsigned) {
  SetPackageVersion("1");
  machine.registry().PutDword(NtKey(), "DriverVersion", 0x80000000u);
  EXPECT_EQ(Check(), 0);
  SetPackageVersion("-1");  // 0xFFFFFFFF
  EXPECT_EQ(Check(), install::kProcessorOlder);
}

TEST_F(CheckPrintProcessorTest, AbsentProcessorIsPlacedAddedAndRecorded) {
  SetPackageVersion("7");
  PutPackageFile("winnt", "KSPP.DLL", "pp");
  EXPECT_EQ(Check(), 0);
  EXPECT_EQ(FileAt(ProcessorDir() + "\\KSPP.DLL"), "pp");
  EXPECT_TRUE(machine.spooler().ProcessorInstalled("Windows NT x86", "KS Processor"));
  EXPECT_EQ(machine.registry().GetDword(NtKey(), "DriverVersion"), 7u);
  EXPECT_EQ(machine.elapsedMilliseconds(), 200u);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(CheckPrintProcessorTest, Windows98TargetUsesTheWindows40Environment) {
  UseWindows98();
  SetPackageVersion("7");
  PutPackageFile("win98", "KSPP.DLL", "pp98");
  // A processor of the NT environment does not count.
  machine.registry().PutDword(NtKey(), "DriverVersion", 7);
  EXPECT_EQ(Check(kTargetWin98Me), 0);
  EXPECT_TRUE(machine.spooler().ProcessorInstalled("Windows 4.0", "KS Processor"));
  EXPECT_EQ(
      machine.registry().GetDword(std::string(k9xProcessorsKey) + "KS Processor", "DriverVersion"),
      7u);
  EXPECT_EQ(FileAt(ProcessorDir() + "\\KSPP.DLL"), "pp98");

  machine.registry().PutDword(std::string(k9xProcessorsKey) + "KS Processor", "DriverVersion", 3);
  EXPECT_EQ(Check(kTargetWin98Me), install::kProcessorOlder);
}

TEST_F(CheckPrintProcessorTest, SpoolerSayingAlreadyInstalledEndsTheInstallationWith123Once) {
  SetPackageVersion("7");
  PutPackageFile("winnt", "KSPP.DLL", "pp");
  machine.spooler().FailCall("AddPrintProcessorA", ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED);
  EXPECT_EQ(Check(), install::kProcessorAddFailed);
  EXPECT_EQ(Shown(), Messages({IDS_ADD_PROCESSOR_FAILED}));
  EXPECT_FALSE(machine.registry().KeyExists(NtKey()));
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
}

TEST_F(CheckPrintProcessorTest, UntoleratedRefusalShows123Twice) {
  SetPackageVersion("7");
  // No processor DLL in the package: the copy fails (122), then the spooler cannot load it.
  EXPECT_EQ(Check(), install::kProcessorAddFailed);
  EXPECT_EQ(Shown(),
            Messages({IDS_COPY_FILE_FAILED, IDS_ADD_PROCESSOR_FAILED, IDS_ADD_PROCESSOR_FAILED}));
  ExpectEverythingReleased();
}

TEST_F(CheckPrintProcessorTest, MissingProcessorKeyLooksForAProcessorNamed0) {
  SetPackageVersion("2");
  PutPackageFile("winnt", "KSPP.DLL", "pp");
  EXPECT_EQ(Check(kTargetWinXp, "0", "KSPP.DLL"), 0);
  EXPECT_TRUE(machine.spooler().ProcessorInstalled("Windows NT x86", "0"));
  EXPECT_EQ(machine.registry().GetDword(NtKey("0"), "DriverVersion"), 2u);
}

TEST_F(CheckPrintProcessorTest, EmptyDllNameIsNotPlaced) {
  SetPackageVersion("2");
  const auto before = machine.disk().Snapshot();
  EXPECT_EQ(Check(kTargetWinXp, "KS Processor", ""), install::kProcessorAddFailed);
  EXPECT_EQ(machine.disk().Snapshot(), before);
  // Refused before any copy or spooler call, with one message.
  EXPECT_EQ(Shown(), Messages({IDS_ADD_PROCESSOR_FAILED}));
  EXPECT_EQ(machine.spooler().callCount("AddPrintProcessorA"), 0);
}

// A processor DLL of Windows' own (in any case, with the dots and blanks Windows drops) or a
// name reaching out of the folder is neither copied nor registered; a processor named as
// Windows' own needs nothing, as "WinPrint" does.
TEST_F(CheckPrintProcessorTest, WindowsOwnOrUnsafeDllsAreRefused) {
  SetPackageVersion("2");
  for (const char* dll : {"winprint.dll", "WINPRINT.DLL. ", "localspl.dll", "..\\KSPP.DLL"}) {
    PutPackageFile("winnt", "winprint.dll", "package's copy");
    machine.disk().WriteFile(ProcessorDir() + "\\winprint.dll", "Windows' own");
    const auto before = machine.disk().Snapshot();
    EXPECT_EQ(Check(kTargetWinXp, "KS Processor", dll), install::kProcessorAddFailed) << dll;
    EXPECT_EQ(machine.disk().Snapshot(), before) << dll;
  }
  EXPECT_EQ(machine.spooler().callCount("AddPrintProcessorA"), 0);
  EXPECT_EQ(Check(kTargetWinXp, "winprint", "KSPP.DLL"), 0);
  EXPECT_EQ(machine.spooler().callCount("AddPrintProcessorA"), 0);
}

}  // namespace
