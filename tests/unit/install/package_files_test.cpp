#include "install/package_files.h"

#include <gtest/gtest.h>

#include "config/install_types.h"

namespace {

using install::AlternateName;
using install::IsBareFileName;
using install::PackageFolder;

TEST(PackageFolder, OneFolderPerSystemFamily) {
  EXPECT_STREQ(PackageFolder(kTargetWin98Me), "\\win98\\");
  EXPECT_STREQ(PackageFolder(kTargetNt4), "\\winnt\\");
  EXPECT_STREQ(PackageFolder(kTargetWin2000), "\\winnt\\");
  EXPECT_STREQ(PackageFolder(kTargetWinXp), "\\winnt\\");
  EXPECT_STREQ(PackageFolder(kTargetServer2003), "\\win2003\\");
}

TEST(BareFileName, PlainNamesAreAccepted) {
  for (const char* name : {"KSCOM.DLL", "a", "TTFSUB.GPD", "My Driver.hlp", "x..y", ".hidden",
                           "COMMON.DLL", "COM10.DLL", "LPT.DLL", "CONSOLE.INI", "0"}) {
    EXPECT_TRUE(IsBareFileName(name)) << name;
  }
}

TEST(BareFileName, NamesThatReachOtherFoldersAreRefused) {
  for (const char* name :
       {"..\\KSCOM.DLL", "sub\\A.DLL", "sub/A.DLL", "../A.DLL", "C:A.DLL", "C:\\A.DLL",
        "\\\\server\\share\\A.DLL", "A.DLL:stream", ".", "..", "...", ". .", ".. ", ""}) {
    EXPECT_FALSE(IsBareFileName(name)) << name;
  }
  EXPECT_FALSE(IsBareFileName(nullptr));
}

TEST(BareFileName, DeviceNamesAreRefusedWithAnyExtensionAndCase) {
  for (const char* name : {"NUL", "nul", "CON", "PRN.DLL", "aux.txt", "COM1", "com9.dll", "LPT1",
                           "LPT3.GPD", "CONIN$", "NUL .DLL"}) {
    EXPECT_FALSE(IsBareFileName(name)) << name;
  }
}

TEST(AlternateName, IsNFollowedByTheWholeNameWhateverItsLength) {
  EXPECT_EQ(AlternateName("M.DLL"), "nM.DLL");
  const std::string longName(120, 'L');
  EXPECT_EQ(AlternateName(longName.c_str()), "n" + longName);
}

}  // namespace
