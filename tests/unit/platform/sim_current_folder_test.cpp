#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_machine.h"

namespace {

using platform::sim::SimMachine;

struct FullPathCase {
  const char* current;
  const char* path;
  const char* full;
};

class SimFullPath : public ::testing::TestWithParam<FullPathCase> {};

// GetFullPathNameA as Windows answers it (kernel32's path tests).
TEST_P(SimFullPath, JoinsToTheCurrentFolderAndWorksOutDots) {
  SimMachine machine;
  machine.SetCurrentDirectory(GetParam().current);
  char out[300] = {};
  const DWORD length = machine.GetFullPathNameA(GetParam().path, sizeof(out), out);
  EXPECT_EQ(std::string(out), GetParam().full);
  EXPECT_EQ(length, std::string(GetParam().full).size());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SimFullPath,
    ::testing::Values(
        FullPathCase{"C:\\deploy", "a.ini", "C:\\deploy\\a.ini"},
        FullPathCase{"C:\\deploy\\site", "..\\a.ini", "C:\\deploy\\a.ini"},
        FullPathCase{"C:\\deploy", ".\\logs\\.\\x.log", "C:\\deploy\\logs\\x.log"},
        FullPathCase{"C:\\deploy", "..\\..\\..\\a.ini", "C:\\a.ini"},
        FullPathCase{"C:\\deploy", "\\logs\\x.log", "C:\\logs\\x.log"},
        FullPathCase{"C:\\deploy", "D:\\kit\\a.ini", "D:\\kit\\a.ini"},
        FullPathCase{"C:\\deploy", "\\\\server\\share\\a.ini", "\\\\server\\share\\a.ini"},
        FullPathCase{"\\\\server\\share\\kit", "a.ini", "\\\\server\\share\\kit\\a.ini"},
        FullPathCase{"C:\\", "a.ini", "C:\\a.ini"}));

TEST(SimFullPathSize, ABufferTooSmallGetsTheSizeWithTheTerminator) {
  SimMachine machine;
  machine.SetCurrentDirectory("C:\\deploy");
  char out[8] = "kept";
  EXPECT_EQ(machine.GetFullPathNameA("answers.ini", sizeof(out), out), 22u);
  EXPECT_STREQ(out, "kept");
}

TEST(SimSetCurrentDirectory, TakesExistingFoldersOnly) {
  SimMachine machine;
  machine.disk().WriteFile("C:\\Kit Drv\\Setup.exe", "MZ");
  EXPECT_TRUE(machine.SetCurrentDirectoryA("C:\\Kit Drv"));
  EXPECT_EQ(machine.currentDirectory(), "C:\\Kit Drv");
  EXPECT_TRUE(machine.SetCurrentDirectoryA("C:\\"));
  EXPECT_EQ(machine.currentDirectory(), "C:\\");
  EXPECT_FALSE(machine.SetCurrentDirectoryA("C:\\Missing"));
  EXPECT_EQ(machine.GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  const std::string tooLong = "C:\\" + std::string(257, 'x');
  machine.disk().WriteFile(tooLong + "\\a", "");
  EXPECT_FALSE(machine.SetCurrentDirectoryA(tooLong.c_str()));
  EXPECT_EQ(machine.GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(machine.currentDirectory(), "C:\\");
}

}  // namespace
