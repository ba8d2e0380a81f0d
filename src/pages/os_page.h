// The target-system page: fixes the system the driver is installed for from the running
// Windows version, once, when the page is created. The user cannot change it.
#pragma once

#include "ui/wizard_page.h"
#include "config/install_types.h"
#include "platform/platform.h"

namespace pages {

class OsPage final : public ui::WizardPage {
 public:
  explicit OsPage(platform::Platform& platform) : platform_(platform) {}

  int templateId() const override;
  void OnInitDialog(ui::DialogView& view) override;

  int targetOs() const { return targetOs_; }

 private:
  platform::Platform& platform_;
  int targetOs_ = kTargetWin98Me;
};

}  // namespace pages
