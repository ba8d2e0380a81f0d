#include "spooler_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "contract_machine.h"
#include "contract_platform.h"
#include "registry/registry_key.h"

namespace contract {
namespace {

constexpr DWORD kPathSize = 260;

platform::Platform& P() {
  return TestPlatform();
}

using DirectoryQuery = BOOL (platform::SpoolerService::*)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD,
                                                          LPDWORD);

std::string SpoolerDirectory(DirectoryQuery query) {
  char buffer[kPathSize] = {};
  DWORD needed = 0;
  if (!(P().spooler.*query)(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), sizeof(buffer),
                            &needed)) {
    return "<unavailable>";
  }
  return buffer;
}

}  // namespace

std::string OwnName(const std::string& prefix) {
  return prefix + " " + ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

std::string SystemDirectory() {
  char buffer[kPathSize] = {};
  P().files.GetSystemDirectoryA(buffer, kPathSize);
  return buffer;
}

std::string DriverDirectory() {
  return SpoolerDirectory(&platform::SpoolerService::GetPrinterDriverDirectoryA);
}

std::string ProcessorDirectory() {
  return SpoolerDirectory(&platform::SpoolerService::GetPrintProcessorDirectoryA);
}

bool PlaceDll(const std::string& dll, const std::string& folder, const std::string& as) {
  const std::string destination = folder + "\\" + as;
  HANDLE present = P().files.CreateFileA(destination.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (present != INVALID_HANDLE_VALUE) {
    P().files.CloseHandle(present);
    return true;
  }
  return P().files.CopyFileA(PackageDll(dll).c_str(), destination.c_str(), FALSE) != 0;
}

bool AddTestDriver(const std::string& name, const std::string& languageMonitor) {
  const std::string directory = DriverDirectory();
  if (!PlaceDll("TPSTD.DLL", directory, "TPSTD.DLL") ||
      !PlaceDll("TPSTDUI.DLL", directory, "TPSTDUI.DLL")) {
    return false;
  }
  WriteTestFile(directory + "\\CONTRACT.DAT", "contract test data file");
  std::string driverName = name;
  char driverPath[] = "TPSTD.DLL";
  char dataFile[] = "CONTRACT.DAT";
  char configFile[] = "TPSTDUI.DLL";
  char helpFile[] = "";
  char datatype[] = "RAW";
  std::string monitor = languageMonitor;
  DRIVER_INFO_3A info = {};
  info.cVersion = 3;
  info.pMonitorName = monitor.empty() ? nullptr : &monitor[0];
  info.pName = &driverName[0];
  info.pDriverPath = driverPath;
  info.pDataFile = dataFile;
  info.pConfigFile = configFile;
  info.pHelpFile = helpFile;
  info.pDefaultDataType = datatype;
  return P().spooler.AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)) != 0;
}

bool AddTestPrinter(const std::string& name, const std::string& driver,
                    const std::string& processor, const std::string& port) {
  std::string printerName = name;
  std::string driverName = driver;
  std::string processorName = processor;
  std::string portName = port;
  char datatype[] = "RAW";
  PRINTER_INFO_2A info = {};
  info.pPrinterName = &printerName[0];
  info.pPortName = &portName[0];
  info.pDriverName = &driverName[0];
  info.pPrintProcessor = &processorName[0];
  info.pDatatype = datatype;
  HANDLE printer = P().spooler.AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  if (printer == nullptr) {
    return false;
  }
  P().spooler.ClosePrinter(printer);
  return true;
}

std::vector<std::string> PortNames() {
  DWORD needed = 0;
  DWORD returned = 0;
  P().spooler.EnumPortsA(nullptr, 1, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed + 1);
  std::vector<std::string> names;
  if (P().spooler.EnumPortsA(nullptr, 1, buffer.data(), needed, &needed, &returned)) {
    const auto* ports = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i) {
      names.emplace_back(ports[i].pName);
    }
  }
  return names;
}

bool SameWithoutCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string RegistryText(const std::string& key, const char* value) {
  registry::RegistryKey handle(P().registry);
  char text[1024] = {};
  if (!handle.Open(HKEY_LOCAL_MACHINE, key.c_str()) ||
      !handle.QueryValue(value, text, sizeof(text) - 1)) {
    return "<missing>";
  }
  return text;
}

bool RegistryKeyExists(const std::string& key) {
  registry::RegistryKey handle(P().registry);
  return handle.Open(HKEY_LOCAL_MACHINE, key.c_str());
}

std::string EnvironmentKey() {
  return "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" + SpoolerEnvironment();
}

}  // namespace contract
