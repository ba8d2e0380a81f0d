// What the installer relies on from the spooler's driver and print-processor calls: the two
// directory queries, and the registry keys that AddPrinterDriverA and AddPrintProcessorA
// create, which the installer reads back to decide whether to update; and the answers
// test_GetPrinterDriverDirectory and test_GetPrintProcessorDirectory in Wine's
// winspool.drv/tests/info.c record for the directory queries' arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

using DirectoryQuery = BOOL (platform::SpoolerService::*)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD,
                                                          LPDWORD);
constexpr DirectoryQuery kDriverQuery = &platform::SpoolerService::GetPrinterDriverDirectoryA;
constexpr DirectoryQuery kProcessorQuery = &platform::SpoolerService::GetPrintProcessorDirectoryA;

std::string Cased(std::string text, int (*change)(int)) {
  std::transform(text.begin(), text.end(), text.begin(), [change](char c) {
    return static_cast<char>(change(static_cast<unsigned char>(c)));
  });
  return text;
}

// How the directory queries read the environment: "" is the running system's own, names
// compare without regard to case, "Windows 4.0" is known to the NT family, anything else is
// ERROR_INVALID_ENVIRONMENT.
TEST_F(DriverContract, DirectoryQueriesReadTheEnvironmentWithoutRegardToCase) {
  const std::string system = contract::SystemDirectory();
  const std::string running = contract::SpoolerEnvironment();
  struct Case {
    std::string environment;
    std::string folder;  // "" when refused
  };
  const Case cases[] = {
      {"", contract::SpoolerFolder()},
      {Cased(running, ::toupper), contract::SpoolerFolder()},
      {Cased(running, ::tolower), contract::SpoolerFolder()},
      {"windowS 4.0", "win40"},
      {"invalid_env", ""},
  };
  for (const auto& [query, spool] : {std::pair{kDriverQuery, "\\spool\\drivers\\"},
                                     std::pair{kProcessorQuery, "\\spool\\prtprocs\\"}}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(spool + c.environment);
      std::string environment = c.environment;
      char buffer[260] = {};
      DWORD needed = 0;
      const BOOL answered = (spooler_.*query)(
          nullptr, &environment[0], 1, reinterpret_cast<LPBYTE>(buffer), sizeof(buffer), &needed);
      if (c.folder.empty()) {
        EXPECT_FALSE(answered);
        EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INVALID_ENVIRONMENT));
      } else {
        ASSERT_TRUE(answered) << "error " << system_.GetLastError();
        EXPECT_EQ(Cased(buffer, ::tolower), Cased(system + spool + c.folder, ::tolower));
      }
    }
  }
}

// The NT family refuses every level but 1 (Wine 8 agrees; the test's note that Wine does not
// check the driver directory's level is older than Wine 8).
TEST_F(DriverContract, DirectoryQueriesKnowOnlyLevel1) {
  for (DirectoryQuery query : {kDriverQuery, kProcessorQuery}) {
    for (DWORD level : {0u, 2u}) {
      SCOPED_TRACE(level);
      char buffer[260] = {};
      DWORD needed = 0;
      EXPECT_FALSE((spooler_.*query)(nullptr, nullptr, level, reinterpret_cast<LPBYTE>(buffer),
                                     sizeof(buffer), &needed));
      EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
    }
  }
}

// The NT family's RPC layer refuses a null needed-size pointer: RPC_X_NULL_REF_POINTER, or 87
// as the tests also allow. test_GetPrinterDriverDirectory also lets the driver directory
// succeed then; test_GetPrintProcessorDirectory does not.
TEST_F(DriverContract, DirectoryQueriesWantTheNeededSizePointer) {
  for (const auto& [query, mayAnswer] :
       {std::pair{kDriverQuery, true}, std::pair{kProcessorQuery, false}}) {
    char buffer[260] = {};
    const BOOL answered = (spooler_.*query)(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer),
                                            sizeof(buffer), nullptr);
    const DWORD error = system_.GetLastError();
    if (contract::RunningOnSimulation()) {
      EXPECT_FALSE(answered);
      EXPECT_EQ(error, static_cast<DWORD>(RPC_X_NULL_REF_POINTER));
    } else if (!answered || !mayAnswer) {
      EXPECT_FALSE(answered);
      EXPECT_TRUE(error == RPC_X_NULL_REF_POINTER || error == ERROR_INVALID_PARAMETER) << error;
    }
  }
}

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
    // Wine differs (measured): it reports the size of the path in UTF-16, two bytes a
    // character. That Windows reports characters + 1 is an assumption no test records.
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

// The installer registers the language monitor before the driver that names it. Windows refuses
// a driver whose language monitor is not installed with 3000 (an assumption no test records).
// Wine differs (measured): it registers the driver with the monitor's name as given.
TEST_F(DriverContract, AddPrinterDriverWantsItsLanguageMonitorInstalled) {
  const std::string monitor = contract::OwnName("TP Language");
  const std::string name = contract::OwnName("TP Driver");
  const std::string key = contract::EnvironmentKey() + "\\Drivers\\Version-3\\" + name;
  const bool added = contract::AddTestDriver(name, monitor);
  if (contract::RunningUnderWine()) {
    EXPECT_TRUE(added) << "error " << system_.GetLastError();
  } else {
    EXPECT_FALSE(added);
    EXPECT_EQ(system_.GetLastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINT_MONITOR));
    EXPECT_FALSE(contract::RegistryKeyExists(key));
  }

  ASSERT_TRUE(contract::PlaceDll("TPSERMON.DLL", contract::SystemDirectory(), "TPSERMON.DLL"));
  std::string monitorName = monitor;
  char dll[] = "TPSERMON.DLL";
  MONITOR_INFO_2A info = {&monitorName[0], nullptr, dll};
  ASSERT_TRUE(spooler_.AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)))
      << "error " << system_.GetLastError();
  ASSERT_TRUE(contract::AddTestDriver(name, monitor)) << "error " << system_.GetLastError();
  EXPECT_EQ(contract::RegistryText(key, "Monitor"), monitor);
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

// Windows refuses a processor that is already installed with 3005 (an assumption no test
// records). Wine differs (measured): it accepts the same processor again and rewrites its key.
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
