#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/driver_config.h"
#include "platform/sim/sim_machine.h"

namespace {

using config::DevModeBlock;
using config::DriverConfig;
using config::PrinterRecord;
using platform::sim::SimMachine;

constexpr const char* kLabelFile = "C:\\PACKAGE\\DRVCONFIG\\setup_lable.ini";

class PrinterRecordTest : public ::testing::Test {
 protected:
  PrinterRecordTest() { config.SetPrinterType(kLabelPrinter); }
  void WriteLabel(const std::string& text) { machine.disk().WriteFile(kLabelFile, text); }

  SimMachine machine;
  DriverConfig config{machine.platform()};
  PrinterRecord record{};
  DevModeBlock devMode;
};

TEST_F(PrinterRecordTest, XpTakesEachPartFromItsSection) {
  WriteLabel(
      "[L.PRINTERINFO2K]\nSERVERNAME=srv\nSTDDRIVERNAME=Label STD\nGDIDRIVERNAME=Label GDI\n"
      "COMMENT=a comment\nLOCATION=desk\nSEPFILE=sep\nDATATYPE=RAW\nPARAMETERS=p\n"
      "SECURITYDESCRIPTOR=O:BA\nATTRIBUTES=64\nPRIORITY=1\nDEFAULTPRIORITY=2\nSTARTTIME=60\n"
      "UNTILTIME=120\nSTATUS=0\nCJOBS=5\nAVERAGEPPM=9\n"
      "[L.XP]\nGDIPrintProcessor=LabelProc\n[L.2K]\nGDIPrintProcessor=wrong\n"
      "[L.DEVMODE2K]\nCOPIES=3\nFIELDS=256\nFORMNAME=Label 4x6\n");
  config.ReadPrinterRecord("L", kTargetWinXp, record, kFlavorGdi, devMode);

  EXPECT_STREQ(record.pServerName, "srv");
  EXPECT_STREQ(record.pPrinterName, "L");
  EXPECT_EQ(record.pShareName, nullptr);
  EXPECT_EQ(record.pPortName, nullptr);
  EXPECT_STREQ(record.pDriverName, "Label GDI");
  EXPECT_STREQ(record.pComment, "a comment");
  EXPECT_STREQ(record.pLocation, "desk");
  EXPECT_STREQ(record.pSepFile, "sep");
  EXPECT_STREQ(record.pPrintProcessor, "LabelProc");
  EXPECT_STREQ(record.pDatatype, "RAW");
  EXPECT_STREQ(record.pParameters, "p");
  EXPECT_EQ(record.pSecurityDescriptor, nullptr);
  EXPECT_EQ(record.Attributes, 64u);
  EXPECT_EQ(record.Priority, 1u);
  EXPECT_EQ(record.DefaultPriority, 2u);
  EXPECT_EQ(record.StartTime, 60u);
  EXPECT_EQ(record.UntilTime, 120u);
  EXPECT_EQ(record.cJobs, 5u);
  EXPECT_EQ(record.AveragePPM, 9u);

  ASSERT_EQ(record.pDevMode, devMode.get());
  EXPECT_EQ(record.pDevMode->dmCopies, 3);
  EXPECT_EQ(record.pDevMode->dmFields, 256u);
  EXPECT_STREQ(reinterpret_cast<const char*>(record.pDevMode->dmFormName), "Label 4x6");
  EXPECT_STREQ(reinterpret_cast<const char*>(record.pDevMode->dmDeviceName), "L");
}

TEST_F(PrinterRecordTest, SizeAndSpecVersionAreNeverTakenFromTheFile) {
  WriteLabel("[L.DEVMODE98]\nSIZE=999\nDMSIZE=999\nSPECVERSION=1\nDRIVERVERSION=513\n");
  config.ReadPrinterRecord("L", kTargetWin98Me, record, kFlavorStd, devMode);
  EXPECT_EQ(record.pDevMode->dmSize, 148);
  EXPECT_EQ(record.pDevMode->dmSpecVersion, 0x0400);
  EXPECT_EQ(record.pDevMode->dmDriverVersion, 513);
}

TEST_F(PrinterRecordTest, SixteenBitFieldsKeepTheLowBits) {
  WriteLabel("[L.DEVMODENT]\nPAPERLENGTH=70000\nPAPERWIDTH=-2\nICMMETHOD=70000\n");
  config.ReadPrinterRecord("L", kTargetNt4, record, kFlavorStd, devMode);
  EXPECT_EQ(static_cast<unsigned short>(record.pDevMode->dmPaperLength), 70000 - 65536);
  EXPECT_EQ(record.pDevMode->dmPaperWidth, -2);
  EXPECT_EQ(record.pDevMode->dmICMMethod, 70000u);
}

TEST_F(PrinterRecordTest, EmptySectionsGiveZerosAndUnsetFieldsStayZero) {
  WriteLabel("");
  config.ReadPrinterRecord("L", kTargetServer2003, record, kFlavorStd, devMode);
  EXPECT_STREQ(record.pComment, "0");
  EXPECT_STREQ(record.pDriverName, "0");
  EXPECT_EQ(record.Attributes, 0u);
  const DEVMODEA& dm = *record.pDevMode;
  EXPECT_EQ(dm.dmLogPixels, 0);
  EXPECT_EQ(dm.dmBitsPerPel, 0u);
  EXPECT_EQ(dm.dmPelsWidth, 0u);
  EXPECT_EQ(dm.dmDisplayFrequency, 0u);
  EXPECT_EQ(dm.dmReserved1, 0u);
  EXPECT_EQ(dm.dmReserved2, 0u);
  EXPECT_STREQ(reinterpret_cast<const char*>(dm.dmFormName), "0");
  EXPECT_EQ(devMode.size(), 148u);
}

TEST_F(PrinterRecordTest, LongModelAndFormNamesAreCutToTheirFields) {
  const std::string model(60, 'M');
  WriteLabel("[" + model + ".DEVMODE2K]\nFORMNAME=" + std::string(40, 'f') + "\n");
  config.ReadPrinterRecord(model.c_str(), kTargetWin2000, record, kFlavorStd, devMode);
  const DEVMODEA& dm = *record.pDevMode;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dm.dmDeviceName)), std::string(31, 'M'));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dm.dmFormName)), std::string(19, 'f'));
  EXPECT_EQ(dm.dmSpecVersion, 0x0400);  // the field after the device name is untouched
  EXPECT_STREQ(record.pPrinterName, model.c_str());
}

TEST_F(PrinterRecordTest, CutNamesNeverEndInHalfADoubleByteCharacter) {
  // Sixteen characters 热 (C8 C8): 32 bytes. The device name keeps 15 of them (30 bytes), not
  // 31 bytes ending in a lone lead byte; the form name, cut by the reader to 19 bytes, keeps 9.
  std::string model;
  for (int i = 0; i < 16; ++i) {
    model += "\xC8\xC8";
  }
  WriteLabel("[" + model + ".DEVMODE2K]\nFORMNAME=" + model + "\n");
  config.ReadPrinterRecord(model.c_str(), kTargetWin2000, record, kFlavorStd, devMode);
  const DEVMODEA& dm = *record.pDevMode;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dm.dmDeviceName)), model.substr(0, 30));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dm.dmFormName)), model.substr(0, 18));
}

TEST_F(PrinterRecordTest, UnsignedFieldsReadTheWholeUnsignedRange) {
  WriteLabel(
      "[L.PRINTERINFO2K]\nATTRIBUTES=2147483648\nPRIORITY=4294967295\nCJOBS=-1\n"
      "[L.DEVMODE2K]\nFIELDS=2147483648\nICMMETHOD=3000000000\nICMINTENT=4294967295\n"
      "MEDIATYPE=2147483649\nDITHERTYPE=99999999999\n");
  config.ReadPrinterRecord("L", kTargetWinXp, record, kFlavorStd, devMode);
  EXPECT_EQ(record.Attributes, 0x80000000u);
  EXPECT_EQ(record.Priority, 0xFFFFFFFFu);
  EXPECT_EQ(record.cJobs, 0xFFFFFFFFu);
  const DEVMODEA& dm = *record.pDevMode;
  EXPECT_EQ(dm.dmFields, 0x80000000u);
  EXPECT_EQ(dm.dmICMMethod, 3000000000u);
  EXPECT_EQ(dm.dmICMIntent, 0xFFFFFFFFu);
  EXPECT_EQ(dm.dmMediaType, 0x80000001u);
  EXPECT_EQ(dm.dmDitherType, 0xFFFFFFFFu);
}

TEST_F(PrinterRecordTest, DriverExtraGetsItsOwnZeroFilledPrivateArea) {
  WriteLabel("[L.DEVMODE2K]\nDMDRIVEREXTRA=64\nCOPIES=2\n");
  config.ReadPrinterRecord("L", kTargetWinXp, record, kFlavorStd, devMode);
  EXPECT_EQ(record.pDevMode, devMode.get());
  EXPECT_EQ(record.pDevMode->dmDriverExtra, 64);
  EXPECT_EQ(record.pDevMode->dmCopies, 2);
  ASSERT_EQ(devMode.size(), 148u + 64u);
  // Everything the spooler will read (dmSize + dmDriverExtra bytes) is allocated; the private
  // part is zero.
  const unsigned char* bytes = devMode.bytes();
  for (size_t i = 148; i < devMode.size(); ++i) {
    EXPECT_EQ(bytes[i], 0) << i;
  }
}

TEST_F(PrinterRecordTest, ReadingAgainWithoutExtraShrinksBackAndKeepsTheRecordValid) {
  WriteLabel("[L.DEVMODE2K]\nDMDRIVEREXTRA=40000\n[L.DEVMODE2003]\nCOPIES=4\n");
  config.ReadPrinterRecord("L", kTargetWinXp, record, kFlavorStd, devMode);
  EXPECT_EQ(devMode.size(), 148u + 40000u);
  config.ReadPrinterRecord("L", kTargetServer2003, record, kFlavorStd, devMode);
  EXPECT_EQ(devMode.size(), 148u);
  EXPECT_EQ(record.pDevMode, devMode.get());
  EXPECT_EQ(record.pDevMode->dmCopies, 4);
}

TEST(DevModeBlock, StartsAsA148ByteZeroBlock) {
  DevModeBlock block;
  EXPECT_EQ(block.size(), 148u);
  const unsigned char* bytes = block.bytes();
  for (size_t i = 0; i < block.size(); ++i) {
    ASSERT_EQ(bytes[i], 0) << i;
  }
}

}  // namespace
