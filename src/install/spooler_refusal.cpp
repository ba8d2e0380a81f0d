#include "install/spooler_refusal.h"

#include "language/language.h"
#include "messages/message_box.h"

namespace install {
namespace {

constexpr const char* kNeedsAdministratorChinese =
    "\n拒绝访问：安装打印机驱动需要管理员权限，请以管理员身份运行本程序。";
constexpr const char* kNeedsAdministratorEnglish =
    "\nAccess denied: installing a printer driver needs administrator rights. Run this program "
    "as an administrator.";

}  // namespace

std::string SpoolerFailureText(platform::Platform& platform, unsigned id, DWORD error,
                               const std::string& detail) {
  std::string text = messages::LoadMessage(platform, id) + detail;
  if (error == ERROR_ACCESS_DENIED) {
    text += language::Pick(kNeedsAdministratorChinese, kNeedsAdministratorEnglish);
  }
  return text;
}

void ShowSpoolerFailure(platform::Platform& platform, unsigned id, DWORD error,
                        const std::string& detail) {
  messages::ShowText(platform, SpoolerFailureText(platform, id, error, detail));
}

}  // namespace install
