// What the package names for a model's removal, read from the sample package's INI files:
// both flavours' driver names, the "COMMON-MONITOR" monitors with their files, and the model's
// own print processor, never "WinPrint" and never the language monitor.
#include "uninstall/package_components.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/sample_package.h"

namespace {

using Names = std::vector<std::string>;

class PackageComponentsTest : public install_test::SamplePackageTest {
 protected:
  uninstall::PackageComponents Read(const char* model, int family, int targetOs) {
    config::DriverConfig config(platform());
    config.SetPrinterType(family);
    return uninstall::ReadPackageComponents(platform(), config, model, targetOs);
  }
};

TEST_F(PackageComponentsTest, TheModelsDriversMonitorsAndProcessorWithTheirFiles) {
  const auto package = Read("TP-R80", kReceiptPrinter, kTargetWinXp);
  ASSERT_EQ(package.drivers.size(), 2u);
  EXPECT_EQ(package.drivers[0].name, "TP-R80 Text");
  EXPECT_EQ(package.drivers[0].file, "TPSTD.DLL");
  EXPECT_EQ(package.drivers[1].name, "TP-R80 Raster");
  EXPECT_EQ(package.drivers[1].file, "TPGDI.DLL");
  EXPECT_FALSE(package.drivers[0].sharedWithOtherModel);
  EXPECT_EQ(package.model, "TP-R80");
  ASSERT_EQ(package.monitors.size(), 2u);
  EXPECT_EQ(package.monitors[0].name, "TP Serial Monitor");
  EXPECT_EQ(package.monitors[0].files, (Names{"TPSERMON.DLL", "nTPSERMON.DLL", "TPSERUI.DLL"}));
  EXPECT_EQ(package.monitors[1].name, "TP USB Monitor");
  EXPECT_EQ(package.monitors[1].files, (Names{"TPUSBMON.DLL", "nTPUSBMON.DLL", "TPUSBUI.DLL"}));
  ASSERT_EQ(package.processors.size(), 1u);
  EXPECT_EQ(package.processors[0].name, "TP Print Processor");
  EXPECT_EQ(package.processors[0].files, (Names{"TPPROC.DLL", "nTPPROC.DLL"}));
  EXPECT_EQ(package.processors[0].dlls, (Names{"TPPROC.DLL", "nTPPROC.DLL"}));
  EXPECT_EQ(package.monitors[0].dlls, (Names{"TPSERMON.DLL", "nTPSERMON.DLL"}));
  EXPECT_EQ(package.usbPortEntries.size(), 9u);
}

// Another model that registers one of the model's driver names makes that name shared.
TEST_F(PackageComponentsTest, ADriverNameAnotherModelRegistersIsShared) {
  EditConfig("setup_receipt.ini", "STDDRIVERNAME=TP-R58 Text", "STDDRIVERNAME=TP-R80 Text");
  const auto package = Read("TP-R80", kReceiptPrinter, kTargetWinXp);
  ASSERT_EQ(package.drivers.size(), 2u);
  EXPECT_TRUE(package.drivers[0].sharedWithOtherModel);
  EXPECT_FALSE(package.drivers[1].sharedWithOtherModel);
}

TEST_F(PackageComponentsTest, Windows98NamesItsOwnMonitorFiles) {
  const auto package = Read("TP-R80", kReceiptPrinter, kTargetWin98Me);
  ASSERT_EQ(package.monitors.size(), 2u);
  EXPECT_EQ(package.monitors[1].files, (Names{"TPUSBM9X.DLL", "nTPUSBM9X.DLL", "TPUSBU9X.DLL"}));
}

TEST_F(PackageComponentsTest, TheSystemsProcessorIsNeverTheModels) {
  EXPECT_TRUE(Read("TP-R58", kReceiptPrinter, kTargetWinXp).processors.empty());
  EditConfig("setup_receipt.ini", "PrintProcessor=WinPrint", "PrintProcessor=winprint");
  EXPECT_TRUE(Read("TP-R58", kReceiptPrinter, kTargetWinXp).processors.empty());
}

// A package that calls a monitor of its own "Language Monitor", with Windows' pjlmon.dll, still
// does not make the language monitor its to remove, nor pjlmon.dll a file of its monitors.
TEST_F(PackageComponentsTest, TheLanguageMonitorIsNeverThePackages) {
  EditConfig("setup.ini", "COMMONitorPName=TP Serial Monitor", "COMMONitorPName=Language Monitor");
  EditConfig("setup.ini", "USBMONitorPDLLName=TPUSBMON.DLL", "USBMONitorPDLLName=pjlmon.dll");
  const auto package = Read("TP-R80", kReceiptPrinter, kTargetWinXp);
  ASSERT_EQ(package.monitors.size(), 1u);
  EXPECT_EQ(package.monitors[0].name, "TP USB Monitor");
  EXPECT_EQ(package.monitors[0].files, (Names{"npjlmon.dll", "TPUSBUI.DLL"}));
}

// A file name the package does not give (a missing key reads "0"), or one with a folder in it,
// names no file to remove.
TEST_F(PackageComponentsTest, OnlyBareGivenFileNamesAreFilesToRemove) {
  EditConfig("setup.ini", "COMMONitorPUIDLLName=TPSERUI.DLL", "COMMONitorPUIDLLName=..\\\\WIN.INI");
  EditConfig("setup.ini", "USBMONitorPDLLName=TPUSBMON.DLL", "USBMONitorPDLLName=");
  const auto package = Read("TP-R80", kReceiptPrinter, kTargetWinXp);
  ASSERT_EQ(package.monitors.size(), 2u);
  EXPECT_EQ(package.monitors[0].files, (Names{"TPSERMON.DLL", "nTPSERMON.DLL"}));
  EXPECT_EQ(package.monitors[1].files, (Names{"TPUSBUI.DLL"}));
}

}  // namespace
