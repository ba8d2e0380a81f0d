#include "install/printer_queue.h"

#include <cstring>
#include <string>

#include "install_fixture.h"

namespace {

using install::AddPrinterQueue;
using install::PrinterNameBuffer;
using install_test::InstallTest;

class AddPrinterQueueTest : public InstallTest {
 protected:
  void SetUp() override {
    for (const char* file : {"KS.DLL", "KS.GPD", "KSUI.DLL"}) {
      machine.disk().WriteFile(DriverDir() + "\\" + file, "x");
    }
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = driverName_;
    driver.pDriverPath = driverPath_;
    driver.pDataFile = dataFile_;
    driver.pConfigFile = configFile_;
    ASSERT_TRUE(machine.spooler().AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver)));
  }

  void AddExisting(const std::string& name) {
    platform::sim::SimSpooler::Printer printer;
    printer.name = name;
    printer.port = "LPT1:";
    printer.driver = driverName_;
    machine.spooler().AddExistingPrinter(printer);
  }

  // One installation's record, as the install sequence hands it over: the model name with
  // its port-kind ending in the configuration's 200-byte text.
  struct Installation {
    Text name{};
    char port[8] = "LPT1:";
    char processor[16] = "WinPrint";
    config::PrinterRecord record{};
    PrinterNameBuffer buffer;
  };
  void Prepare(Installation& run, const char* name, char* driver) {
    std::strcpy(run.name, name);
    run.record.pPrinterName = run.name;
    run.record.pPortName = run.port;
    run.record.pDriverName = driver;
    run.record.pPrintProcessor = run.processor;
  }
  int Add(Installation& run, const char* name, bool singleInstance) {
    Prepare(run, name, driverName_);
    return AddPrinterQueue(platform(), run.record, 2, singleInstance, run.buffer);
  }

  char driverName_[16] = "KS Driver";
  char driverPath_[16] = "KS.DLL";
  char dataFile_[16] = "KS.GPD";
  char configFile_[16] = "KSUI.DLL";
};

TEST_F(AddPrinterQueueTest, FreeNameIsUsedAsItIs) {
  Installation run;
  EXPECT_EQ(Add(run, "M(P)", false), 1);
  EXPECT_STREQ(run.record.pPrinterName, "M(P)");
  ASSERT_NE(machine.spooler().FindPrinter("M(P)"), nullptr);
  EXPECT_EQ(machine.spooler().FindPrinter("M(P)")->port, "LPT1:");
  EXPECT_EQ(machine.spooler().printers().size(), 1u);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(AddPrinterQueueTest, SerialInstallsOfOnePrinterGiveTwoNumberedCopiesThenRefuse) {
  const char* expected[] = {"M(S)", "M(S)(1)", "M(S)(2)"};
  for (const char* name : expected) {
    Installation run;
    ASSERT_EQ(Add(run, "M(S)", false), 1) << name;
    EXPECT_STREQ(run.record.pPrinterName, name);
    EXPECT_NE(machine.spooler().FindPrinter(name), nullptr) << name;
  }
  EXPECT_TRUE(Shown().empty());

  Installation fourth;
  EXPECT_EQ(Add(fourth, "M(S)", false), 0);
  EXPECT_STREQ(fourth.record.pPrinterName, "");
  EXPECT_EQ(Shown(), Messages({IDS_TOO_MANY_ON_PORT}));
  EXPECT_EQ(machine.spooler().printers().size(), 3u);
  EXPECT_EQ(machine.spooler().FindPrinter("M(S)(3)"), nullptr);
  ExpectEverythingReleased();
}

TEST_F(AddPrinterQueueTest, NumberedNameOutlivesTheCallInTheCallersBuffer) {
  Installation first;
  ASSERT_EQ(Add(first, "M(S)", false), 1);
  Installation second;
  ASSERT_EQ(Add(second, "M(S)", false), 1);
  // The record points at the caller's buffer, not at anything of the call's own.
  EXPECT_EQ(second.record.pPrinterName, second.buffer.data());
  EXPECT_STREQ(second.buffer.c_str(), "M(S)(1)");
  // The base name text itself is left as it was.
  EXPECT_STREQ(second.name, "M(S)");
}

TEST_F(AddPrinterQueueTest, UsbNameTakenIsRefusedAtOnce) {
  Installation first;
  ASSERT_EQ(Add(first, "M(U) 1", true), 1);
  Installation second;
  EXPECT_EQ(Add(second, "M(U) 1", true), 0);
  EXPECT_STREQ(second.record.pPrinterName, "");
  EXPECT_EQ(Shown(), Messages({IDS_TOO_MANY_ON_PORT}));
  EXPECT_EQ(machine.spooler().FindPrinter("M(U) 1(1)"), nullptr);
  EXPECT_EQ(machine.spooler().callCount("AddPrinterA"), 2);
}

TEST_F(AddPrinterQueueTest, FirstCopyFailingOtherwiseShows116WithTheErrorAndStops) {
  AddExisting("M(S)");
  Installation run;
  // The copy name names a driver the spooler does not know: it fails with 1797.
  char unknownDriver[] = "No Such Driver";
  Prepare(run, "M(S)", unknownDriver);
  EXPECT_EQ(AddPrinterQueue(platform(), run.record, 2, false, run.buffer), 0);
  EXPECT_EQ(Shown(), std::vector<std::string>{Message(IDS_ADD_PRINTER_FAILED) + "er = 1797"});
  EXPECT_STREQ(run.record.pPrinterName, "");
  // The name, then (1); (2) is not tried.
  EXPECT_EQ(machine.spooler().callCount("AddPrinterA"), 2);
  ExpectEverythingReleased();
}

TEST_F(AddPrinterQueueTest, FirstAttemptFailingOtherwiseShows116WithTheError) {
  // Refused for want of administrator rights: the error number, and what it means.
  machine.spooler().FailCall("AddPrinterA", ERROR_ACCESS_DENIED);
  Installation run;
  EXPECT_EQ(Add(run, "M(P)", false), 0);
  EXPECT_EQ(Shown(), std::vector<std::string>{Message(IDS_ADD_PRINTER_FAILED) + "er = 5" +
                                              install_test::kNeedsAdministrator});
  EXPECT_STREQ(run.record.pPrinterName, "");
  EXPECT_EQ(machine.spooler().callCount("AddPrinterA"), 1);
}

TEST_F(AddPrinterQueueTest, SingleInstanceDoesNotHideOtherErrors) {
  machine.spooler().FailCall("AddPrinterA", 1796);
  Installation run;
  EXPECT_EQ(Add(run, "M(U) 2", true), 0);
  EXPECT_EQ(Shown(), std::vector<std::string>{Message(IDS_ADD_PRINTER_FAILED) + "er = 1796"});
}

TEST_F(AddPrinterQueueTest, BaseNameTooLongForANumberedCopyIsRefusedWith103) {
  // 257 characters: "(1)" and the terminator no longer fit the 260-byte candidate buffer.
  const std::string longName(257, 'L');
  AddExisting(longName);
  Installation run;
  std::string text = longName;  // longer than the configuration's text: the record's own
  Prepare(run, "", driverName_);
  run.record.pPrinterName = text.data();
  EXPECT_EQ(AddPrinterQueue(platform(), run.record, 2, false, run.buffer), 0);
  EXPECT_EQ(Shown(), Messages({IDS_TOO_MANY_ON_PORT}));
  EXPECT_EQ(machine.spooler().callCount("AddPrinterA"), 1);
  EXPECT_EQ(machine.spooler().printers().size(), 1u);
}

TEST_F(AddPrinterQueueTest, LongestBaseNameStillGetsItsCopyName) {
  const std::string baseName(256, 'B');  // 256 + "(1)" + terminator = 260
  AddExisting(baseName);
  Installation run;
  std::string text = baseName;
  Prepare(run, "", driverName_);
  run.record.pPrinterName = text.data();
  EXPECT_EQ(AddPrinterQueue(platform(), run.record, 2, false, run.buffer), 1);
  EXPECT_EQ(std::string(run.record.pPrinterName), baseName + "(1)");
}

}  // namespace
