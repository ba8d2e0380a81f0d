// What the installer relies on from the spooler's driver and print-processor calls: the two
// directory queries, and the registry keys that AddPrinterDriverA and AddPrintProcessorA
// create, which the installer reads back to decide whether to update.
#include <gtest/gtest.h>

#include <string>

#include "contract_machine.h"
#include "contract_platform.h"
#include "spooler_scene.h"

namespace {

class DriverContract : public ::testing::Test {
 protected:
  DriverContract()
      : spooler_(contract::TestPlatform().spooler), system_(contract::TestPlatform().system) {}

  platform::SpoolerService& spooler_;
  platform::SystemService& system_;
};

TEST_F(DriverContract, DriverDirectoryIsTheSpoolersFolderOfTheRunningEnvironment) {
  char buffer[260] = {};
  DWORD needed = 0;
  ASSERT_TRUE(spooler_.GetPrinterDriverDirectoryA(
      nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), sizeof(buffer), &needed));
  const std::string expected =
      contract::SystemDirectory() + "\\spool\\drivers\\" + contract::SpoolerFolder();
  EXPECT_STREQ(buffer, expected.c_str());
  EXPECT_EQ(needed, expected.size() + 1);

  DWORD small = 0;
  EXPECT_FALSE(spooler_.GetPrinterDriverDirectoryA(nullptr, nullptr, 1,
                                                   reinterpret_cast<LPBYTE>(buffer), 5, &small));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(small, needed);
}

TEST_F(DriverContract, ProcessorDirectoryIsTheSpoolersFolderAndExists) {
  char buffer[260] = {};
  DWORD needed = 0;
  ASSERT_TRUE(spooler_.GetPrintProcessorDirectoryA(
      nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), sizeof(buffer), &needed));
  const std::string expected =
      contract::SystemDirectory() + "\\spool\\prtprocs\\" + contract::SpoolerFolder();
  EXPECT_STREQ(buffer, expected.c_str());
  if (contract::RunningUnderWine()) {
    // Wine differs: it reports the size of the path in UTF-16, two bytes a character.
    EXPECT_EQ(needed, 2 * (expected.size() + 1));
  } else {
    EXPECT_EQ(needed, expected.size() + 1);
  }
  // The installer copies the processor DLL straight into it.
  EXPECT_TRUE(contract::PlaceDll("TPPROC.DLL", buffer, "TPPROC.DLL"))
      << "error " << system_.GetLastError();

  DWORD small = 0;
  EXPECT_FALSE(spooler_.GetPrintProcessorDirectoryA(nullptr, nullptr, 1,
                                                    reinterpret_cast<LPBYTE>(buffer), 5, &small));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(small, needed);
}

// The version-3 key of the running environment, with the files as they were given.
TEST_F(DriverContract, AddPrinterDriverCreatesTheDriversKey) {
  const std::string name = contract::OwnName("TP Driver");
  ASSERT_TRUE(contract::AddTestDriver(name)) << "error " << system_.GetLastError();
  const std::string key = contract::EnvironmentKey() + "\\Drivers\\Version-3\\" + name;
  EXPECT_EQ(contract::RegistryText(key, "Driver"), "TPSTD.DLL");
  EXPECT_EQ(contract::RegistryText(key, "Configuration File"), "TPSTDUI.DLL");
  EXPECT_EQ(contract::RegistryText(key, "Data File"), "CONTRACT.DAT");
  EXPECT_EQ(contract::RegistryText(key, "Datatype"), "RAW");
}

TEST_F(DriverContract, AddPrinterDriverRefusesAnUnknownEnvironment) {
  std::string name = contract::OwnName("TP Driver");
  char environment[] = "Windows 2027";
  char driverPath[] = "TPSTD.DLL";
  char dataFile[] = "CONTRACT.DAT";
  char configFile[] = "TPSTDUI.DLL";
  DRIVER_INFO_3A info = {};
  info.cVersion = 3;
  info.pName = &name[0];
  info.pEnvironment = environment;
  info.pDriverPath = driverPath;
  info.pDataFile = dataFile;
  info.pConfigFile = configFile;
  EXPECT_FALSE(spooler_.AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)));
  EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INVALID_ENVIRONMENT));
}

// The installer registers its processor with the running environment (null) and reads the
// key below that environment back.
TEST_F(DriverContract, AddPrintProcessorCreatesTheProcessorsKey) {
  ASSERT_TRUE(contract::PlaceDll("TPPROC.DLL", contract::ProcessorDirectory(), "TPPROC.DLL"));
  std::string name = contract::OwnName("TP Processor");
  char dll[] = "TPPROC.DLL";
  ASSERT_TRUE(spooler_.AddPrintProcessorA(nullptr, nullptr, dll, &name[0]))
      << "error " << system_.GetLastError();
  EXPECT_EQ(
      contract::RegistryText(contract::EnvironmentKey() + "\\Print Processors\\" + name, "Driver"),
      "TPPROC.DLL");
}

// Windows refuses a processor that is already installed with 3005. Wine differs: it accepts
// the same processor again and rewrites its key.
TEST_F(DriverContract, AddingAnInstalledProcessorAgainFailsWith3005) {
  ASSERT_TRUE(contract::PlaceDll("TPPROC.DLL", contract::ProcessorDirectory(), "TPPROC.DLL"));
  std::string name = contract::OwnName("TP Processor");
  char dll[] = "TPPROC.DLL";
  ASSERT_TRUE(spooler_.AddPrintProcessorA(nullptr, nullptr, dll, &name[0]));
  const BOOL again = spooler_.AddPrintProcessorA(nullptr, nullptr, dll, &name[0]);
  const DWORD error = system_.GetLastError();
  if (contract::RunningUnderWine()) {
    EXPECT_TRUE(again);
  } else {
    EXPECT_FALSE(again);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED));
  }
}

}  // namespace
