#include "pkgcheck/install_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/driver_file.h"
#include "platform/sim/sim_machine.h"

namespace {

using pkgcheck::PlanInstallation;

struct Copy {
  std::string name;
  int destination;
};

std::vector<Copy> Copies(const pkgcheck::InstallPlan& plan) {
  std::vector<Copy> copies;
  for (const auto& copy : plan.copies) {
    copies.push_back({copy.name, copy.destination});
  }
  return copies;
}

bool operator==(const Copy& a, const Copy& b) {
  return a.name == b.name && a.destination == b.destination;
}

class InstallPlanTest : public ::testing::Test {
 protected:
  void WriteLabel(const std::string& text) {
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup_lable.ini", text);
  }
  platform::sim::SimMachine machine;
  config::DriverConfig config{machine.platform()};
};

TEST_F(InstallPlanTest, UniversalDriverOnXpCopiesInTheInstallationsOrder) {
  WriteLabel(
      "[L.XP]\nGDIDriverPath=UNIDRV.DLL\nGDIDataFile=L.GPD\nGDIConfigFile=UI.DLL\n"
      "GDIHelpFile=U.HLP\nGDIDataOemuniDLL=O.DLL\nGDIDataOemuniini=O.INI\n"
      "GDIDataFileDLLName=RES.DLL\nGDI2KDDKDEV=1\nGDIMonitorDLLName=pjlmon.dll\n"
      "GDIPrintProcessor=TP Proc\nGDIProcessorDLLName=TPPROC.DLL\n");
  const auto plan = PlanInstallation(config, kLabelPrinter, "L", kTargetWinXp, kFlavorGdi);
  using install::kDriverDir;
  using install::kDriverDirV3;
  const std::vector<Copy> expected = {
      {"TPPROC.DLL", install::kProcessorDir},
      {"UI.DLL", kDriverDir},
      {"L.GPD", kDriverDir},
      {"L.GPD", kDriverDirV3},
      {"UNIDRV.DLL", kDriverDir},
      {"U.HLP", kDriverDir},
      {"O.DLL", kDriverDir},
      {"O.INI", kDriverDir},
      {"UNIRES.DLL", kDriverDirV3},
      {"STDNAMES.GPD", kDriverDirV3},
      {"TTFSUB.GPD", kDriverDirV3},
      {"TTFSUB.GPD", kDriverDir},
      {"STDNAMES.GPD", kDriverDir},
      {"UNIRES.DLL", kDriverDir},
      {"RES.DLL", kDriverDirV3},
      {"pjlmon.dll", kDriverDir},
  };
  EXPECT_EQ(Copies(plan), expected);
  EXPECT_TRUE(plan.universalDriver);
  EXPECT_TRUE(plan.installsProcessor);
  EXPECT_EQ(plan.dependentFiles, (std::vector<std::string>{"L.GPD", "TTFSUB.GPD", "UNIRES.DLL",
                                                           "STDNAMES.GPD", "O.DLL", "O.INI"}));
}

TEST_F(InstallPlanTest, Windows98CopiesTheUniversalDriverFilesOfTheSystem) {
  WriteLabel(
      "[L.98]\nSTDDriverPath=D.DRV\nSTDDataFile=D.DAT\nSTDConfigFile=UI.DLL\nSTDHelpFile=H.HLP\n"
      "STDMonitorDLLName=\nSTDPrintProcessor=WinPrint\n");
  const auto plan = PlanInstallation(config, kLabelPrinter, "L", kTargetWin98Me, kFlavorStd);
  using install::kDriverDir;
  const std::vector<Copy> expected = {{"UI.DLL", kDriverDir},      {"D.DAT", kDriverDir},
                                      {"D.DRV", kDriverDir},       {"H.HLP", kDriverDir},
                                      {"ICONLIB.DLL", kDriverDir}, {"UNIDRV.DLL", kDriverDir}};
  EXPECT_EQ(Copies(plan), expected);
  EXPECT_FALSE(plan.installsProcessor);
  EXPECT_FALSE(plan.registersLanguageMonitor);
  EXPECT_EQ(plan.environment, "Windows 4.0");
  EXPECT_EQ(plan.driverVersion, 0u);
}

TEST_F(InstallPlanTest, PortMonitorsFollowTheSystem) {
  machine.disk().WriteFile(
      "C:\\PACKAGE\\DRVCONFIG\\setup.ini",
      "[COMMON-MONITOR.98]\nCOMMONitorPDLLName=S9.DLL\nUSBMONitorPDLLName=U9.DLL\n"
      "[COMMON-MONITOR.NT]\nCOMMONitorPDLLName=S.DLL\nUSBMONitorPDLLName=U.DLL\n"
      "[COMMON-MONITOR.XP]\nCOMMONitorPDLLName=S.DLL\nUSBMONitorPDLLName=\n");
  const auto kinds = [&](int os) {
    std::string text;
    for (const auto& monitor : pkgcheck::PlanPortMonitors(config, os)) {
      text += monitor.kind + ":" + monitor.dll + " ";
    }
    return text;
  };
  EXPECT_EQ(kinds(kTargetWin98Me), "USB:U9.DLL ");
  EXPECT_EQ(kinds(kTargetNt4), "serial:S.DLL ");
  EXPECT_EQ(kinds(kTargetWinXp), "serial:S.DLL ");  // an empty DLL installs no monitor
}

}  // namespace
