#include "config/driver_config.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_machine.h"

namespace {

using config::DriverConfig;
using platform::sim::SimMachine;

class DriverConfigTest : public ::testing::Test {
 protected:
  DriverConfigTest() { machine.SetModuleFileName("C:\\Setup\\Disk1\\prog.exe"); }

  void WriteCommon(const std::string& text) {
    machine.disk().WriteFile("C:\\Setup\\Disk1\\DRVCONFIG\\setup.ini", text);
  }

  SimMachine machine;
};

TEST_F(DriverConfigTest, BuildsThePathsFromTheProgramDirectory) {
  DriverConfig config(machine.platform());
  EXPECT_STREQ(config.CommonFilePath(), "C:\\Setup\\Disk1\\DRVCONFIG\\setup.ini");
  EXPECT_STREQ(config.FamilyFilePath(kReceiptPrinter),
               "C:\\Setup\\Disk1\\DRVCONFIG\\setup_receipt.ini");
  EXPECT_STREQ(config.FamilyFilePath(kTicketPrinter),
               "C:\\Setup\\Disk1\\DRVCONFIG\\setup_ticket.ini");
  EXPECT_STREQ(config.FamilyFilePath(kLabelPrinter),
               "C:\\Setup\\Disk1\\DRVCONFIG\\setup_lable.ini");
  EXPECT_STREQ(config.FamilyFilePath(kEmbeddedPrinter),
               "C:\\Setup\\Disk1\\DRVCONFIG\\setup_embedded.ini");
  EXPECT_STREQ(config.FamilyFilePath(4), "");
  EXPECT_STREQ(config.FamilyFilePath(-1), "");
}

TEST_F(DriverConfigTest, ProgramPathWithoutBackslashUsesTheRelativeNameAlone) {
  machine.SetModuleFileName("prog.exe");
  DriverConfig config(machine.platform());
  EXPECT_STREQ(config.CommonFilePath(), "DRVCONFIG\\setup.ini");
  EXPECT_STREQ(config.FamilyFilePath(kLabelPrinter), "DRVCONFIG\\setup_lable.ini");
}

TEST_F(DriverConfigTest, OverlongProgramPathIsCutNotOverrun) {
  machine.SetModuleFileName("C:\\" + std::string(190, 'd') + "\\prog.exe");
  DriverConfig config(machine.platform());
  EXPECT_EQ(std::string(config.CommonFilePath()).size(), static_cast<size_t>(kTextSize - 1));
  EXPECT_EQ(std::string(config.FamilyFilePath(kEmbeddedPrinter)).size(),
            static_cast<size_t>(kTextSize - 1));
}

TEST_F(DriverConfigTest, FamilyFileNamesMatchWithoutRegardToCase) {
  // The pages spell some family files with capitals; they must reach the same file.
  machine.disk().WriteFile("C:\\Setup\\Disk1\\DRVCONFIG\\setup_lable.ini",
                           "[M.PORT]\nBaudRate=19200\n");
  char value[200] = {};
  machine.platform().profile.GetPrivateProfileStringA(
      "M.PORT", "BaudRate", "0", value, sizeof(value),
      "C:\\Setup\\Disk1\\DRVCONFIG\\setup_Lable.ini");
  EXPECT_STREQ(value, "19200");
}

TEST_F(DriverConfigTest, ModelEntryCutsTheNameAtTheFirstSuffixInTestOrder) {
  WriteCommon(
      "[DEVICENAME]\n"
      "DEVICENUMBER=5\n"
      "DEVICENAME1=TP-R80-ReceiptPrinter\n"
      "DEVICENAME2=X-LabelPrinter-ReceiptPrinter\n"
      "DEVICENAME3=NoFamily\n"
      "DEVICENAME4=TP-E1-EmbeddedPrinter\n"
      "DEVICENAME5=T-TicketPrinter-LabelPrinter\n");
  DriverConfig config(machine.platform());
  Text name{};

  EXPECT_EQ(config.ModelCount(), 5);
  EXPECT_EQ(config.ModelEntry(1, name), kReceiptPrinter);
  EXPECT_STREQ(name, "TP-R80");
  EXPECT_EQ(config.ModelEntry(2, name), kReceiptPrinter);
  EXPECT_STREQ(name, "X-LabelPrinter");
  EXPECT_EQ(config.ModelEntry(3, name), -1);
  EXPECT_STREQ(name, "NoFamily");
  EXPECT_EQ(config.ModelEntry(4, name), kEmbeddedPrinter);
  EXPECT_STREQ(name, "TP-E1");
  EXPECT_EQ(config.ModelEntry(5, name), kTicketPrinter);
  EXPECT_STREQ(name, "T");
}

TEST_F(DriverConfigTest, MissingEntryReadsAsZeroAndNoFamily) {
  WriteCommon("[DEVICENAME]\nDEVICENUMBER=1\n");
  DriverConfig config(machine.platform());
  Text name{};
  EXPECT_EQ(config.ModelEntry(7, name), -1);
  EXPECT_STREQ(name, "0");
}

TEST_F(DriverConfigTest, EntryNumbersAreDecimalAndMultiDigit) {
  WriteCommon("[DEVICENAME]\nDEVICENAME12=Twelve-TicketPrinter\nDEVICENAME1=One-LabelPrinter\n");
  DriverConfig config(machine.platform());
  Text name{};
  EXPECT_EQ(config.ModelEntry(12, name), kTicketPrinter);
  EXPECT_STREQ(name, "Twelve");
}

TEST_F(DriverConfigTest, OverlongEntryIsCutToTheBuffer) {
  WriteCommon("[DEVICENAME]\nDEVICENAME1=" + std::string(300, 'M') + "-ReceiptPrinter\n");
  DriverConfig config(machine.platform());
  Text name{};
  // The suffix lies beyond the 199 characters read, so the entry has no family.
  EXPECT_EQ(config.ModelEntry(1, name), -1);
  EXPECT_EQ(std::string(name), std::string(199, 'M'));
}

TEST_F(DriverConfigTest, DefaultModelFollowsDefaultName) {
  WriteCommon(
      "[DEVICENAME]\nDEVICENUMBER=2\nDEVICENAME1=A-ReceiptPrinter\n"
      "DEVICENAME2=B-LabelPrinter\nDEFAULTNAME=2\n");
  DriverConfig config(machine.platform());
  Text name{};
  EXPECT_EQ(config.DefaultModel(name), kLabelPrinter);
  EXPECT_STREQ(name, "B");
}

TEST_F(DriverConfigTest, MissingDefaultNameAsksForEntryZeroAndFindsNothing) {
  WriteCommon("[DEVICENAME]\nDEVICENUMBER=1\nDEVICENAME1=A-ReceiptPrinter\n");
  DriverConfig config(machine.platform());
  Text name{};
  EXPECT_EQ(config.DefaultModel(name), -1);
}

TEST_F(DriverConfigTest, NumbersConvertByTheDecimalRule) {
  WriteCommon("[DEVICENAME]\nDEVICENUMBER=3abc\n[Version]\nDriverVersion=0x10\n");
  DriverConfig config(machine.platform());
  EXPECT_EQ(config.ModelCount(), 3);
  EXPECT_EQ(config.PackageDriverVersion(), 0);

  WriteCommon("[DEVICENAME]\nDEVICENUMBER=abc\n[Version]\nDriverVersion=  205\n");
  EXPECT_EQ(config.ModelCount(), 0);
  EXPECT_EQ(config.PackageDriverVersion(), 205);
}

TEST_F(DriverConfigTest, MissingCommonFileReadsAsDefaults) {
  DriverConfig config(machine.platform());
  Text name{};
  EXPECT_EQ(config.ModelCount(), 0);
  EXPECT_EQ(config.PackageDriverVersion(), 0);
  EXPECT_EQ(config.DefaultModel(name), -1);
}

TEST_F(DriverConfigTest, ModelCountKeyIsReadWithItsCapacity) {
  // 31 characters of digits are read; the 32nd and beyond are cut before conversion.
  WriteCommon("[DEVICENAME]\nDEVICENUMBER=" + std::string(31, '0') + "7\n");
  DriverConfig config(machine.platform());
  EXPECT_EQ(config.ModelCount(), 0);
}

TEST_F(DriverConfigTest, FamilyReadsUseTheSelectedFamilyFile) {
  machine.disk().WriteFile("C:\\Setup\\Disk1\\DRVCONFIG\\setup_ticket.ini",
                           "[T.PORT]\nBaudRate=38400\n");
  DriverConfig config(machine.platform());
  char value[200] = {};

  config.SetPrinterType(kTicketPrinter);
  config.ReadFamilyValue("T.PORT", "BaudRate", value, sizeof(value));
  EXPECT_STREQ(value, "38400");

  config.SetPrinterType(kReceiptPrinter);
  config.ReadFamilyValue("T.PORT", "BaudRate", value, sizeof(value));
  EXPECT_STREQ(value, "0");
}

TEST_F(DriverConfigTest, FamilyReadsOutsideTheFamiliesGiveDefaultsOnly) {
  DriverConfig config(machine.platform());
  char value[200] = "untouched";
  config.SetPrinterType(7);
  config.ReadFamilyValue("T.PORT", "BaudRate", value, sizeof(value));
  EXPECT_STREQ(value, "0");
  config.SetPrinterType(-1);
  char tiny[1] = {'x'};
  config.ReadFamilyValue("T.PORT", "BaudRate", tiny, sizeof(tiny));
  EXPECT_EQ(tiny[0], '\0');
}

TEST_F(DriverConfigTest, ProgramFolderIgnoresABackslashInsideADoubleByteCharacter) {
  // 安装淺.exe: the second byte of 淺 (B2 5C) is a backslash, which used to end the folder.
  machine.SetModuleFileName("C:\\Pkg\\\xB0\xB2\xD7\xB0\xB2\x5C.exe");
  DriverConfig config(machine.platform());
  EXPECT_STREQ(config.CommonFilePath(), "C:\\Pkg\\DRVCONFIG\\setup.ini");
  machine.SetModuleFileName("C:\\\xB2\x5C\\Setup.exe");  // a folder named 淺
  DriverConfig inFolder(machine.platform());
  EXPECT_STREQ(inFolder.CommonFilePath(), "C:\\\xB2\x5C\\DRVCONFIG\\setup.ini");
}

TEST_F(DriverConfigTest, CountsAreBoundedSoThatNoTypoKeepsTheWizardReading) {
  const struct {
    const char* value;
    std::int32_t models;
    std::int32_t usbPorts;
  } cases[] = {
      {"7", 7, 7},
      {"2000000000", config::kMaxModelCount, config::kMaxSupportedUsbPorts},
      {"-5", 0, 0},
      {"1000", 1000, 1000},
      {"4001", config::kMaxModelCount, config::kMaxSupportedUsbPorts},
  };
  for (const auto& c : cases) {
    WriteCommon(std::string("[DEVICENAME]\nDEVICENUMBER=") + c.value +
                "\n[SUPPORTED-USB-DEVICE]\nPRNCOUNT=" + c.value + "\n");
    DriverConfig config(machine.platform());
    EXPECT_EQ(config.ModelCount(), c.models) << c.value;
    EXPECT_EQ(config.SupportedUsbPortCount(), c.usbPorts) << c.value;
  }
}

TEST_F(DriverConfigTest, SupportedUsbPortsAreCutToTheirCapacity) {
  WriteCommon("[SUPPORTED-USB-DEVICE]\nPRNCOUNT=2\n0=USB_TP-R80_1\n1=USB_" + std::string(40, 'x') +
              "\n");
  DriverConfig config(machine.platform());
  config::UsbPortEntry entry{};
  config.SupportedUsbPort(0, entry);
  EXPECT_STREQ(entry, "USB_TP-R80_1");
  config.SupportedUsbPort(1, entry);
  EXPECT_EQ(std::string(entry), "USB_" + std::string(25, 'x'));
  config.SupportedUsbPort(2, entry);
  EXPECT_STREQ(entry, "0");
}

}  // namespace
