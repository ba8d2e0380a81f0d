// The simulated Windows' answers to the calls a removal reads registrations and files with:
// each monitor's registered DLL, each driver's files, the monitor name a DLL reports for its
// ports, file attributes, a file read and rewritten in place, a named mutex and the deletion of
// an empty key, on every version where they differ.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "windows_versions.h"

namespace platform::sim {
namespace {

using testing::kWindowsVersions;
using Version = testing::WindowsVersion;

class RegistrationLists : public testing::VersionedMachineTest {
 protected:
  void AddMonitor(const char* name, const char* dll) {
    machine().disk().WriteFile(machine().systemDirectory() + "\\" + dll, PortMonitorImage(dll));
    std::string monitorName = name;
    std::string file = dll;
    char environment[] = "Windows 4.0";
    MONITOR_INFO_2A info{&monitorName[0], machine().IsWindows9x() ? environment : nullptr,
                         &file[0]};
    ASSERT_TRUE(spooler().AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
  }
  // The records of an Enum call, the size asked first.
  template <typename Call>
  std::vector<BYTE> Records(Call call, DWORD& count) {
    DWORD needed = 0;
    EXPECT_FALSE(call(nullptr, 0, &needed, &count));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(needed);
    EXPECT_TRUE(call(buffer.data(), needed, &needed, &count));
    return buffer;
  }
};

TEST_F(RegistrationLists, EnumMonitorsLevel2NamesEachMonitorsDll) {
  for (const Version& version : kWindowsVersions) {
    SCOPED_TRACE(version.name);
    Use(version);
    AddMonitor("TP Monitor", "TPMON.DLL");
    DWORD count = 0;
    const auto buffer = Records(
        [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
          return spooler().EnumMonitorsA(nullptr, 2, out, size, needed, returned);
        },
        count);
    ASSERT_EQ(count, 2u);
    const auto* monitors = reinterpret_cast<const MONITOR_INFO_2A*>(buffer.data());
    EXPECT_STREQ(monitors[0].pName, "Local Port");
    EXPECT_STREQ(monitors[1].pName, "TP Monitor");
    EXPECT_STREQ(monitors[1].pDLLName, "TPMON.DLL");
    DWORD needed = 0;
    EXPECT_FALSE(spooler().EnumMonitorsA(nullptr, 3, nullptr, 0, &needed, &count));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
  }
}

TEST_F(RegistrationLists, EnumPrinterDriversLevel3GivesEveryFile) {
  Use(kWindowsVersions[4]);  // Windows XP
  const std::string folder = machine().spooler().DriverDirectory();
  for (const char* file : {"TPSTD.DLL", "TP.DAT", "TPUI.DLL", "TP.HLP", "TPRES.DLL"}) {
    machine().disk().WriteFile(folder + "\\3\\" + file, "x");
  }
  char name[] = "TP Text", driverPath[] = "TPSTD.DLL", data[] = "TP.DAT", config[] = "TPUI.DLL",
       help[] = "TP.HLP";
  char dependents[] = "TPRES.DLL\0TP.DAT\0";
  DRIVER_INFO_3A info{3,      name, nullptr,    driverPath, data,
                      config, help, dependents, nullptr,    nullptr};
  ASSERT_TRUE(spooler().AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)));
  DWORD count = 0;
  const auto buffer = Records(
      [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
        return spooler().EnumPrinterDriversA(nullptr, nullptr, 3, out, size, needed, returned);
      },
      count);
  ASSERT_EQ(count, 1u);
  const auto& driver = *reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
  EXPECT_EQ(std::string(driver.pDriverPath), folder + "\\3\\TPSTD.DLL");
  EXPECT_EQ(std::string(driver.pHelpFile), folder + "\\3\\TP.HLP");
  EXPECT_EQ(std::string(driver.pDependentFiles), folder + "\\3\\TPRES.DLL");
  const char* second = driver.pDependentFiles + std::strlen(driver.pDependentFiles) + 1;
  EXPECT_EQ(std::string(second), folder + "\\3\\TP.DAT");
  EXPECT_EQ(*(second + std::strlen(second) + 1), '\0');
}

// Level 2 gives the monitor name the DLL reports; the spooler still knows the monitor by the
// name it was registered under.
TEST_F(RegistrationLists, EnumPortsGivesTheNameTheDllReports) {
  Use(kWindowsVersions[4]);
  AddMonitor("TP Monitor", "TPMON.DLL");
  machine().spooler().SetMonitorPorts("TPMON.DLL", {"TP1:"});
  machine().spooler().SetMonitorOwnName("tpmon.dll", "KS Monitor");
  DWORD count = 0;
  const auto buffer = Records(
      [&](LPBYTE out, DWORD size, LPDWORD needed, LPDWORD returned) {
        return spooler().EnumPortsA(nullptr, 2, out, size, needed, returned);
      },
      count);
  const auto* ports = reinterpret_cast<const PORT_INFO_2A*>(buffer.data());
  ASSERT_GT(count, 0u);
  EXPECT_STREQ(ports[count - 1].pPortName, "TP1:");
  EXPECT_STREQ(ports[count - 1].pMonitorName, "KS Monitor");
  EXPECT_TRUE(machine().spooler().MonitorInstalled("TP Monitor"));
}

TEST_F(RegistrationLists, FileAttributesAndAFileRewrittenInPlace) {
  Use(kWindowsVersions[0]);  // Windows 98
  FileService& files = machine();
  const std::string path = machine().windowsDirectory() + "\\WININIT.INI";
  EXPECT_EQ(files.GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  HANDLE file = files.CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD done = 0;
  ASSERT_TRUE(files.WriteFile(file, "abcdef", 6, &done, nullptr));
  EXPECT_EQ(files.GetFileSize(file, nullptr), 6u);
  EXPECT_EQ(files.SetFilePointer(file, 2, nullptr, FILE_BEGIN), 2u);
  char read[8] = {};
  ASSERT_TRUE(files.ReadFile(file, read, sizeof(read), &done, nullptr));
  EXPECT_EQ(std::string(read, done), "cdef");
  EXPECT_EQ(files.SetFilePointer(file, 1, nullptr, FILE_BEGIN), 1u);
  ASSERT_TRUE(files.WriteFile(file, "XY", 2, &done, nullptr));
  EXPECT_TRUE(files.CloseHandle(file));
  EXPECT_EQ(*machine().disk().ReadFile(path), "aXYdef");
  EXPECT_EQ(files.GetFileAttributesA(path.c_str()), FILE_ATTRIBUTE_ARCHIVE);  // a new file

  ASSERT_TRUE(files.SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files.GetFileAttributesA(path.c_str()), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(files.CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(files.DeleteFileA(path.c_str()));
  EXPECT_EQ(machine().openFileHandles(), 0u);
}

TEST_F(RegistrationLists, AKeyWithASubkeyIsNotDeleted) {
  Use(kWindowsVersions[4]);
  SimRegistry& registry = machine().registry();
  registry.PutDword("SOFTWARE\\KESTREL\\PORTNAME", "USB_1", 1);
  EXPECT_EQ(registry.RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KESTREL"),
            static_cast<LONG>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(registry.RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KESTREL\\PORTNAME"),
            static_cast<LONG>(ERROR_SUCCESS));
  EXPECT_FALSE(registry.KeyExists("SOFTWARE\\KESTREL\\PORTNAME"));
  EXPECT_TRUE(registry.KeyExists("SOFTWARE\\KESTREL"));
}

}  // namespace
}  // namespace platform::sim
