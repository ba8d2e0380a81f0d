#include "app/single_run.h"

#include "language/language.h"
#include "messages/message_box.h"
#include "unattended/exit_codes.h"

namespace app {

SingleRun::SingleRun(platform::Platform& platform)
    : platform_(platform),
      mutex_(platform.system.CreateMutexA(nullptr, FALSE, kSingleRunMutex)),
      // A mutex that cannot be made at all does not stop the run: nothing else would.
      first_(mutex_ == nullptr || platform.system.GetLastError() != ERROR_ALREADY_EXISTS) {}

SingleRun::~SingleRun() {
  if (mutex_ != nullptr) {
    platform_.files.CloseHandle(mutex_);
  }
}

int SingleRun::RefuseSecondRun(bool quiet) {
  if (!quiet) {
    messages::ShowText(
        platform_,
        language::Pick("另一个打印机驱动程序安装或删除正在进行。请等它结束后再运行本程序。",
                       "Another installation or removal of a printer driver is in progress. "
                       "Please wait until it ends, then run this program again."));
  }
  return unattended::kExitAnotherRun;
}

}  // namespace app
