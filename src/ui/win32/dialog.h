// The dialog layer's base: one static dialog procedure that finds the C++ object behind a
// window (stored at WM_INITDIALOG) and forwards every message to it.
#pragma once

#include <windows.h>

namespace ui::win32 {

class Dialog {
 public:
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog() = default;

  // Runs the dialog modally; returns the EndDialog result.
  INT_PTR DoModal(int templateId, HWND parent);
  // Creates the dialog as a child window of parent, hidden until shown.
  HWND CreateChild(int templateId, HWND parent);

  HWND hwnd() const { return hwnd_; }

 protected:
  // Returns TRUE when the message was handled (and, for WM_INITDIALOG, whether Windows should
  // set the focus). A result for Windows to read goes through DWLP_MSGRESULT.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace ui::win32
