// The wizard frame's window (dialog 102): creates every page inside the page frame, forwards
// Back, Next/Finish and Cancel to SetupWizard, and offers F1 help and the About box. Minimised,
// it draws the program icon centred, which is also its drag image.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/setup_wizard.h"
#include "ui/win32/dialog.h"
#include "ui/win32/page_dialog.h"
#include "ui/win32/page_key_filter.h"
#include "ui/win32/win32_dialog_view.h"

namespace app::win32 {

class WizardDialog final : public ui::win32::Dialog, public WizardHost {
 public:
  WizardDialog(SetupWizard& wizard, std::string caption);
  INT_PTR Run() { return DoModal(IDD_WIZARD_TEMPLATE, nullptr); }

  // WizardHost
  ui::DialogView& frameView() override { return frameView_; }
  ui::DialogView& pageView(int index) override;
  void ShowPageWindow(int index, bool visible) override;
  void EndWizard(int result) override;

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr int IDD_WIZARD_TEMPLATE = 102;
  void OnInitDialog();
  void AddAboutMenuEntry();
  void SetIcons();
  void CreatePages();
  void ShowHelp();
  void PaintMinimised();

  SetupWizard& wizard_;
  std::string caption_;
  ui::win32::Win32DialogView frameView_;
  std::vector<std::unique_ptr<ui::win32::PageDialog>> pages_;
  std::unique_ptr<ui::win32::PageKeyFilter> pageKeys_;
  HICON icon_ = nullptr;
};

}  // namespace app::win32
