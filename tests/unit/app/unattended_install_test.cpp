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
