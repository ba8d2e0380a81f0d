#include "app/wow64_refusal.h"

#include "language/language.h"
#include "messages/message_box.h"
#include "platform/loaded_module.h"
#include "unattended/exit_codes.h"

namespace app {
namespace {

constexpr const char* kShownReasonChinese =
    "本安装包只含32位打印机驱动程序，不能安装在64位Windows上。\n程序将退出，系统未作任何更改。";
constexpr const char* kShownReasonEnglish =
    "This package holds 32-bit printer drivers only and cannot install on 64-bit Windows.\n"
    "The program ends; nothing on this system was changed.";
constexpr const char* kLoggedReason =
    "not supported: this package holds 32-bit drivers only and cannot install on 64-bit Windows";

}  // namespace

bool RunsUnderWow64(platform::Platform& platform) {
  platform::LoadedModule kernel(platform.libraries, "kernel32.dll");
  const auto isWow64Process =
      kernel.loaded() ? kernel.Find<platform::IsWow64ProcessFn>("IsWow64Process") : nullptr;
  if (isWow64Process == nullptr) {
    return false;
  }
  BOOL wow64 = FALSE;
  return isWow64Process(platform.system.GetCurrentProcess(), &wow64) != FALSE && wow64 != FALSE;
}

int RefuseOn64BitWindows(platform::Platform& platform, bool showMessage, unattended::RunLog* log) {
  if (log != nullptr) {
    log->Line(kLoggedReason);
  }
  if (showMessage) {
    messages::ShowText(platform, language::Pick(kShownReasonChinese, kShownReasonEnglish));
  }
  if (log == nullptr) {
    return unattended::kExitNotSupported;
  }
  return unattended::LogResult(*log, unattended::kExitNotSupported,
                               "not supported on 64-bit Windows; nothing changed");
}

}  // namespace app
