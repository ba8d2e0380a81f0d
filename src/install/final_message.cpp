#include "install/final_message.h"

#include "config/install_types.h"
#include "messages/message_box.h"
#include "resources/resource_ids.h"

namespace install {

bool ShowFinalMessage(platform::Platform& platform, int targetOs, PortKind kind) {
  if (targetOs != kTargetWin98Me) {
    messages::ShowInformation(
        platform, kind == PortKind::kUsb ? IDS_INSTALL_SUCCEEDED_RESET : IDS_INSTALL_SUCCEEDED);
    return false;
  }
  if (!messages::AskYesNo(platform, IDS_RESTART_QUESTION)) {
    return false;
  }
  if (platform.system.ExitWindowsEx(EWX_REBOOT, 0) == FALSE) {
    messages::ShowMessage(platform, IDS_RESTART_FAILED);
    return false;
  }
  return true;
}

}  // namespace install
