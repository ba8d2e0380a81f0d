// Setup.exe: starts the printer-driver installation wizard and ends when it closes.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/os_page.h"
#include "app/setup_wizard.h"
#include "app/win32/wizard_dialog.h"
#include "messages/message_box.h"
#include "platform/win32/win32_platform.h"
#include "resources/resource_ids.h"

namespace {

constexpr const char* kWizardCaption = "安装打印机驱动程序";

// The licence page's rich-text view needs OLE and the RichEdit library, both present on every
// supported system. Failure ends the program before any window appears.
bool PrepareRichText(platform::Platform& platform) {
  if (FAILED(::OleInitialize(nullptr))) {
    messages::ShowMessage(platform, IDS_OLE_INIT_FAILED);
    return false;
  }
  if (::LoadLibraryA("riched20.dll") == nullptr) {
    ::OleUninitialize();
    return false;
  }
  return true;
}

int RunWizard(platform::Platform& platform) {
  app::OsPage osPage(platform);

  app::SetupWizard wizard;
  wizard.AddPage("STEP 1\tSelect Install OS", osPage);

  app::win32::WizardDialog window(wizard, kWizardCaption);
  window.Run();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  platform::Win32Platform win32;
  if (!PrepareRichText(win32.Get())) {
    return 1;
  }
  const int result = RunWizard(win32.Get());
  ::OleUninitialize();
  return result;
}
