// The installation-mode page: Typical installs the default driver for one USB printer;
// Advanced offers four USB ports per model and the choice of the driver flavour.
#pragma once

#include "config/install_types.h"
#include "platform/platform.h"
#include "ui/wizard_page.h"

namespace pages {

class ModePage final : public ui::WizardPage {
 public:
  explicit ModePage(platform::Platform& platform) : platform_(platform) {}

  int templateId() const override;
  void OnInitDialog(ui::DialogView& view) override;
  void OnCommand(ui::DialogView& view, ui::DialogView& frame, int id, int code) override;

  int installMode() const { return installMode_; }

  // The chosen model decides whether Advanced may be chosen. Allowing it keeps the choice;
  // refusing it brings back Typical, whatever was chosen before.
  void AllowAdvanced(ui::DialogView& view, bool allowed);

 private:
  void ChooseTypical(ui::DialogView& view);
  void ChooseAdvanced(ui::DialogView& view);

  platform::Platform& platform_;
  int installMode_ = kModeTypical;
};

}  // namespace pages
