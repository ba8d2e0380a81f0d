// The simulated Windows' answers to the removal calls where the Windows versions differ, and
// what its restart does with the deletions left to it. The calls' answers that the NT family
// and Wine share are pinned by the contract suite (removal_contract_test.cpp) as well.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/loaded_module.h"
#include "platform/sim/sim_machine.h"
#include "windows_versions.h"

namespace platform::sim {
namespace {

using testing::kWindowsVersions;
using Version = testing::WindowsVersion;

class RemovalVersions : public testing::VersionedMachineTest {
 protected:
  // A monitor the spooler has loaded, with its DLL in the system folder.
  std::string AddMonitor(const char* name) {
    const std::string dll = machine().systemDirectory() + "\\TPMON.DLL";
    machine().disk().WriteFile(dll, PortMonitorImage("TPMON.DLL"));
    std::string monitorName = name;
    char file[] = "TPMON.DLL";
    char environment[] = "Windows 4.0";
    MONITOR_INFO_2A info{&monitorName[0], machine().IsWindows9x() ? environment : nullptr, file};
    EXPECT_TRUE(spooler().AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
    return dll;
  }
};

// test_DeleteMonitor (info.c): the NT family and Windows 95/98/Me refuse with different errors.
TEST_F(RemovalVersions, DeleteMonitorRefusals) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    char absent[] = "TP Absent";
    char empty[] = "";
    EXPECT_FALSE(spooler().DeleteMonitorA(nullptr, nullptr, absent));
    EXPECT_EQ(LastError(), static_cast<DWORD>(version.windows9x() ? ERROR_INVALID_PARAMETER
                                                                  : ERROR_UNKNOWN_PRINT_MONITOR));
    EXPECT_FALSE(spooler().DeleteMonitorA(nullptr, nullptr, empty));
    EXPECT_EQ(LastError(), static_cast<DWORD>(version.windows9x() ? ERROR_INVALID_NAME
                                                                  : ERROR_INVALID_PARAMETER));
  }
}

// Windows 95/98/Me's spooler keeps a deleted monitor's DLL loaded until the restart (an
// assumption no test records): the DLL is refused as a loaded image is (test_DeleteFileA in
// Wine's kernel32/tests/file.c) until then. The NT family lets go at once.
TEST_F(RemovalVersions, ADeletedMonitorsDllIsHeldUntilTheRestartOnWindows9xOnly) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    const std::string dll = AddMonitor("TP Monitor");
    EXPECT_FALSE(machine().DeleteFileA(dll.c_str()));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    char name[] = "TP Monitor";
    ASSERT_TRUE(spooler().DeleteMonitorA(nullptr, nullptr, name));
    if (version.windows9x()) {
      EXPECT_FALSE(machine().DeleteFileA(dll.c_str()));
      EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
      machine().Restart();
    }
    EXPECT_TRUE(machine().DeleteFileA(dll.c_str()));
  }
}

// test_EnumPrintProcessors (info.c): an unknown environment is refused with
// ERROR_INVALID_ENVIRONMENT from Windows 2000 on and with 87 by Windows 95/98/Me, while NT 4
// lists its own; the NT family refuses a null size pointer, which Windows 95/98/Me ignore.
TEST_F(RemovalVersions, EnumPrintProcessorsRefusals) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    char unknown[] = "invalid_env";
    std::vector<BYTE> buffer(1024);
    DWORD needed = 0;
    DWORD returned = 0;
    const BOOL listed = spooler().EnumPrintProcessorsA(nullptr, unknown, 1, buffer.data(), 1024,
                                                       &needed, &returned);
    const bool nt4 = version.nt4();
    EXPECT_EQ(listed != FALSE, nt4);
    if (!nt4) {
      EXPECT_EQ(LastError(), static_cast<DWORD>(version.windows9x() ? ERROR_INVALID_PARAMETER
                                                                    : ERROR_INVALID_ENVIRONMENT));
    }
    const BOOL withoutSize = spooler().EnumPrintProcessorsA(nullptr, nullptr, 1, buffer.data(),
                                                            1024, nullptr, &returned);
    EXPECT_EQ(withoutSize != FALSE, version.windows9x());
  }
}

// test_EnumPrinters (info.c) with no printer: the size query succeeds with nothing needed.
// Level 4 is the NT family's only (an assumption no test records).
TEST_F(RemovalVersions, EnumPrintersWithoutPrintersAndItsLevels) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    DWORD needed = 99;
    DWORD returned = 99;
    EXPECT_TRUE(
        spooler().EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned));
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(returned, 0u);
    const BOOL level4 =
        spooler().EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &returned);
    EXPECT_EQ(level4 != FALSE, !version.windows9x());
  }
}

// Windows 95/98/Me do not implement MoveFileExA (they read WININIT.INI at start-up instead):
// an assumption no test records. The NT family records the deletion for the restart.
TEST_F(RemovalVersions, MoveFileExAtRestartIsTheNtFamilysOnly) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    const std::string file = machine().systemDirectory() + "\\TPMON.DLL";
    machine().disk().WriteFile(file, "held");
    LoadedModule kernel(machine().platform().libraries, "kernel32.dll");
    const auto moveFileEx = kernel.Find<MoveFileExAFn>("MoveFileExA");
    ASSERT_NE(moveFileEx, nullptr);
    const BOOL recorded = moveFileEx(file.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    EXPECT_EQ(recorded != FALSE, !version.windows9x());
    if (version.windows9x()) {
      EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
    }
    EXPECT_TRUE(machine().disk().Exists(file));
    machine().Restart();
    EXPECT_EQ(machine().disk().Exists(file), version.windows9x());
  }
}

// WININIT.INI names files by their short names: a long name's first alias ("PROGRA~1") is what
// GetShortPathNameA gives, and what the restart finds the file by.
TEST(SimRestart, Windows98DeletesAndMovesWhatWininitNamesByShortOrLongName) {
  SimMachine machine;
  machine.SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
  machine.disk().WriteFile("C:\\Program Files\\Point of Sale\\Printer Monitor.dll", "long");
  machine.disk().WriteFile("C:\\OLD.DLL", "old");
  machine.disk().WriteFile("C:\\NEW.DLL", "new");
  char shortPath[260] = {};
  ASSERT_GT(machine.GetShortPathNameA("C:\\Program Files\\Point of Sale\\Printer Monitor.dll",
                                      shortPath, sizeof(shortPath)),
            0u);
  EXPECT_STREQ(shortPath, "C:\\PROGRA~1\\POINTO~1\\PRINTE~1.DLL");
  machine.disk().WriteFile("C:\\WINDOWS\\WININIT.INI", std::string("[rename]\r\nNUL=") + shortPath +
                                                           "\r\nNUL=C:\\OLD.DLL\r\n"
                                                           "C:\\OLD.DLL=C:\\NEW.DLL\r\n");
  machine.Restart();
  EXPECT_FALSE(machine.disk().Exists("C:\\Program Files\\Point of Sale\\Printer Monitor.dll"));
  EXPECT_EQ(machine.disk().ReadFile("C:\\OLD.DLL"), std::optional<std::string>("new"));
  EXPECT_FALSE(machine.disk().Exists("C:\\NEW.DLL"));
  EXPECT_FALSE(machine.disk().Exists("C:\\WINDOWS\\WININIT.INI"));
  EXPECT_TRUE(machine.disk().Exists("C:\\WINDOWS\\WININIT.BAK"));
}

TEST(SimRestart, AShortPathTooLongForTheBufferGivesTheSizeNeeded) {
  SimMachine machine;
  machine.disk().WriteFile("C:\\A\\B.DLL", "b");
  char small[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(machine.GetShortPathNameA("C:\\A\\B.DLL", small, sizeof(small)), 11u);
  EXPECT_EQ(small[0], 'x');
}

}  // namespace
}  // namespace platform::sim
