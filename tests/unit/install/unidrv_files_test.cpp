#include "install/unidrv_files.h"

#include <algorithm>
#include <map>
#include <string>

#include "install_fixture.h"

namespace {

using install::EnsureUnidrvFiles;
using install_test::InstallTest;

class EnsureUnidrvFilesTest : public InstallTest {
 protected:
  // Files that appeared on the disk since `before`, sorted.
  std::vector<std::string> NewFiles(const std::map<std::string, std::string>& before) {
    std::vector<std::string> added;
    for (const auto& [path, bytes] : machine.disk().Snapshot()) {
      if (before.count(path) == 0) {
        added.push_back(path);
      }
    }
    std::sort(added.begin(), added.end());
    return added;
  }
};

class Win98UnidrvTest : public EnsureUnidrvFilesTest {
 protected:
  void SetUp() override {
    UseWindows98();
    PutPackageFile("win98", "ICONLIB.DLL", "iconlib");
    PutPackageFile("win98", "UNIDRV.DLL", "package unidrv");
  }
};

TEST_F(Win98UnidrvTest, UnidrvPresentLeavesOnlyIconlibPlaced) {
  machine.disk().WriteFile(SystemDir() + "\\UNIDRV.DLL", "system unidrv");
  machine.disk().WriteFile("C:\\WINDOWS\\Sysbckup\\UNIDRV.DLL", "backup unidrv");
  const auto before = machine.disk().Snapshot();
  EnsureUnidrvFiles(platform(), kTargetWin98Me, false);
  EXPECT_EQ(NewFiles(before), std::vector<std::string>{DriverDir() + "\\ICONLIB.DLL"});
  EXPECT_EQ(FileAt(SystemDir() + "\\UNIDRV.DLL"), "system unidrv");
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(Win98UnidrvTest, MissingUnidrvComesFromTheSystemsBackupFirst) {
  machine.disk().WriteFile("C:\\WINDOWS\\Sysbckup\\UNIDRV.DLL", "backup unidrv");
  EnsureUnidrvFiles(platform(), kTargetWin98Me, false);
  EXPECT_EQ(FileAt(SystemDir() + "\\UNIDRV.DLL"), "backup unidrv");
  EXPECT_EQ(FileAt(DriverDir() + "\\ICONLIB.DLL"), "iconlib");
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(Win98UnidrvTest, WithoutBackupThePackagesUnidrvIsPlaced) {
  EnsureUnidrvFiles(platform(), kTargetWin98Me, false);
  // On Windows 98/Me the driver folder is the system folder (the simulation's assumption; no
  // test records it).
  EXPECT_EQ(FileAt(SystemDir() + "\\UNIDRV.DLL"), "package unidrv");
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(Win98UnidrvTest, UniversalDriverFlagChangesNothingOnWindows98) {
  PutPackageFile("win98", "UNIRES.DLL", "unires");
  machine.disk().WriteFile(SystemDir() + "\\UNIDRV.DLL", "system unidrv");
  const auto before = machine.disk().Snapshot();
  EnsureUnidrvFiles(platform(), kTargetWin98Me, true);
  EXPECT_EQ(NewFiles(before), std::vector<std::string>{DriverDir() + "\\ICONLIB.DLL"});
}

TEST_F(Win98UnidrvTest, SystemFolderUnavailableStopsAfterIconlibWith102) {
  machine.SetWindowsDirectory("C:\\" + std::string(260, 'W'));
  machine.disk().WriteFile("C:\\" + std::string(260, 'W') + "\\Sysbckup\\UNIDRV.DLL", "backup");
  const auto before = machine.disk().Snapshot();
  EnsureUnidrvFiles(platform(), kTargetWin98Me, false);
  // ICONLIB.DLL's own placement fails first: the driver folder is the system folder.
  EXPECT_EQ(Shown(), Messages({IDS_GET_DRIVER_DIR_FAILED, IDS_GET_SYSTEM_DIR_FAILED}));
  EXPECT_EQ(machine.disk().Snapshot(), before);
}

TEST_F(EnsureUnidrvFilesTest, UniversalDriverFromWindows2000OnGetsItsSupportFilesInBothFolders) {
  for (const char* name : {"UNIRES.DLL", "STDNAMES.GPD", "TTFSUB.GPD"}) {
    PutPackageFile("winnt", name, name);
  }
  const auto before = machine.disk().Snapshot();
  EnsureUnidrvFiles(platform(), kTargetWinXp, true);
  const std::string v3 = DriverDir() + "\\3\\";
  const std::string main = DriverDir() + "\\";
  std::vector<std::string> expected = {main + "STDNAMES.GPD", main + "TTFSUB.GPD",
                                       main + "UNIRES.DLL",   v3 + "STDNAMES.GPD",
                                       v3 + "TTFSUB.GPD",     v3 + "UNIRES.DLL"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(NewFiles(before), expected);
  EXPECT_EQ(FileAt(v3 + "UNIRES.DLL"), "UNIRES.DLL");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(EnsureUnidrvFilesTest, Server2003TakesThemFromItsOwnFolder) {
  for (const char* name : {"UNIRES.DLL", "STDNAMES.GPD", "TTFSUB.GPD"}) {
    PutPackageFile("win2003", name, "2003");
  }
  EnsureUnidrvFiles(platform(), kTargetServer2003, true);
  EXPECT_EQ(FileAt(DriverDir() + "\\3\\TTFSUB.GPD"), "2003");
  EXPECT_EQ(FileAt(DriverDir() + "\\TTFSUB.GPD"), "2003");
}

TEST_F(EnsureUnidrvFilesTest, MissingSupportFilesEachShowTheirOwnMessage) {
  EnsureUnidrvFiles(platform(), kTargetWin2000, true);
  EXPECT_EQ(Shown(), std::vector<std::string>(6, Message(IDS_COPY_FILE_FAILED)));
}

TEST_F(EnsureUnidrvFilesTest, NothingForNt4OrWithoutTheFlag) {
  for (const char* name : {"UNIRES.DLL", "STDNAMES.GPD", "TTFSUB.GPD", "ICONLIB.DLL"}) {
    PutPackageFile("winnt", name, name);
  }
  const auto before = machine.disk().Snapshot();
  EnsureUnidrvFiles(platform(), kTargetNt4, true);
  EnsureUnidrvFiles(platform(), kTargetWinXp, false);
  EnsureUnidrvFiles(platform(), kTargetServer2003, false);
  EXPECT_EQ(machine.disk().Snapshot(), before);
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
