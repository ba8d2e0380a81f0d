#include "main/command_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/sample_package.h"
#include "unattended/memory_log.h"
#include "unattended/exit_codes.h"
#include "unattended/start_up.h"

namespace {

using unattended_test::MemoryLog;

constexpr DWORD kBadNetworkPath = 53;  // ERROR_BAD_NETPATH
constexpr const char* kR80 = "[Install]\nModel=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n";

// Setup.exe started as a shell starts it: from some current folder, with a command line.
class CommandRun : public install_test::SamplePackageTest {
 protected:
  void SetUp() override {
    SamplePackageTest::SetUp();
    machine.disk().WriteFile("C:\\deploy\\answers.ini", kR80);
  }
  int Start(const std::string& arguments, const std::string& folder = "C:\\deploy") {
    machine.SetCurrentDirectory(folder);
    const unattended::StartUp start = unattended::BeginRun(platform().files, arguments);
    return launch::RunCommandLine(platform(), start.line, start.state, log);
  }
  std::vector<std::string> Printers() {
    std::vector<std::string> names;
    for (const auto& entry : machine.spooler().printers()) {
      names.push_back(entry.second.name);
    }
    return names;
  }
  MemoryLog log;
};

struct ReadmeStep {
  const char* arguments;
  int code;
  const char* logged;
  size_t boxes;  // windows the step shows
};

// The README's command lines, in its order, one machine: detection, installation, a second run,
// the usage, and the removal with and without windows.
TEST_F(CommandRun, TheReadmesCommandLinesDoWhatItSays) {
  machine.disk().WriteFile("D:\\deploy\\r80 com1.ini", std::string(kR80) + "BaudRate=19200\n");
  const ReadmeStep steps[] = {
      {"/query:TP-R80-ReceiptPrinter", unattended::kExitNothingInstalled,
       "no printer of TP-R80-ReceiptPrinter is installed", 0},
      {"/quiet /answers:answers.ini", unattended::kExitDone, "printer added as TP-R80(S)", 0},
      {"/quiet /answers:\"D:\\deploy\\r80 com1.ini\" /log:C:\\logs\\printer.log",
       unattended::kExitDone, "already installed: TP-R80(S)", 0},
      {"/query:TP-R80-ReceiptPrinter /log:C:\\logs\\query.log", unattended::kExitDone,
       "installed: printer TP-R80(S), port KSCOM1:, driver TP-R80 Text", 0},
      {"/?", unattended::kExitDone, "", 1},
      {"/uninstall:TP-R80-ReceiptPrinter", unattended::kExitNothingChanged, "answered No", 1},
      {"/uninstall:TP-R80-ReceiptPrinter /quiet", unattended::kExitDone,
       "removed printer TP-R80(S)", 0},
      {"/uninstall:TP-R80-ReceiptPrinter /quiet /log:C:\\logs\\remove.log",
       unattended::kExitNothingInstalled, "nothing of TP-R80-ReceiptPrinter is installed", 0},
      {"/query:TP-R80-ReceiptPrinter", unattended::kExitNothingInstalled, "not installed", 0},
  };
  for (const ReadmeStep& step : steps) {
    SCOPED_TRACE(step.arguments);
    const size_t boxesBefore = machine.messageBoxes().size();
    log.lines.clear();
    EXPECT_EQ(Start(step.arguments), step.code) << log.All();
    EXPECT_TRUE(*step.logged == '\0' || log.Has(step.logged)) << log.All();
    EXPECT_EQ(machine.messageBoxes().size() - boxesBefore, step.boxes);
    if (step.code == unattended::kExitDone &&
        std::string(step.arguments).find("/answers") != std::string::npos) {
      EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(S)"});
    }
  }
  // The second run set the line settings of the printer it kept.
  EXPECT_EQ(machine.registry().GetValue(kNtPortsKey, "COM1:")->data,
            std::string("19200,n,8,1,p\0", 14));
}

struct RefusalCase {
  const char* name;
  const char* arguments;
  const char* logged;
};

class QuietRefusal : public CommandRun, public ::testing::WithParamInterface<RefusalCase> {};

// With /quiet anywhere, every refusal goes to the log and ends 87: a deployment under a service
// account must never wait behind a window nobody sees.
TEST_P(QuietRefusal, EndsWith87AndNoWindowAndChangesNothing) {
  machine.disk().WriteFile("C:\\deploy\\twice.ini", std::string(kR80) + "port=KSCOM2:\n");
  machine.disk().WriteFile("C:\\deploy\\two.ini", std::string(kR80) + "[install]\nDefault=1\n");
  EXPECT_EQ(Start(GetParam().arguments), unattended::kExitBadArguments) << log.All();
  EXPECT_TRUE(log.Has(GetParam().logged)) << log.All();
  EXPECT_TRUE(log.Has("result: 87"));
  EXPECT_TRUE(machine.messageBoxes().empty());
  EXPECT_TRUE(Printers().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, QuietRefusal,
    ::testing::Values(
        RefusalCase{"BadWordBeforeQuiet", "/bogus /quiet /log:C:\\x.log",
                    "bad arguments: unknown switch \"/bogus\""},
        RefusalCase{"UsageWithQuiet", "/quiet /?", "bad arguments: /? shows the usage"},
        RefusalCase{"QuietAlone", "/quiet", "bad arguments: /quiet needs /answers"},
        RefusalCase{"AnswersTwice", "/answers:a.ini /quiet /answers:b.ini",
                    "bad arguments: /answers is given twice"},
        RefusalCase{"AnswersMissing", "/quiet /answers:missing.ini",
                    "bad answers file: the answers file C:\\deploy\\missing.ini cannot be opened"},
        RefusalCase{"KeyTwice", "/quiet /answers:twice.ini",
                    "bad answers file: the key port is given twice in [Install]"},
        RefusalCase{"SectionTwice", "/quiet /answers:two.ini",
                    "bad answers file: the section [Install] is given twice"},
        RefusalCase{"QueryUnknownModel", "/query:TP-X99-ReceiptPrinter /quiet",
                    "bad arguments: TP-X99-ReceiptPrinter is not an entry"},
        RefusalCase{"QueryWithAnswers", "/quiet /query:TP-R80-ReceiptPrinter /answers:a.ini",
                    "bad arguments: /query cannot be used with /answers"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandRun, WithoutQuietABadLineIsShown) {
  EXPECT_EQ(Start("/bogus"), unattended::kExitBadArguments);
  ASSERT_EQ(machine.messageBoxes().size(), 1u);
  EXPECT_NE(machine.messageBoxes()[0].text.find("unknown switch"), std::string::npos);
}

// Started by its full path from the system folder, as a start-up script does: the package is
// still the program's own folder, for the INI files and the driver files alike.
TEST_F(CommandRun, InstallsFromTheProgramsFolderWhateverTheCurrentFolder) {
  EXPECT_EQ(Start("/quiet /answers:C:\\deploy\\answers.ini", "C:\\WINDOWS\\system32"),
            unattended::kExitDone)
      << log.All();
  EXPECT_EQ(machine.currentDirectory(), "C:\\PACKAGE");
  EXPECT_TRUE(machine.disk().Exists(DriverDir() + "\\TPSTD.DLL"));
  EXPECT_TRUE(machine.disk().Exists(DriverDir() + "\\TPR80S.DAT"));
  EXPECT_EQ(Printers(), std::vector<std::string>{"TP-R80(S)"});
}

TEST_F(CommandRun, RelativePathsAreTakenFromTheStartingFolder) {
  machine.SetCurrentDirectory("C:\\deploy\\site");
  const unattended::StartUp start = unattended::BeginRun(
      platform().files, "/quiet /answers:..\\answers.ini /log:logs\\.\\setup.log");
  EXPECT_EQ(start.line.error, "");
  EXPECT_EQ(start.line.answersPath, "C:\\deploy\\answers.ini");
  EXPECT_EQ(start.line.logPath, "C:\\deploy\\site\\logs\\setup.log");
  EXPECT_EQ(start.state.folderFailure, "");
  EXPECT_EQ(machine.currentDirectory(), "C:\\PACKAGE");
}

struct ProgramFolderCase {
  const char* program;
  const char* folder;
};

// The folder ends at the last backslash that is a character of its own: in code page 936 the
// second byte of a character may be 0x5C. A drive's root keeps its backslash.
TEST_F(CommandRun, TheProgramsFolderEndsAtItsLastSeparator) {
  machine.disk().WriteFile("C:\\kit\\readme.txt", "");
  const ProgramFolderCase cases[] = {{"D:\\Setup.exe", "D:\\"},
                                     {"C:\\kit\\\x81\\.exe", "C:\\kit"},
                                     {"C:\\PACKAGE\\Setup.exe", "C:\\PACKAGE"}};
  for (const ProgramFolderCase& c : cases) {
    SCOPED_TRACE(c.program);
    machine.SetCurrentDirectory("C:\\deploy");
    machine.SetModuleFileName(c.program);
    const unattended::StartUp start = unattended::BeginRun(platform().files, "");
    EXPECT_EQ(start.state.folderFailure, "");
    EXPECT_EQ(machine.currentDirectory(), c.folder);
  }
}

// A folder that cannot be made current (a network path the system refuses, a path too long)
// ends the run before anything is read or changed.
TEST_F(CommandRun, AProgramFolderThatCannotBeEnteredEndsTheRunBeforeAnyChange) {
  const std::string tooLong = "C:\\" + std::string(260, 'x') + "\\Setup.exe";
  for (const std::string& program : {std::string("\\\\server\\drivers\\Setup.exe"), tooLong}) {
    SCOPED_TRACE(program);
    machine.SetModuleFileName(program);
    machine.FailSetCurrentDirectory(program == tooLong ? 0 : kBadNetworkPath);
    log.lines.clear();
    EXPECT_EQ(Start("/quiet /answers:answers.ini"), unattended::kExitFailed);
    EXPECT_TRUE(log.Has("cannot be made the current folder")) << log.All();
    EXPECT_TRUE(machine.messageBoxes().empty());
    EXPECT_TRUE(Printers().empty());
    EXPECT_EQ(machine.currentDirectory(), "C:\\deploy");
  }
  EXPECT_EQ(Start("/uninstall:TP-R80-ReceiptPrinter"), unattended::kExitFailed);
  EXPECT_EQ(machine.messageBoxes().size(), 1u);
}

}  // namespace
