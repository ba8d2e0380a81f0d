#include "registry/install_record_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"

namespace {

using platform::sim::SimMachine;
using registry::InstallRecordStore;

constexpr const char* kPortNames = "SOFTWARE\\KESTREL\\PORTNAME";
constexpr const char* kPrinterPorts = "SOFTWARE\\KESTREL\\PRINTERPORT";
constexpr const char* kInstalled = "SOFTWARE\\KESTREL\\INSTALLPRINTER";

class InstallRecordStoreTest : public ::testing::Test {
 protected:
  void WriteSupported(const std::vector<std::string>& names) {
    std::string text = "[SUPPORTED-USB-DEVICE]\nPRNCOUNT=" + std::to_string(names.size()) + "\n";
    for (size_t i = 0; i < names.size(); ++i) {
      text += std::to_string(i) + "=" + names[i] + "\n";
    }
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup.ini", text);
  }

  SimMachine machine;
  config::DriverConfig config{machine.platform()};
  InstallRecordStore store{machine.platform(), config};
};

TEST_F(InstallRecordStoreTest, ChosenPortGetsItsNumberInTheSupportedList) {
  WriteSupported({"USB_A_1", "USB_B_1", "USB_B_2"});
  store.UpdateUsbPortRecords("USB_B_2");
  EXPECT_EQ(machine.registry().ValueNames(kPortNames), std::vector<std::string>{"USB_B_2"});
  EXPECT_EQ(machine.registry().GetDword(kPortNames, "USB_B_2"), 2u);
  EXPECT_EQ(machine.registry().openHandleCount(), 0u);
}

TEST_F(InstallRecordStoreTest, PortOutsideTheListWritesNoPortNameButTheRestRuns) {
  WriteSupported({"USB_A_1"});
  store.UpdateUsbPortRecords("USB_Z_9");
  EXPECT_TRUE(machine.registry().KeyExists(kPortNames));
  EXPECT_TRUE(machine.registry().ValueNames(kPortNames).empty());
  EXPECT_EQ(machine.registry().GetDword(kPrinterPorts, "D8"), 0u);
  EXPECT_EQ(machine.registry().GetDword(kPrinterPorts, "USB_A_1"), 255u);
}

TEST_F(InstallRecordStoreTest, D1ToD8AreResetWhileExistingPortValuesAreKept) {
  WriteSupported({"USB_A_1", "USB_A_2"});
  for (int d = 1; d <= 8; ++d) {
    machine.registry().PutDword(kPrinterPorts, "D" + std::to_string(d), 7);
  }
  machine.registry().PutDword(kPrinterPorts, "USB_A_1", 0);
  store.UpdateUsbPortRecords("USB_A_2");
  for (int d = 1; d <= 8; ++d) {
    EXPECT_EQ(machine.registry().GetDword(kPrinterPorts, "D" + std::to_string(d)), 0u) << d;
  }
  EXPECT_EQ(machine.registry().GetDword(kPrinterPorts, "USB_A_1"), 0u);
  EXPECT_EQ(machine.registry().GetDword(kPrinterPorts, "USB_A_2"), 255u);
}

TEST_F(InstallRecordStoreTest, WithoutSupportedDevicesOnlyD1ToD8AreWritten) {
  store.UpdateUsbPortRecords("USB_A_1");
  const auto names = machine.registry().ValueNames(kPrinterPorts);
  EXPECT_EQ(names, (std::vector<std::string>{"D1", "D2", "D3", "D4", "D5", "D6", "D7", "D8"}));
  EXPECT_TRUE(machine.registry().ValueNames(kPortNames).empty());
}

TEST_F(InstallRecordStoreTest, InstalledPrintersNumberTheirPorts) {
  WriteSupported({"USB_A_1", "USB_B_1", "USB_C_3", "USB_QRX-K810_2", "USB_Plain"});
  machine.registry().PutValue(kInstalled, "QRX-K810(U) 2", REG_SZ, std::string("x\0", 2));
  machine.registry().PutValue(kInstalled, "Plain", REG_DWORD, std::string(4, '\0'));
  machine.registry().PutValue(kInstalled, "Unknown(U) 5", REG_SZ, std::string("x\0", 2));
  store.UpdateUsbPortRecords("USB_A_1");
  EXPECT_EQ(machine.registry().GetDword(kPortNames, "USB_A_1"), 0u);
  EXPECT_EQ(machine.registry().GetDword(kPortNames, "USB_QRX-K810_2"), 3u);
  EXPECT_EQ(machine.registry().GetDword(kPortNames, "USB_Plain"), 4u);
  EXPECT_FALSE(machine.registry().GetDword(kPortNames, "USB_Unknown_5").has_value());
  EXPECT_EQ(machine.registry().openHandleCount(), 0u);
}

TEST_F(InstallRecordStoreTest, ComparisonIsExactAndCaseSensitive) {
  WriteSupported({"usb_a_1"});
  store.UpdateUsbPortRecords("USB_A_1");
  EXPECT_TRUE(machine.registry().ValueNames(kPortNames).empty());
}

TEST_F(InstallRecordStoreTest, SupportedNamesAreComparedInTheirCutForm) {
  const std::string longName = "USB_" + std::string(30, 'N') + "_1";  // 36 characters
  WriteSupported({longName});
  store.UpdateUsbPortRecords(longName.c_str());
  EXPECT_TRUE(machine.registry().ValueNames(kPortNames).empty());
  // The cut entry (29 characters) is what PRINTERPORT receives.
  EXPECT_EQ(machine.registry().GetDword(kPrinterPorts, longName.substr(0, 29)), 255u);
}

TEST_F(InstallRecordStoreTest, InstalledPrinterNamesTooLongForTheEnumerationStopIt) {
  WriteSupported({"USB_A_1"});
  machine.registry().PutValue(kInstalled, std::string(250, 'L') + "(U) 1", REG_SZ, "");
  machine.registry().PutValue(kInstalled, "A(U) 1", REG_SZ, "");
  store.UpdateUsbPortRecords("USB_Z_9");
  // The first name does not fit the 200-byte buffer, so the enumeration ends before "A(U) 1".
  EXPECT_TRUE(machine.registry().ValueNames(kPortNames).empty());
}

TEST_F(InstallRecordStoreTest, MarkUsbPortTakesThePortOnlyWhenTheKeyExists) {
  store.MarkUsbPort("USB_A_1");
  EXPECT_FALSE(machine.registry().KeyExists(kPrinterPorts));
  machine.registry().PutDword(kPrinterPorts, "USB_A_1", 255);
  store.MarkUsbPort("USB_A_1");
  EXPECT_EQ(machine.registry().GetDword(kPrinterPorts, "USB_A_1"), 0u);
  EXPECT_EQ(machine.registry().openHandleCount(), 0u);
}

TEST_F(InstallRecordStoreTest, DeniedAreaIsIgnoredWithoutHarm) {
  WriteSupported({"USB_A_1"});
  machine.registry().DenyAccess("SOFTWARE\\KESTREL");
  store.UpdateUsbPortRecords("USB_A_1");
  store.MarkUsbPort("USB_A_1");
  EXPECT_FALSE(machine.registry().KeyExists(kPrinterPorts));
  EXPECT_EQ(machine.registry().openHandleCount(), 0u);
}

struct NameCase {
  const char* printerName;
  const char* portName;
};

class PortNameFromPrinterName : public ::testing::TestWithParam<NameCase> {};

TEST_P(PortNameFromPrinterName, Builds) {
  char port[260] = {};
  InstallRecordStore::PortNameFromPrinterName(GetParam().printerName, port);
  EXPECT_STREQ(port, GetParam().portName);
}

INSTANTIATE_TEST_SUITE_P(Names, PortNameFromPrinterName,
                         ::testing::Values(NameCase{"QRX-K810(U) 2", "USB_QRX-K810_2"},
                                           NameCase{"Plain", "USB_Plain"}, NameCase{"X(", "USB_X_"},
                                           NameCase{"X(U", "USB_X_"}, NameCase{"X(U) ", "USB_X_"},
                                           NameCase{"X(U) 7 more", "USB_X_7"},
                                           NameCase{"(U) 1", "USB__1"}, NameCase{"", "USB_"}));

TEST(PortNameFromPrinterNameBounds, TheLongestNameFitsTheBuffer) {
  const std::string name(300, 'n');
  char port[260];
  InstallRecordStore::PortNameFromPrinterName(name.c_str(), port);
  EXPECT_EQ(std::string(port), "USB_" + std::string(255, 'n'));
}

}  // namespace
