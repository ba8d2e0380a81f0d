// The printer page: one radio button and one model list per printer family, filled once from
// the package's model list, with the package's default model preselected, and the box that
// makes the new printer the default printer.
#pragma once

#include "config/driver_config.h"
#include "config/install_types.h"
#include "ui/wizard_page.h"

namespace pages {

class PrinterPage final : public ui::WizardPage {
 public:
  // The page's family while no default model could be placed.
  static constexpr int kNoFamily = -1;

  explicit PrinterPage(config::DriverConfig& config) : config_(config) {}

  int templateId() const override;
  void OnInitDialog(ui::DialogView& view) override;
  void OnCommand(ui::DialogView& view, ui::DialogView& frame, int id, int code) override;
  bool TakeValues(ui::DialogView& view) override;

  int family() const { return family_; }
  const char* modelName() const { return modelBuffer_; }
  bool setAsDefault() const { return setAsDefault_; }
  bool modelsAvailable() const { return modelsAvailable_; }

 private:
  void FillLists(ui::DialogView& view);
  void PreselectDefaultModel(ui::DialogView& view);
  void ChooseFamily(ui::DialogView& view, int family);
  // ModelBuffer follows the list's selection; no selection clears it.
  void CopySelectedModel(ui::DialogView& view, int list);

  config::DriverConfig& config_;
  Text modelBuffer_ = {};
  int family_ = kReceiptPrinter;
  bool setAsDefault_ = false;
  bool modelsAvailable_ = true;
};

// Index of the entry that names `model` in a family's list: the entry equal to it without
// regard to case, else the first entry it begins (searched from the second entry on, wrapping
// round); kNoEntry when none does.
int FindDefaultModelEntry(const ui::DialogView& view, int list, const char* model);

}  // namespace pages
