#include "ui/win32/win32_dialog_view.h"

#include <commctrl.h>

#include <vector>

#include "ui/win32/rich_text.h"

namespace ui::win32 {

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

// Drop-down lists. CB_ERR and CB_ERRSPACE are negative; every failure reads as kNoEntry.
namespace {

int IndexOrNone(LRESULT result) {
  return result < 0 ? DialogView::kNoEntry : static_cast<int>(result);
}

}  // namespace

void Win32DialogView::ResetContent(int id) {
  Send(id, CB_RESETCONTENT, 0, 0);
}

int Win32DialogView::AddString(int id, const std::string& text) {
  return IndexOrNone(Send(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void Win32DialogView::SetCurSel(int id, int index) {
  // -1 (sign-extended into WPARAM) is the documented "no selection".
  Send(id, CB_SETCURSEL, static_cast<WPARAM>(static_cast<INT_PTR>(index)), 0);
}

int Win32DialogView::GetCurSel(int id) const {
  return IndexOrNone(Send(id, CB_GETCURSEL, 0, 0));
}

int Win32DialogView::GetCount(int id) const {
  const LRESULT count = Send(id, CB_GETCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

std::string Win32DialogView::GetLBText(int id, int index) const {
  const WPARAM entry = static_cast<WPARAM>(static_cast<INT_PTR>(index));
  const LRESULT length = Send(id, CB_GETLBTEXTLEN, entry, 0);
  if (length < 0) {
    return std::string();
  }
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  if (Send(id, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(text.data())) < 0) {
    return std::string();
  }
  return text.data();
}

int Win32DialogView::FindStringExact(int id, int after, const std::string& text) const {
  return IndexOrNone(Send(id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(static_cast<INT_PTR>(after)),
                          reinterpret_cast<LPARAM>(text.c_str())));
}

int Win32DialogView::FindString(int id, int after, const std::string& text) const {
  return IndexOrNone(Send(id, CB_FINDSTRING, static_cast<WPARAM>(static_cast<INT_PTR>(after)),
                          reinterpret_cast<LPARAM>(text.c_str())));
}

void Win32DialogView::SetRichText(int id, const std::string& rtf) {
  ShowRichText(dialog_, id, rtf);
}

// One tooltip control for the page, relaying the mouse messages of its tools itself
// (TTF_SUBCLASS), activated, with tips at most 200 pixels wide.
void Win32DialogView::SetToolTip(int id, const std::string& text) {
  if (toolTip_ == nullptr) {
    toolTip_ = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 dialog_, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (toolTip_ == nullptr) {
      return;
    }
    ::SendMessageA(toolTip_, TTM_ACTIVATE, TRUE, 0);
    ::SendMessageA(toolTip_, TTM_SETMAXTIPWIDTH, 0, 200);
  }
  TOOLINFOA tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog_;
  tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
  std::vector<char> tip(text.begin(), text.end());
  tip.push_back('\0');
  tool.lpszText = tip.data();
  ::SendMessageA(toolTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32DialogView::SetLabelStyle(int id, const LabelStyle& style) {
  auto& label = labels_[id];
  if (!label) {
    label = std::make_unique<ColorLabel>(Control(id));
  }
  label->SetTextColor(style.textColor);
  label->SetBackgroundColor(style.backColor);
  label->SetFontSize(style.fontHeight);
  label->SetFontFace(style.fontFace);
}

HBRUSH Win32DialogView::LabelBrush(HWND control, HDC dc) const {
  for (const auto& entry : labels_) {
    if (entry.second->hwnd() == control) {
      return entry.second->OnControlColor(dc);
    }
  }
  return nullptr;
}

}  // namespace ui::win32
