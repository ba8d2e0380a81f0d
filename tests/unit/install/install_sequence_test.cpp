#include "install/install_sequence.h"

#include <optional>
#include <ostream>
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

  // Every box carries the icon its message calls for: 131 and 133 information, the questions
  // 143 and 114 the question mark, and every other message none.
  void ExpectIconsAsNamed() {
    for (const auto& box : machine.messageBoxes()) {
      UINT expected = MB_OK;
      if (box.text == Message(IDS_INSTALL_SUCCEEDED) ||
          box.text == Message(IDS_INSTALL_SUCCEEDED_RESET)) {
        expected = MB_OK | MB_ICONINFORMATION;
      } else if (box.text == Message(IDS_RENAME_USB_DEVICE) ||
                 box.text == Message(IDS_RESTART_QUESTION)) {
        expected = MB_YESNO | MB_ICONQUESTION;
      }
      EXPECT_EQ(box.type, expected) << box.text;
    }
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

// Windows 2000, XP and Server 2003 also look for the data file in the version-3 folder.
struct DataFileCase {
  const char* name;
  int targetOs;
  DWORD major;
  DWORD minor;
  const char* packageFolder;
  bool inVersionFolder;
};

std::ostream& operator<<(std::ostream& out, const DataFileCase& c) {
  return out << c.name;
}

class DataFilePlacement : public InstallSequenceTest,
                          public ::testing::WithParamInterface<DataFileCase> {};

TEST_P(DataFilePlacement, TheVersionFolderGetsTheDataFileFromWindows2000On) {
  const DataFileCase& c = GetParam();
  machine.SetVersion(VER_PLATFORM_WIN32_NT, c.major, c.minor);
  InstallSelection selection = Selection();
  selection.targetOs = c.targetOs;
  ASSERT_EQ(Run(selection), SequenceEnd::kInstalled) << ::testing::PrintToString(Shown());
  const std::string packaged =
      FileAt(std::string(install_test::kPackage) + "\\" + c.packageFolder + "\\TPR80S.DAT");
  EXPECT_EQ(FileAt(DriverDir() + "\\TPR80S.DAT"), packaged);
  EXPECT_EQ(FileAt(DriverDir() + "\\3\\TPR80S.DAT"), c.inVersionFolder ? packaged : "<none>");
}

INSTANTIATE_TEST_SUITE_P(
    Systems, DataFilePlacement,
    ::testing::Values(DataFileCase{"Nt4", kTargetNt4, 4, 0, "winnt", false},
                      DataFileCase{"Windows2000", kTargetWin2000, 5, 0, "winnt", true},
                      DataFileCase{"Server2003", kTargetServer2003, 5, 2, "win2003", true}),
    [](const auto& info) { return std::string(info.param.name); });

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
  ExpectIconsAsNamed();
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
    // Which of the printers would be renumbered is unknown: no question, as in Advanced mode.
    {"TypicalWithTwoPrintersStaysAfter144",
     [](InstallSequenceTest& t, InstallSelection& s) {
       Usb(t, s, kModeTypical).AttachUsbPrinters({4, 0});
       t.machine.AnswerNextMessageBox(IDYES);
     },
     {IDS_ONE_PRINTER_ONLY}},
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
  // A refusal before any change says so: a run without windows reports nothing changed.
  SequenceEnd end = SequenceEnd::kFailed;
};

class InstallSequenceCloses : public InstallSequenceTest,
                              public ::testing::WithParamInterface<CloseCase> {};

std::string Id(unsigned id) {
  return "#" + std::to_string(id);
}

TEST_P(InstallSequenceCloses, ShowsTheFailureAndEndsWithoutAPrinter) {
  InstallSelection selection = Selection();
  GetParam().arrange(*this, selection);
  EXPECT_EQ(Run(selection), GetParam().end);
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
  ExpectIconsAsNamed();
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
     {Id(IDS_NO_SERVER2003)},
     SequenceEnd::kRefused},
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

// A renumbering the user agreed to but the library could not make: the printer still answers
// on its old port, so the wizard stays on the port page with the system as it was.
struct RenumberFailCase {
  const char* name;
  int mode;
  const char* port;
  SimUsbDevice printer;
  bool withoutWrite;  // the library lacks "uWrite"
  const char* failure;
};

class InstallSequenceRenumberFails : public InstallSequenceTest,
                                     public ::testing::WithParamInterface<RenumberFailCase> {};

TEST_P(InstallSequenceRenumberFails, StaysWithThePrinterOnItsOldPort) {
  const RenumberFailCase& c = GetParam();
  InstallSelection selection = Selection();
  Usb(*this, selection, c.mode, c.port);
  usb.emplace(machine);
  usb->Attach(c.printer);
  if (c.withoutWrite) {
    usb->RemoveExport("uWrite");
  }
  machine.AnswerNextMessageBox(IDYES);
  const std::string before = SystemState();
  EXPECT_EQ(Run(selection), SequenceEnd::kStay);
  EXPECT_EQ(Shown(), (std::vector<std::string>{Message(IDS_RENAME_USB_DEVICE), c.failure}));
  EXPECT_EQ(SystemState(), before);
  EXPECT_EQ(wizardEnds, 0);
  EXPECT_EQ(usb->device(0).identity, c.printer.identity);
  ExpectIconsAsNamed();
  ExpectEverythingReleased();
  EXPECT_EQ(usb->openDevices(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    UsbCheck, InstallSequenceRenumberFails,
    ::testing::Values(RenumberFailCase{"AdvancedWriteRefused", kModeAdvanced, "USB_TP-R80_2",
                                       SimUsbDevice{2, false, true}, false, "write ID error"},
                      RenumberFailCase{"TypicalWriteRefused", kModeTypical, "USB_TP-R80_1",
                                       SimUsbDevice{4, false, true}, false, "write ID error"},
                      RenumberFailCase{"LibraryWithoutWrite", kModeAdvanced, "USB_TP-R80_2",
                                       SimUsbDevice{2}, true, "open function error"}),
    [](const auto& info) { return std::string(info.param.name); });

// Failures that do not stop the installation: the step's message (if it has one), then the
// printer is added all the same and the run ends with 131.
struct GoOnCase {
  const char* name;
  void (*arrange)(InstallSequenceTest&, InstallSelection&);
  unsigned failure;  // the message the failing step shows; 0 when it shows none
  const char* printer;
};

class InstallSequenceGoesOn : public InstallSequenceTest,
                              public ::testing::WithParamInterface<GoOnCase> {};

TEST_P(InstallSequenceGoesOn, AddsThePrinterAndSaysSo) {
  InstallSelection selection = Selection();
  GetParam().arrange(*this, selection);
  const size_t earlier = machine.messageBoxes().size();
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  const std::vector<std::string> all = Shown();
  const std::vector<std::string> shown(all.begin() + static_cast<std::ptrdiff_t>(earlier),
                                       all.end());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), Message(IDS_INSTALL_SUCCEEDED));
  if (GetParam().failure != 0) {
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.front().rfind(Message(GetParam().failure), 0), 0u) << shown.front();
  }
  EXPECT_TRUE(machine.spooler().printers().count(printer_key(GetParam().printer)) != 0);
  EXPECT_EQ(std::string(selection.modelName), GetParam().printer);
  ExpectIconsAsNamed();
  ExpectEverythingReleased();
}

const GoOnCase kGoOnCases[] = {
    // A driver registered by an earlier installation serves the printer when re-registering fails.
    {"DriverRefused",
     [](InstallSequenceTest& t, InstallSelection&) {
       InstallSelection first = t.Selection();
       ASSERT_EQ(t.Run(first), SequenceEnd::kInstalled);
       t.machine.spooler().FailCall("AddPrinterDriverA", ERROR_ACCESS_DENIED);
     },
     IDS_ADD_DRIVER_FAILED, "TP-R80(S)(1)"},
    {"FileNotCopied",
     [](InstallSequenceTest& t, InstallSelection&) {
       t.EditConfig("setup_receipt.ini", "STDHelpFile=TPSTD.HLP", "STDHelpFile=NOSUCH.HLP");
     },
     IDS_COPY_FILE_FAILED, "TP-R80(S)"},
    // The port monitors are there from a first installation; only the language monitor is added.
    {"LanguageMonitorRefused",
     [](InstallSequenceTest& t, InstallSelection&) {
       InstallSelection first = t.Selection();
       ASSERT_EQ(t.Run(first), SequenceEnd::kInstalled);
       t.machine.spooler().FailCall("AddMonitorA", ERROR_ACCESS_DENIED);
     },
     IDS_ADD_MONITOR_FAILED, "TP-R80(S)(1)"},
    {"DefaultPrinterRefused",
     [](InstallSequenceTest& t, InstallSelection& s) {
       s.setAsDefault = 1;
       t.machine.spooler().FailCall("SetDefaultPrinterA", ERROR_INVALID_PRINTER_NAME);
     },
     0, "TP-R80(S)"},
    {"SerialSettingsRefused",
     [](InstallSequenceTest& t, InstallSelection&) {
       t.machine.registry().DenyWrites(sample_package::kNtPortsKey);
     },
     0, "TP-R80(S)"},
};

INSTANTIATE_TEST_SUITE_P(Failures, InstallSequenceGoesOn, ::testing::ValuesIn(kGoOnCases),
                         [](const auto& info) { return std::string(info.param.name); });

// What the choices leave alone: an unticked default-printer box keeps the default printer, a
// serial or parallel port never asks the USB library, and empty OEM plug-in names are no names
// (no copy failure shown), while the language monitor's DLL is placed with the driver.
TEST_F(InstallSequenceTest, UntickedDefaultBoxAndNonUsbPortsTouchNeitherDefaultNorUsb) {
  AttachUsbPrinters({4});
  for (const char* port : {"KSCOM2:", "LPT1:"}) {
    InstallSelection selection = Selection("TP-R80", port);
    selection.setAsDefault = 0;
    EXPECT_EQ(Run(selection), SequenceEnd::kInstalled) << port;
  }
  EXPECT_EQ(machine.spooler().defaultPrinter(), "");
  EXPECT_EQ(usb->openRequests(), 0);
  EXPECT_EQ(usb->descriptorReads(), 0);
  EXPECT_EQ(FileAt(DriverDir() + "\\pjlmon.dll"), FileAt("C:\\PACKAGE\\winnt\\pjlmon.dll"));
}

TEST_F(InstallSequenceTest, EmptyOemPlugInNamesAreNoNames) {
  EditConfig("setup_lable.ini", "STDDataOemuniDLL=TPL80OEM.DLL", "STDDataOemuniDLL=");
  EditConfig("setup_lable.ini", "STDDataOemuniini=TPL80OEM.INI", "STDDataOemuniini=");
  InstallSelection selection = Selection("TP-L80");
  selection.printerType = kLabelPrinter;
  EXPECT_EQ(Run(selection), SequenceEnd::kInstalled);
  EXPECT_EQ(Shown(), Messages({IDS_INSTALL_SUCCEEDED}));
}

}  // namespace
