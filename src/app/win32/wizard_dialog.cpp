#include "app/win32/wizard_dialog.h"
#include "language/language.h"

#include <shellapi.h>

#include "resources/resource_ids.h"

namespace app::win32 {
namespace {

// Each guide's window title is its own, so a second F1 finds the open guide of this language.
const char* HelpWindowTitle() {
  return language::Pick("打印机驱动安装手册", "Printer Driver Installation Guide");
}
const char* HelpFile() {
  return language::Pick(".\\Guide.CHM", ".\\GuideEn.CHM");
}

class AboutDialog final : public ui::win32::Dialog {
 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
    if (message == WM_INITDIALOG) {
      return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      ::EndDialog(hwnd(), LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  }
};

}  // namespace

WizardDialog::WizardDialog(SetupWizard& wizard, std::string caption)
    : wizard_(wizard), caption_(std::move(caption)) {
  static_assert(IDD_WIZARD_TEMPLATE == IDD_WIZARD, "wizard template id");
}

ui::DialogView& WizardDialog::pageView(int index) {
  return pages_[static_cast<size_t>(index)]->view();
}

void WizardDialog::ShowPageWindow(int index, bool visible) {
  ::ShowWindow(pages_[static_cast<size_t>(index)]->hwnd(), visible ? SW_SHOW : SW_HIDE);
}

void WizardDialog::EndWizard(int result) {
  ::EndDialog(hwnd(), result);
}

INT_PTR WizardDialog::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_DESTROY:
      pageKeys_.reset();
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_NEXT_FINISH:
          wizard_.OnNextOrFinish(*this);
          return TRUE;
        case IDC_BACK:
          wizard_.GoBack(*this);
          return TRUE;
        case IDC_CANCEL_WIZARD:
          ::EndDialog(hwnd(), IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
        AboutDialog about;
        about.DoModal(IDD_ABOUT, hwnd());
        return TRUE;
      }
      return FALSE;
    case WM_PAINT:
      if (!::IsIconic(hwnd())) {
        return FALSE;
      }
      PaintMinimised();
      return TRUE;
    case WM_QUERYDRAGICON:
      ::SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(icon_));
      return TRUE;
    case WM_HELP:
      ShowHelp();
      ::SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    default:
      return FALSE;
  }
}

void WizardDialog::OnInitDialog() {
  frameView_.Attach(hwnd());
  AddAboutMenuEntry();
  SetIcons();
  CreatePages();
  wizard_.OnInitDialog(*this);
  ::SetWindowTextA(hwnd(), caption_.c_str());
}

void WizardDialog::AddAboutMenuEntry() {
  HMENU menu = ::GetSystemMenu(hwnd(), FALSE);
  if (menu == nullptr) {
    return;
  }
  char text[128] = {};
  ::LoadStringA(::GetModuleHandleA(nullptr), language::ResourceId(IDS_ABOUT_MENU), text,
                sizeof(text));
  if (text[0] != '\0') {
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
  }
}

void WizardDialog::SetIcons() {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  HICON large = ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
  icon_ = large;
  auto small = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), 0));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : large));
}

void WizardDialog::CreatePages() {
  if (wizard_.pageCount() == 0) {
    return;
  }
  RECT frame{};
  ::GetWindowRect(::GetDlgItem(hwnd(), IDC_PAGE_FRAME), &frame);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&frame), 2);
  std::vector<HWND> pageWindows;
  for (int index = 0; index < wizard_.pageCount(); ++index) {
    pages_.push_back(std::make_unique<ui::win32::PageDialog>(wizard_.page(index), frameView_));
    HWND page = pages_.back()->Create(hwnd());
    ::SetWindowPos(page, nullptr, frame.left, frame.top, frame.right - frame.left,
                   frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    pageWindows.push_back(page);
  }
  pageKeys_ = std::make_unique<ui::win32::PageKeyFilter>(std::move(pageWindows));
}

void WizardDialog::PaintMinimised() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(hwnd(), &paint);
  ::SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc, x, y, icon_);
  ::EndPaint(hwnd(), &paint);
}

void WizardDialog::ShowHelp() {
  if (HWND help = ::FindWindowA(nullptr, HelpWindowTitle())) {
    if (::IsIconic(help)) {
      ::ShowWindow(help, SW_RESTORE);
    }
    ::SetForegroundWindow(help);
    ::BringWindowToTop(help);
    return;
  }
  ::ShellExecuteA(nullptr, "open", HelpFile(), nullptr, nullptr, SW_SHOW);
}

}  // namespace app::win32
