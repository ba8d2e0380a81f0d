#include "app/wow64_refusal.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"
#include "unattended/exit_codes.h"
#include "unattended/memory_log.h"

namespace {

using platform::sim::SimMachine;

struct BitnessCase {
  const char* name;
  DWORD platformId;
  DWORD major;
  DWORD minor;
  bool wow64;  // the process runs under WOW64 (meaningful where kernel32 can say so)
  bool refused;
};

class Wow64DetectionTest : public ::testing::TestWithParam<BitnessCase> {};

TEST_P(Wow64DetectionTest, RefusesOnlyA32BitProcessOn64BitWindows) {
  const BitnessCase& c = GetParam();
  SimMachine machine;
  machine.SetVersion(c.platformId, c.major, c.minor);
  machine.SetWow64(c.wow64);

  EXPECT_EQ(app::RunsUnderWow64(machine.platform()), c.refused);
  EXPECT_EQ(machine.libraries().loadedCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(RunningSystems, Wow64DetectionTest,
                         ::testing::Values(
                             // Systems whose kernel32 has no IsWow64Process are 32-bit.
                             BitnessCase{"Win98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, false, false},
                             BitnessCase{"Nt4", VER_PLATFORM_WIN32_NT, 4, 0, false, false},
                             BitnessCase{"Win2000", VER_PLATFORM_WIN32_NT, 5, 0, false, false},
                             BitnessCase{"WinXp32", VER_PLATFORM_WIN32_NT, 5, 1, false, false},
                             BitnessCase{"WinXp64", VER_PLATFORM_WIN32_NT, 5, 2, true, true},
                             BitnessCase{"Win7_32", VER_PLATFORM_WIN32_NT, 6, 1, false, false},
                             BitnessCase{"Win7_64", VER_PLATFORM_WIN32_NT, 6, 1, true, true},
                             BitnessCase{"Win10_32", VER_PLATFORM_WIN32_NT, 10, 0, false, false},
                             BitnessCase{"Win10_64", VER_PLATFORM_WIN32_NT, 10, 0, true, true}),
                         [](const ::testing::TestParamInfo<BitnessCase>& info) {
                           return info.param.name;
                         });

TEST(Wow64Detection, AFailingIsWow64ProcessCountsAs32Bit) {
  SimMachine machine;
  machine.SetVersion(VER_PLATFORM_WIN32_NT, 10, 0);
  machine.SetWow64(true);
  machine.libraries().HideExport("kernel32.dll", "IsWow64Process");
  EXPECT_FALSE(app::RunsUnderWow64(machine.platform()));
}

constexpr const char* kShown =
    "本安装包只含32位打印机驱动程序，不能安装在64位Windows上。\n程序将退出，系统未作任何更改。";

TEST(Wow64Refusal, TellsThePersonAndTheLogAndEndsWith1633) {
  struct Case {
    bool showMessage;
    bool keepsLog;
  };
  for (const Case c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
    SimMachine machine;
    unattended_test::MemoryLog log;

    const int code =
        app::RefuseOn64BitWindows(machine.platform(), c.showMessage, c.keepsLog ? &log : nullptr);

    EXPECT_EQ(code, unattended::kExitNotSupported);
    EXPECT_EQ(code, 1633);
    if (c.showMessage) {
      ASSERT_EQ(machine.messageBoxes().size(), 1u);
      EXPECT_EQ(machine.messageBoxes()[0].text, kShown);
      EXPECT_EQ(machine.messageBoxes()[0].caption, "Setup");
    } else {
      EXPECT_TRUE(machine.messageBoxes().empty());
    }
    if (c.keepsLog) {
      ASSERT_EQ(log.lines.size(), 2u);
      EXPECT_EQ(log.lines[0],
                "not supported: this package holds 32-bit drivers only and cannot install on "
                "64-bit Windows");
      EXPECT_EQ(log.lines[1], "result: 1633 (not supported on 64-bit Windows; nothing changed)");
    }
  }
}

}  // namespace
