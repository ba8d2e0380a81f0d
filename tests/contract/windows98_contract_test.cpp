// What differs on Windows 95/98/Me for the calls the installer makes there: the spooler's
// folders, the default attribute as the way to choose the default printer, and winspool.drv
// without SetDefaultPrinterA. Natively the simulated machine is switched to Windows 98; under
// Wine these tests run in a prefix that reports win98 and skip themselves everywhere else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract_machine.h"
#include "contract_platform.h"
#include "platform/library_service.h"
#include "spooler_scene.h"

namespace {

class Windows98Contract : public ::testing::Test {
 protected:
  Windows98Contract()
      : spooler_(contract::TestPlatform().spooler), system_(contract::TestPlatform().system) {}

  void SetUp() override {
    if (!contract::BeginWindows98()) {
      GTEST_SKIP() << "the running system is not Windows 98";
    }
    switched_ = true;
  }

  void TearDown() override {
    if (switched_) {
      contract::EndWindows98();
    }
  }

  platform::SpoolerService& spooler_;
  platform::SystemService& system_;
  bool switched_ = false;
};

// The spooler's environment there is "Windows 4.0". Windows 98 keeps drivers and processors in
// its system directory (an assumption no test records). Wine differs (measured): in win98 mode
// it answers with spool\drivers\win40 and spool\prtprocs\win40.
TEST_F(Windows98Contract, DriverAndProcessorDirectories) {
  const std::string system = contract::SystemDirectory();
  if (contract::RunningUnderWine()) {
    EXPECT_EQ(contract::DriverDirectory(), system + "\\spool\\drivers\\win40");
    EXPECT_EQ(contract::ProcessorDirectory(), system + "\\spool\\prtprocs\\win40");
  } else {
    EXPECT_EQ(contract::DriverDirectory(), system);
    EXPECT_EQ(contract::ProcessorDirectory(), system);
  }
}

// The installer reads its processor's key back from there.
TEST_F(Windows98Contract, ProcessorsGoUnderWindows40) {
  const std::string environment = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\";
  ASSERT_TRUE(contract::PlaceDll("TPPROC.DLL", contract::ProcessorDirectory(), "TPPROC.DLL"));
  std::string processor = contract::OwnName("TP Processor");
  char win40[] = "Windows 4.0";
  char dll[] = "TPPROC.DLL";
  ASSERT_TRUE(spooler_.AddPrintProcessorA(nullptr, win40, dll, &processor[0]));
  EXPECT_EQ(
      contract::RegistryText(environment + "Windows 4.0\\Print Processors\\" + processor, "Driver"),
      "TPPROC.DLL");
}

// Windows 98 chooses its default printer by the printer's default attribute (an assumption no
// test records). Wine differs (measured): it keeps the attribute but leaves the default
// printer as it was.
TEST_F(Windows98Contract, TheDefaultAttributeMakesThePrinterTheDefault) {
  const std::string driver = contract::OwnName("TP Driver");
  const std::string printer = contract::OwnName("TP Printer");
  ASSERT_TRUE(contract::AddTestDriver(driver)) << "error " << system_.GetLastError();
  ASSERT_TRUE(contract::AddTestPrinter(printer, driver)) << "error " << system_.GetLastError();
  const std::string before = contract::DefaultPrinter();
  ASSERT_NE(before, printer);

  std::string name = printer;
  HANDLE handle = nullptr;
  ASSERT_TRUE(spooler_.OpenPrinterA(&name[0], &handle, nullptr));
  DWORD needed = 0;
  spooler_.GetPrinterA(handle, 2, nullptr, 0, &needed);
  std::vector<BYTE> record(needed);
  ASSERT_TRUE(spooler_.GetPrinterA(handle, 2, record.data(), needed, &needed));
  reinterpret_cast<PRINTER_INFO_2A*>(record.data())->Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
  EXPECT_TRUE(spooler_.SetPrinterA(handle, 2, record.data(), 0));
  EXPECT_TRUE(spooler_.ClosePrinter(handle));

  if (contract::RunningUnderWine()) {
    EXPECT_EQ(contract::DefaultPrinter(), before);
  } else {
    EXPECT_EQ(contract::DefaultPrinter(), printer);
  }
}

// SetDefaultPrinterA came with Windows 2000 (test_SetDefaultPrinter in Wine's
// winspool.drv/tests/info.c: "only supported on win2k and above"). Wine differs (measured):
// its winspool.drv has it whatever version it reports.
TEST_F(Windows98Contract, WinspoolHasNoSetDefaultPrinter) {
  platform::LibraryService& libraries = contract::TestPlatform().libraries;
  HMODULE winspool = libraries.LoadLibraryA("winspool.drv");
  ASSERT_NE(winspool, nullptr);
  const bool found = libraries.GetProcAddress(winspool, "SetDefaultPrinterA") != nullptr;
  EXPECT_EQ(found, contract::RunningUnderWine());
  EXPECT_TRUE(libraries.FreeLibrary(winspool));
}

// test_DeleteMonitor (info.c): Windows 95/98/Me refuse a monitor that is not installed with
// ERROR_INVALID_PARAMETER and a monitor without a name with ERROR_INVALID_NAME; the NT family
// answers ERROR_UNKNOWN_PRINT_MONITOR and ERROR_INVALID_PARAMETER. Wine answers as the NT
// family does whatever version it reports (measured).
TEST_F(Windows98Contract, DeleteMonitorRefusals) {
  char win40[] = "Windows 4.0";
  std::string absent = contract::OwnName("TP Absent");
  char empty[] = "";
  const BOOL unknown = spooler_.DeleteMonitorA(nullptr, win40, &absent[0]);
  const DWORD unknownError = system_.GetLastError();
  const BOOL unnamed = spooler_.DeleteMonitorA(nullptr, win40, empty);
  const DWORD unnamedError = system_.GetLastError();
  EXPECT_FALSE(unknown);
  EXPECT_FALSE(unnamed);
  const bool wine = contract::RunningUnderWine();
  EXPECT_EQ(unknownError,
            static_cast<DWORD>(wine ? ERROR_UNKNOWN_PRINT_MONITOR : ERROR_INVALID_PARAMETER));
  EXPECT_EQ(unnamedError, static_cast<DWORD>(wine ? ERROR_INVALID_PARAMETER : ERROR_INVALID_NAME));
}

// test_EnumPrintProcessors (info.c): Windows 95/98/Me refuse an unknown environment with
// ERROR_INVALID_PARAMETER and do without the size pointer. Wine answers as the NT family does
// (ERROR_INVALID_ENVIRONMENT, RPC_X_NULL_REF_POINTER) whatever version it reports (measured).
TEST_F(Windows98Contract, EnumPrintProcessorsRefusals) {
  char unknown[] = "invalid_env";
  DWORD needed = 0;
  DWORD returned = 0;
  EXPECT_FALSE(spooler_.EnumPrintProcessorsA(nullptr, unknown, 1, nullptr, 0, &needed, &returned));
  const bool wine = contract::RunningUnderWine();
  EXPECT_EQ(system_.GetLastError(),
            static_cast<DWORD>(wine ? ERROR_INVALID_ENVIRONMENT : ERROR_INVALID_PARAMETER));
  std::vector<BYTE> buffer(4096);
  const BOOL withoutSize =
      spooler_.EnumPrintProcessorsA(nullptr, nullptr, 1, buffer.data(), 4096, nullptr, &returned);
  EXPECT_EQ(withoutSize != FALSE, !wine);
}

}  // namespace
