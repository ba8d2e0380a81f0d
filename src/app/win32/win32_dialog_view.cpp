#include "app/win32/win32_dialog_view.h"

#include <vector>

namespace app::win32 {

void Win32DialogView::SetText(int id, const std::string& text) {
  ::SetDlgItemTextA(dialog_, id, text.c_str());
}

std::string Win32DialogView::GetText(int id) const {
  const int length = ::GetWindowTextLengthA(Control(id));
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  ::GetDlgItemTextA(dialog_, id, text.data(), length + 1);
  return text.data();
}

void Win32DialogView::Enable(int id, bool enabled) {
  ::EnableWindow(Control(id), enabled);
}

bool Win32DialogView::IsEnabled(int id) const {
  return ::IsWindowEnabled(Control(id)) != FALSE;
}

void Win32DialogView::Show(int id, bool visible) {
  ::ShowWindow(Control(id), visible ? SW_SHOW : SW_HIDE);
}

bool Win32DialogView::IsVisible(int id) const {
  return ::IsWindowVisible(Control(id)) != FALSE;
}

void Win32DialogView::SetCheck(int id, bool checked) {
  ::CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogView::IsChecked(int id) const {
  return ::IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
}

void Win32DialogView::SetFocus(int id) {
  ::SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
}

}  // namespace app::win32
