// DialogView over a real dialog: each operation is one call on the control with that id.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "ui/dialog_view.h"
#include "ui/win32/color_label.h"

namespace ui::win32 {

class Win32DialogView final : public DialogView {
 public:
  explicit Win32DialogView(HWND dialog = nullptr) : dialog_(dialog) {}
  Win32DialogView(const Win32DialogView&) = delete;
  Win32DialogView& operator=(const Win32DialogView&) = delete;
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
  int FindString(int id, int after, const std::string& text) const override;

  void SetRichText(int id, const std::string& rtf) override;
  void SetToolTip(int id, const std::string& text) override;
  void SetLabelStyle(int id, const LabelStyle& style) override;

  // The brush of a coloured label for its control-colour request; null for other controls.
  HBRUSH LabelBrush(HWND control, HDC dc) const;

 private:
  HWND Control(int id) const { return ::GetDlgItem(dialog_, id); }
  LRESULT Send(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageA(dialog_, id, message, wParam, lParam);
  }
  HWND dialog_;
  HWND toolTip_ = nullptr;  // a child of the dialog, destroyed with it
  std::map<int, std::unique_ptr<ColorLabel>> labels_;
};

}  // namespace ui::win32
