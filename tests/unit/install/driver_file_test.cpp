#include "install/driver_file.h"

#include <iterator>
#include <string>

#include "install_fixture.h"

namespace {

using install::PlaceDriverFile;
using install_test::InstallTest;

class PlaceDriverFileTest : public InstallTest {
 protected:
  int Place(const char* name, int destination, int targetOs = kTargetWinXp,
            bool alternate = false) {
    return PlaceDriverFile(platform(), name, destination, targetOs, alternate);
  }
};

// Destinations.

TEST_F(PlaceDriverFileTest, DriverDirReceivesThePackageFileUnderItsName) {
  PutPackageFile("winnt", "KSDRV.DLL", "driver");
  EXPECT_EQ(Place("KSDRV.DLL", install::kDriverDir), 1);
  EXPECT_EQ(FileAt(DriverDir() + "\\KSDRV.DLL"), "driver");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(PlaceDriverFileTest, DriverDirV3IsTheVersion3FolderOfTheDriverDir) {
  PutPackageFile("winnt", "KS.GPD", "gpd");
  EXPECT_EQ(Place("KS.GPD", install::kDriverDirV3), 1);
  EXPECT_EQ(FileAt(DriverDir() + "\\3\\KS.GPD"), "gpd");
  EXPECT_FALSE(machine.disk().Exists(DriverDir() + "\\KS.GPD"));
}

TEST_F(PlaceDriverFileTest, DriverDirV3IsNotCreatedWhenMissing) {
  // NT 4's spooler has no version-3 folder.
  UseWindowsNt4();
  machine.SetWindowsDirectory("C:\\WINNT");
  PutPackageFile("winnt", "KS.GPD", "gpd");
  EXPECT_EQ(Place("KS.GPD", install::kDriverDirV3, kTargetNt4), 0);
  EXPECT_FALSE(machine.disk().DirectoryExists(DriverDir() + "\\3"));
  EXPECT_EQ(Shown(), Messages({IDS_COPY_FILE_FAILED}));
}

TEST_F(PlaceDriverFileTest, ProcessorDirSystemDirAndInfDir) {
  PutPackageFile("winnt", "KSPP.DLL", "pp");
  machine.disk().MakeDirectory(machine.windowsDirectory() + "\\inf");
  EXPECT_EQ(Place("KSPP.DLL", install::kProcessorDir), 1);
  EXPECT_EQ(Place("KSPP.DLL", install::kSystemDir), 1);
  EXPECT_EQ(Place("KSPP.DLL", install::kInfDir), 1);
  EXPECT_EQ(FileAt(ProcessorDir() + "\\KSPP.DLL"), "pp");
  EXPECT_EQ(FileAt(SystemDir() + "\\KSPP.DLL"), "pp");
  EXPECT_EQ(FileAt("C:\\WINDOWS\\inf\\KSPP.DLL"), "pp");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(PlaceDriverFileTest, UnknownDestinationCodeShows110AndCopiesNothing) {
  PutPackageFile("winnt", "KSDRV.DLL", "driver");
  const auto before = machine.disk().Snapshot();
  for (int code : {0, 1, 998, 66003, -1}) {
    EXPECT_EQ(Place("KSDRV.DLL", code), 0) << code;
  }
  EXPECT_EQ(machine.disk().Snapshot(), before);
  EXPECT_EQ(Shown(), std::vector<std::string>(5, Message(IDS_BAD_DIRECTORY_TYPE)));
}

// Source folders.

TEST_F(PlaceDriverFileTest, SourceFolderFollowsTheTargetSystem) {
  PutPackageFile("win98", "KS.DLL", "98");
  PutPackageFile("winnt", "KS.DLL", "nt");
  PutPackageFile("win2003", "KS.DLL", "2003");
  const std::string target = SystemDir() + "\\KS.DLL";
  const std::pair<int, const char*> expected[] = {{kTargetWin98Me, "98"},
                                                  {kTargetNt4, "nt"},
                                                  {kTargetWin2000, "nt"},
                                                  {kTargetWinXp, "nt"},
                                                  {kTargetServer2003, "2003"}};
  for (const auto& [targetOs, bytes] : expected) {
    EXPECT_EQ(Place("KS.DLL", install::kSystemDir, targetOs), 1) << targetOs;
    EXPECT_EQ(FileAt(target), bytes) << targetOs;
  }
}

TEST_F(PlaceDriverFileTest, SourceIsTheCurrentFolderNotTheProgramFolder) {
  machine.SetModuleFileName("D:\\ELSEWHERE\\Setup.exe");
  machine.disk().WriteFile("D:\\ELSEWHERE\\winnt\\KS.DLL", "beside the program");
  PutPackageFile("winnt", "KS.DLL", "current folder");
  EXPECT_EQ(Place("KS.DLL", install::kSystemDir), 1);
  EXPECT_EQ(FileAt(SystemDir() + "\\KS.DLL"), "current folder");
}

// Absent values and names.

TEST_F(PlaceDriverFileTest, AbsentValueIsSkippedSilently) {
  PutPackageFile("winnt", "0", "zero");
  PutPackageFile("winnt", "0KS.DLL", "zero");
  const auto before = machine.disk().Snapshot();
  EXPECT_EQ(Place("0", install::kDriverDir), 0);
  EXPECT_EQ(Place("0KS.DLL", install::kDriverDir), 0);
  EXPECT_EQ(Place(nullptr, install::kDriverDir), 0);
  EXPECT_EQ(Place("0", 12345), 0);  // skipped before the code is looked at
  EXPECT_EQ(machine.disk().Snapshot(), before);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(PlaceDriverFileTest, NamesThatAreNotBareFileNamesAreNeverCopied) {
  // Files a crafted name could reach, one folder up from the package and the driver folder.
  machine.disk().WriteFile("C:\\PACKAGE\\EVIL.DLL", "evil");
  machine.disk().WriteFile("C:\\EVIL.DLL", "evil");
  PutPackageFile("winnt", "EVIL.DLL", "evil");
  const auto before = machine.disk().Snapshot();
  const char* names[] = {"..\\EVIL.DLL",
                         "..\\..\\EVIL.DLL",
                         "sub\\EVIL.DLL",
                         "../EVIL.DLL",
                         "C:EVIL.DLL",
                         "C:\\EVIL.DLL",
                         "..",
                         ".",
                         "NUL",
                         "LPT1.DLL",
                         "EVIL.DLL:x"};
  for (const char* name : names) {
    EXPECT_EQ(Place(name, install::kDriverDir), 0) << name;
    EXPECT_EQ(Place(name, install::kSystemDir, kTargetWinXp, true), 0) << name;
  }
  EXPECT_EQ(machine.disk().Snapshot(), before);
  EXPECT_EQ(Shown(), std::vector<std::string>(2 * std::size(names), Message(IDS_COPY_FILE_FAILED)));
  // An empty name is no name, like a key the configuration lacks: refused without a message.
  EXPECT_EQ(Place("", install::kDriverDir), 0);
  EXPECT_EQ(Shown().size(), 2 * std::size(names));
  EXPECT_EQ(machine.disk().Snapshot(), before);
}

TEST_F(PlaceDriverFileTest, NameTooLongForThePathBuffersIsRefused) {
  // The destination path is the longer one: the driver folder, "\" and the name.
  const size_t longest = 255 - DriverDir().size() - 1;
  const std::string fits(longest, 'F');
  const std::string tooLong(longest + 1, 'T');
  PutPackageFile("winnt", fits, "fits");
  PutPackageFile("winnt", tooLong, "too long");
  const auto before = machine.disk().Snapshot();
  EXPECT_EQ(Place(tooLong.c_str(), install::kDriverDir), 0);
  // The alternate name is one character longer: it no longer fits either.
  EXPECT_EQ(Place(fits.c_str(), install::kDriverDir, kTargetWinXp, true), 0);
  EXPECT_EQ(machine.disk().Snapshot(), before);
  EXPECT_EQ(Shown(), Messages({IDS_COPY_FILE_FAILED, IDS_COPY_FILE_FAILED}));
  EXPECT_EQ(Place(fits.c_str(), install::kDriverDir), 1);
  EXPECT_EQ(FileAt(DriverDir() + "\\" + fits), "fits");
}

TEST_F(PlaceDriverFileTest, SourcePathTooLongIsRefused) {
  const std::string folder = "C:\\" + std::string(230, 'P');
  machine.SetCurrentDirectory(folder);
  const std::string name(20, 'N');  // the destination path would fit
  machine.disk().WriteFile(folder + "\\winnt\\" + name, "x");
  EXPECT_EQ(Place(name.c_str(), install::kSystemDir), 0);
  EXPECT_FALSE(machine.disk().Exists(SystemDir() + "\\" + name));
  EXPECT_EQ(Shown(), Messages({IDS_COPY_FILE_FAILED}));
}

// Results of the copy.

TEST_F(PlaceDriverFileTest, ReadOnlyHiddenSystemCopyIsOverwritten) {
  PutPackageFile("winnt", "KS.DLL", "new");
  const std::string target = SystemDir() + "\\KS.DLL";
  machine.disk().WriteFile(target, "old");
  machine.disk().SetAttributes(
      target, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(Place("KS.DLL", install::kSystemDir), 1);
  EXPECT_EQ(FileAt(target), "new");
  EXPECT_EQ(machine.disk().Attributes(target), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(PlaceDriverFileTest, SharingViolationGives32WithoutMessageThenTheAlternateNameWorks) {
  PutPackageFile("winnt", "KSCOM.DLL", "new");
  const std::string target = SystemDir() + "\\KSCOM.DLL";
  machine.disk().WriteFile(target, "old");
  machine.disk().Lock(target, ERROR_SHARING_VIOLATION);
  EXPECT_EQ(Place("KSCOM.DLL", install::kSystemDir), 32);
  EXPECT_EQ(FileAt(target), "old");
  EXPECT_EQ(Place("KSCOM.DLL", install::kSystemDir, kTargetWinXp, true), 1);
  EXPECT_EQ(FileAt(SystemDir() + "\\nKSCOM.DLL"), "new");
  EXPECT_EQ(FileAt(target), "old");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(PlaceDriverFileTest, FileLoadedByTheRunningSpoolerGives32) {
  machine.registry().PutValue(std::string(install_test::kMonitorsKey) + "KS Monitor", "Driver",
                              REG_SZ, std::string("KSCOM.DLL\0", 10));
  machine.disk().WriteFile(SystemDir() + "\\KSCOM.DLL", "old");
  PutPackageFile("winnt", "KSCOM.DLL", "new");
  EXPECT_EQ(Place("KSCOM.DLL", install::kSystemDir), 32);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(PlaceDriverFileTest, AccessDeniedGives5WithoutMessage) {
  PutPackageFile("winnt", "KS.DLL", "new");
  const std::string target = SystemDir() + "\\KS.DLL";
  machine.disk().WriteFile(target, "old");
  machine.disk().Lock(target, ERROR_ACCESS_DENIED);
  EXPECT_EQ(Place("KS.DLL", install::kSystemDir), 5);
  EXPECT_EQ(FileAt(target), "old");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(PlaceDriverFileTest, AlternateNameIsNotLimitedToShortNames) {
  const std::string name = "KestrelSerialPortMonitor2003.DLL";  // far beyond 18 characters
  PutPackageFile("winnt", name, "monitor");
  EXPECT_EQ(Place(name.c_str(), install::kSystemDir, kTargetWinXp, true), 1);
  EXPECT_EQ(FileAt(SystemDir() + "\\n" + name), "monitor");
}

TEST_F(PlaceDriverFileTest, MissingSourceShows122) {
  EXPECT_EQ(Place("NOWHERE.DLL", install::kDriverDir), 0);
  EXPECT_EQ(Shown(), Messages({IDS_COPY_FILE_FAILED}));
}

// Folders that cannot be obtained.

TEST_F(PlaceDriverFileTest, DriverDirUnavailableShows108) {
  PutPackageFile("winnt", "KS.DLL", "x");
  machine.spooler().FailCall("GetPrinterDriverDirectoryA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Place("KS.DLL", install::kDriverDir), 0);
  EXPECT_EQ(Place("KS.DLL", install::kDriverDirV3), 0);
  EXPECT_EQ(Shown(), Messages({IDS_GET_DRIVER_DIR_FAILED, IDS_GET_DRIVER_DIR_FAILED}));
}

TEST_F(PlaceDriverFileTest, ProcessorDirUnavailableShows109) {
  PutPackageFile("winnt", "KS.DLL", "x");
  machine.spooler().FailCall("GetPrintProcessorDirectoryA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Place("KS.DLL", install::kProcessorDir), 0);
  EXPECT_EQ(Shown(), Messages({IDS_GET_PROCESSOR_DIR_FAILED}));
}

TEST_F(PlaceDriverFileTest, SystemAndWindowsFoldersTooLongShow102And126) {
  machine.SetWindowsDirectory("C:\\" + std::string(260, 'W'));
  PutPackageFile("winnt", "KS.DLL", "x");
  EXPECT_EQ(Place("KS.DLL", install::kSystemDir), 0);
  EXPECT_EQ(Place("KS.DLL", install::kInfDir), 0);
  EXPECT_EQ(Shown(), Messages({IDS_GET_SYSTEM_DIR_FAILED, IDS_GET_WINDOWS_DIR_FAILED}));
}

TEST_F(PlaceDriverFileTest, CurrentFolderTooLongShows107) {
  machine.SetCurrentDirectory("C:\\" + std::string(300, 'C'));
  EXPECT_EQ(Place("KS.DLL", install::kSystemDir), 0);
  EXPECT_EQ(Shown(), Messages({IDS_GET_CURRENT_DIR_FAILED}));
}

}  // namespace
