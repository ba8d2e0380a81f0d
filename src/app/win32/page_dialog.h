// A wizard page's window: a borderless child dialog that hands its initialisation and control
// notifications to the page logic. Enter and Esc inside a page do nothing.
#pragma once

#include "app/win32/dialog.h"
#include "app/win32/win32_dialog_view.h"
#include "app/wizard_page.h"

namespace app::win32 {

class PageDialog final : public Dialog {
 public:
  explicit PageDialog(WizardPage& page) : page_(page) {}
  HWND Create(HWND wizard) { return CreateChild(page_.templateId(), wizard); }
  DialogView& view() { return view_; }

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  WizardPage& page_;
  Win32DialogView view_;
};

}  // namespace app::win32
