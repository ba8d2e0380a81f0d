#include "app/os_page.h"

#include "messages/message_box.h"
#include "resources/resource_ids.h"

namespace app {
namespace {

constexpr int kNoButton = 0;

// The radio button of each target system, in TargetOs order.
constexpr int kTargetButtons[kTargetOsCount] = {IDC_OS_WIN98, IDC_OS_NT4, IDC_OS_WIN2000,
                                                IDC_OS_WINXP, IDC_OS_SERVER2003};

struct Recognised {
  int button;  // kNoButton: the system is known but has no button
  int target;
  bool supportedPlatform;
};

Recognised Recognise(const OSVERSIONINFOA& version) {
  const DWORD major = version.dwMajorVersion;
  const DWORD minor = version.dwMinorVersion;
  switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
      // Windows 95 is 4.0 and gets no button; 98 and Me are 4.10 and 4.90.
      return minor > 0 ? Recognised{IDC_OS_WIN98, kTargetWin98Me, true}
                       : Recognised{kNoButton, kTargetWin98Me, true};
    case VER_PLATFORM_WIN32_NT:
      if (major == 4 && minor == 0) {
        return {IDC_OS_NT4, kTargetNt4, true};
      }
      if (major == 5 && minor == 0) {
        return {IDC_OS_WIN2000, kTargetWin2000, true};
      }
      if (major == 5 && minor == 1) {
        return {IDC_OS_WINXP, kTargetWinXp, true};
      }
      if (major == 5 && minor == 2) {
        return {IDC_OS_SERVER2003, kTargetServer2003, true};
      }
      return {kNoButton, kTargetWin98Me, true};
    default:
      return {kNoButton, kTargetWin98Me, false};
  }
}

}  // namespace

int OsPage::templateId() const {
  return IDD_OS_PAGE;
}

void OsPage::OnInitDialog(ui::DialogView& view) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  platform_.system.GetVersionExA(&version);
  targetOs_ = kTargetWin98Me;

  const Recognised recognised = Recognise(version);
  if (recognised.button != kNoButton) {
    view.SetCheck(recognised.button, true);
  }
  if (!recognised.supportedPlatform) {
    messages::ShowMessage(platform_, IDS_UNSUPPORTED_SYSTEM);
  }
  targetOs_ = recognised.target;

  // Exactly the target system's button stays enabled.
  for (int target = 0; target < kTargetOsCount; ++target) {
    view.Enable(kTargetButtons[target], target == targetOs_);
  }
}

}  // namespace app
