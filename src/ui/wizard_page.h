// A page of the wizard as the frame sees it: a template to create it from, its initialisation,
// its commands, and the exchange of values from its controls when it is left.
#pragma once

#include "ui/dialog_view.h"

namespace ui {

class WizardPage {
 public:
  virtual ~WizardPage() = default;
  virtual int templateId() const = 0;
  // Runs once, when the page's window is created (hidden) as the wizard starts.
  virtual void OnInitDialog(DialogView& view) = 0;
  // A control of the page sent a notification (BN_CLICKED, CBN_SELCHANGE and the like).
  // `frame` holds the wizard's own buttons, which some pages enable.
  virtual void OnCommand(DialogView& view, DialogView& frame, int id, int code) {
    (void)view;
    (void)frame;
    (void)id;
    (void)code;
  }
  // Takes the page's values from its controls; false keeps the wizard on the page.
  virtual bool TakeValues(DialogView& view) {
    (void)view;
    return true;
  }
};

// Notification codes that pages react to (the values Windows sends).
constexpr int kButtonClicked = 0;     // BN_CLICKED
constexpr int kSelectionChanged = 1;  // CBN_SELCHANGE

}  // namespace ui
