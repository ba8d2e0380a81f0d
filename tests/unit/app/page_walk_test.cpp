#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/wizard_parts.h"
#include "platform/sim/sim_machine.h"
#include "unattended/answers_file.h"
#include "app/page_walk.h"

namespace {

using platform::sim::SimMachine;

constexpr const char* kAnswersFile = "C:\\answers.ini";

class UnattendedTest : public ::testing::Test {
 protected:
  UnattendedTest() {
    machine.SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    machine.disk().WriteFile(
        "C:\\PACKAGE\\DRVCONFIG\\setup.ini",
        "[DEVICENAME]\nDEVICENUMBER=4\nDEVICENAME1=A-ReceiptPrinter\nDEVICENAME2=B-ReceiptPrinter\n"
        "DEVICENAME3=K-KioskPrinter\nDEVICENAME4=E-EmbeddedPrinter\nDEFAULTNAME=1\n"
        "[SUPPORTED-USB-DEVICE]\nPRNCOUNT=4\n0=USB_A_1\n1=USB_A_2\n2=USB_A_3\n3=USB_A_4\n");
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup_receipt.ini",
                             "[A.PORT]\nAdvancedSetup=1\nSystem2003Supported=1\nBaudRate=9600\n"
                             "USBSUPPORTED=1\n[B.PORT]\nAdvancedSetup=0\nSystem2003Supported=1\n"
                             "BaudRate=19200\n");
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup_embedded.ini",
                             "[E.PORT]\nSystem2003Supported=0\n");
  }

  // Reads the answers and walks the pages; the reason of the first refusal, "" when none.
  std::string Walk(const std::string& install) {
    machine.disk().WriteFile(kAnswersFile, "[Install]\n" + install);
    unattended::Answers answers;
    std::string reason;
    if (!unattended::ReadAnswers(machine.platform(), kAnswersFile, answers, reason)) {
      return "answers: " + reason;
    }
    unattended::PageWalk walk(parts);
    if (!walk.WalkToFinish(answers, reason)) {
      return reason;
    }
    EXPECT_TRUE(walk.Finish());
    return "";
  }

  SimMachine machine;
  std::vector<install::InstallSelection> finished;
  app::WizardParts parts{
      machine.platform(), "",
      [this](install::InstallSelection& selection, const std::function<void()>& /*endWizard*/) {
        finished.push_back(selection);
        return app::FinishOutcome::kClose;
      }};
};

struct RefusalCase {
  const char* name;
  const char* install;
  const char* reason;  // a part of it
};

class UnattendedRefusal : public UnattendedTest,
                          public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(UnattendedRefusal, AChoiceThePagesWouldNotAllowIsABadAnswersFile) {
  const RefusalCase& c = GetParam();
  const std::string reason = Walk(c.install);
  EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
  EXPECT_TRUE(finished.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnattendedRefusal,
    ::testing::Values(
        RefusalCase{"NoModel", "Mode=Typical\n", "answers: [Install] has no Model"},
        RefusalCase{"UnknownKey", "Model=A-ReceiptPrinter\nBaudrte=9600\n", "unknown key Baudrte"},
        RefusalCase{"BadMode", "Model=A-ReceiptPrinter\nMode=Expert\n", "Typical or Advanced"},
        RefusalCase{"BadDefault", "Model=A-ReceiptPrinter\nDefault=yes\n", "Default=yes"},
        RefusalCase{"BadRenumber", "Model=A-ReceiptPrinter\nRenumberUsb=1\n", "Yes or No"},
        RefusalCase{"BadRestart", "Model=A-ReceiptPrinter\nRestart=Soon\n", "Now or Later"},
        RefusalCase{"ModelNotListed", "Model=Z-ReceiptPrinter\n", "not an entry"},
        RefusalCase{"ModelWithoutFamily", "Model=K-KioskPrinter\n", "not an entry"},
        RefusalCase{"ModelWithoutSuffix", "Model=A\n", "not an entry"},
        RefusalCase{"AdvancedNotOffered", "Model=B-ReceiptPrinter\nMode=Advanced\n",
                    "Typical mode only"},
        RefusalCase{"PortNotOffered", "Model=A-ReceiptPrinter\nPort=LPT9:\n", "Port=LPT9: is not"},
        RefusalCase{"PortCaseDiffers", "Model=A-ReceiptPrinter\nPort=kscom1:\n", "not offered"},
        RefusalCase{"FourthUsbPortInTypical", "Model=A-ReceiptPrinter\nPort=USB_A_4\n",
                    "not offered"},
        RefusalCase{"RateNotListed", "Model=A-ReceiptPrinter\nBaudRate=9601\n", "BaudRate=9601"},
        RefusalCase{"ParityMisspelt", "Model=A-ReceiptPrinter\nParity=space\n", "Parity=space"},
        RefusalCase{"LineSettingsOnParallel", "Model=A-ReceiptPrinter\nPort=LPT1:\nDataBits=7\n",
                    "cannot be changed for the port LPT1:"},
        RefusalCase{"RasterInTypical", "Model=A-ReceiptPrinter\nPort=LPT1:\nRaster=0\n",
                    "Raster is offered only"},
        RefusalCase{"RasterOnSerial",
                    "Model=A-ReceiptPrinter\nMode=Advanced\nPort=KSCOM2:\nRaster=1\n",
                    "Raster is offered only"}),
    [](const auto& info) { return std::string(info.param.name); });

// A value is read whole up to 512 characters; a longer one is refused, not read cut.
TEST_F(UnattendedTest, ValuesOfUpTo512CharactersAreRead) {
  const std::string model = std::string(512, 'Z');
  const std::string at = Walk("Model=" + model + "\n");
  EXPECT_NE(at.find("Model=" + model + " is not an entry"), std::string::npos) << at;
  const std::string beyond = Walk("Model=" + std::string(513, 'Z') + "\n");
  EXPECT_NE(beyond.find("answers: Model is longer than 512 characters"), std::string::npos)
      << beyond;
}

TEST_F(UnattendedTest, MissingAnswersFileIsBad) {
  unattended::Answers answers;
  std::string reason;
  EXPECT_FALSE(unattended::ReadAnswers(machine.platform(), "C:\\none.ini", answers, reason));
  EXPECT_NE(reason.find("cannot be opened"), std::string::npos);
}

TEST_F(UnattendedTest, Server2003RefusesAModelWithoutItsSupport) {
  machine.SetVersion(VER_PLATFORM_WIN32_NT, 5, 2);
  EXPECT_NE(Walk("Model=E-EmbeddedPrinter\n").find("Windows Server 2003"), std::string::npos);
}

TEST_F(UnattendedTest, AbsentKeysTakeWhatThePagesWouldShow) {
  ASSERT_EQ(Walk("Model=B-ReceiptPrinter\n"), "");
  ASSERT_EQ(finished.size(), 1u);
  const install::InstallSelection& s = finished[0];
  EXPECT_STREQ(s.modelName, "B");
  EXPECT_EQ(s.printerType, kReceiptPrinter);
  EXPECT_EQ(s.installMode, kModeTypical);
  EXPECT_STREQ(s.portEntry, "KSCOM1:");
  EXPECT_EQ(s.driverFlavor, kFlavorStd);
  EXPECT_EQ(s.serial.baudRate, 19200);
  EXPECT_EQ(s.serial.dataBits, 8);
  EXPECT_EQ(s.serial.parity, 'n');
  EXPECT_EQ(s.serial.stopBits, 1.0);
  EXPECT_EQ(s.serial.flowControl, 'p');
  EXPECT_EQ(s.setAsDefault, 0);
}

TEST_F(UnattendedTest, EveryChoiceReachesTheSelection) {
  ASSERT_EQ(Walk("Model=A-ReceiptPrinter\nMode=advanced\nPort=KSCOM3:\nBaudRate=115200\n"
                 "DataBits=7\nParity=Space\nStopBits=1.5\nFlowControl=Xon/Xoff\nDefault=1\n"),
            "");
  ASSERT_EQ(finished.size(), 1u);
  const install::InstallSelection& s = finished[0];
  EXPECT_EQ(s.installMode, kModeAdvanced);
  EXPECT_STREQ(s.portEntry, "KSCOM3:");
  EXPECT_EQ(s.serial.baudRate, 115200);
  EXPECT_EQ(s.serial.dataBits, 7);
  EXPECT_EQ(s.serial.parity, 'S');
  EXPECT_EQ(s.serial.stopBits, 1.5);
  EXPECT_EQ(s.serial.flowControl, 'x');
  EXPECT_EQ(s.setAsDefault, 1);
}

TEST_F(UnattendedTest, RasterClearedChoosesTheTextDriverForAUsbPort) {
  ASSERT_EQ(Walk("Model=A-ReceiptPrinter\nMode=Advanced\nPort=USB_A_3\nRaster=0\n"), "");
  ASSERT_EQ(finished.size(), 1u);
  EXPECT_STREQ(finished[0].portEntry, "USB_A_3");
  EXPECT_EQ(finished[0].driverFlavor, kFlavorStd);
}

}  // namespace
