// The names a removal compares as Windows does, and the printer names that derive from a model.
#include "uninstall/ownership.h"

#include <gtest/gtest.h>

#include "install/windows_components.h"

namespace {

TEST(Ownership, PrinterNamesDeriveFromTheModelByPortEndingAndCopyNumber) {
  for (const char* name :
       {"TP-R80", "TP-R80(S)", "tp-r80(p)", "TP-R80(U) 3", "TP-R80(S)(2)", "TP-R80(U) 1(1)"}) {
    EXPECT_TRUE(uninstall::NameDerivesFromModel(name, "TP-R80")) << name;
  }
  for (const char* name :
       {"TP-R81(S)", "TP-R80(S)(3)", "TP-R80(U) 5", "Front desk", "TP-R80 (S)"}) {
    EXPECT_FALSE(uninstall::NameDerivesFromModel(name, "TP-R80")) << name;
  }
  EXPECT_FALSE(uninstall::NameDerivesFromModel("", ""));
}

TEST(Ownership, WindowsOwnFilesAndComponentsAreKnownHoweverSpelled) {
  for (const char* file :
       {"localspl.dll", "WINPRINT.DLL", "pjlmon.dll.", "usbmon.dll  ", "TCPMON.DLL. ."}) {
    EXPECT_TRUE(install::IsWindowsOwnFile(file)) << file;
    EXPECT_FALSE(install::IsPackageDllName(file)) << file;
  }
  for (const char* file : {"TPSERMON.DLL", "nlocalspl.dll", "localspl.dl"}) {
    EXPECT_FALSE(install::IsWindowsOwnFile(file)) << file;
  }
  EXPECT_FALSE(install::IsPackageDllName("..\\TPSERMON.DLL"));
  EXPECT_TRUE(install::IsPackageDllName("TPSERMON.DLL"));
  EXPECT_TRUE(install::IsWindowsOwnMonitor("standard tcp/ip port"));
  EXPECT_TRUE(install::IsWindowsOwnProcessor("winprint"));
  EXPECT_FALSE(install::IsWindowsOwnMonitor("TP Serial Monitor"));
  EXPECT_TRUE(install::SameFileName("TPUSBMON.DLL. ", "tpusbmon.dll"));
  EXPECT_FALSE(install::SameFileName("TPUSBMON.DLL", "nTPUSBMON.DLL"));
}

}  // namespace
