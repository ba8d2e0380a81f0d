#include "ui/win32/dialog.h"
#include "language/language.h"

namespace ui::win32 {

INT_PTR Dialog::DoModal(int templateId, HWND parent) {
  return ::DialogBoxParamA(::GetModuleHandleA(nullptr),
                           MAKEINTRESOURCEA(language::ResourceId(templateId)), parent,
                           &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateChild(int templateId, HWND parent) {
  return ::CreateDialogParamA(::GetModuleHandleA(nullptr),
                              MAKEINTRESOURCEA(language::ResourceId(templateId)), parent,
                              &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (self == nullptr) {
    return FALSE;
  }
  // No exception may cross back into Windows.
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}

}  // namespace ui::win32
