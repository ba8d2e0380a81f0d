#include "pages/os_page.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_dialog_view.h"
#include "resources/message_table.h"
#include "platform/sim/sim_machine.h"
#include "resources/resource_ids.h"

namespace {

using platform::sim::SimMachine;
using testing_support::FakeDialogView;

constexpr int kButtons[] = {IDC_OS_WIN98, IDC_OS_NT4, IDC_OS_WIN2000, IDC_OS_WINXP,
                            IDC_OS_SERVER2003};

struct OsCase {
  const char* name;
  DWORD platformId;
  DWORD major;
  DWORD minor;
  int checkedButton;  // 0: none
  int enabledButton;
  int target;
  bool unsupportedMessage;
  BYTE productType = VER_NT_WORKSTATION;
  const char* checkedText = "";  // the checked button's caption set by the page; "": left alone
};

constexpr const char* kXpAndLater = "Windows XP 及更高版本";
constexpr const char* kServer2003AndLater = "Windows Server 2003 及更高版本";

class OsPageTest : public ::testing::TestWithParam<OsCase> {};

TEST_P(OsPageTest, FixesTheTargetFromTheRunningSystem) {
  const OsCase& c = GetParam();
  SimMachine machine;
  machine.SetVersion(c.platformId, c.major, c.minor, c.productType);
  FakeDialogView view;
  pages::OsPage page(machine.platform());

  page.OnInitDialog(view);

  EXPECT_EQ(page.targetOs(), c.target);
  for (int button : kButtons) {
    EXPECT_EQ(view.IsChecked(button), button == c.checkedButton) << "button " << button;
    EXPECT_EQ(view.IsEnabled(button), button == c.enabledButton) << "button " << button;
    EXPECT_EQ(view.GetText(button), button == c.checkedButton ? c.checkedText : "")
        << "button " << button;
  }
  if (c.unsupportedMessage) {
    ASSERT_EQ(machine.messageBoxes().size(), 1u);
    EXPECT_EQ(machine.messageBoxes()[0].text, "本程序不支持当前系统.\n请点击“取消”按钮退出程序");
    EXPECT_EQ(machine.messageBoxes()[0].caption, "Setup");
  } else {
    EXPECT_TRUE(machine.messageBoxes().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    RunningSystems, OsPageTest,
    ::testing::Values(
        OsCase{"Win98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, IDC_OS_WIN98, IDC_OS_WIN98, 0, false},
        OsCase{"WinMe", VER_PLATFORM_WIN32_WINDOWS, 4, 90, IDC_OS_WIN98, IDC_OS_WIN98, 0, false},
        OsCase{"Win95", VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0, IDC_OS_WIN98, 0, false},
        OsCase{"Nt4", VER_PLATFORM_WIN32_NT, 4, 0, IDC_OS_NT4, IDC_OS_NT4, 1, false},
        OsCase{"Nt4Point1", VER_PLATFORM_WIN32_NT, 4, 1, 0, IDC_OS_WIN98, 0, false},
        OsCase{"Win2000", VER_PLATFORM_WIN32_NT, 5, 0, IDC_OS_WIN2000, IDC_OS_WIN2000, 2, false},
        OsCase{"WinXp", VER_PLATFORM_WIN32_NT, 5, 1, IDC_OS_WINXP, IDC_OS_WINXP, 3, false},
        OsCase{"Server2003", VER_PLATFORM_WIN32_NT, 5, 2, IDC_OS_SERVER2003, IDC_OS_SERVER2003, 4,
               false},
        OsCase{"Nt5Point3", VER_PLATFORM_WIN32_NT, 5, 3, 0, IDC_OS_WIN98, 0, false},
        OsCase{"Server2003ReportedAsServer", VER_PLATFORM_WIN32_NT, 5, 2, IDC_OS_SERVER2003,
               IDC_OS_SERVER2003, 4, false, VER_NT_SERVER},
        // Vista and later: a workstation installs the XP drivers, a server the 2003 ones.
        OsCase{"Vista", VER_PLATFORM_WIN32_NT, 6, 0, IDC_OS_WINXP, IDC_OS_WINXP, 3, false,
               VER_NT_WORKSTATION, kXpAndLater},
        OsCase{"Win7", VER_PLATFORM_WIN32_NT, 6, 1, IDC_OS_WINXP, IDC_OS_WINXP, 3, false,
               VER_NT_WORKSTATION, kXpAndLater},
        OsCase{"Win8", VER_PLATFORM_WIN32_NT, 6, 2, IDC_OS_WINXP, IDC_OS_WINXP, 3, false,
               VER_NT_WORKSTATION, kXpAndLater},
        OsCase{"Win81", VER_PLATFORM_WIN32_NT, 6, 3, IDC_OS_WINXP, IDC_OS_WINXP, 3, false,
               VER_NT_WORKSTATION, kXpAndLater},
        OsCase{"Win10", VER_PLATFORM_WIN32_NT, 10, 0, IDC_OS_WINXP, IDC_OS_WINXP, 3, false,
               VER_NT_WORKSTATION, kXpAndLater},
        OsCase{"Server2008", VER_PLATFORM_WIN32_NT, 6, 0, IDC_OS_SERVER2003, IDC_OS_SERVER2003, 4,
               false, VER_NT_SERVER, kServer2003AndLater},
        OsCase{"Server2008R2DomainController", VER_PLATFORM_WIN32_NT, 6, 1, IDC_OS_SERVER2003,
               IDC_OS_SERVER2003, 4, false, VER_NT_DOMAIN_CONTROLLER, kServer2003AndLater},
        OsCase{"Server2012R2", VER_PLATFORM_WIN32_NT, 6, 3, IDC_OS_SERVER2003, IDC_OS_SERVER2003, 4,
               false, VER_NT_SERVER, kServer2003AndLater},
        OsCase{"Server2016", VER_PLATFORM_WIN32_NT, 10, 0, IDC_OS_SERVER2003, IDC_OS_SERVER2003, 4,
               false, VER_NT_SERVER, kServer2003AndLater},
        // Windows 95/98/Me and NT 4 refuse the extended structure: the plain one decides.
        OsCase{"Nt4ServerPlainStructureOnly", VER_PLATFORM_WIN32_NT, 4, 0, IDC_OS_NT4, IDC_OS_NT4,
               1, false, VER_NT_SERVER},
        OsCase{"Win32s", VER_PLATFORM_WIN32s, 3, 10, 0, IDC_OS_WIN98, 0, true},
        OsCase{"UnknownPlatform", 7, 5, 1, 0, IDC_OS_WIN98, 0, true}),
    [](const ::testing::TestParamInfo<OsCase>& info) { return info.param.name; });

TEST(OsPageMessages, UnsupportedSystemTextComesFromTheMessageTable) {
  // The box shows the string-table text, so the resource and the native table must agree.
  SimMachine machine;
  machine.SetVersion(VER_PLATFORM_WIN32s, 3, 10);
  machine.SetString(IDS_UNSUPPORTED_SYSTEM, "replaced text");
  FakeDialogView view;
  pages::OsPage page(machine.platform());
  page.OnInitDialog(view);
  ASSERT_EQ(machine.messageBoxes().size(), 1u);
  EXPECT_EQ(machine.messageBoxes()[0].text, "replaced text");
}

}  // namespace
