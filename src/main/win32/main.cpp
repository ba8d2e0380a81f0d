// Setup.exe: starts the printer-driver installation wizard and ends when it closes.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "app/single_run.h"
#include "app/win32/file_log.h"
#include "app/win32/wizard_dialog.h"
#include "app/wizard_parts.h"
#include "app/wow64_refusal.h"
#include "main/command_run.h"
#include "install/install_sequence.h"
#include "language/language.h"
#include "messages/message_box.h"
#include "platform/win32/win32_platform.h"
#include "resources/resource_ids.h"
#include "ui/win32/rich_text.h"
#include "unattended/command_line.h"
#include "unattended/exit_codes.h"
#include "unattended/start_up.h"

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

// The command line's run, with its log: no window when /quiet stands anywhere on the line.
int RunCommandLine(platform::Platform& platform, const unattended::CommandLine& line,
                   unattended::StartState start) {
  app::win32::FileLog log(line.logPath);
  if (!log.isOpen()) {
    start.logProblem = "the log " + log.path() + " cannot be written";
  }
  return launch::RunCommandLine(platform, line, start, log);
}

// On 64-bit Windows nothing is installed: a person is told, a run without windows logs it.
int RefuseOn64BitWindows(platform::Platform& platform, const unattended::CommandLine& line) {
  if (line.interactive()) {
    return app::RefuseOn64BitWindows(platform, true, nullptr);
  }
  app::win32::FileLog log(line.logPath);
  return app::RefuseOn64BitWindows(platform, !line.quiet, log.isOpen() ? &log : nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR commandLine,
                   int /*show*/) {
  platform::Win32Platform win32;
  const unattended::StartUp start =
      unattended::BeginRun(win32.Get().files, commandLine != nullptr ? commandLine : "");
  language::SetCurrent(language::Choose(::GetACP(), start.line.language));
  if (app::RunsUnderWow64(win32.Get())) {
    return RefuseOn64BitWindows(win32.Get(), start.line);
  }
  app::SingleRun run(win32.Get());
  if (!run.first()) {
    return run.RefuseSecondRun(start.line.quiet);
  }
  if (!start.line.interactive()) {
    return RunCommandLine(win32.Get(), start.line, start.state);
  }
  if (!start.state.folderFailure.empty()) {
    messages::ShowText(win32.Get(), start.state.folderFailure);
    return unattended::kExitFailed;
  }

  InitCommonControlsAnyVersion();
  if (!PrepareRichText(win32.Get())) {
    return 1;
  }
  const int result = RunWizard(win32.Get());
  ::OleUninitialize();
  return result;
}
