#include "ui/win32/page_dialog.h"

namespace ui::win32 {

INT_PTR PageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      view_.Attach(hwnd());
      page_.OnInitDialog(view_);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id != IDOK && id != IDCANCEL) {
        page_.OnCommand(view_, frame_, id, HIWORD(wParam));
      }
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      // A coloured label answers for itself; other controls get the default colours.
      return reinterpret_cast<INT_PTR>(
          view_.LabelBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
    default:
      return FALSE;
  }
}

}  // namespace ui::win32
