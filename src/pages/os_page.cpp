#include "pages/os_page.h"

#include "install/target_system.h"
#include "messages/message_box.h"
#include "resources/resource_ids.h"

namespace pages {
namespace {

// The radio button of each target system, in TargetOs order.
constexpr int kTargetButtons[kTargetOsCount] = {IDC_OS_WIN98, IDC_OS_NT4, IDC_OS_WIN2000,
                                                IDC_OS_WINXP, IDC_OS_SERVER2003};

}  // namespace

int OsPage::templateId() const {
  return IDD_OS_PAGE;
}

void OsPage::OnInitDialog(ui::DialogView& view) {
  targetOs_ = kTargetWin98Me;

  const install::TargetSystem recognised = install::RunningTargetSystem(platform_.system);
  if (recognised.button != install::kNoSystemButton) {
    view.SetCheck(recognised.button, true);
  }
  if (recognised.buttonText != nullptr) {
    view.SetText(recognised.button, recognised.buttonText);
  }
  if (!recognised.supportedPlatform) {
    messages::ShowMessage(platform_, IDS_UNSUPPORTED_SYSTEM);
  }
  targetOs_ = recognised.targetOs;

  // Exactly the target system's button stays enabled.
  for (int target = 0; target < kTargetOsCount; ++target) {
    view.Enable(kTargetButtons[target], target == targetOs_);
  }
}

}  // namespace pages
