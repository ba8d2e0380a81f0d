// The rules between the wizard's pages: which page values travel where, and when a move is
// refused. It holds the InstallSelection that the pages fill and Finish hands on.
#pragma once

#include <functional>

#include "pages/mode_page.h"
#include "pages/os_page.h"
#include "app/setup_wizard.h"
#include "config/driver_config.h"
#include "config/port_options.h"
#include "install/install_selection.h"
#include "pages/port_page.h"
#include "pages/printer_page.h"
#include "platform/platform.h"

namespace app {

// The pages' places in the wizard, in the order the user sees them.
enum PageIndex : int {
  kLicencePageIndex = 0,
  kPrinterPageIndex = 1,
  kModePageIndex = 2,
  kOsPageIndex = 3,
  kPortPageIndex = 4,
};

// What Finish leads to: the wizard stays open on the port page, or closes with OK.
enum class FinishOutcome { kStay, kClose };
// The action may close the wizard itself (endWizard) and then show a last message before it
// returns; the wizard is closed only once.
using FinishAction = std::function<FinishOutcome(install::InstallSelection&,
                                                 const std::function<void()>& endWizard)>;

struct WizardPages {
  pages::PrinterPage& printer;
  pages::ModePage& mode;
  pages::OsPage& os;
  pages::PortPage& port;
};

class WizardFlow final : public WizardRules {
 public:
  WizardFlow(platform::Platform& platform, WizardPages pages, FinishAction finish);

  void OnForwardPressed() override;
  bool OnLeavePage(WizardHost& host, int from, int to) override;
  void OnArrivedOnLastPage(WizardHost& host) override;
  void OnFinish(WizardHost& host) override;

  const install::InstallSelection& selection() const { return selection_; }

 private:
  void LeavePrinterPage(WizardHost& host);
  bool LeaveOsPage(WizardHost& host);
  // Every page gives its values, and the selection takes them.
  void TakeSelection(WizardHost& host);

  platform::Platform& platform_;
  WizardPages pages_;
  FinishAction finish_;
  install::InstallSelection selection_;
  // Set at start and whenever the user goes back past the mode page: the next move onto the
  // port page applies the model's configured baud rate.
  bool baudResetPending_ = true;
  // The chosen model's "%s.PORT" options, read once when the printer page is left.
  config::PortOptions portOptions_;
};

}  // namespace app
