// A wizard page's window: a borderless child dialog that hands its initialisation and control
// notifications to the page logic. Enter and Esc inside a page do nothing.
#pragma once

#include "ui/win32/dialog.h"
#include "ui/win32/win32_dialog_view.h"
#include "ui/wizard_page.h"

namespace ui::win32 {

class PageDialog final : public Dialog {
 public:
  // `frame` is the wizard's view of its own buttons.
  PageDialog(WizardPage& page, DialogView& frame) : page_(page), frame_(frame) {}
  HWND Create(HWND wizard) { return CreateChild(page_.templateId(), wizard); }
  DialogView& view() { return view_; }

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  WizardPage& page_;
  DialogView& frame_;
  Win32DialogView view_;
};

}  // namespace ui::win32
