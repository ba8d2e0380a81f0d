#include "install/default_printer.h"

#include <array>
#include <string>

#include "install_fixture.h"

namespace {

using install::MakeDefaultPrinter;
using install_test::InstallTest;

class MakeDefaultPrinterTest : public InstallTest {
 protected:
  void AddPrinter(const std::string& name, DWORD attributes = 0) {
    platform::sim::SimSpooler::Printer printer;
    printer.name = name;
    printer.port = "KSCOM1:";
    printer.driver = "KS Driver";
    printer.attributes = attributes;
    machine.spooler().AddExistingPrinter(printer);
  }
  std::string WinIni() { return FileAt(machine.windowsDirectory() + "\\win.ini"); }
};

TEST_F(MakeDefaultPrinterTest, NullNameTouchesNothing) {
  UseWindows98();
  EXPECT_EQ(MakeDefaultPrinter(platform(), nullptr), 0);
  EXPECT_EQ(machine.spooler().callCount("OpenPrinterA"), 0);
  EXPECT_TRUE(machine.broadcasts().empty());
}

TEST_F(MakeDefaultPrinterTest, EmptyNameReachesNoMethodOnAnyPlatform) {
  // SetDefaultPrinterA("") would keep or pick some default and report success.
  AddPrinter("Other");
  for (const auto version : {std::array<DWORD, 2>{VER_PLATFORM_WIN32_WINDOWS, 4},
                             std::array<DWORD, 2>{VER_PLATFORM_WIN32_NT, 4},
                             std::array<DWORD, 2>{VER_PLATFORM_WIN32_NT, 5}}) {
    machine.SetVersion(version[0], version[1], 0);
    EXPECT_EQ(MakeDefaultPrinter(platform(), ""), 0);
  }
  EXPECT_EQ(machine.spooler().callCount("OpenPrinterA"), 0);
  EXPECT_EQ(machine.spooler().callCount("SetDefaultPrinterA"), 0);
  EXPECT_EQ(machine.libraries().loadRequests(), 0);
  EXPECT_EQ(machine.spooler().defaultPrinter(), "");
  EXPECT_TRUE(machine.broadcasts().empty());
}

// Windows 2000 and later.

TEST_F(MakeDefaultPrinterTest, XpUsesSetDefaultPrinterOnlyThenBroadcasts) {
  AddPrinter("M(S)(1)");
  EXPECT_EQ(MakeDefaultPrinter(platform(), "M(S)(1)"), 1);
  EXPECT_EQ(machine.spooler().defaultPrinter(), "M(S)(1)");
  EXPECT_EQ(machine.libraries().loadRequests(), 1);
  EXPECT_EQ(WinIni(), "<none>");
  EXPECT_EQ(machine.spooler().callCount("SetPrinterA"), 0);
  ASSERT_EQ(machine.broadcasts().size(), 1u);
  const auto& broadcast = machine.broadcasts()[0];
  EXPECT_FALSE(broadcast.notify);
  EXPECT_EQ(broadcast.message, WM_WININICHANGE);
  EXPECT_EQ(broadcast.wParam, 0u);
  EXPECT_FALSE(broadcast.hasSection);
  EXPECT_EQ(broadcast.timeout, 1000u);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(MakeDefaultPrinterTest, Windows2000UnknownPrinterFailsWithoutBroadcast) {
  UseWindows2000();
  EXPECT_EQ(MakeDefaultPrinter(platform(), "Nobody"), 0);
  EXPECT_EQ(machine.spooler().defaultPrinter(), "");
  EXPECT_TRUE(machine.broadcasts().empty());
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

// Windows NT 4.

TEST_F(MakeDefaultPrinterTest, Nt4WritesPrinterDriverAndPortToWinIni) {
  UseWindowsNt4();
  AddPrinter("M(S)");
  EXPECT_EQ(MakeDefaultPrinter(platform(), "M(S)"), 1);
  EXPECT_EQ(WinIni(), "[windows]\r\ndevice=M(S),KS Driver,KSCOM1:\r\n");
  EXPECT_EQ(machine.libraries().loadRequests(), 0);
  ASSERT_EQ(machine.broadcasts().size(), 1u);
  EXPECT_FALSE(machine.broadcasts()[0].hasSection);
  EXPECT_EQ(machine.broadcasts()[0].timeout, 1000u);
  ExpectEverythingReleased();
}

TEST_F(MakeDefaultPrinterTest, Nt4UnknownPrinterFails) {
  UseWindowsNt4();
  EXPECT_EQ(MakeDefaultPrinter(platform(), "Nobody"), 0);
  EXPECT_EQ(WinIni(), "<none>");
  EXPECT_TRUE(machine.broadcasts().empty());
  ExpectEverythingReleased();
}

TEST_F(MakeDefaultPrinterTest, Nt4UnreadablePrinterClosesItsHandle) {
  UseWindowsNt4();
  AddPrinter("M(S)");
  machine.spooler().FailCall("GetPrinterA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(MakeDefaultPrinter(platform(), "M(S)"), 0);
  EXPECT_EQ(WinIni(), "<none>");
  ExpectEverythingReleased();
}

// Windows 95, 98 and Me.

TEST_F(MakeDefaultPrinterTest, Windows98AddsTheDefaultBitToTheOtherAttributes) {
  UseWindows98();
  AddPrinter("M(S)", 0x240);
  AddPrinter("Other", PRINTER_ATTRIBUTE_DEFAULT);
  EXPECT_EQ(MakeDefaultPrinter(platform(), "M(S)"), 1);
  EXPECT_EQ(machine.spooler().FindPrinter("M(S)")->attributes, 0x240u | PRINTER_ATTRIBUTE_DEFAULT);
  EXPECT_EQ(machine.spooler().defaultPrinter(), "M(S)");
  EXPECT_EQ(machine.libraries().loadRequests(), 0);
  EXPECT_EQ(WinIni(), "<none>");
  ASSERT_EQ(machine.broadcasts().size(), 1u);
  EXPECT_TRUE(machine.broadcasts()[0].hasSection);
  EXPECT_EQ(machine.broadcasts()[0].section, "windows");
  EXPECT_EQ(machine.broadcasts()[0].timeout, 1000u);
  ExpectEverythingReleased();
}

TEST_F(MakeDefaultPrinterTest, Windows98UnknownPrinterFails) {
  UseWindows98();
  EXPECT_EQ(MakeDefaultPrinter(platform(), "Nobody"), 0);
  EXPECT_TRUE(machine.broadcasts().empty());
  ExpectEverythingReleased();
}

TEST_F(MakeDefaultPrinterTest, Windows98FailuresAfterOpeningReleaseEverything) {
  UseWindows98();
  AddPrinter("M(S)");
  for (const char* call : {"GetPrinterA", "SetPrinterA"}) {
    machine.spooler().FailCall(call, ERROR_ACCESS_DENIED, 1);
    EXPECT_EQ(MakeDefaultPrinter(platform(), "M(S)"), 0) << call;
    ExpectEverythingReleased();
  }
  EXPECT_EQ(machine.spooler().defaultPrinter(), "");
  EXPECT_TRUE(machine.broadcasts().empty());
}

TEST_F(MakeDefaultPrinterTest, UnknownPlatformReportsSuccessAndDoesNothing) {
  machine.SetVersion(VER_PLATFORM_WIN32s, 3, 1);
  AddPrinter("M(S)");
  EXPECT_EQ(MakeDefaultPrinter(platform(), "M(S)"), 1);
  EXPECT_EQ(machine.spooler().callCount("OpenPrinterA"), 0);
  EXPECT_EQ(machine.spooler().defaultPrinter(), "");
  EXPECT_TRUE(machine.broadcasts().empty());
}

}  // namespace
