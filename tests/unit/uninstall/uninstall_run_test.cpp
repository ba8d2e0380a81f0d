// Removal from the command line on the simulated Windows, after installations made by the real
// install sequence from answers files: what goes and what stays on each system, numbered
// copies, components that other printers still use, the exit codes, the question and the
// closing message, and files left to the restart.
#include "unattended/unattended_uninstall.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/sample_package.h"
#include "unattended/exit_codes.h"
#include "unattended/memory_log.h"
#include "app/unattended_install.h"
#include "platform/sim/sim_machine.h"

namespace {

using install_test::kMonitorsKey;
using unattended_test::MemoryLog;

constexpr const char* kPrintersKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";
constexpr const char* kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kKestrel = "SOFTWARE\\KESTREL\\";

struct Version {
  DWORD platformId;
  DWORD major;
  DWORD minor;
};
constexpr Version kWindows98{VER_PLATFORM_WIN32_WINDOWS, 4, 10};
constexpr Version kNt4{VER_PLATFORM_WIN32_NT, 4, 0};
constexpr Version kWindows2000{VER_PLATFORM_WIN32_NT, 5, 0};
constexpr Version kXp{VER_PLATFORM_WIN32_NT, 5, 1};
constexpr Version kServer2003{VER_PLATFORM_WIN32_NT, 5, 2};

class UninstallRun : public install_test::SamplePackageTest {
 protected:
  void UseVersion(const Version& v) { machine.SetVersion(v.platformId, v.major, v.minor); }
  // An installation by the real install sequence; `answers` are [Install] lines.
  void Install(const std::string& answers) {
    machine.disk().WriteFile("C:\\answers.ini", "[Install]\n" + answers);
    MemoryLog installLog;
    const int code = unattended::RunUnattendedInstall(platform(), "C:\\answers.ini", installLog);
    ASSERT_TRUE(code == unattended::kExitDone || code == unattended::kExitRestartRequired)
        << installLog.All();
  }
  int Uninstall(const std::string& model, bool quiet = true) {
    return unattended::RunUninstall(platform(), model, quiet, log);
  }

  std::vector<std::string> Printers() {
    std::vector<std::string> names;
    for (const auto& entry : machine.spooler().printers()) {
      names.push_back(entry.second.name);
    }
    return names;
  }
  std::vector<std::string> Drivers() {
    std::vector<std::string> names;
    for (const auto& driver : machine.spooler().drivers()) {
      names.push_back(driver.name);
    }
    return names;
  }
  std::vector<std::string> Monitors() {
    return machine.registry().SubKeyNames("SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors");
  }
  bool ProcessorThere() {
    return machine.spooler().ProcessorInstalled(machine.spooler().NativeEnvironment(),
                                                "TP Print Processor");
  }
  bool SystemFile(const std::string& name) {
    return machine.disk().Exists(SystemDir() + "\\" + name);
  }
  bool ProcessorFile(const std::string& name) {
    return machine.disk().Exists(ProcessorDir() + "\\" + name);
  }
  std::vector<std::string> Records(const char* key) {
    return machine.registry().ValueNames(std::string(kKestrel) + key);
  }
  // Everything a removal could change, to show that a run changed nothing.
  std::string State() {
    std::string state;
    for (const auto& name : Printers()) {
      state += "printer " + name + "\n";
    }
    for (const auto& name : Drivers()) {
      state += "driver " + name + "\n";
    }
    for (const auto& name : Monitors()) {
      state += "monitor " + name + "\n";
    }
    state += ProcessorThere() ? "processor\n" : "";
    for (const char* key : {"PORTNAME", "PRINTERPORT", "INSTALLPRINTER"}) {
      for (const auto& name : Records(key)) {
        state += std::string(key) + " " + name + "\n";
      }
    }
    for (const auto& [key, path] : machine.disk().Snapshot()) {
      state += "file " + path + "\n";
    }
    return state;
  }

  MemoryLog log;
};

using Names = std::vector<std::string>;

// What the removal of TP-R80 takes on each system, after the typical installation there.
struct SystemCase {
  const char* name;
  Version version;
  const char* install;
  int exitCode;
  Names filesGone;    // in the system folder, or the processor folder for TPPROC.DLL
  Names recordsGone;  // PRINTERPORT values the removal takes
};

const SystemCase kSystemCases[] = {
    // Windows 98/Me: the USB monitor, whose DLL the spooler keeps loaded until the restart.
    {"Windows98Usb",
     kWindows98,
     "Port=USB_TP-R80_1\n",
     unattended::kExitRestartRequired,
     {"TPUSBU9X.DLL", "TPPROC.DLL"},
     {"USB_TP-R80_1"}},
    {"Nt4Serial",
     kNt4,
     "Port=KSCOM1:\n",
     unattended::kExitDone,
     {"TPSERMON.DLL", "TPSERUI.DLL", "TPPROC.DLL"},
     {}},
    {"Windows2000Usb",
     kWindows2000,
     "Port=USB_TP-R80_1\n",
     unattended::kExitDone,
     {"TPUSBMON.DLL", "TPUSBUI.DLL", "TPPROC.DLL"},
     {"USB_TP-R80_1"}},
    {"XpSerial",
     kXp,
     "Port=KSCOM1:\n",
     unattended::kExitDone,
     {"TPSERMON.DLL", "TPSERUI.DLL", "TPPROC.DLL"},
     {}},
    {"Server2003Parallel", kServer2003, "Port=LPT1:\n", unattended::kExitDone, {"TPPROC.DLL"}, {}},
};

class UninstallOnEachSystem : public UninstallRun,
                              public ::testing::WithParamInterface<SystemCase> {};

TEST_P(UninstallOnEachSystem, RemovesThePrinterDriverMonitorAndProcessorAndKeepsTheRest) {
  const SystemCase& c = GetParam();
  UseVersion(c.version);
  Install(std::string("Model=TP-R80-ReceiptPrinter\n") + c.install);
  ASSERT_EQ(Printers().size(), 1u);
  const std::string settings = State();

  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), c.exitCode) << log.All();

  EXPECT_EQ(Printers(), Names{});
  EXPECT_EQ(Drivers(), Names{});
  EXPECT_FALSE(ProcessorThere());
  // Only Windows' own monitors stay: the language monitor is never the package's to remove.
  EXPECT_EQ(Monitors(), Names{"Language Monitor"}) << settings;
  EXPECT_TRUE(SystemFile("pjlmon.dll"));
  for (const std::string& file : c.filesGone) {
    EXPECT_FALSE(file == "TPPROC.DLL" ? ProcessorFile(file) : SystemFile(file)) << file;
  }
  for (const std::string& record : c.recordsGone) {
    EXPECT_EQ(machine.registry().GetDword(std::string(kKestrel) + "PRINTERPORT", record),
              std::nullopt);
  }
  // The serial line settings belong to the port, and the driver files stay in the driver folder.
  EXPECT_TRUE(machine.registry().GetValue(kNtPortsKey, "COM1:").has_value());
  EXPECT_TRUE(machine.disk().Exists(DriverDir() + "\\TPR80S.DAT") ||
              machine.disk().Exists(DriverDir() + "\\TPR80G.DAT"));
  EXPECT_TRUE(log.Has("result: " + std::to_string(c.exitCode)));
  EXPECT_TRUE(machine.messageBoxes().empty());
  ExpectEverythingReleased();
}

INSTANTIATE_TEST_SUITE_P(Table, UninstallOnEachSystem, ::testing::ValuesIn(kSystemCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UninstallRun, NumberedCopiesGoWithTheFirst) {
  for (int i = 0; i < 3; ++i) {
    Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\nIfInstalled=Copy\n");
  }
  ASSERT_EQ(Printers(), (Names{"TP-R80(S)", "TP-R80(S)(1)", "TP-R80(S)(2)"}));
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitDone);
  EXPECT_EQ(Printers(), Names{});
  EXPECT_TRUE(log.Has("to remove: printers: TP-R80(S), TP-R80(S)(1), TP-R80(S)(2)"));
}

// TP-R58 prints through the package's serial monitor too: removing TP-R80 keeps the monitor
// and its DLL; removing TP-R58 afterwards takes them.
TEST_F(UninstallRun, AMonitorAnotherModelStillUsesStaysUntilItsLastPrinterGoes) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  Install("Model=TP-R58-ReceiptPrinter\nPort=KSCOM2:\n");

  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitDone) << log.All();
  EXPECT_EQ(Printers(), Names{"TP-R58(S)"});
  EXPECT_EQ(Drivers(), Names{"TP-R58 Text"});
  EXPECT_TRUE(machine.spooler().MonitorInstalled("TP Serial Monitor"));
  EXPECT_TRUE(SystemFile("TPSERMON.DLL"));
  EXPECT_FALSE(ProcessorThere());
  EXPECT_TRUE(log.Has("stays, still in use: TP Serial Monitor: TP-R58(S) prints to KSCOM2:"));

  EXPECT_EQ(Uninstall("TP-R58-ReceiptPrinter"), unattended::kExitDone) << log.All();
  EXPECT_EQ(Printers(), Names{});
  EXPECT_FALSE(machine.spooler().MonitorInstalled("TP Serial Monitor"));
  EXPECT_FALSE(SystemFile("TPSERMON.DLL"));
}

TEST_F(UninstallRun, AProcessorAnotherPrinterUsesStays) {
  EditConfig("setup_receipt.ini", "PrintProcessor=WinPrint", "PrintProcessor=TP Print Processor");
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  Install("Model=TP-R58-ReceiptPrinter\nPort=KSCOM2:\n");
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitDone) << log.All();
  EXPECT_TRUE(ProcessorThere());
  EXPECT_TRUE(ProcessorFile("TPPROC.DLL"));
  EXPECT_TRUE(log.Has("stays, still in use: TP Print Processor: used by TP-R58(S)"));
}

// The installer's records of the removed USB printer and its port go, and so do those of a
// port whose printer is gone (TP-T58(U) 1, deleted by hand); the free-port markers, other
// printers' records and the device markers D1 to D8 stay.
TEST_F(UninstallRun, TheRecordsOfTheRemovedUsbPrinterAndItsPortGo) {
  machine.registry().PutDword(std::string(kKestrel) + "INSTALLPRINTER", "TP-R80(U) 1", 0);
  machine.registry().PutDword(std::string(kKestrel) + "INSTALLPRINTER", "TP-T58(U) 1", 0);
  Install("Model=TP-R80-ReceiptPrinter\nPort=USB_TP-R80_1\n");
  ASSERT_TRUE(machine.registry().GetDword(std::string(kKestrel) + "PORTNAME", "USB_TP-R80_1"));

  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitDone) << log.All();
  EXPECT_EQ(Records("INSTALLPRINTER"), Names{"TP-T58(U) 1"});
  const Names portNames = Records("PORTNAME");
  EXPECT_EQ(std::count(portNames.begin(), portNames.end(), "USB_TP-R80_1"), 0);
  EXPECT_EQ(std::count(portNames.begin(), portNames.end(), "USB_TP-T58_1"), 0);
  const Names markers = Records("PRINTERPORT");
  EXPECT_EQ(std::count(markers.begin(), markers.end(), "USB_TP-R80_1"), 0);
  EXPECT_EQ(std::count(markers.begin(), markers.end(), "USB_TP-T58_1"), 0);
  for (const char* kept : {"D1", "D8", "USB_TP-R80_2"}) {
    EXPECT_EQ(std::count(markers.begin(), markers.end(), kept), 1) << kept;
  }
}

struct UnchangedCase {
  const char* name;
  const char* model;
  int exitCode;
  const char* logged;
};

const UnchangedCase kUnchangedCases[] = {
    {"NothingInstalled", "TP-T80-TicketPrinter", unattended::kExitNothingInstalled,
     "nothing of TP-T80-TicketPrinter is installed"},
    {"UnknownModel", "TP-X99-ReceiptPrinter", unattended::kExitBadArguments,
     "bad arguments: TP-X99-ReceiptPrinter is not an entry of setup.ini [DEVICENAME]"},
    {"EntryWithoutFamily", "TP-K100-KioskPrinter", unattended::kExitBadArguments,
     "bad arguments: TP-K100-KioskPrinter"},
    {"ModelNameWithoutSuffix", "TP-R80", unattended::kExitBadArguments, "bad arguments: TP-R80"},
    {"EntryInAnotherCase", "tp-r80-receiptprinter", unattended::kExitBadArguments, "bad arguments"},
};

class UninstallChangesNothing : public UninstallRun,
                                public ::testing::WithParamInterface<UnchangedCase> {};

TEST_P(UninstallChangesNothing, EndsWithItsExitCodeAndLeavesTheSystemAsItWas) {
  const UnchangedCase& c = GetParam();
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  const std::string before = State();
  EXPECT_EQ(Uninstall(c.model), c.exitCode);
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(log.Has(c.logged)) << log.All();
  EXPECT_TRUE(log.Has("result: " + std::to_string(c.exitCode)));
  EXPECT_TRUE(machine.messageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, UninstallChangesNothing, ::testing::ValuesIn(kUnchangedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// With the "Spooler" service stopped the NT family lists nothing: the removal cannot know what
// is installed, changes nothing and fails.
TEST_F(UninstallRun, AStoppedSpoolerChangesNothingAndFails) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  const std::string before = State();
  machine.services().SetSpoolerState(SERVICE_STOPPED);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitFailed);
  machine.services().SetSpoolerState(SERVICE_RUNNING);
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(log.Has("nothing was changed: the spooler does not list its printers (error 1722)"));
}

// A printer with documents waiting is deleted once they are done: the spooler reports it
// removed and still lists it, and what it uses stays.
TEST_F(UninstallRun, APrinterTheSpoolerStillListsKeepsWhatItUses) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  machine.spooler().SetJobsWaiting(true);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitFailed);
  EXPECT_TRUE(log.Has("the spooler reported printer TP-R80(S) removed, yet still lists it"));
  EXPECT_EQ(Drivers(), Names{"TP-R80 Text"});
  EXPECT_TRUE(machine.spooler().MonitorInstalled("TP Serial Monitor"));
}

TEST_F(UninstallRun, AnUnsupportedSystemShowsMessage115AndHasNothingInstalled) {
  machine.SetVersion(VER_PLATFORM_WIN32s, 3, 10);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitNothingInstalled);
  EXPECT_TRUE(log.Has("message 115"));
}

// Failures after the removal began: what could not go stays with everything it needs, and the
// log names it.
TEST_F(UninstallRun, APrinterThatWillNotGoKeepsItsDriverMonitorAndProcessor) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  machine.spooler().FailCall("DeletePrinter", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitFailed);
  EXPECT_EQ(Printers(), Names{"TP-R80(S)"});
  EXPECT_EQ(Drivers(), Names{"TP-R80 Text"});
  EXPECT_TRUE(machine.spooler().MonitorInstalled("TP Serial Monitor"));
  EXPECT_TRUE(ProcessorThere());
  EXPECT_TRUE(log.Has("could not remove printer TP-R80(S) (error 5)"));
  EXPECT_TRUE(log.Has("still there: printers: TP-R80(S)"));
  EXPECT_TRUE(log.Has("still there: drivers: TP-R80 Text"));
  ExpectEverythingReleased();
}

TEST_F(UninstallRun, ASystemWithoutDeletePrintProcessorKeepsTheProcessorAndSaysSo) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  machine.libraries().HideExport("winspool.drv", "DeletePrintProcessorA");
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitFailed);
  EXPECT_TRUE(ProcessorThere());
  EXPECT_TRUE(ProcessorFile("TPPROC.DLL"));
  EXPECT_EQ(Printers(), Names{});
  EXPECT_TRUE(log.Has("this system's winspool.drv has no DeletePrintProcessorA"));
  EXPECT_TRUE(log.Has("still there: print processors: TP Print Processor"));
}

// A DLL another program holds goes with the next restart: on the NT family through
// PendingFileRenameOperations, on Windows 98 through WININIT.INI, beside what is there already.
TEST_F(UninstallRun, AHeldDllOnXpGoesAtTheRestart) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  machine.disk().Lock(SystemDir() + "\\TPSERMON.DLL", ERROR_SHARING_VIOLATION);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitRestartRequired) << log.All();
  const auto pending = machine.registry().GetValue(kSessionManager, "PendingFileRenameOperations");
  ASSERT_TRUE(pending.has_value());
  // The file, no new name (deletion), and the list's end.
  EXPECT_EQ(pending->data,
            std::string("\\??\\C:\\WINDOWS\\system32\\TPSERMON.DLL") + std::string(3, '\0'));
  EXPECT_TRUE(log.Has("removed at the next restart: C:\\WINDOWS\\system32\\TPSERMON.DLL"));
  machine.disk().Lock(SystemDir() + "\\TPSERMON.DLL", 0);
  machine.Restart();
  EXPECT_FALSE(SystemFile("TPSERMON.DLL"));
}

TEST_F(UninstallRun, AHeldDllWhoseRestartCannotBeRecordedRemainsAndTheRunFails) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  machine.disk().Lock(SystemDir() + "\\TPSERMON.DLL", ERROR_SHARING_VIOLATION);
  machine.registry().PutValue(kSessionManager, "BootExecute", REG_MULTI_SZ, std::string(2, '\0'));
  machine.registry().DenyWrites(kSessionManager);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitFailed);
  EXPECT_TRUE(SystemFile("TPSERMON.DLL"));
  EXPECT_TRUE(log.Has("still there: files: C:\\WINDOWS\\system32\\TPSERMON.DLL"));
}

TEST_F(UninstallRun, Windows98AddsItsLineToWininitAndTheRestartRemovesTheDll) {
  UseVersion(kWindows98);
  machine.disk().WriteFile("C:\\WINDOWS\\WININIT.INI", "[rename]\r\nNUL=C:\\OLD.DLL\r\n");
  machine.disk().WriteFile("C:\\OLD.DLL", "old");
  Install("Model=TP-R80-ReceiptPrinter\nPort=USB_TP-R80_1\n");
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitRestartRequired) << log.All();
  EXPECT_EQ(FileAt("C:\\WINDOWS\\WININIT.INI"),
            "[rename]\r\nNUL=C:\\OLD.DLL\r\nNUL=C:\\WINDOWS\\SYSTEM\\TPUSBM9X.DLL\r\n");
  EXPECT_TRUE(SystemFile("TPUSBM9X.DLL"));
  machine.Restart();
  EXPECT_FALSE(SystemFile("TPUSBM9X.DLL"));
  EXPECT_FALSE(machine.disk().Exists("C:\\OLD.DLL"));
}

// Without /quiet a person sees one question with the list and, on Yes, one closing message.
TEST_F(UninstallRun, WithoutQuietOneQuestionListsTheRemovalAndNoChangesNothing) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  const std::string before = State();
  machine.AnswerNextMessageBox(IDNO);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter", false), unattended::kExitNothingChanged);
  EXPECT_EQ(State(), before);
  ASSERT_EQ(machine.messageBoxes().size(), 1u);
  const auto& question = machine.messageBoxes()[0];
  EXPECT_EQ(question.type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(question.caption, "Setup");
  EXPECT_EQ(question.text,
            "将删除 TP-R80-ReceiptPrinter 安装的以下内容：\n"
            "打印机：TP-R80(S)\n"
            "打印机驱动：TP-R80 Text\n"
            "端口监视器：TP Serial Monitor\n"
            "打印处理器：TP Print Processor\n"
            "文件：C:\\WINDOWS\\system32\\TPSERMON.DLL、C:\\WINDOWS\\system32\\TPSERUI.DLL、"
            "C:\\WINDOWS\\system32\\spool\\prtprocs\\w32x86\\TPPROC.DLL\n\n"
            "是否继续？");
  EXPECT_TRUE(log.Has("question answered No"));
}

TEST_F(UninstallRun, WithoutQuietYesRemovesAndTheClosingMessageSaysWhat) {
  Install("Model=TP-R58-ReceiptPrinter\nPort=LPT1:\n");
  machine.AnswerNextMessageBox(IDYES);
  EXPECT_EQ(Uninstall("TP-R58-ReceiptPrinter", false), unattended::kExitDone);
  ASSERT_EQ(machine.messageBoxes().size(), 2u);
  const auto& report = machine.messageBoxes()[1];
  EXPECT_EQ(report.type, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(report.text,
            "已删除 TP-R58-ReceiptPrinter 安装的以下内容：\n"
            "打印机：TP-R58(P)\n"
            "打印机驱动：TP-R58 Raster");
}

TEST_F(UninstallRun, WithoutQuietAFailureIsReportedWithWhatRemains) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  machine.spooler().FailCall("DeletePrinterDriverA", ERROR_ACCESS_DENIED);
  machine.AnswerNextMessageBox(IDYES);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter", false), unattended::kExitFailed);
  ASSERT_EQ(machine.messageBoxes().size(), 2u);
  const auto& report = machine.messageBoxes()[1];
  EXPECT_EQ(report.type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_NE(report.text.find("未能删除：\n打印机驱动：TP-R80 Text"), std::string::npos)
      << report.text;
}

TEST_F(UninstallRun, WithoutQuietNothingInstalledIsOneMessage) {
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter", false), unattended::kExitNothingInstalled);
  ASSERT_EQ(machine.messageBoxes().size(), 1u);
  EXPECT_EQ(machine.messageBoxes()[0].text,
            "没有找到 TP-R80-ReceiptPrinter 安装的内容，未做任何更改。");
}

// A removal that stops part-way at any step records what it left; the next run finishes it,
// also when nothing of the model is registered any more (the monitor's DLL was all that was
// left), and clears the record.
struct InterruptedCase {
  const char* name;
  void (*interrupt)(platform::sim::SimMachine&, const std::string& systemDir);
};

const InterruptedCase kInterruptedCases[] = {
    {"AtThePrinter",
     [](auto& m, const auto&) { m.spooler().FailCall("DeletePrinter", ERROR_ACCESS_DENIED, 1); }},
    {"AtTheDriver",
     [](auto& m, const auto&) {
       m.spooler().FailCall("DeletePrinterDriverA", ERROR_ACCESS_DENIED, 1);
     }},
    {"AtTheMonitor",
     [](auto& m, const auto&) { m.spooler().FailCall("DeleteMonitorA", ERROR_ACCESS_DENIED, 1); }},
    {"AtTheProcessor",
     [](auto& m, const auto&) {
       m.spooler().FailCall("DeletePrintProcessorA", ERROR_ACCESS_DENIED, 1);
     }},
    {"AtTheMonitorsDll",
     [](auto& m, const auto& dir) {
       m.disk().Lock(dir + "\\TPSERMON.DLL", ERROR_INVALID_PARAMETER);
     }},
};

class InterruptedRemoval : public UninstallRun,
                           public ::testing::WithParamInterface<InterruptedCase> {};

TEST_P(InterruptedRemoval, IsFinishedByTheNextRun) {
  const std::string record = "SOFTWARE\\KESTREL\\REMOVAL\\TP-R80-ReceiptPrinter";
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  GetParam().interrupt(machine, SystemDir());
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitFailed) << log.All();
  EXPECT_FALSE(machine.registry().ValueNames(record).empty());

  machine.disk().Lock(SystemDir() + "\\TPSERMON.DLL", 0);
  log = MemoryLog();
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitDone) << log.All();
  EXPECT_EQ(Printers(), Names{});
  EXPECT_EQ(Drivers(), Names{});
  EXPECT_EQ(Monitors(), Names{"Language Monitor"});
  EXPECT_FALSE(ProcessorThere());
  for (const char* file : {"TPSERMON.DLL", "TPSERUI.DLL"}) {
    EXPECT_FALSE(SystemFile(file)) << file;
  }
  EXPECT_FALSE(ProcessorFile("TPPROC.DLL"));
  EXPECT_FALSE(machine.registry().KeyExists("SOFTWARE\\KESTREL\\REMOVAL"));
  // A third run has nothing left to do.
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitNothingInstalled);
}

INSTANTIATE_TEST_SUITE_P(Table, InterruptedRemoval, ::testing::ValuesIn(kInterruptedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A DLL installed read-only (copied from a CD) loses the attribute and goes at once.
TEST_F(UninstallRun, AReadOnlyDllGoesAtOnce) {
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n");
  machine.disk().SetAttributes(SystemDir() + "\\TPSERMON.DLL", FILE_ATTRIBUTE_READONLY);
  machine.disk().SetAttributes(ProcessorDir() + "\\TPPROC.DLL",
                               FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitDone) << log.All();
  EXPECT_FALSE(SystemFile("TPSERMON.DLL"));
  EXPECT_FALSE(ProcessorFile("TPPROC.DLL"));
}

// WININIT.INI gains one line in its [rename] section; everything else in it, beyond the 32 KB
// the profile calls read, stays byte for byte.
TEST_F(UninstallRun, Windows98KeepsEveryOtherByteOfWininit) {
  UseVersion(kWindows98);
  std::string others;
  for (int i = 0; others.size() < 40000; ++i) {
    others += "NUL=C:\\OLD" + std::to_string(i) + ".DLL\r\n";
  }
  const std::string head = "; kept\r\n[Rename]\r\n" + others;
  const std::string tail = "[other]\r\nNUL=stays here\r\nx = y \r\n";
  machine.disk().WriteFile("C:\\WINDOWS\\WININIT.INI", head + tail);
  Install("Model=TP-R80-ReceiptPrinter\nPort=USB_TP-R80_1\n");
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitRestartRequired) << log.All();
  EXPECT_EQ(FileAt("C:\\WINDOWS\\WININIT.INI"),
            head + "NUL=C:\\WINDOWS\\SYSTEM\\TPUSBM9X.DLL\r\n" + tail);
}

// Without a short name WININIT.INI cannot delete the file: it is reported as left in place.
TEST_F(UninstallRun, Windows98WithoutAShortNameLeavesTheDllAndFails) {
  UseVersion(kWindows98);
  Install("Model=TP-R80-ReceiptPrinter\nPort=USB_TP-R80_1\n");
  machine.FailShortPathNames(ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitFailed) << log.All();
  EXPECT_FALSE(machine.disk().Exists("C:\\WINDOWS\\WININIT.INI"));
  EXPECT_TRUE(log.Has("still there: files: C:\\WINDOWS\\SYSTEM\\TPUSBM9X.DLL"));
}

// Two models of the package registering one driver name: removing one takes only its own
// printers, and the shared driver stays while the other model's printer uses it.
TEST_F(UninstallRun, TwoModelsSharingADriverNameKeepEachOthersPrinters) {
  EditConfig("setup_receipt.ini", "STDDRIVERNAME=TP-R58 Text", "STDDRIVERNAME=TP-R80 Text");
  Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\nMode=Typical\n");
  Install("Model=TP-R58-ReceiptPrinter\nPort=KSCOM2:\nMode=Typical\n");
  ASSERT_EQ(Printers(), (Names{"TP-R58(S)", "TP-R80(S)"}));
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), unattended::kExitDone) << log.All();
  EXPECT_EQ(Printers(), Names{"TP-R58(S)"});
  EXPECT_EQ(Drivers(), Names{"TP-R80 Text"});
  EXPECT_TRUE(log.Has("stays, still in use: TP-R80 Text: used by TP-R58(S)"));
}

}  // namespace
