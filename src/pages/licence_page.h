// The licence page: shows the agreement; the wizard may go on only while it is accepted.
#pragma once

#include <string>

#include "ui/wizard_page.h"

namespace pages {

class LicencePage final : public ui::WizardPage {
 public:
  // `agreement` is the licence as an RTF document.
  explicit LicencePage(std::string agreement) : agreement_(std::move(agreement)) {}

  int templateId() const override;
  void OnInitDialog(ui::DialogView& view) override;
  void OnCommand(ui::DialogView& view, ui::DialogView& frame, int id, int code) override;

 private:
  std::string agreement_;
};

}  // namespace pages
