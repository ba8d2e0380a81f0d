// The sample package's DLLs as the spooler meets them (Windows build only; run under Wine by
// run_wine_contract.py from inside a copy of the laid-out package, which is the current
// folder): the serial and USB monitors are accepted and offer their ports, drivers with each
// configuration DLL and printers on them are added without harm, the print processor is
// registered, and the language monitor the drivers name is in the system directory.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string CurrentFolder() {
  char folder[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, folder);
  return folder;
}

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, MAX_PATH);
  return folder;
}

using DirectoryQuery = BOOL(WINAPI*)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD);

std::string SpoolerFolder(DirectoryQuery query) {
  char folder[MAX_PATH] = {};
  DWORD needed = 0;
  query(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder), sizeof(folder), &needed);
  return folder;
}

// The NT-family files of the package, as the installer copies them for Windows XP.
std::string PackageFile(const std::string& name) {
  return CurrentFolder() + "\\winnt\\" + name;
}

bool Place(const std::string& name, const std::string& folder) {
  return ::CopyFileA(PackageFile(name).c_str(), (folder + "\\" + name).c_str(), FALSE) != 0;
}

std::string SetupIni(const char* section, const char* key) {
  char value[256] = {};
  const std::string file = CurrentFolder() + "\\DRVCONFIG\\setup.ini";
  ::GetPrivateProfileStringA(section, key, "", value, sizeof(value), file.c_str());
  return value;
}

struct Port {
  std::string name;
  std::string monitor;
};

std::vector<Port> Ports() {
  DWORD needed = 0;
  DWORD returned = 0;
  ::EnumPortsA(nullptr, 2, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed + 1);
  std::vector<Port> ports;
  if (::EnumPortsA(nullptr, 2, buffer.data(), needed, &needed, &returned)) {
    const auto* info = reinterpret_cast<const PORT_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i) {
      ports.push_back(Port{info[i].pPortName, info[i].pMonitorName ? info[i].pMonitorName : ""});
    }
  }
  return ports;
}

// The ports the named monitor offers, in the order EnumPortsA lists them.
std::vector<std::string> PortsOf(const std::string& monitor) {
  std::vector<std::string> names;
  for (const Port& port : Ports()) {
    if (port.monitor == monitor) {
      names.push_back(port.name);
    }
  }
  return names;
}

BOOL AddMonitor(const char* name, const char* dll) {
  MONITOR_INFO_2A info = {};
  info.pName = const_cast<LPSTR>(name);
  info.pDLLName = const_cast<LPSTR>(dll);
  return ::AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
}

TEST(PackageDlls, TheLaidOutPackageHoldsRealDlls) {
  for (const char* name : {"TPSERMON.DLL", "TPUSBMON.DLL", "pjlmon.dll", "TPSTD.DLL", "TPGDI.DLL",
                           "TPSTD4.DLL", "TPGDI4.DLL", "UNIDRV.DLL", "TPSTDUI.DLL", "TPGDIUI.DLL",
                           "TPSTDUI4.DLL", "TPGDIUI4.DLL", "UNIDRVUI.DLL", "TPPROC.DLL"}) {
    HMODULE module =
        ::LoadLibraryExA(PackageFile(name).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    EXPECT_NE(module, nullptr) << name << " error " << ::GetLastError();
    if (module != nullptr) {
      ::FreeLibrary(module);
    }
  }
}

TEST(PackageDlls, TheSerialMonitorOffersTheMakersSerialPorts) {
  ASSERT_TRUE(Place("TPSERMON.DLL", SystemFolder())) << ::GetLastError();
  ASSERT_TRUE(AddMonitor("TP Serial Monitor", "TPSERMON.DLL")) << ::GetLastError();
  const std::vector<std::string> expected = {
      "KSCOM1:", "KSCOM2:", "KSCOM3:", "KSCOM4:", "KSCOM5:", "KSCOM6:", "KSCOM7:", "KSCOM8:"};
  EXPECT_EQ(PortsOf("TP Serial Monitor"), expected);
  // Level 1, which the installer uses, lists them too.
  DWORD needed = 0;
  DWORD returned = 0;
  ::EnumPortsA(nullptr, 1, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed + 1);
  ASSERT_TRUE(::EnumPortsA(nullptr, 1, buffer.data(), needed, &needed, &returned));
  std::vector<std::string> level1;
  for (DWORD i = 0; i < returned; ++i) {
    level1.emplace_back(reinterpret_cast<const PORT_INFO_1A*>(buffer.data())[i].pName);
  }
  for (const std::string& port : expected) {
    EXPECT_NE(std::find(level1.begin(), level1.end(), port), level1.end()) << port;
  }
}

TEST(PackageDlls, TheUsbMonitorOffersThePackagesUsbPorts) {
  std::vector<std::string> expected;
  const int count = std::atoi(SetupIni("SUPPORTED-USB-DEVICE", "PRNCOUNT").c_str());
  for (int i = 0; i < count; ++i) {
    expected.push_back(SetupIni("SUPPORTED-USB-DEVICE", std::to_string(i).c_str()));
  }
  ASSERT_GT(expected.size(), 0u);
  ASSERT_TRUE(Place("TPUSBMON.DLL", SystemFolder())) << ::GetLastError();
  ASSERT_TRUE(AddMonitor("TP USB Monitor", "TPUSBMON.DLL")) << ::GetLastError();
  EXPECT_EQ(PortsOf("TP USB Monitor"), expected);
}

// The drivers name "Language Monitor" with pjlmon.dll, which Windows has in its system
// directory; the bench gives every prefix ours.
TEST(PackageDlls, TheLanguageMonitorIsInTheSystemDirectory) {
  const std::string path = SystemFolder() + "\\pjlmon.dll";
  HANDLE file = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  ::CloseHandle(file);
  EXPECT_TRUE(AddMonitor("Language Monitor", "pjlmon.dll")) << ::GetLastError();
  EXPECT_TRUE(PortsOf("Language Monitor").empty());
}

TEST(PackageDlls, TheProcessorIsRegisteredAndCarriesAPrinter) {
  const std::string processors = SpoolerFolder(::GetPrintProcessorDirectoryA);
  ASSERT_TRUE(Place("TPPROC.DLL", processors)) << processors << " error " << ::GetLastError();
  ASSERT_TRUE(::AddPrintProcessorA(nullptr, nullptr, const_cast<LPSTR>("TPPROC.DLL"),
                                   const_cast<LPSTR>("TP Print Processor")))
      << ::GetLastError();
  // Below the running environment: on the 64-bit bench that is "Windows x64", where a 32-bit
  // Windows has "Windows NT x86".
#ifdef _WIN64
  const std::string environment = "Windows x64";
#else
  const std::string environment = "Windows NT x86";
#endif
  const std::string key = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" +
                          environment + "\\Print Processors\\TP Print Processor";
  char dll[64] = {};
  DWORD size = sizeof(dll) - 1;
  EXPECT_EQ(
      ::RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "Driver", RRF_RT_REG_SZ, nullptr, dll, &size),
      ERROR_SUCCESS)
      << key;
  EXPECT_STREQ(dll, "TPPROC.DLL");
  const std::string drivers = SpoolerFolder(::GetPrinterDriverDirectoryA);
  for (const char* file : {"TPGDI.DLL", "TPR80G.DAT", "TPGDIUI.DLL", "TPGDI.HLP"}) {
    ASSERT_TRUE(Place(file, drivers)) << file << " error " << ::GetLastError();
  }
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<LPSTR>("TP Processor Check Raster");
  driver.pDriverPath = const_cast<LPSTR>("TPGDI.DLL");
  driver.pDataFile = const_cast<LPSTR>("TPR80G.DAT");
  driver.pConfigFile = const_cast<LPSTR>("TPGDIUI.DLL");
  driver.pHelpFile = const_cast<LPSTR>("TPGDI.HLP");
  driver.pDefaultDataType = const_cast<LPSTR>("RAW");
  ASSERT_TRUE(::AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver)))
      << ::GetLastError();
  PRINTER_INFO_2A printer = {};
  printer.pPrinterName = const_cast<LPSTR>("TP Processor Check");
  printer.pPortName = const_cast<LPSTR>("LPT1:");
  printer.pDriverName = driver.pName;
  printer.pPrintProcessor = const_cast<LPSTR>("TP Print Processor");
  printer.pDatatype = const_cast<LPSTR>("RAW");
  HANDLE handle = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&printer));
  ASSERT_NE(handle, nullptr) << ::GetLastError();
  ::ClosePrinter(handle);
}

// Each of the package's configuration DLLs with its driver DLL, as the receipt, ticket, label
// and embedded models name them; the spooler loads the configuration DLL both when the driver
// is added and when a printer is added without a device mode.
class DriverDlls : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(DriverDlls, DriverAndPrinterAreAdded) {
  const auto [driverDll, configDll] = GetParam();
  const std::string drivers = SpoolerFolder(::GetPrinterDriverDirectoryA);
  for (const char* file : {driverDll, "TPR80S.DAT", configDll, "TPSTD.HLP"}) {
    ASSERT_TRUE(Place(file, drivers)) << file << " error " << ::GetLastError();
  }
  const std::string name = std::string("TP Check ") + configDll;
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<LPSTR>(name.c_str());
  driver.pDriverPath = const_cast<LPSTR>(driverDll);
  driver.pDataFile = const_cast<LPSTR>("TPR80S.DAT");
  driver.pConfigFile = const_cast<LPSTR>(configDll);
  driver.pHelpFile = const_cast<LPSTR>("TPSTD.HLP");
  driver.pDependentFiles = const_cast<LPSTR>("pjlmon.dll\0");
  driver.pMonitorName = const_cast<LPSTR>("Language Monitor");
  driver.pDefaultDataType = const_cast<LPSTR>("RAW");
  ASSERT_TRUE(::AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver)))
      << ::GetLastError();
  PRINTER_INFO_2A printer = {};
  printer.pPrinterName = driver.pName;
  printer.pPortName = const_cast<LPSTR>("LPT1:");
  printer.pDriverName = driver.pName;
  printer.pPrintProcessor = const_cast<LPSTR>("WinPrint");
  printer.pDatatype = const_cast<LPSTR>("RAW");
  HANDLE handle = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&printer));
  ASSERT_NE(handle, nullptr) << ::GetLastError();
  ::ClosePrinter(handle);
}

INSTANTIATE_TEST_SUITE_P(
    Package, DriverDlls,
    ::testing::Values(std::make_pair("TPSTD.DLL", "TPSTDUI.DLL"),
                      std::make_pair("TPGDI.DLL", "TPGDIUI.DLL"),
                      std::make_pair("TPSTD4.DLL", "TPSTDUI4.DLL"),
                      std::make_pair("TPGDI4.DLL", "TPGDIUI4.DLL"),
                      std::make_pair("UNIDRV.DLL", "UNIDRVUI.DLL")),
    [](const ::testing::TestParamInfo<std::pair<const char*, const char*>>& info) {
      std::string name = info.param.second;
      name.erase(name.find('.'));
      return name;
    });

}  // namespace
