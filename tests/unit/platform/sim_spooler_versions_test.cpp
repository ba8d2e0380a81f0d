// The simulated spooler's answers that differ between the Windows versions the installer runs
// on, each as Wine's winspool.drv/tests/info.c records it (the function is named per test).
// The NT family's answers that Wine shares are pinned by the contract suite as well.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "windows_versions.h"

namespace platform::sim {
namespace {

using testing::kWindowsVersions;
using Version = testing::WindowsVersion;

constexpr DWORD kUntouched = 0xdeadbeef;

class SpoolerVersions : public testing::VersionedMachineTest {
 protected:
  std::string Environment(const Version& version) {
    return version.windows9x() ? "Windows 4.0" : "Windows NT x86";
  }
};

// test_AddMonitor: every refusal, with the NT family's error and that of Windows 95/98/Me.
TEST_F(SpoolerVersions, AddMonitorRefusals) {
  struct Case {
    const char* what;
    DWORD level;
    bool record;
    bool environment;
    const char* name;
    const char* dll;
    DWORD nt;
    DWORD windows9x;
  };
  const Case cases[] = {
      {"level 1", 1, true, true, "TP", "TPMON.DLL", ERROR_INVALID_LEVEL, ERROR_INVALID_LEVEL},
      {"level 3", 3, true, true, "TP", "TPMON.DLL", ERROR_INVALID_LEVEL, ERROR_INVALID_LEVEL},
      {"no record", 2, false, false, nullptr, nullptr, kUntouched, ERROR_PRIVILEGE_NOT_HELD},
      {"record of nulls", 2, true, false, nullptr, nullptr, ERROR_INVALID_PARAMETER,
       ERROR_INVALID_ENVIRONMENT},
      {"empty name", 2, true, true, "", "TPMON.DLL", ERROR_INVALID_PARAMETER,
       ERROR_PRIVILEGE_NOT_HELD},
      {"no DLL name", 2, true, true, "TP", nullptr, ERROR_INVALID_PARAMETER,
       ERROR_PRIVILEGE_NOT_HELD},
      {"empty DLL name", 2, true, true, "TP", "", ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
      {"missing DLL", 2, true, true, "TP", "TPABSENT.DLL", ERROR_MOD_NOT_FOUND,
       ERROR_INVALID_PARAMETER},
      {"DLL that is no monitor", 2, true, true, "TP", "VERSION.DLL", ERROR_PROC_NOT_FOUND,
       ERROR_INVALID_PARAMETER},
  };
  for (const Version& version : kWindowsVersions) {
    Use(version);
    machine().disk().WriteFile(machine().systemDirectory() + "\\TPMON.DLL",
                               PortMonitorImage("TPMON.DLL"));
    machine().disk().WriteFile(machine().systemDirectory() + "\\VERSION.DLL", "MZ version.dll");
    std::string environment = Environment(version);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(version.name) + ": " + c.what);
      std::string name = c.name == nullptr ? "" : c.name;
      std::string dll = c.dll == nullptr ? "" : c.dll;
      MONITOR_INFO_2A info = {};
      info.pEnvironment = c.environment ? &environment[0] : nullptr;
      info.pName = c.name == nullptr ? nullptr : &name[0];
      info.pDLLName = c.dll == nullptr ? nullptr : &dll[0];
      machine().SetLastError(kUntouched);
      EXPECT_FALSE(spooler().AddMonitorA(nullptr, c.level,
                                         c.record ? reinterpret_cast<LPBYTE>(&info) : nullptr));
      EXPECT_EQ(LastError(), version.windows9x() ? c.windows9x : c.nt);
    }
    EXPECT_FALSE(machine().spooler().MonitorInstalled("TP"));
  }
}

// test_AddMonitor: a success sets the last error to 0 everywhere; a second add is 3006 on the
// NT family and ERROR_ALREADY_EXISTS on Windows 95/98/Me.
TEST_F(SpoolerVersions, AddMonitorTwice) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    machine().disk().WriteFile(machine().systemDirectory() + "\\TPMON.DLL",
                               PortMonitorImage("TPMON.DLL"));
    std::string environment = Environment(version);
    char name[] = "TP Monitor";
    char dll[] = "tpmon.dll";
    MONITOR_INFO_2A info = {name, &environment[0], dll};
    machine().SetLastError(kUntouched);
    ASSERT_TRUE(spooler().AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
    EXPECT_EQ(LastError(), 0u);
    EXPECT_FALSE(spooler().AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
    EXPECT_EQ(LastError(), version.windows9x() ? static_cast<DWORD>(ERROR_ALREADY_EXISTS)
                                               : ERROR_PRINT_MONITOR_ALREADY_INSTALLED);
  }
}

// test_EnumPorts: Windows 95/98/Me answer another level with an empty list and do without the
// size and count pointers (succeeding with the last error 0); the NT family refuses both.
TEST_F(SpoolerVersions, EnumPortsLevelsAndPointers) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    DWORD needed = kUntouched;
    DWORD returned = kUntouched;
    const BOOL level3 = spooler().EnumPortsA(nullptr, 3, nullptr, 0, &needed, &returned);
    const DWORD level3Error = LastError();
    std::vector<BYTE> buffer(4096);
    DWORD count = kUntouched;
    machine().SetLastError(kUntouched);
    const BOOL withoutNeeded =
        spooler().EnumPortsA(nullptr, 1, buffer.data(), 4096, nullptr, &count);
    const DWORD withoutNeededError = LastError();
    if (version.windows9x()) {
      EXPECT_TRUE(level3);
      EXPECT_EQ(returned, 0u);
      EXPECT_TRUE(withoutNeeded);
      EXPECT_EQ(withoutNeededError, 0u);
      EXPECT_EQ(count, 8u);  // COM1: to COM4:, FILE:, LPT1: to LPT3:
    } else {
      EXPECT_FALSE(level3);
      EXPECT_EQ(level3Error, static_cast<DWORD>(ERROR_INVALID_LEVEL));
      EXPECT_FALSE(withoutNeeded);
      EXPECT_EQ(withoutNeededError, static_cast<DWORD>(RPC_X_NULL_REF_POINTER));
    }
  }
}

// test_GetPrinterDriverDirectory and test_GetPrintProcessorDirectory: the environment and
// level each version accepts, and the folder it answers with.
TEST_F(SpoolerVersions, DirectoryQueries) {
  struct Case {
    const char* environment;  // nullptr: none
    DWORD level;
    const char* ntDrivers;  // "" when refused, else the folder below system32
    DWORD ntError;
    const char* windows9x;  // "" when refused, "system" for the system folder
    DWORD windows9xError;
  };
  const Case cases[] = {
      {nullptr, 1, "spool\\drivers\\w32x86", 0, "system", 0},
      {"", 1, "spool\\drivers\\w32x86", 0, "system", 0},
      {"windows nt X86", 1, "spool\\drivers\\w32x86", 0, "", ERROR_INVALID_ENVIRONMENT},
      {"windowS 4.0", 1, "spool\\drivers\\win40", 0, "system", 0},
      {"Windows 2027", 1, "", ERROR_INVALID_ENVIRONMENT, "", ERROR_INVALID_ENVIRONMENT},
      {nullptr, 0, "", ERROR_INVALID_LEVEL, "system", 0},
      {nullptr, 2, "", ERROR_INVALID_LEVEL, "system", 0},
  };
  for (const Version& version : kWindowsVersions) {
    Use(version);
    const std::string system = machine().systemDirectory();
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(version.name) + ": " +
                   (c.environment == nullptr ? "null" : c.environment) + ", level " +
                   std::to_string(c.level));
      const std::string folder = version.windows9x() ? c.windows9x : c.ntDrivers;
      const DWORD error = version.windows9x() ? c.windows9xError : c.ntError;
      std::string environment = c.environment == nullptr ? "" : c.environment;
      char buffer[260] = {};
      DWORD needed = 0;
      const BOOL answered = spooler().GetPrinterDriverDirectoryA(
          nullptr, c.environment == nullptr ? nullptr : &environment[0], c.level,
          reinterpret_cast<LPBYTE>(buffer), sizeof(buffer), &needed);
      if (folder.empty()) {
        EXPECT_FALSE(answered);
        EXPECT_EQ(LastError(), error);
      } else {
        ASSERT_TRUE(answered);
        EXPECT_EQ(std::string(buffer), folder == "system" ? system : system + "\\" + folder);
      }
    }
  }
}

// Both directory queries: the NT family's RPC layer refuses a null needed-size pointer;
// Windows 95/98/Me answer without one.
TEST_F(SpoolerVersions, DirectoryQueriesWithoutTheNeededSize) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    char buffer[260] = {};
    const BOOL drivers = spooler().GetPrinterDriverDirectoryA(
        nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), sizeof(buffer), nullptr);
    const DWORD driversError = LastError();
    const BOOL processors = spooler().GetPrintProcessorDirectoryA(
        nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), sizeof(buffer), nullptr);
    EXPECT_EQ(drivers != FALSE, version.windows9x());
    EXPECT_EQ(processors != FALSE, version.windows9x());
    if (!version.windows9x()) {
      EXPECT_EQ(driversError, static_cast<DWORD>(RPC_X_NULL_REF_POINTER));
      EXPECT_EQ(LastError(), static_cast<DWORD>(RPC_X_NULL_REF_POINTER));
    }
  }
}

// test_OpenPrinter: Windows 95/98/Me open a printer without a handle pointer and refuse an
// empty name with 87; the NT family refuses the first with 87 and the second with 1801.
TEST_F(SpoolerVersions, OpenPrinterArguments) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    SimSpooler::Printer existing;
    existing.name = "TP Printer";
    machine().spooler().AddExistingPrinter(existing);
    char name[] = "TP Printer";
    char empty[] = "";
    HANDLE printer = nullptr;
    const BOOL withoutPointer = spooler().OpenPrinterA(name, nullptr, nullptr);
    const DWORD withoutPointerError = LastError();
    EXPECT_FALSE(spooler().OpenPrinterA(empty, &printer, nullptr));
    const DWORD emptyError = LastError();
    EXPECT_FALSE(spooler().OpenPrinterA(nullptr, nullptr, nullptr));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    if (version.windows9x()) {
      EXPECT_TRUE(withoutPointer);
      EXPECT_EQ(emptyError, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    } else {
      EXPECT_FALSE(withoutPointer);
      EXPECT_EQ(withoutPointerError, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
      EXPECT_EQ(emptyError, static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
    }
    EXPECT_EQ(machine().spooler().openPrinterHandles(), 0u);
  }
}

// test_GetPrinter: the NT family asks for the room of GetPrinterW's record, its texts in
// UTF-16 (a GBK character is one UTF-16 character) and its device mode as a DEVMODEW; no test
// records Windows 95/98/Me, which keep ANSI records: the simulation asks for the ANSI size.
TEST_F(SpoolerVersions, GetPrinterSize) {
  DEVMODEA devMode = {};
  devMode.dmSize = sizeof(DEVMODEA);
  devMode.dmDriverExtra = 4;
  std::string devModeBytes(reinterpret_cast<const char*>(&devMode), sizeof(devMode));
  devModeBytes.append(4, '\x01');
  SimSpooler::Printer record;
  record.name = "\xB4\xF2\xD3\xA1\xBB\xFA";  // three characters
  record.port = "LPT1:";
  record.driver = "TP";
  record.processor = "WinPrint";
  record.datatype = "RAW";
  record.devMode = devModeBytes;
  // name, port, driver, processor, data type; then comment, location, separator file and
  // parameters, empty; 8 bytes to align the device mode.
  const size_t wide = sizeof(PRINTER_INFO_2A) + 8 + 2 * (3 + 1) + 2 * (5 + 1) + 2 * (2 + 1) +
                      2 * (8 + 1) + 2 * (3 + 1) + 4 * 2 + sizeof(DEVMODEA) + 4 + CCHDEVICENAME +
                      CCHFORMNAME;
  const size_t ansi = sizeof(PRINTER_INFO_2A) + 8 + (6 + 1) + (5 + 1) + (2 + 1) + (8 + 1) +
                      (3 + 1) + 4 * 1 + sizeof(DEVMODEA) + 4;
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    machine().spooler().AddExistingPrinter(record);
    std::string name = record.name;
    HANDLE printer = nullptr;
    ASSERT_TRUE(spooler().OpenPrinterA(&name[0], &printer, nullptr));
    DWORD needed = 0;
    EXPECT_FALSE(spooler().GetPrinterA(printer, 2, nullptr, 0, &needed));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, version.windows9x() ? ansi : wide);
    std::vector<BYTE> buffer(needed);
    DWORD filled = 0;
    if (!version.windows9x()) {
      // The ANSI record alone does not satisfy the call.
      EXPECT_FALSE(spooler().GetPrinterA(printer, 2, buffer.data(), ansi, &filled));
      EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    }
    ASSERT_TRUE(spooler().GetPrinterA(printer, 2, buffer.data(), needed, &filled));
    EXPECT_EQ(filled, needed);
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    EXPECT_STREQ(info->pPrinterName, record.name.c_str());
    EXPECT_STREQ(info->pPrintProcessor, "WinPrint");
    ASSERT_NE(info->pDevMode, nullptr);
    EXPECT_EQ(std::memcmp(info->pDevMode, devModeBytes.data(), devModeBytes.size()), 0);
    EXPECT_TRUE(spooler().ClosePrinter(printer));
  }
}

}  // namespace
}  // namespace platform::sim
