#include "install/port_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "config/text_buffer.h"

namespace {

using install::PortKind;

struct EntryCase {
  const char* entry;
  PortKind kind;
  const char* portName;  // FormPrinterPortName
  const char* ending;    // appended to "M"
  int usbNumber;
};

class PortEntryRules : public ::testing::TestWithParam<EntryCase> {};

TEST_P(PortEntryRules, KindPortNameEndingAndNumber) {
  const EntryCase& c = GetParam();
  EXPECT_EQ(install::KindOfPort(c.entry), c.kind);
  install::PortEntryText port = {};
  install::FormPrinterPortName(c.entry, port);
  EXPECT_EQ(std::string(port), c.portName);
  Text name = "M";
  install::AppendPortEnding(c.kind, c.entry, name);
  EXPECT_EQ(std::string(name), std::string("M") + c.ending);
  EXPECT_EQ(install::UsbPortNumberOfEntry(c.entry), c.usbNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PortEntryRules,
    ::testing::Values(
        EntryCase{"KSCOM1:", PortKind::kSerial, "KSCOM1:", "(S)", 0},
        EntryCase{"LPT2:", PortKind::kParallel, "LPT2:", "(P)", 0},
        EntryCase{"USB_M_2", PortKind::kUsb, "USB_M_2", "(U) 2", 2},
        EntryCase{"USB_M(A)_2", PortKind::kUsb, "USB_M_2", "(U) 2", 2},
        // Each "_n" the entry holds adds its ending; the highest gives the number.
        EntryCase{"USB_M_1_3", PortKind::kUsb, "USB_M_1_3", "(U) 1(U) 3", 3},
        // The USB test comes first, then "COM", then "LPT"; the tests are case-sensitive.
        EntryCase{"USB_COMLPT_1", PortKind::kUsb, "USB_COMLPT_1", "(U) 1", 1},
        EntryCase{"LPTCOM", PortKind::kSerial, "LPTCOM", "(S)", 0},
        EntryCase{"usb_m_1", PortKind::kUnknown, "usb_m_1", "", 1},
        EntryCase{"FILE:", PortKind::kUnknown, "FILE:", "", 0},
        EntryCase{"", PortKind::kUnknown, "", "", 0},
        // The QRX-D9 takes the fixed prefix and the entry's last character alone.
        EntryCase{"USB_QRX-D9(B)_3", PortKind::kUsb, "USB_QRX-D9_3", "(U) 3", 3},
        EntryCase{"QRX-D9 on COM", PortKind::kSerial, "USB_QRX-D9_M", "(S)", 0},
        // A stray closing bracket is left out; an open stretch runs to the end.
        EntryCase{"A)B(C", PortKind::kUnknown, "AB", "", 0}));

TEST(PortEntry, PrinterNameEndingIsCutToTheBuffer) {
  Text name = {};
  config::CopyText(name, std::string(kTextSize - 3, 'M'));
  install::AppendPortEnding(PortKind::kUsb, "USB_M_1_2", name);
  EXPECT_EQ(std::string(name), std::string(kTextSize - 3, 'M') + "(U");
}

TEST(PortEntry, LongEntryGivesACutPortName) {
  install::PortEntryText port = {};
  install::FormPrinterPortName(std::string(300, 'L').c_str(), port);
  EXPECT_EQ(std::string(port), std::string(install::kPortTextSize - 1, 'L'));
}

struct SerialCase {
  const char* entry;
  int number;
  const char* name;
};

class SerialPortOfEntry : public ::testing::TestWithParam<SerialCase> {};

TEST_P(SerialPortOfEntry, NumberAndNameFromTheFirstCom) {
  const auto port = install::SerialPortOfEntry(GetParam().entry);
  EXPECT_EQ(port.number, GetParam().number);
  EXPECT_EQ(std::string(port.name), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Entries, SerialPortOfEntry,
                         ::testing::Values(SerialCase{"KSCOM3:", 3, "COM3:"},
                                           SerialCase{"COM1:", 1, "COM1:"},
                                           SerialCase{"COMX:", 0, "COMX:"},
                                           SerialCase{"KSCOM", 0, "COM"},
                                           SerialCase{"A COM9 COM2", 9, "COM9 COM2"}));

}  // namespace
