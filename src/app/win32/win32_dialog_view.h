// DialogView over a real dialog: each operation is one call on the control with that id.
#pragma once

#include <windows.h>

#include "app/dialog_view.h"

namespace app::win32 {

class Win32DialogView final : public DialogView {
 public:
  explicit Win32DialogView(HWND dialog = nullptr) : dialog_(dialog) {}
  void Attach(HWND dialog) { dialog_ = dialog; }

  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) const override;
  void Enable(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void Show(int id, bool visible) override;
  bool IsVisible(int id) const override;
  void SetCheck(int id, bool checked) override;
  bool IsChecked(int id) const override;
  void SetFocus(int id) override;

  void ResetContent(int id) override;
  int AddString(int id, const std::string& text) override;
  void SetCurSel(int id, int index) override;
  int GetCurSel(int id) const override;
  int GetCount(int id) const override;
  std::string GetLBText(int id, int index) const override;
  int FindStringExact(int id, int after, const std::string& text) const override;

 private:
  HWND Control(int id) const { return ::GetDlgItem(dialog_, id); }
  LRESULT Send(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageA(dialog_, id, message, wParam, lParam);
  }
  HWND dialog_;
};

}  // namespace app::win32
