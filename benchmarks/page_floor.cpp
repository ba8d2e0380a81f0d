// The floor of the wizard's own windows: Setup.exe's wizard and page templates, taken from the
// Setup.exe beside this program, created the way the wizard creates them (the About entry and
// the icons, every page hidden in order, then the first shown) with the licence agreement
// streamed into its view, and nothing else: no package read, no list filled, no check. Beside
// the start-up floor it shows how much of Setup.exe's start-up the windows of its templates
// take. The bench's driver times it from process creation to the window shown; Cancel ends it.
#include <windows.h>

#include <string>

#include "floor_window.h"
#include "resources/resource_ids.h"
#include "ui/win32/rich_text.h"

namespace {

constexpr int kPages[] = {IDD_LICENCE_PAGE, IDD_PRINTER_PAGE, IDD_MODE_PAGE, IDD_OS_PAGE,
                          IDD_PORT_PAGE};

HMODULE setupModule = nullptr;

// The agreement, put in place of its placeholder by the licence page's own code.
void ShowLicence(HWND page) {
  HRSRC resource = ::FindResourceA(setupModule, MAKEINTRESOURCEA(IDR_LICENCE_RTF), RT_RCDATA);
  HGLOBAL loaded = resource != nullptr ? ::LoadResource(setupModule, resource) : nullptr;
  const void* rtf = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (rtf != nullptr) {
    ui::win32::ShowRichText(
        page, IDC_LICENCE_TEXT,
        std::string(static_cast<const char*>(rtf), ::SizeofResource(setupModule, resource)));
  }
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    if (lparam == IDD_LICENCE_PAGE) {
      ShowLicence(page);
    }
    return TRUE;
  }
  return message == WM_COMMAND;
}

void CreatePages(HWND wizard) {
  RECT frame{};
  ::GetWindowRect(::GetDlgItem(wizard, IDC_PAGE_FRAME), &frame);
  ::MapWindowPoints(nullptr, wizard, reinterpret_cast<POINT*>(&frame), 2);
  HWND first = nullptr;
  for (int id : kPages) {
    HWND page = ::CreateDialogParamA(setupModule, MAKEINTRESOURCEA(id), wizard, PageProc, id);
    ::SetWindowPos(page, nullptr, frame.left, frame.top, frame.right - frame.left,
                   frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    first = first != nullptr ? first : page;
  }
  ::ShowWindow(first, SW_SHOW);
}

INT_PTR CALLBACK WizardProc(HWND wizard, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    char about[128] = {};
    ::LoadStringA(setupModule, IDS_ABOUT_MENU, about, sizeof(about));
    HMENU menu = ::GetSystemMenu(wizard, FALSE);
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about);
    HICON icon = ::LoadIconA(setupModule, MAKEINTRESOURCEA(IDI_PROGRAM));
    ::SendMessageA(wizard, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageA(wizard, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    CreatePages(wizard);
    ::SetWindowTextA(wizard, "Page floor");
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wparam) == IDC_CANCEL_WIZARD) {
    ::EndDialog(wizard, 0);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string setup(path, length);
  setup = setup.substr(0, setup.rfind('\\') + 1) + "Setup.exe";
  setupModule = ::LoadLibraryExA(setup.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (setupModule == nullptr) {
    return 4;
  }
  if (const int failed = floor_window::StartLikeTheWizard()) {
    return failed;
  }
  ui::win32::LoadRichTextLibrary();  // loaded already; this names its window class
  const INT_PTR result =
      ::DialogBoxParamA(setupModule, MAKEINTRESOURCEA(IDD_WIZARD), nullptr, WizardProc, 0);
  ::OleUninitialize();
  return result == 0 ? 0 : 3;
}
