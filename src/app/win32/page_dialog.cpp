#include "app/win32/page_dialog.h"

namespace app::win32 {

INT_PTR PageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      view_.Attach(hwnd());
      page_.OnInitDialog(view_);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id != IDOK && id != IDCANCEL) {
        page_.OnCommand(view_, id, HIWORD(wParam));
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace app::win32
