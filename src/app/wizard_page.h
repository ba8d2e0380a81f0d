// A page of the wizard as the frame sees it: a template to create it from, its initialisation,
// its commands, and the exchange of values from its controls when it is left.
#pragma once

#include "app/dialog_view.h"

namespace app {

class WizardPage {
 public:
  virtual ~WizardPage() = default;
  virtual int templateId() const = 0;
  // Runs once, when the page's window is created (hidden) as the wizard starts.
  virtual void OnInitDialog(DialogView& view) = 0;
  // A control of the page sent a notification (BN_CLICKED and the like).
  virtual void OnCommand(DialogView& view, int id, int code) {
    (void)view;
    (void)id;
    (void)code;
  }
  // Takes the page's values from its controls; false keeps the wizard on the page.
  virtual bool TakeValues(DialogView& view) {
    (void)view;
    return true;
  }
};

}  // namespace app
