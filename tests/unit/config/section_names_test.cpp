#include "config/section_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace config;

TEST(SectionNames, DriverSectionsHaveOnePerSystem) {
  Text name{};
  const char* expected[] = {"M.98", "M.NT", "M.2K", "M.XP", "M.2003"};
  for (int os = 0; os < kTargetOsCount; ++os) {
    DriverSectionName("M", os, name);
    EXPECT_STREQ(name, expected[os]);
  }
}

TEST(SectionNames, XpSharesThe2000PrinterAndDeviceModeSections) {
  Text info{};
  Text devmode{};
  PrinterInfoSectionName("M", kTargetWinXp, info);
  DevModeSectionName("M", kTargetWinXp, devmode);
  EXPECT_STREQ(info, "M.PRINTERINFO2K");
  EXPECT_STREQ(devmode, "M.DEVMODE2K");

  const char* infos[] = {"M.PRINTERINFO98", "M.PRINTERINFONT", "M.PRINTERINFO2K", "M.PRINTERINFO2K",
                         "M.PRINTERINFO2003"};
  const char* devmodes[] = {"M.DEVMODE98", "M.DEVMODENT", "M.DEVMODE2K", "M.DEVMODE2K",
                            "M.DEVMODE2003"};
  for (int os = 0; os < kTargetOsCount; ++os) {
    PrinterInfoSectionName("M", os, info);
    DevModeSectionName("M", os, devmode);
    EXPECT_STREQ(info, infos[os]);
    EXPECT_STREQ(devmode, devmodes[os]);
  }
}

TEST(SectionNames, PortMonitorSectionFitsItsThirtyBytes) {
  char name[kMonitorSectionSize] = {};
  PortMonitorSectionName(kTargetServer2003, name);
  EXPECT_STREQ(name, "COMMON-MONITOR.2003");
  PortMonitorSectionName(kTargetWin98Me, name);
  EXPECT_STREQ(name, "COMMON-MONITOR.98");
}

TEST(SectionNames, UnknownTargetGivesNoSection) {
  Text name = "stale";
  DriverSectionName("M", 5, name);
  EXPECT_STREQ(name, "");
  char monitor[kMonitorSectionSize] = "stale";
  PortMonitorSectionName(-1, monitor);
  EXPECT_STREQ(monitor, "");
}

TEST(SectionNames, LongModelNamesAreCutNotOverrun) {
  const std::string model(199, 'm');
  Text name{};
  DriverSectionName(model.c_str(), kTargetServer2003, name);
  EXPECT_EQ(std::string(name), std::string(199, 'm'));
  PortOptionsSectionName(std::string(195, 'p').c_str(), name);
  EXPECT_EQ(std::string(name), std::string(195, 'p') + ".POR");
}

}  // namespace
