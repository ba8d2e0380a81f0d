#include "app/unattended_install.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "install/sample_package.h"
#include "unattended/memory_log.h"
#include "platform/sim/sim_usb_library.h"
#include "unattended/exit_codes.h"

namespace {

using platform::sim::SimUsbDevice;
using platform::sim::SimUsbLibrary;

using unattended_test::MemoryLog;

enum class Scene { kXp, kWindows98, kUsbPrinterOnPort3, kNoHelpFile };

struct ExitCase {
  const char* name;
  Scene scene;
  const char* install;
  int exitCode;
  const char* logged;
};

class UnattendedInstall : public install_test::SamplePackageTest,
                          public ::testing::WithParamInterface<ExitCase> {
 protected:
  void SetScene(Scene scene) {
    if (scene == Scene::kWindows98) {
      UseWindows98();
    } else if (scene == Scene::kUsbPrinterOnPort3) {
      usb.emplace(machine);
      usb->Attach(SimUsbDevice{2});
    } else if (scene == Scene::kNoHelpFile) {
      EditConfig("setup_receipt.ini", "STDHelpFile=TPSTD.HLP", "STDHelpFile=");
    }
  }
  int Run(const std::string& install) {
    machine.disk().WriteFile("C:\\answers.ini", "[Install]\n" + install);
    return unattended::RunUnattendedInstall(platform(), "C:\\answers.ini", log);
  }
  std::optional<SimUsbLibrary> usb;
  MemoryLog log;
};

TEST_P(UnattendedInstall, ExitCodeFollowsHowTheInstallationEndedAndNoBoxAppears) {
  const ExitCase& c = GetParam();
  SetScene(c.scene);
  EXPECT_EQ(Run(c.install), c.exitCode);
  EXPECT_TRUE(log.Has(c.logged)) << c.logged;
  EXPECT_TRUE(log.Has("result: " + std::to_string(c.exitCode)));
  EXPECT_TRUE(machine.messageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnattendedInstall,
    ::testing::Values(
        ExitCase{"Installed", Scene::kXp, "Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n",
                 unattended::kExitDone, "message 131: 打印机驱动安装成功"},
        ExitCase{"BadAnswers", Scene::kXp, "Model=TP-K100-KioskPrinter\n",
                 unattended::kExitBadArguments, "bad answers file: Model=TP-K100-KioskPrinter"},
        ExitCase{"RenumberRefused", Scene::kUsbPrinterOnPort3,
                 "Model=TP-R80-ReceiptPrinter\nMode=Advanced\nPort=USB_TP-R80_2\n",
                 unattended::kExitNothingChanged, "message 143 (question, answered No)"},
        ExitCase{"Renumbered", Scene::kUsbPrinterOnPort3,
                 "Model=TP-R80-ReceiptPrinter\nMode=Advanced\nPort=USB_TP-R80_2\n"
                 "RenumberUsb=Yes\n",
                 unattended::kExitDone, "printer added as TP-R80(U) 2"},
        ExitCase{"FailedAfterChanges", Scene::kNoHelpFile,
                 "Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n", unattended::kExitFailed,
                 "message 142"},
        ExitCase{"RestartLater", Scene::kWindows98, "Model=TP-R80-ReceiptPrinter\n",
                 unattended::kExitRestartRequired, "message 114 (question, answered No)"},
        ExitCase{"RestartNow", Scene::kWindows98, "Model=TP-R80-ReceiptPrinter\nRestart=Now\n",
                 unattended::kExitDone, "message 114 (question, answered Yes)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

class AnswersExample : public install_test::SamplePackageTest {};

// The example shipped beside Setup.exe is itself a good answers file for the sample package.
TEST_F(AnswersExample, InstallsTheSamplePackagesDefaultModel) {
  std::ifstream example(ANSWERS_EXAMPLE, std::ios::binary);
  ASSERT_TRUE(example.good());
  const std::string text((std::istreambuf_iterator<char>(example)), {});
  machine.disk().WriteFile("C:\\answers.ini", text);
  MemoryLog log;
  EXPECT_EQ(unattended::RunUnattendedInstall(platform(), "C:\\answers.ini", log),
            unattended::kExitDone);
  EXPECT_TRUE(log.Has("port KSCOM1:"));
}

}  // namespace

namespace {

constexpr const char* kFirstOnCom1 = "Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n";
constexpr const char* kFirstOnLpt1 =
    "Model=TP-R80-ReceiptPrinter\nMode=Advanced\nPort=LPT1:\nRaster=0\n";

struct SecondRunCase {
  const char* name;
  const char* first;
  const char* second;
  std::vector<std::string> printers;  // after the second run
  const char* logged;
};

class RunTwice : public install_test::SamplePackageTest {
 protected:
  int Run(const std::string& install) {
    machine.disk().WriteFile("C:\\answers.ini", "[Install]\n" + install);
    return unattended::RunUnattendedInstall(platform(), "C:\\answers.ini", log);
  }
  MemoryLog log;
};

class SecondRun : public RunTwice, public ::testing::WithParamInterface<SecondRunCase> {};

// A deployment tool runs the installation again when in doubt: the printer that already prints
// to the chosen port with the chosen driver is kept, and only IfInstalled=Copy adds a copy.
TEST_P(SecondRun, AddsAPrinterOnlyWhereNoneOfTheModelFits) {
  const SecondRunCase& c = GetParam();
  ASSERT_EQ(Run(c.first), unattended::kExitDone) << log.All();
  log.lines.clear();
  EXPECT_EQ(Run(c.second), unattended::kExitDone) << log.All();
  std::vector<std::string> printers;
  for (const auto& entry : machine.spooler().printers()) {
    printers.push_back(entry.second.name);
  }
  EXPECT_EQ(printers, c.printers);
  EXPECT_TRUE(log.Has(c.logged)) << log.All();
  EXPECT_TRUE(machine.messageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SecondRun,
    ::testing::Values(
        SecondRunCase{
            "SamePort", kFirstOnCom1, kFirstOnCom1, {"TP-R80(S)"}, "already installed: TP-R80(S)"},
        SecondRunCase{"OtherPort",
                      kFirstOnCom1,
                      "Model=TP-R80-ReceiptPrinter\nPort=KSCOM2:\n",
                      {"TP-R80(S)", "TP-R80(S)(1)"},
                      "printer added as TP-R80(S)(1)"},
        SecondRunCase{"OtherDriver",
                      kFirstOnLpt1,
                      "Model=TP-R80-ReceiptPrinter\nMode=Advanced\nPort=LPT1:\nRaster=1\n",
                      {"TP-R80(P)", "TP-R80(P)(1)"},
                      "printer added as TP-R80(P)(1)"},
        SecondRunCase{"Copy",
                      kFirstOnCom1,
                      "Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\nIfInstalled=copy\n",
                      {"TP-R80(S)", "TP-R80(S)(1)"},
                      "printer added as TP-R80(S)(1)"},
        SecondRunCase{"UpdateSpelledOut",
                      kFirstOnLpt1,
                      "Model=TP-R80-ReceiptPrinter\nMode=Advanced\nPort=LPT1:\nRaster=0\n"
                      "IfInstalled=Update\n",
                      {"TP-R80(P)"},
                      "already installed: TP-R80(P)"}),
    [](const auto& info) { return std::string(info.param.name); });

// The kept printer gets the run's default-printer choice and line settings.
TEST_F(RunTwice, TheKeptPrinterTakesTheDefaultAndTheLineSettings) {
  ASSERT_EQ(Run(kFirstOnCom1), unattended::kExitDone);
  EXPECT_EQ(Run(std::string(kFirstOnCom1) + "BaudRate=19200\nDefault=1\n"), unattended::kExitDone);
  EXPECT_EQ(machine.spooler().defaultPrinter(), "TP-R80(S)");
  EXPECT_EQ(machine.registry().GetValue(kNtPortsKey, "COM1:")->data,
            std::string("19200,n,8,1,p\0", 14));
}

TEST_F(RunTwice, AnUnknownIfInstalledWordIsRefused) {
  EXPECT_EQ(Run(std::string(kFirstOnCom1) + "IfInstalled=Replace\n"),
            unattended::kExitBadArguments);
  EXPECT_TRUE(log.Has("IfInstalled=Replace: expected Update or Copy")) << log.All();
}

struct FailedStepCase {
  const char* name;
  void (*arrange)(platform::sim::SimMachine&);
  const char* answers;
  const char* step;
};

class FailedStep : public RunTwice, public ::testing::WithParamInterface<FailedStepCase> {};

// A step that fails while the installation goes on leaves a printer, but not the one asked for:
// the run ends 1603 and the log names the step and the printer.
TEST_P(FailedStep, EndsWith1603NamingTheStepAndThePrinter) {
  const FailedStepCase& c = GetParam();
  ASSERT_EQ(Run(kFirstOnCom1), unattended::kExitDone);  // the language monitor is then there
  log.lines.clear();
  c.arrange(machine);
  EXPECT_EQ(Run(c.answers), unattended::kExitFailed) << log.All();
  EXPECT_TRUE(log.Has(std::string("step failed: ") + c.step)) << log.All();
  EXPECT_TRUE(log.Has("but not every step succeeded")) << log.All();
  EXPECT_TRUE(log.Has("result: 1603")) << log.All();
  EXPECT_TRUE(machine.messageBoxes().empty());
}

const FailedStepCase kFailedSteps[] = {

    FailedStepCase{"DriverRefused",
                   [](platform::sim::SimMachine& m) {
                     m.spooler().FailCall("AddPrinterDriverA", ERROR_ACCESS_DENIED);
                   },
                   kFirstOnCom1, "printer driver (AddPrinterDriverA)"},
    FailedStepCase{"LanguageMonitorRefused",
                   [](platform::sim::SimMachine& m) {
                     m.spooler().FailCall("AddMonitorA", ERROR_ACCESS_DENIED);
                   },
                   kFirstOnCom1, "language monitor (AddMonitorA)"},
    FailedStepCase{"DefaultPrinterRefused",
                   [](platform::sim::SimMachine& m) {
                     m.spooler().FailCall("SetDefaultPrinterA", ERROR_ACCESS_DENIED);
                   },
                   "Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\nDefault=1\n", "default printer"},
    FailedStepCase{
        "SerialSettingsRefused",
        [](platform::sim::SimMachine& m) { m.registry().DenyWrites(sample_package::kNtPortsKey); },
        kFirstOnCom1, "serial settings"},
    FailedStepCase{
        "DriverFileNotCopied",
        [](platform::sim::SimMachine& m) { m.disk().Remove("C:\\PACKAGE\\winnt\\TPR80S.DAT"); },
        "Model=TP-R80-ReceiptPrinter\nPort=KSCOM2:\n", "message 122"}};

INSTANTIATE_TEST_SUITE_P(Table, FailedStep, ::testing::ValuesIn(kFailedSteps),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
