#include "install/install_sequence.h"

#include <optional>
#include <string>
#include <vector>

#include "config/text_buffer.h"
#include "platform/sim/sim_usb_library.h"
#include "sample_package.h"

namespace {

using install::InstallSelection;
using install::SequenceEnd;
using install_test::kMonitorsKey;
using install_test::kNeedsAdministrator;
using platform::sim::SimUsbDevice;
using platform::sim::SimUsbLibrary;

constexpr const char* kPrintersKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";

class InstallSequenceTest : public install_test::SamplePackageTest {
 public:
  // The scene, for the cases of the tables below.
  using InstallTest::machine;
  using SamplePackageTest::EditConfig;

  // The receipt printer TP-R80, Typical, on the first serial port at 9600 baud, Windows XP.
  InstallSelection Selection(const char* model = "TP-R80", const char* port = "KSCOM1:") {
    InstallSelection selection;
    selection.printerType = kReceiptPrinter;
    selection.targetOs = kTargetWinXp;
    config::CopyText(selection.modelName, model);
    config::CopyText(selection.portEntry, port);
    selection.serial.baudRate = 9600;
    selection.serial.parity = 'N';
    return selection;
  }
  SequenceEnd Run(InstallSelection& selection) {
    return install::InstallSequence(platform(), selection, [this] {
      ++wizardEnds;
      boxesBeforeEnd = machine.messageBoxes().size();
    });
  }
  void AttachUsbPrinters(std::initializer_list<WORD> identities) {
    usb.emplace(machine);
    for (WORD identity : identities) {
      usb->Attach(SimUsbDevice{identity});
    }
  }
  std::vector<std::string> Printers() {
    std::vector<std::string> names;
    for (const auto& entry : machine.spooler().printers()) {
      names.push_back(entry.second.name);
    }
    return names;
  }
  std::string PortOf(const std::string& printer) {
    return machine.spooler().printers().at(printer_key(printer)).port;
  }
  static std::string printer_key(std::string name) {
    for (char& c : name) {
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
  }
  // Everything below a registry key, values included, as text.
  std::string RegistryTree(const std::string& key) {
    std::string text;
    for (const std::string& name : machine.registry().ValueNames(key)) {
      text += key + " " + name + "=" + machine.registry().GetValue(key, name)->data + "\n";
    }
    for (const std::string& sub : machine.registry().SubKeyNames(key)) {
      text += RegistryTree(key + "\\" + sub);
    }
    return text;
  }
  std::string SystemState() {
    std::string state;
    for (const auto& file : machine.disk().Snapshot()) {
      state += file.first + "\n";
    }
    return state + RegistryTree("SYSTEM") + RegistryTree("SOFTWARE") +
           machine.spooler().defaultPrinter();
  }

  std::optional<SimUsbLibrary> usb;
  int wizardEnds = 0;
  size_t boxesBeforeEnd = 0;
};

// The typical run: Windows XP, TP-R80 on KSCOM1: at 9600 baud.
TEST_F(InstallSequenceTest, TypicalSerialRunOnXpInstallsThePrinterAndClosesWithMessage131) {
  InstallSelection selection = Selection();
  selection.setAsDefault = 1;
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);

  EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(S)"});
  EXPECT_EQ(PortOf("TP-R80(S)"), "KSCOM1:");
  EXPECT_EQ(machine.spooler().defaultPrinter(), "TP-R80(S)");
  EXPECT_EQ(std::string(selection.modelName), "TP-R80(S)");
  const auto settings = machine.registry().GetValue(kNtPortsKey, "COM1:");
  ASSERT_TRUE(settings.has_value());
  EXPECT_EQ(settings->data, std::string("9600,n,8,1,p\0", 13));
  EXPECT_TRUE(machine.registry().KeyExists(std::string(kMonitorsKey) + "TP Serial Monitor"));
  EXPECT_EQ(FileAt(DriverDir() + "\\TPSTD.DLL"), FileAt("C:\\PACKAGE\\winnt\\TPSTD.DLL"));
  EXPECT_EQ(FileAt(DriverDir() + "\\3\\TPR80S.DAT"), FileAt("C:\\PACKAGE\\winnt\\TPR80S.DAT"));
  // The wizard is told to close first; the success message follows, with the information icon.
  ASSERT_EQ(Shown(), Messages({IDS_INSTALL_SUCCEEDED}));
  EXPECT_EQ(machine.messageBoxes()[0].type, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(wizardEnds, 1);
  EXPECT_EQ(boxesBeforeEnd, 0u);
  ExpectEverythingReleased();
}

TEST_F(InstallSequenceTest, ParallelPortGetsP) {
  InstallSelection selection = Selection("TP-R80", "LPT2:");
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(P)"});
  EXPECT_EQ(PortOf("TP-R80(P)"), "LPT2:");
  EXPECT_FALSE(machine.registry().KeyExists(std::string(kMonitorsKey) + "TP Serial Monitor"));
  EXPECT_EQ(Shown(), Messages({IDS_INSTALL_SUCCEEDED}));
}

// Windows refuses an existing printer name (Wine does not): numbered copies, then 103.
TEST_F(InstallSequenceTest, RepeatedSerialInstallsTakeNumberedCopiesAndTheDefaultFollowsThem) {
  const char* expected[] = {"TP-R80(S)", "TP-R80(S)(1)", "TP-R80(S)(2)"};
  for (const char* name : expected) {
    InstallSelection selection = Selection();
    selection.setAsDefault = 1;
    EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
    EXPECT_EQ(std::string(selection.modelName), name);
    EXPECT_EQ(machine.spooler().defaultPrinter(), name);
  }
  InstallSelection fourth = Selection();
  fourth.setAsDefault = 1;
  EXPECT_EQ(Run(fourth), SequenceEnd::kFailed);
  EXPECT_EQ(Shown().back(), Message(IDS_TOO_MANY_ON_PORT));
  EXPECT_EQ(machine.spooler().defaultPrinter(), "TP-R80(S)(2)");
  EXPECT_EQ(Printers().size(), 3u);
  EXPECT_EQ(wizardEnds, 4);
  ExpectEverythingReleased();
}

TEST_F(InstallSequenceTest, UsbTypicalWithoutPrinterInstallsOnTheFirstPortWithMessage133) {
  AttachUsbPrinters({});
  machine.SetVersion(VER_PLATFORM_WIN32_NT, 5, 0);
  InstallSelection selection = Selection("TP-R80", "USB_TP-R80_1");
  selection.targetOs = kTargetWin2000;
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(U) 1"});
  EXPECT_EQ(PortOf("TP-R80(U) 1"), "USB_TP-R80_1");
  EXPECT_EQ(Shown(), Messages({IDS_INSTALL_SUCCEEDED_RESET}));
  EXPECT_EQ(machine.registry().GetDword("SOFTWARE\\KESTREL\\PORTNAME", "USB_TP-R80_1"), 0u);
  EXPECT_EQ(machine.registry().GetDword("SOFTWARE\\KESTREL\\PRINTERPORT", "D1"), 0u);
  EXPECT_TRUE(machine.registry().KeyExists(std::string(kMonitorsKey) + "TP USB Monitor"));
  ExpectEverythingReleased();
}

TEST_F(InstallSequenceTest, UsbAdvancedOnTheWrongPortRenumbersThePrinterWhenTheUserAgrees) {
  AttachUsbPrinters({2});  // port number 3
  machine.AnswerNextMessageBox(IDYES);
  InstallSelection selection = Selection("TP-R80", "USB_TP-R80_2");
  selection.installMode = kModeAdvanced;
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  EXPECT_EQ(Shown(), Messages({IDS_RENAME_USB_DEVICE, IDS_INSTALL_SUCCEEDED_RESET}));
  EXPECT_EQ(usb->device(0).identity & 7, 1);  // now answers as port 2
  EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(U) 2"});
  ExpectEverythingReleased();
  EXPECT_EQ(usb->openDevices(), 0u);
}

TEST_F(InstallSequenceTest, UsbTypicalPrinterOnPort5IsRenumberedTo1) {
  AttachUsbPrinters({4});
  machine.AnswerNextMessageBox(IDYES);
  InstallSelection selection = Selection("TP-R80", "USB_TP-R80_1");
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  EXPECT_EQ(usb->device(0).identity & 7, 0);
  EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(U) 1"});
}

TEST_F(InstallSequenceTest, UsbPortKeepsOnePrinterAndRefusesASecondWith103) {
  AttachUsbPrinters({0});
  InstallSelection first = Selection("TP-R80", "USB_TP-R80_1");
  EXPECT_EQ(Run(first), SequenceEnd::kInstalled);
  InstallSelection second = Selection("TP-R80", "USB_TP-R80_1");
  EXPECT_EQ(Run(second), SequenceEnd::kFailed);
  EXPECT_EQ(Shown(), Messages({IDS_INSTALL_SUCCEEDED_RESET, IDS_TOO_MANY_ON_PORT}));
  EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(U) 1"});
}

TEST_F(InstallSequenceTest, Windows98AsksToRestartAndRestartsOnYes) {
  UseWindows98();
  LayOutSamplePackage();  // the language monitor into Windows 98's system folder
  machine.AnswerNextMessageBox(IDYES);
  // Windows 98 serves its own COM ports; the maker's serial monitor is not installed there.
  InstallSelection selection = Selection("TP-R80", "COM1:");
  selection.targetOs = kTargetWin98Me;
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(S)"});
  ASSERT_EQ(Shown(), Messages({IDS_RESTART_QUESTION}));
  EXPECT_EQ(machine.messageBoxes()[0].type & 0xF, MB_YESNO);
  EXPECT_EQ(machine.restartRequests(), 1);
  // The 98 line settings live in win.ini, and the sequence paused before the monitor check.
  EXPECT_NE(FileAt(machine.windowsDirectory() + "\\win.ini").find("COM1:=9600,n,8,1,p"),
            std::string::npos);
  EXPECT_GE(machine.elapsedMilliseconds(), 1000u);
}

TEST_F(InstallSequenceTest, Windows98RefusedRestartShows127AndNoKeepsRunning) {
  UseWindows98();
  LayOutSamplePackage();
  machine.FailRestart(ERROR_ACCESS_DENIED);
  machine.AnswerNextMessageBox(IDYES);
  InstallSelection selection = Selection("TP-R80", "COM1:");
  selection.targetOs = kTargetWin98Me;
  EXPECT_EQ(Run(selection), SequenceEnd::kRestartPending);
  EXPECT_EQ(Shown(), Messages({IDS_RESTART_QUESTION, IDS_RESTART_FAILED}));

  InstallSelection again = Selection("TP-R80", "COM1:");
  again.targetOs = kTargetWin98Me;
  EXPECT_EQ(Run(again), SequenceEnd::kRestartPending);
  EXPECT_EQ(machine.restartRequests(), 1);  // answered No: no restart asked for
}

TEST_F(InstallSequenceTest, UniversalDriverPlacesItsResourceDllAndSupportFiles) {
  InstallSelection selection = Selection("TP-L80", "KSCOM2:");
  selection.printerType = kLabelPrinter;
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  EXPECT_EQ(Shown(), Messages({IDS_INSTALL_SUCCEEDED}));
  for (const char* file : {"3\\TPL80RES.DLL", "TPL80OEM.DLL", "TPL80OEM.INI", "3\\TPL80S.GPD"}) {
    EXPECT_TRUE(machine.disk().Exists(DriverDir() + "\\" + file)) << file;
  }
}

TEST_F(InstallSequenceTest, OlderSerialMonitorIsUpdatedAroundASpoolerRestart) {
  machine.registry().PutValue(std::string(kMonitorsKey) + "TP Serial Monitor", "Driver", REG_SZ,
                              std::string("TPSERMON.DLL\0", 13));
  machine.registry().PutDword(std::string(kMonitorsKey) + "TP Serial Monitor", "DriverVersion", 1);
  machine.disk().WriteFile(SystemDir() + "\\TPSERMON.DLL", "old monitor");
  InstallSelection selection = Selection();
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  EXPECT_EQ(selection.updateFlags, 1);
  EXPECT_EQ(FileAt(SystemDir() + "\\TPSERMON.DLL"), FileAt("C:\\PACKAGE\\winnt\\TPSERMON.DLL"));
  EXPECT_GT(*machine.registry().GetDword(std::string(kMonitorsKey) + "TP Serial Monitor",
                                         "DriverVersion"),
            1u);
  EXPECT_EQ(machine.services().stopRequests(), 1);
  EXPECT_EQ(machine.services().spoolerState(), SERVICE_RUNNING);
  EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(S)"});
}

// Refusals that leave the wizard open and the system as it was.
struct StayCase {
  const char* name;
  void (*arrange)(InstallSequenceTest&, InstallSelection&);
  std::vector<unsigned> messages;  // 0 stands for the USB library's "Can not load" text
};

class InstallSequenceStays : public InstallSequenceTest,
                             public ::testing::WithParamInterface<StayCase> {};

TEST_P(InstallSequenceStays, ShowsItsMessagesAndChangesNothing) {
  InstallSelection selection = Selection();
  GetParam().arrange(*this, selection);
  const std::string before = SystemState();
  EXPECT_EQ(Run(selection), SequenceEnd::kStay);
  std::vector<std::string> expected;
  for (unsigned id : GetParam().messages) {
    expected.push_back(id == 0 ? "Can not load KsUsbInt.dll" : Message(id));
  }
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(SystemState(), before);
  EXPECT_EQ(wizardEnds, 0);
  ExpectEverythingReleased();
}

InstallSequenceTest& Usb(InstallSequenceTest& test, InstallSelection& selection, int mode,
                         const char* port = "USB_TP-R80_1") {
  config::CopyText(selection.portEntry, port);
  selection.installMode = mode;
  return test;
}

const StayCase kStayCases[] = {
    {"NoModel",
     [](InstallSequenceTest&, InstallSelection& s) { s.modelName[0] = '\0'; },
     {IDS_SELECT_PRINTER_FIRST}},
    {"PortOfNoKnownKind",
     [](InstallSequenceTest&, InstallSelection& s) { config::CopyText(s.portEntry, "FILE:"); },
     {IDS_PORT_NOT_SUPPORTED}},
    {"EmptyPortList",
     [](InstallSequenceTest&, InstallSelection& s) { s.portEntry[0] = '\0'; },
     {IDS_PORT_NOT_SUPPORTED}},
    {"UsbOnNt4",
     [](InstallSequenceTest& t, InstallSelection& s) {
       t.machine.SetVersion(VER_PLATFORM_WIN32_NT, 4, 0);
       s.targetOs = kTargetNt4;
       Usb(t, s, kModeTypical);
     },
     {IDS_NT4_NO_USB}},
    {"AdvancedWithoutPrinter",
     [](InstallSequenceTest& t, InstallSelection& s) {
       Usb(t, s, kModeAdvanced).AttachUsbPrinters({});
     },
     {IDS_CONNECT_USB_PRINTER}},
    {"AdvancedWithoutLibrary",
     [](InstallSequenceTest& t, InstallSelection& s) { Usb(t, s, kModeAdvanced); },
     {0, IDS_CONNECT_USB_PRINTER}},
    {"AdvancedWithTwoPrinters",
     [](InstallSequenceTest& t, InstallSelection& s) {
       Usb(t, s, kModeAdvanced).AttachUsbPrinters({0, 1});
     },
     {IDS_ONE_PRINTER_ONLY}},
    {"AdvancedWrongPortAnsweredNo",
     [](InstallSequenceTest& t, InstallSelection& s) {
       Usb(t, s, kModeAdvanced, "USB_TP-R80_2").AttachUsbPrinters({2});
     },
     {IDS_RENAME_USB_DEVICE}},
    {"TypicalPrinterOnPort5AnsweredNo",
     [](InstallSequenceTest& t, InstallSelection& s) {
       Usb(t, s, kModeTypical).AttachUsbPrinters({4});
     },
     {IDS_RENAME_USB_DEVICE}},
    {"TypicalWithTwoPrintersIsAskedAndAnsweredNo",
     [](InstallSequenceTest& t, InstallSelection& s) {
       Usb(t, s, kModeTypical).AttachUsbPrinters({0, 0});
     },
     {IDS_ONE_PRINTER_ONLY, IDS_RENAME_USB_DEVICE}},
};

INSTANTIATE_TEST_SUITE_P(Refusals, InstallSequenceStays, ::testing::ValuesIn(kStayCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Attached printers whose number matches the chosen port go on without a question.
struct UsbGoOnCase {
  int mode;
  const char* port;
  WORD identity;
};

class InstallSequenceUsbMatches : public InstallSequenceTest,
                                  public ::testing::WithParamInterface<UsbGoOnCase> {};

TEST_P(InstallSequenceUsbMatches, InstallsWithoutAQuestion) {
  InstallSelection selection = Selection();
  Usb(*this, selection, GetParam().mode, GetParam().port).AttachUsbPrinters({GetParam().identity});
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  EXPECT_EQ(Shown(), Messages({IDS_INSTALL_SUCCEEDED_RESET}));
  EXPECT_TRUE(usb->writes().empty());
}

INSTANTIATE_TEST_SUITE_P(UsbCheck, InstallSequenceUsbMatches,
                         ::testing::Values(UsbGoOnCase{kModeTypical, "USB_TP-R80_1", 8},
                                           UsbGoOnCase{kModeAdvanced, "USB_TP-R80_3", 2},
                                           UsbGoOnCase{kModeAdvanced, "USB_TP-R80_4", 0x13}));

// Failures after the first checks: the step's message, then the wizard closes with no printer.
struct CloseCase {
  const char* name;
  void (*arrange)(InstallSequenceTest&, InstallSelection&);
  // "#id" and what follows it for a message-table text, anything else a literal text.
  std::vector<std::string> messages;
};

class InstallSequenceCloses : public InstallSequenceTest,
                              public ::testing::WithParamInterface<CloseCase> {};

std::string Id(unsigned id) {
  return "#" + std::to_string(id);
}

TEST_P(InstallSequenceCloses, ShowsTheFailureAndEndsWithoutAPrinter) {
  InstallSelection selection = Selection();
  GetParam().arrange(*this, selection);
  EXPECT_EQ(Run(selection), SequenceEnd::kFailed);
  std::vector<std::string> expected;
  for (const std::string& text : GetParam().messages) {
    if (text[0] != '#') {
      expected.push_back(text);
      continue;
    }
    size_t digits = 0;
    const auto id = static_cast<unsigned>(std::stoul(text.substr(1), &digits));
    expected.push_back(Message(id) + text.substr(1 + digits));
  }
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(wizardEnds, 1);
  EXPECT_TRUE(Printers().empty());
  EXPECT_NE(machine.services().spoolerState(), SERVICE_STOPPED);
  ExpectEverythingReleased();
}

const CloseCase kCloseCases[] = {
    {"Server2003NotSupported",
     [](InstallSequenceTest& t, InstallSelection& s) {
       t.machine.SetVersion(VER_PLATFORM_WIN32_NT, 5, 2);
       s.targetOs = kTargetServer2003;
       s.printerType = kEmbeddedPrinter;
       config::CopyText(s.modelName, "TP-E58");
     },
     {Id(IDS_NO_SERVER2003)}},
    {"MonitorRefused",
     [](InstallSequenceTest& t, InstallSelection&) {
       t.machine.spooler().FailCall("AddMonitorA", ERROR_ACCESS_DENIED);
     },
     {Id(IDS_ADD_MONITOR_FAILED) + kNeedsAdministrator}},
    {"ProcessorRefused",
     [](InstallSequenceTest& t, InstallSelection&) {
       t.machine.spooler().FailCall("AddPrintProcessorA", ERROR_ACCESS_DENIED);
     },
     // The refused request says why; the processor check's own message follows.
     {Id(IDS_ADD_PROCESSOR_FAILED) + kNeedsAdministrator, Id(IDS_ADD_PROCESSOR_FAILED)}},
    {"SpoolerNotComingBackAfterTheUpdate",
     [](InstallSequenceTest& t, InstallSelection&) {
       t.machine.registry().PutDword(std::string(kMonitorsKey) + "TP Serial Monitor",
                                     "DriverVersion", 1);
       t.machine.services().StartTakesQueries(11);
     },
     {"StartSpoolService error"}},
    {"UsbPortListUnreadable",
     [](InstallSequenceTest& t, InstallSelection& s) {
       Usb(t, s, kModeTypical).AttachUsbPrinters({});
       t.machine.spooler().FailCall("EnumPortsA", ERROR_ACCESS_DENIED);
     },
     {Id(IDS_ENUM_PORTS_FAILED) + kNeedsAdministrator}},
    {"HelpFileNameEmpty",
     [](InstallSequenceTest& t, InstallSelection&) {
       t.EditConfig("setup_receipt.ini", "STDHelpFile=TPSTD.HLP", "STDHelpFile=");
     },
     {Id(IDS_DRIVER_FILES_MISSING)}},
    {"UniversalDriverWithoutResourceDll",
     [](InstallSequenceTest& t, InstallSelection& s) {
       t.EditConfig("setup_lable.ini", "STDDataFileDLLName=TPL80RES.DLL", "STDDataFileDLLName=");
       s.printerType = kLabelPrinter;
       config::CopyText(s.modelName, "TP-L80");
     },
     {Id(IDS_DRIVER_FILES_MISSING)}},
    {"PrinterRefused",
     [](InstallSequenceTest& t, InstallSelection&) {
       t.machine.spooler().FailCall("AddPrinterA", ERROR_ACCESS_DENIED);
     },
     {std::string("#116er = 5") + kNeedsAdministrator}},
};

INSTANTIATE_TEST_SUITE_P(Failures, InstallSequenceCloses, ::testing::ValuesIn(kCloseCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Bad packages and a spooler that refuses: messages, never a crash or an overrun, and
// everything given back.

TEST_F(InstallSequenceTest, PackageWithEveryKeyMissingEndsWithoutAPrinter) {
  for (const char* file : {"setup.ini", "setup_receipt.ini"}) {
    machine.disk().WriteFile(std::string(install_test::kPackage) + "\\DRVCONFIG\\" + file, "");
  }
  InstallSelection selection = Selection();
  EXPECT_EQ(Run(selection), SequenceEnd::kFailed);
  EXPECT_TRUE(Printers().empty());
  EXPECT_FALSE(Shown().empty());
  EXPECT_EQ(wizardEnds, 1);
  ExpectEverythingReleased();
}

TEST_F(InstallSequenceTest, NamesLongerThanEveryBufferAreCutNeverOverrun) {
  const std::string longName(400, 'M');
  EditConfig("setup_receipt.ini", "TP-R80", longName);
  EditConfig("setup_receipt.ini", "TPSTD.DLL", std::string(300, 'D') + ".DLL");
  InstallSelection selection = Selection();
  config::CopyText(selection.modelName, longName);
  config::CopyText(selection.portEntry, "KSCOM1:(" + longName + ")");
  EXPECT_NE(Run(selection), SequenceEnd::kStay);
  EXPECT_EQ(std::string(selection.printerPortName), "KSCOM1:");
  ExpectEverythingReleased();

  InstallSelection usbEntry = Selection();
  config::CopyText(usbEntry.modelName, longName);
  config::CopyText(usbEntry.portEntry, "USB_" + longName + "_1");
  EXPECT_NE(Run(usbEntry), SequenceEnd::kStay);
  ExpectEverythingReleased();
}

TEST_F(InstallSequenceTest, PackageWithoutItsFilesShowsCopyFailuresAndEndsWithoutAPrinter) {
  for (const auto& file : machine.disk().Snapshot()) {
    if (file.first.find("\\winnt\\") != std::string::npos) {
      machine.disk().Remove(file.first);
    }
  }
  InstallSelection selection = Selection();
  EXPECT_EQ(Run(selection), SequenceEnd::kFailed);
  EXPECT_TRUE(Printers().empty());
  EXPECT_EQ(Shown().front(), Message(IDS_COPY_FILE_FAILED));
  ExpectEverythingReleased();
}

// Each spooler call the installation makes, refused in turn.
class InstallSequenceRefusedCall : public InstallSequenceTest,
                                   public ::testing::WithParamInterface<const char*> {};

TEST_P(InstallSequenceRefusedCall, EndsTheRunCleanly) {
  AttachUsbPrinters({0});
  machine.spooler().FailCall(GetParam(), ERROR_ACCESS_DENIED);
  InstallSelection selection = Selection("TP-R80", "USB_TP-R80_1");
  selection.setAsDefault = 1;
  EXPECT_NE(Run(selection), SequenceEnd::kStay);
  EXPECT_FALSE(Shown().empty());
  EXPECT_EQ(wizardEnds, 1);
  ExpectEverythingReleased();
  EXPECT_EQ(usb->openDevices(), 0u);
}

INSTANTIATE_TEST_SUITE_P(SpoolerCalls, InstallSequenceRefusedCall,
                         ::testing::Values("AddMonitorA", "AddPrintProcessorA", "EnumPortsA",
                                           "GetPrinterDriverDirectoryA",
                                           "GetPrintProcessorDirectoryA", "AddPrinterDriverA",
                                           "AddPrinterA", "SetDefaultPrinterA"));

}  // namespace
