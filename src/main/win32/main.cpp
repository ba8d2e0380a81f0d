// Setup.exe: starts the printer-driver installation wizard and ends when it closes.
#include <windows.h>
#include "language/language.h"
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "app/win32/file_log.h"
#include "app/win32/wizard_dialog.h"
#include "app/wizard_parts.h"
#include "install/install_sequence.h"
#include "messages/message_box.h"
#include "platform/win32/win32_platform.h"
#include "resources/resource_ids.h"
#include "ui/win32/rich_text.h"
#include "unattended/command_line.h"
#include "unattended/exit_codes.h"
#include "app/unattended_install.h"
#include "unattended/unattended_uninstall.h"

namespace {

const char* WizardCaption() {
  return language::Pick("安装打印机驱动程序", "Install Printer Driver");
}

// Common controls 4.70 and later have InitCommonControlsEx; Windows 98 and NT 4 as shipped
// have 4.00 with InitCommonControls only, so the newer call is looked up, never imported.
void InitCommonControlsAnyVersion() {
  HMODULE comctl = ::GetModuleHandleA("comctl32.dll");
  using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  auto initEx = comctl != nullptr ? reinterpret_cast<InitEx>(reinterpret_cast<void*>(
                                        ::GetProcAddress(comctl, "InitCommonControlsEx")))
                                  : nullptr;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  if (initEx == nullptr || !initEx(&controls)) {
    ::InitCommonControls();
  }
}

// The licence page's rich-text view needs OLE and a RichEdit library from the system folder.
// Failure ends the program before any window appears; only OLE's failure says so.
bool PrepareRichText(platform::Platform& platform) {
  if (FAILED(::OleInitialize(nullptr))) {
    messages::ShowMessage(platform, IDS_OLE_INIT_FAILED);
    return false;
  }
  if (!ui::win32::LoadRichTextLibrary()) {
    ::OleUninitialize();
    return false;
  }
  return true;
}

// The licence agreement, an RTF document kept as a resource of the program.
std::string LicenceAgreement() {
  HMODULE self = ::GetModuleHandleA(nullptr);
  HRSRC resource =
      ::FindResourceA(self, MAKEINTRESOURCEA(language::ResourceId(IDR_LICENCE_RTF)), RT_RCDATA);
  HGLOBAL loaded = resource != nullptr ? ::LoadResource(self, resource) : nullptr;
  const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (data == nullptr) {
    return std::string();
  }
  return std::string(static_cast<const char*>(data), ::SizeofResource(self, resource));
}

int RunWizard(platform::Platform& platform) {
  app::WizardParts parts(
      platform, LicenceAgreement(),
      [&platform](install::InstallSelection& selection, const std::function<void()>& endWizard) {
        return install::InstallSequence(platform, selection, endWizard) ==
                       install::SequenceEnd::kStay
                   ? app::FinishOutcome::kStay
                   : app::FinishOutcome::kClose;
      });
  app::win32::WizardDialog window(parts.wizard, WizardCaption());
  window.Run();
  return 0;
}

// Runs without windows as the command line asks; returns the exit code.
int RunCommandLine(platform::Platform& platform, const unattended::CommandLine& line) {
  app::win32::FileLog log(line.logPath);
  std::string error = line.error;
  if (error.empty() && !log.isOpen()) {
    // A run that leaves no log cannot be judged afterwards: nothing is changed.
    error = "the log " + log.path() + " cannot be written";
  }
  if (!error.empty()) {
    log.Line("bad arguments: " + error);
    log.Line("result: 87 (bad arguments)");
    if (!line.quiet) {
      messages::ShowText(platform, error + "\n\n" + unattended::UsageText());
    }
    return unattended::kExitBadArguments;
  }
  if (!line.uninstallModel.empty()) {
    return unattended::RunUninstall(platform, line.uninstallModel, line.quiet, log);
  }
  return unattended::RunUnattendedInstall(platform, line.answersPath, log);
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR commandLine,
                   int /*show*/) {
  const unattended::CommandLine line =
      unattended::ParseCommandLine(commandLine != nullptr ? commandLine : "");
  language::SetCurrent(language::Choose(::GetACP(), line.language));
  platform::Win32Platform win32;
  if (line.help) {
    messages::ShowText(win32.Get(), unattended::UsageText());
    return 0;
  }
  if (!line.interactive()) {
    return RunCommandLine(win32.Get(), line);
  }

  InitCommonControlsAnyVersion();
  if (!PrepareRichText(win32.Get())) {
    return 1;
  }
  const int result = RunWizard(win32.Get());
  ::OleUninitialize();
  return result;
}
