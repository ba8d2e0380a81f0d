#include "install/spooler_refusal.h"

#include "messages/message_box.h"

namespace install {
namespace {

constexpr const char* kNeedsAdministrator =
    "\n拒绝访问：安装打印机驱动需要管理员权限，请以管理员身份运行本程序。";

}  // namespace

std::string SpoolerFailureText(platform::Platform& platform, unsigned id, DWORD error,
                               const std::string& detail) {
  std::string text = messages::LoadMessage(platform, id) + detail;
  if (error == ERROR_ACCESS_DENIED) {
    text += kNeedsAdministrator;
  }
  return text;
}

void ShowSpoolerFailure(platform::Platform& platform, unsigned id, DWORD error,
                        const std::string& detail) {
  messages::ShowText(platform, SpoolerFailureText(platform, id, error, detail));
}

}  // namespace install
