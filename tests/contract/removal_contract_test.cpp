// What the removal relies on from the spooler, registry, file and profile calls it makes:
// listing printers, drivers and print processors and deleting them, deleting a port monitor,
// a registry value and a file, a deletion left to the restart, and WININIT.INI's section with
// its repeated keys. Windows' answers come from Wine's conformance tests where one records them
// (the test function is named at each test); the rest are assumptions, said so, and where Wine
// differs the test says what Wine does (measured on this bench).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "contract_machine.h"
#include "contract_platform.h"
#include "platform/library_service.h"
#include "platform/loaded_module.h"
#include "spooler_scene.h"

namespace {

constexpr const char* kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

class RemovalContract : public ::testing::Test {
 protected:
  RemovalContract()
      : platform_(contract::TestPlatform()),
        spooler_(platform_.spooler),
        system_(platform_.system) {}

  // The names an Enum call lists: the size first, then the records.
  template <typename Record, typename Call>
  static std::vector<std::string> Names(Call call, LPSTR Record::*name) {
    DWORD needed = 0;
    DWORD returned = 0;
    std::vector<std::string> names;
    if (call(nullptr, 0, &needed, &returned) || needed == 0) {
      return names;
    }
    std::vector<BYTE> buffer(needed);
    if (call(buffer.data(), needed, &needed, &returned)) {
      const auto* records = reinterpret_cast<const Record*>(buffer.data());
      for (DWORD i = 0; i < returned; ++i) {
        names.emplace_back(records[i].*name);
      }
    }
    return names;
  }

  std::vector<std::string> PrinterNames() {
    return Names(
        [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
          return spooler_.EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, out, size, needed,
                                        returned);
        },
        &PRINTER_INFO_2A::pPrinterName);
  }
  std::vector<std::string> DriverNames() {
    return Names(
        [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
          return spooler_.EnumPrinterDriversA(nullptr, nullptr, 1, out, size, needed, returned);
        },
        &DRIVER_INFO_1A::pName);
  }
  std::vector<std::string> ProcessorNames() {
    return Names(
        [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
          return spooler_.EnumPrintProcessorsA(nullptr, nullptr, 1, out, size, needed, returned);
        },
        &PRINTPROCESSOR_INFO_1A::pName);
  }

  static bool Lists(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& listed) {
      return contract::SameWithoutCase(listed, name);
    });
  }

  // Opens the printer with the access the program asks for (all, for administration).
  HANDLE Open(const std::string& name, bool administer) {
    std::string printerName = name;
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!spooler_.OpenPrinterA(&printerName[0], &printer, administer ? &defaults : nullptr)) {
      return nullptr;
    }
    return printer;
  }

  bool AddMonitor(const std::string& name, const std::string& dll) {
    std::string monitorName = name;
    std::string dllName = dll;
    MONITOR_INFO_2A info = {};
    info.pName = &monitorName[0];
    info.pDLLName = &dllName[0];
    return spooler_.AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)) != FALSE;
  }

  BOOL DeleteMonitor(const char* name) {
    std::string monitorName = name == nullptr ? "" : name;
    return spooler_.DeleteMonitorA(nullptr, nullptr, name == nullptr ? nullptr : &monitorName[0]);
  }

  platform::Platform& platform_;
  platform::SpoolerService& spooler_;
  platform::SystemService& system_;
};

// test_EnumPrinters (info.c): with printers there, the size query fails with
// ERROR_INSUFFICIENT_BUFFER and returns no record; the records then name each printer with the
// port, driver and processor it was added with.
TEST_F(RemovalContract, EnumPrintersListsAPrinterWithItsPortDriverAndProcessor) {
  const std::string driver = contract::OwnName("TP Driver");
  const std::string printer = contract::OwnName("TP Printer");
  ASSERT_TRUE(contract::AddTestDriver(driver));
  ASSERT_TRUE(contract::AddTestPrinter(printer, driver, "WinPrint", "LPT2:"));

  DWORD needed = 0;
  DWORD returned = 99;
  EXPECT_FALSE(
      spooler_.EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(returned, 0u);
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(spooler_.EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed,
                                     &returned));
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  const auto* ours = std::find_if(printers, printers + returned, [&](const PRINTER_INFO_2A& p) {
    return printer == p.pPrinterName;
  });
  ASSERT_NE(ours, printers + returned);
  EXPECT_STREQ(ours->pPortName, "LPT2:");
  EXPECT_EQ(ours->pDriverName, driver);
  EXPECT_TRUE(contract::SameWithoutCase(ours->pPrintProcessor, "WinPrint"));
}

// No test records DeletePrinter: that it removes the printer and its key, and that the name
// is unknown afterwards, are assumptions Wine shares.
TEST_F(RemovalContract, DeletePrinterRemovesThePrinterAndItsKey) {
  const std::string driver = contract::OwnName("TP Driver");
  const std::string printer = contract::OwnName("TP Printer");
  ASSERT_TRUE(contract::AddTestDriver(driver));
  ASSERT_TRUE(contract::AddTestPrinter(printer, driver));
  HANDLE handle = Open(printer, true);
  ASSERT_NE(handle, nullptr) << "error " << system_.GetLastError();
  EXPECT_TRUE(spooler_.DeletePrinter(handle)) << "error " << system_.GetLastError();
  spooler_.ClosePrinter(handle);

  EXPECT_FALSE(Lists(PrinterNames(), printer));
  EXPECT_FALSE(contract::RegistryKeyExists("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" +
                                           printer));
  EXPECT_EQ(Open(printer, true), nullptr);
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
}

// Windows deletes a printer only through a handle opened for administration (an assumption;
// the program opens it with PRINTER_ALL_ACCESS). Wine differs (measured): a handle for use
// deletes it too.
TEST_F(RemovalContract, DeletePrinterWantsAHandleForAdministration) {
  const std::string driver = contract::OwnName("TP Driver");
  const std::string printer = contract::OwnName("TP Printer");
  ASSERT_TRUE(contract::AddTestDriver(driver));
  ASSERT_TRUE(contract::AddTestPrinter(printer, driver));
  HANDLE handle = Open(printer, false);
  ASSERT_NE(handle, nullptr);
  const BOOL deleted = spooler_.DeletePrinter(handle);
  const DWORD error = system_.GetLastError();
  spooler_.ClosePrinter(handle);
  if (contract::RunningUnderWine()) {
    EXPECT_TRUE(deleted);
  } else {
    EXPECT_FALSE(deleted);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(Lists(PrinterNames(), printer));
  }
}

// When the default printer goes, the system makes another printer the default (an assumption
// for Windows; measured under Wine), so the program leaves the default alone.
TEST_F(RemovalContract, AnotherPrinterBecomesTheDefaultWhenTheDefaultGoes) {
  const std::string driver = contract::OwnName("TP Driver");
  const std::string first = contract::OwnName("TP First");
  const std::string second = contract::OwnName("TP Second");
  ASSERT_TRUE(contract::AddTestDriver(driver));
  ASSERT_TRUE(contract::AddTestPrinter(first, driver));
  ASSERT_TRUE(contract::AddTestPrinter(second, driver));
  platform::LoadedModule winspool(platform_.libraries, "winspool.drv");
  const auto setDefault = winspool.Find<platform::SetDefaultPrinterAFn>("SetDefaultPrinterA");
  ASSERT_NE(setDefault, nullptr);
  ASSERT_TRUE(setDefault(first.c_str()));
  HANDLE handle = Open(first, true);
  ASSERT_NE(handle, nullptr);
  EXPECT_TRUE(spooler_.DeletePrinter(handle));
  spooler_.ClosePrinter(handle);
  const std::string now = contract::DefaultPrinter();
  EXPECT_NE(now, first);
  EXPECT_TRUE(Lists(PrinterNames(), now)) << now;
}

// test_EnumPrinterDrivers (info.c): level 1 names the drivers of the environment, the size
// first. That DeletePrinterDriverA then removes the driver is an assumption Wine shares; that
// an unknown driver is refused with 1797 is an assumption. Wine refuses it with
// ERROR_INSUFFICIENT_BUFFER instead (measured).
TEST_F(RemovalContract, DeletePrinterDriverRemovesAnUnusedDriverFromTheList) {
  std::string driver = contract::OwnName("TP Driver");
  ASSERT_TRUE(contract::AddTestDriver(driver));
  ASSERT_TRUE(Lists(DriverNames(), driver));
  EXPECT_TRUE(spooler_.DeletePrinterDriverA(nullptr, nullptr, &driver[0]))
      << "error " << system_.GetLastError();
  EXPECT_FALSE(Lists(DriverNames(), driver));
  EXPECT_FALSE(spooler_.DeletePrinterDriverA(nullptr, nullptr, &driver[0]));
  EXPECT_EQ(system_.GetLastError(),
            static_cast<DWORD>(contract::RunningUnderWine() ? ERROR_INSUFFICIENT_BUFFER
                                                            : ERROR_UNKNOWN_PRINTER_DRIVER));
}

// Windows keeps a driver a printer still uses (ERROR_PRINTER_DRIVER_IN_USE, an assumption),
// which is why the program deletes only drivers no remaining printer uses. Wine differs
// (measured): it deletes the driver from under the printer.
TEST_F(RemovalContract, DeletePrinterDriverKeepsADriverInUse) {
  std::string driver = contract::OwnName("TP Driver");
  ASSERT_TRUE(contract::AddTestDriver(driver));
  ASSERT_TRUE(contract::AddTestPrinter(contract::OwnName("TP Printer"), driver));
  const BOOL deleted = spooler_.DeletePrinterDriverA(nullptr, nullptr, &driver[0]);
  const DWORD error = system_.GetLastError();
  if (contract::RunningUnderWine()) {
    EXPECT_TRUE(deleted);
  } else {
    EXPECT_FALSE(deleted);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_PRINTER_DRIVER_IN_USE));
    EXPECT_TRUE(Lists(DriverNames(), driver));
  }
}

// test_DeleteMonitor (info.c): any environment will do; a monitor that is not installed is
// ERROR_UNKNOWN_PRINT_MONITOR; no name or an empty one is ERROR_INVALID_PARAMETER. The monitor
// is a copy of the package's serial monitor under a name of this test's own.
TEST_F(RemovalContract, DeleteMonitorRemovesItsKeyAndRefusesWhatIsNotThere) {
  ASSERT_TRUE(contract::PlaceDll("TPSERMON.DLL", contract::SystemDirectory(), "CTDELMON.DLL"));
  const std::string name = contract::OwnName("TP Monitor");
  ASSERT_TRUE(AddMonitor(name, "CTDELMON.DLL")) << "error " << system_.GetLastError();
  const std::string key = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + name;
  ASSERT_TRUE(contract::RegistryKeyExists(key));

  EXPECT_TRUE(DeleteMonitor(name.c_str())) << "error " << system_.GetLastError();
  EXPECT_FALSE(contract::RegistryKeyExists(key));
  EXPECT_FALSE(DeleteMonitor(name.c_str()));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINT_MONITOR));
  EXPECT_FALSE(DeleteMonitor(nullptr));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(DeleteMonitor(""));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// test_EnumMonitors (info.c): level 2 names each monitor with the DLL it was registered with,
// the size first; the removal decides ownership from that name.
TEST_F(RemovalContract, EnumMonitorsLevel2NamesTheRegisteredDll) {
  ASSERT_TRUE(contract::PlaceDll("TPSERMON.DLL", contract::SystemDirectory(), "CTENUMON.DLL"));
  const std::string name = contract::OwnName("TP Monitor");
  ASSERT_TRUE(AddMonitor(name, "CTENUMON.DLL")) << "error " << system_.GetLastError();
  const auto call = [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
    return spooler_.EnumMonitorsA(nullptr, 2, out, size, needed, returned);
  };
  const std::vector<std::string> names = Names(call, &MONITOR_INFO_2A::pName);
  const std::vector<std::string> dlls = Names(call, &MONITOR_INFO_2A::pDLLName);
  ASSERT_EQ(names.size(), dlls.size());
  const auto it = std::find(names.begin(), names.end(), name);
  ASSERT_NE(it, names.end());
  EXPECT_EQ(dlls[static_cast<size_t>(it - names.begin())], "CTENUMON.DLL");
  EXPECT_TRUE(DeleteMonitor(name.c_str()));
}

// test_EnumPrinterDrivers (info.c): level 3 gives the driver's files as full paths; the file
// name at the end of "pDriverPath" is the one the driver was added with.
TEST_F(RemovalContract, EnumPrinterDriversLevel3NamesTheDriverFile) {
  std::string driver = contract::OwnName("TP Driver");
  ASSERT_TRUE(contract::AddTestDriver(driver));
  const auto call = [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
    return spooler_.EnumPrinterDriversA(nullptr, nullptr, 3, out, size, needed, returned);
  };
  const std::vector<std::string> names = Names(call, &DRIVER_INFO_3A::pName);
  const std::vector<std::string> paths = Names(call, &DRIVER_INFO_3A::pDriverPath);
  const auto it = std::find(names.begin(), names.end(), driver);
  ASSERT_NE(it, names.end());
  const std::string path = paths[static_cast<size_t>(it - names.begin())];
  ASSERT_GT(path.size(), 10u);
  EXPECT_EQ(path.substr(path.size() - 10), "\\TPSTD.DLL");
  EXPECT_TRUE(spooler_.DeletePrinterDriverA(nullptr, nullptr, &driver[0]));
}

// test_mutex (kernel32/tests/sync.c): a second CreateMutexA of a name that exists opens it and
// sets ERROR_ALREADY_EXISTS; once every handle is closed the name is free again.
TEST_F(RemovalContract, ANamedMutexIsSeenByTheSecondCreator) {
  const std::string name = contract::OwnName("KestrelContractMutex");
  HANDLE first = system_.CreateMutexA(nullptr, FALSE, name.c_str());
  ASSERT_NE(first, nullptr);
  EXPECT_NE(system_.GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  HANDLE second = system_.CreateMutexA(nullptr, FALSE, name.c_str());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(platform_.files.CloseHandle(second));
  EXPECT_TRUE(platform_.files.CloseHandle(first));
  HANDLE again = system_.CreateMutexA(nullptr, FALSE, name.c_str());
  EXPECT_NE(system_.GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(platform_.files.CloseHandle(again));
}

// test_EnumPrintProcessors (info.c): level 1 lists the environment's processors, the system's
// own among them; an unknown environment is refused with ERROR_INVALID_ENVIRONMENT and a null
// size pointer with RPC_X_NULL_REF_POINTER.
TEST_F(RemovalContract, EnumPrintProcessorsListsTheSystemsAndAnAddedOne) {
  ASSERT_TRUE(contract::PlaceDll("TPPROC.DLL", contract::ProcessorDirectory(), "TPPROC.DLL"));
  std::string name = contract::OwnName("TP Processor");
  char dll[] = "TPPROC.DLL";
  ASSERT_TRUE(spooler_.AddPrintProcessorA(nullptr, nullptr, dll, &name[0]));
  const std::vector<std::string> listed = ProcessorNames();
  EXPECT_TRUE(Lists(listed, "WinPrint"));
  EXPECT_TRUE(Lists(listed, name));

  DWORD needed = 0;
  DWORD returned = 0;
  char unknown[] = "invalid_env";
  EXPECT_FALSE(spooler_.EnumPrintProcessorsA(nullptr, unknown, 1, nullptr, 0, &needed, &returned));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INVALID_ENVIRONMENT));
  std::vector<BYTE> buffer(4096);
  EXPECT_FALSE(
      spooler_.EnumPrintProcessorsA(nullptr, nullptr, 1, buffer.data(), 4096, nullptr, &returned));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(RPC_X_NULL_REF_POINTER));
}

// Windows removes a print processor with DeletePrintProcessorA (an assumption no test records:
// Wine's info.c has no test of it). Wine differs (measured): the call succeeds and the
// processor stays listed, with its key, so the program finds it still there and says so.
TEST_F(RemovalContract, DeletePrintProcessorRemovesTheProcessor) {
  ASSERT_TRUE(contract::PlaceDll("TPPROC.DLL", contract::ProcessorDirectory(), "TPPROC.DLL"));
  std::string name = contract::OwnName("TP Processor");
  char dll[] = "TPPROC.DLL";
  ASSERT_TRUE(spooler_.AddPrintProcessorA(nullptr, nullptr, dll, &name[0]));
  platform::LoadedModule winspool(platform_.libraries, "winspool.drv");
  const auto deleteProcessor =
      winspool.Find<platform::DeletePrintProcessorAFn>("DeletePrintProcessorA");
  ASSERT_NE(deleteProcessor, nullptr);
  EXPECT_TRUE(deleteProcessor(nullptr, nullptr, &name[0]));
  const bool stillListed = Lists(ProcessorNames(), name);
  const bool keyThere =
      contract::RegistryKeyExists(contract::EnvironmentKey() + "\\Print Processors\\" + name);
  if (contract::RunningUnderWine()) {
    EXPECT_TRUE(stillListed);
    EXPECT_TRUE(keyThere);
  } else {
    EXPECT_FALSE(stillListed);
    EXPECT_FALSE(keyThere);
  }
}

// test_delete_value (registry.c): the value goes; deleting it again is ERROR_FILE_NOT_FOUND.
TEST_F(RemovalContract, RegDeleteValueRemovesTheValueOnce) {
  const std::string path = "SOFTWARE\\KESTREL\\CONTRACT\\" + contract::OwnName("removal");
  HKEY key = nullptr;
  ASSERT_EQ(platform_.registry.RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                                               REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                               &key, nullptr),
            ERROR_SUCCESS);
  const DWORD value = 255;
  ASSERT_EQ(platform_.registry.RegSetValueExA(key, "USB_TP-R80_1", 0, REG_DWORD,
                                              reinterpret_cast<const BYTE*>(&value), 4),
            ERROR_SUCCESS);
  EXPECT_EQ(platform_.registry.RegDeleteValueA(key, "usb_tp-r80_1"), ERROR_SUCCESS);
  EXPECT_EQ(
      platform_.registry.RegQueryValueExA(key, "USB_TP-R80_1", nullptr, nullptr, nullptr, nullptr),
      static_cast<LONG>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(platform_.registry.RegDeleteValueA(key, "USB_TP-R80_1"),
            static_cast<LONG>(ERROR_FILE_NOT_FOUND));
  platform_.registry.RegCloseKey(key);
}

class FileRemovalContract : public RemovalContract {
 protected:
  FileRemovalContract()
      : folder_(
            contract::FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name())),
        file_(folder_ + "\\TPTEST.DLL") {
    contract::WriteTestFile(file_, "a DLL of the package");
  }
  std::string folder_;
  std::string file_;
};

// test_DeleteFileA (file.c): the file goes; a missing one is ERROR_FILE_NOT_FOUND; a folder is
// ERROR_ACCESS_DENIED; a file another program opened sharing deletion goes too.
TEST_F(FileRemovalContract, DeleteFileRemovesAFileAndRefusesFoldersAndMissingFiles) {
  ASSERT_TRUE(platform_.files.DeleteFileA(file_.c_str()));
  EXPECT_EQ(contract::ReadTestFile(file_), "<missing>");
  EXPECT_FALSE(platform_.files.DeleteFileA(file_.c_str()));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(platform_.files.DeleteFileA(folder_.c_str()));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  contract::WriteTestFile(file_, "again");
  HANDLE open =
      platform_.files.CreateFileA(file_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(platform_.files.DeleteFileA(file_.c_str()));
  platform_.files.CloseHandle(open);
}

// A file another program holds open without sharing its deletion is a sharing violation (an
// assumption Wine shares): the removal then leaves it to the restart.
TEST_F(FileRemovalContract, DeleteFileOfAFileHeldWithoutSharingFailsWith32) {
  HANDLE open = platform_.files.CreateFileA(file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(platform_.files.DeleteFileA(file_.c_str()));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  platform_.files.CloseHandle(open);
  EXPECT_EQ(contract::ReadTestFile(file_), "a DLL of the package");
}

// MOVEFILE_DELAY_UNTIL_REBOOT without a new name records the deletion in the Session
// Manager's PendingFileRenameOperations ("\??\" and the path, then an empty name), Windows'
// documented place, and leaves the file until then. Wine shares it (measured).
TEST_F(FileRemovalContract, MoveFileExLeavesTheDeletionToTheRestart) {
  platform::LoadedModule kernel(platform_.libraries, "kernel32.dll");
  const auto moveFileEx = kernel.Find<platform::MoveFileExAFn>("MoveFileExA");
  ASSERT_NE(moveFileEx, nullptr);
  ASSERT_TRUE(moveFileEx(file_.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
      << "error " << system_.GetLastError();
  EXPECT_EQ(contract::ReadTestFile(file_), "a DLL of the package");

  HKEY key = nullptr;
  ASSERT_EQ(platform_.registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_ALL_ACCESS,
                                             &key),
            ERROR_SUCCESS);
  std::vector<char> pending(65536, '\0');
  DWORD size = static_cast<DWORD>(pending.size());
  DWORD type = 0;
  EXPECT_EQ(platform_.registry.RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, &type,
                                                reinterpret_cast<LPBYTE>(pending.data()), &size),
            ERROR_SUCCESS);
  platform_.registry.RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  const std::string entry = "\\??\\" + file_ + std::string(2, '\0');
  EXPECT_NE(std::string(pending.data(), size).find(entry), std::string::npos);
}

// test_profile_sections (profile.c): a section's lines come back in order, repeated keys
// included, each terminated and the list ended by one more NUL; a list that does not fit is
// cut to size - 2 and ended by two NULs. Written back, the lines are the section's new lines.
TEST_F(FileRemovalContract, ASectionKeepsItsRepeatedKeys) {
  const std::string ini = folder_ + "\\WININIT.INI";
  contract::WriteTestFile(ini, "[rename]\r\nNUL=C:\\A.DLL\r\n\r\n[other]\r\nx=1\r\n");
  const std::string lines = std::string("NUL=C:\\A.DLL\0NUL=C:\\B.DLL\0\0", 28);
  ASSERT_TRUE(platform_.profile.WritePrivateProfileSectionA("rename", lines.c_str(), ini.c_str()));

  char buffer[100] = {};
  const DWORD length =
      platform_.profile.GetPrivateProfileSectionA("rename", buffer, sizeof(buffer), ini.c_str());
  EXPECT_EQ(std::string(buffer, length + 1), lines.substr(0, 27));
  char cut[20] = {};
  EXPECT_EQ(platform_.profile.GetPrivateProfileSectionA("rename", cut, sizeof(cut), ini.c_str()),
            18u);
  EXPECT_EQ(std::string(cut, 20), std::string("NUL=C:\\A.DLL\0NUL=C\0\0", 20));
  char other[10] = {};
  platform_.profile.GetPrivateProfileStringA("other", "x", "", other, sizeof(other), ini.c_str());
  EXPECT_STREQ(other, "1");
}

// A path whose names DOS takes as they are is its own short path (what WININIT.INI needs); a
// missing file has none. That it is kept letter for letter is an assumption Wine shares.
TEST_F(RemovalContract, AShortPathIsItsOwnShortName) {
  const std::string folder = contract::FreshFolder("SHORT");
  const std::string file = folder + "\\TPTEST.DLL";
  contract::WriteTestFile(file, "a DLL of the package");
  char out[260] = {};
  const DWORD length = platform_.files.GetShortPathNameA(file.c_str(), out, sizeof(out));
  EXPECT_EQ(length, file.size());
  EXPECT_EQ(out, file);
  EXPECT_EQ(platform_.files.GetShortPathNameA((folder + "\\ABSENT.DLL").c_str(), out, 260), 0u);
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
