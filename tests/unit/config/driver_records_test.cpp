#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/driver_config.h"
#include "platform/sim/sim_machine.h"

namespace {

using config::DriverConfig;
using config::DriverFileList;
using config::DriverRecord;
using config::MonitorRecord;
using config::PortMonitorSet;
using platform::sim::SimMachine;

constexpr const char* kReceiptFile = "C:\\PACKAGE\\DRVCONFIG\\setup_receipt.ini";
constexpr const char* kCommonFile = "C:\\PACKAGE\\DRVCONFIG\\setup.ini";

// The entries of a multi-string list, up to its closing terminator.
std::vector<std::string> Entries(const char* list) {
  std::vector<std::string> entries;
  while (*list != '\0') {
    entries.emplace_back(list);
    list += entries.back().size() + 1;
  }
  return entries;
}

class DriverRecordsTest : public ::testing::Test {
 protected:
  DriverRecordsTest() { config.SetPrinterType(kReceiptPrinter); }

  void WriteReceipt(const std::string& text) { machine.disk().WriteFile(kReceiptFile, text); }

  SimMachine machine;
  DriverConfig config{machine.platform()};
  DriverRecord record{};
};

TEST_F(DriverRecordsTest, XpReadsThe2000PrinterSectionAndItsOwnDriverSection) {
  WriteReceipt(
      "[M.PRINTERINFO2K]\nSTDDRIVERNAME=Receipt 80\nGDIDRIVERNAME=Receipt 80 GDI\n"
      "[M.PRINTERINFOXP]\nSTDDRIVERNAME=wrong\n"
      "[M.XP]\nSTDDriverPath=r80.dll\nSTDDataFile=r80.gpd\nSTDConfigFile=r80ui.dll\n"
      "STDHelpFile=r80.hlp\nSTDMonitorName=R80 Monitor\n"
      "[M.2K]\nSTDDriverPath=wrong.dll\n");
  config.ReadDriverRecord("M", kTargetWinXp, record, kFlavorStd);
  EXPECT_EQ(record.cVersion, 3u);
  EXPECT_STREQ(record.pName, "Receipt 80");
  EXPECT_EQ(record.pEnvironment, nullptr);
  EXPECT_STREQ(record.pDriverPath, "r80.dll");
  EXPECT_STREQ(record.pDataFile, "r80.gpd");
  EXPECT_STREQ(record.pConfigFile, "r80ui.dll");
  EXPECT_STREQ(record.pHelpFile, "r80.hlp");
  EXPECT_STREQ(record.pMonitorName, "R80 Monitor");
  EXPECT_EQ(record.pDefaultDataType, nullptr);
  ASSERT_NE(record.pDependentFiles, nullptr);
  EXPECT_TRUE(Entries(record.pDependentFiles).empty());
}

TEST_F(DriverRecordsTest, VersionAndEnvironmentFollowTheTarget) {
  WriteReceipt("");
  const DWORD versions[] = {0, 2, 3, 3, 3};
  for (int os = 0; os < kTargetOsCount; ++os) {
    config.ReadDriverRecord("M", os, record, kFlavorStd);
    EXPECT_EQ(record.cVersion, versions[os]) << os;
    if (os == kTargetWin98Me) {
      EXPECT_STREQ(record.pEnvironment, "Windows 4.0");
    } else {
      EXPECT_EQ(record.pEnvironment, nullptr) << os;
    }
  }
}

TEST_F(DriverRecordsTest, FlavourSelectsTheKeysAndAbsentValuesReadAsZero) {
  WriteReceipt("[M.XP]\nGDIDriverPath=g.dll\nGDIDataFile=g.gpd\n");
  config.ReadDriverRecord("M", kTargetWinXp, record, kFlavorStd);
  EXPECT_STREQ(record.pDriverPath, "0");
  EXPECT_STREQ(record.pDataFile, "0");
  EXPECT_STREQ(record.pName, "0");
  config.ReadDriverRecord("M", kTargetWinXp, record, kFlavorGdi);
  EXPECT_STREQ(record.pDriverPath, "g.dll");
  EXPECT_STREQ(record.pDataFile, "g.gpd");
}

TEST_F(DriverRecordsTest, UniversalDriverOnXpGetsTheDependentList) {
  WriteReceipt("[M.XP]\nSTDDataFile=A.GPD\nGDI2KDDKDEV=1\n");
  config.ReadDriverRecord("M", kTargetWinXp, record, kFlavorStd);
  EXPECT_EQ(Entries(record.pDependentFiles),
            (std::vector<std::string>{"A.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"}));
}

TEST_F(DriverRecordsTest, Nt4NeverGetsTheDependentList) {
  WriteReceipt("[M.NT]\nSTDDataFile=A.GPD\nGDI2KDDKDEV=1\n");
  config.ReadDriverRecord("M", kTargetNt4, record, kFlavorStd);
  EXPECT_EQ(record.cVersion, 2u);
  EXPECT_TRUE(Entries(record.pDependentFiles).empty());
}

TEST_F(DriverRecordsTest, OemFilesJoinTheListOnlyWhenGiven) {
  WriteReceipt(
      "[M.2K]\nGDIDataFile=A.GPD\nGDI2KDDKDEV=1\nGDIDataOemuniDLL=0\nGDIDataOemuniini=X.INI\n"
      "[M.2003]\nGDIDataFile=B.GPD\nGDI2KDDKDEV=1\nGDIDataOemuniDLL=OEM.DLL\n"
      "GDIDataOemuniini=OEM.INI\n");
  config.ReadDriverRecord("M", kTargetWin2000, record, kFlavorGdi);
  EXPECT_EQ(
      Entries(record.pDependentFiles),
      (std::vector<std::string>{"A.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", "X.INI"}));
  config.ReadDriverRecord("M", kTargetServer2003, record, kFlavorGdi);
  EXPECT_EQ(Entries(record.pDependentFiles),
            (std::vector<std::string>{"B.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                                      "OEM.DLL", "OEM.INI"}));
}

TEST_F(DriverRecordsTest, DependentListHoldsTheLongestNamesUncut) {
  const std::string data(199, 'd');
  const std::string dll(199, 'o');
  const std::string ini(199, 'i');
  WriteReceipt("[M.XP]\nSTDDataFile=" + data + "\nGDI2KDDKDEV=1\nSTDDataOemuniDLL=" + dll +
               "\nSTDDataOemuniini=" + ini + "\n");
  config.ReadDriverRecord("M", kTargetWinXp, record, kFlavorStd);
  EXPECT_EQ(Entries(record.pDependentFiles),
            (std::vector<std::string>{data, "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", dll, ini}));
}

TEST_F(DriverRecordsTest, ListFollowsTheGdiKeyAsANumberWhileTheFlagLooksAtItsFirstCharacter) {
  WriteReceipt(
      "[M.XP]\nSTDDataFile=A.GPD\nGDI2KDDKDEV=2\n[M.2K]\nSTDDataFile=A.GPD\nGDI2KDDKDEV=10\n");
  config.ReadDriverRecord("M", kTargetWinXp, record, kFlavorStd);
  EXPECT_FALSE(Entries(record.pDependentFiles).empty());
  EXPECT_FALSE(config.Is2kDdkDriver("M", kTargetWinXp, kFlavorGdi));

  config.ReadDriverRecord("M", kTargetWin2000, record, kFlavorStd);
  EXPECT_FALSE(Entries(record.pDependentFiles).empty());
  EXPECT_TRUE(config.Is2kDdkDriver("M", kTargetWin2000, kFlavorGdi));
}

TEST_F(DriverRecordsTest, StdUniversalFlagWithoutTheGdiKeyLeavesTheListEmpty) {
  WriteReceipt("[M.XP]\nSTDDataFile=A.GPD\nSTD2KDDKDEV=1\nGDI2KDDKDEV=0\n");
  EXPECT_TRUE(config.Is2kDdkDriver("M", kTargetWinXp, kFlavorStd));
  config.ReadDriverRecord("M", kTargetWinXp, record, kFlavorStd);
  EXPECT_TRUE(Entries(record.pDependentFiles).empty());
}

TEST_F(DriverRecordsTest, MissingUniversalFlagIsFalse) {
  WriteReceipt("[M.XP]\n");
  EXPECT_FALSE(config.Is2kDdkDriver("M", kTargetWinXp, kFlavorStd));
}

TEST_F(DriverRecordsTest, FileListReadsTheNineKeysOfTheFlavour) {
  WriteReceipt(
      "[M.98]\nGDIDriverPath=d.drv\nGDIDataFile=d.dat\nGDIConfigFile=c.dll\nGDIHelpFile=h.hlp\n"
      "GDIDataOemuniDLL=o.dll\nGDIDataOemuniini=o.ini\nGDIDataFileDLLName=res.dll\n"
      "GDIMonitorDLLName=lm.dll\nGDIProcessorDLLName=pp.dll\nSTDDriverPath=std.drv\n");
  DriverFileList files{};
  config.ReadDriverFileList("M", kTargetWin98Me, files, kFlavorGdi);
  EXPECT_STREQ(files.driverPath, "d.drv");
  EXPECT_STREQ(files.dataFile, "d.dat");
  EXPECT_STREQ(files.configFile, "c.dll");
  EXPECT_STREQ(files.helpFile, "h.hlp");
  EXPECT_STREQ(files.oemPluginDll, "o.dll");
  EXPECT_STREQ(files.oemPluginIni, "o.ini");
  EXPECT_STREQ(files.resourceDll, "res.dll");
  EXPECT_STREQ(files.languageMonitorDll, "lm.dll");
  EXPECT_STREQ(files.printProcessorDll, "pp.dll");
}

TEST_F(DriverRecordsTest, LanguageMonitorIsTheSameForEveryModel) {
  MonitorRecord monitor{};
  config.ReadMonitorRecord(kTargetServer2003, monitor);
  EXPECT_STREQ(monitor.pName, "Language Monitor");
  EXPECT_EQ(monitor.pEnvironment, nullptr);
  EXPECT_STREQ(monitor.pDLLName, "pjlmon.dll");
  config.ReadMonitorRecord(kTargetWin98Me, monitor);
  EXPECT_STREQ(monitor.pEnvironment, "Windows 4.0");
}

TEST_F(DriverRecordsTest, PortMonitorSetComesFromTheCommonFile) {
  machine.disk().WriteFile(kCommonFile,
                           "[COMMON-MONITOR.98]\nCOMMONitorPName=Serial Mon\n"
                           "COMMONitorPDLLName=sermon.dll\nCOMMONitorPUIDLLName=serui.dll\n"
                           "COMMONitorVersion=7\nUSBMONitorPName=USB Mon\n"
                           "USBMONitorPDLLName=usbmon.dll\nUSBMONitorPUIDLLName=usbui.dll\n"
                           "USBMONitorVersion=12x\n");
  PortMonitorSet set{};
  config.ReadPortMonitorSet(kTargetWin98Me, set);
  EXPECT_STREQ(set.serialMonitor.pName, "Serial Mon");
  EXPECT_STREQ(set.serialMonitor.pDLLName, "sermon.dll");
  EXPECT_STREQ(set.serialMonitor.pEnvironment, "Windows 4.0");
  EXPECT_STREQ(set.serialMonitorUiDll, "serui.dll");
  EXPECT_EQ(set.serialMonitorVersion, 7);
  EXPECT_STREQ(set.usbMonitor.pName, "USB Mon");
  EXPECT_STREQ(set.usbMonitor.pDLLName, "usbmon.dll");
  EXPECT_STREQ(set.usbMonitor.pEnvironment, "Windows 4.0");
  EXPECT_STREQ(set.usbMonitorUiDll, "usbui.dll");
  EXPECT_EQ(set.usbMonitorVersion, 12);

  config.ReadPortMonitorSet(kTargetWinXp, set);
  EXPECT_STREQ(set.serialMonitor.pName, "0");
  EXPECT_EQ(set.serialMonitor.pEnvironment, nullptr);
  EXPECT_EQ(set.usbMonitorVersion, 0);
}

TEST_F(DriverRecordsTest, MonitorUiDllNamesAreCutToTheirCapacity) {
  machine.disk().WriteFile(
      kCommonFile, "[COMMON-MONITOR.XP]\nCOMMONitorPUIDLLName=" + std::string(120, 'u') + "\n");
  PortMonitorSet set{};
  config.ReadPortMonitorSet(kTargetWinXp, set);
  EXPECT_EQ(std::string(set.serialMonitorUiDll), std::string(49, 'u'));
}

}  // namespace
