// The wizard's pages, the rules between them and the frame's logic, built together in page
// order. The window and the unattended installation both run the wizard through these.
#pragma once

#include <string>

#include "pages/mode_page.h"
#include "pages/os_page.h"
#include "app/setup_wizard.h"
#include "app/wizard_flow.h"
#include "config/driver_config.h"
#include "pages/licence_page.h"
#include "pages/port_page.h"
#include "pages/printer_page.h"
#include "platform/platform.h"

namespace app {

struct WizardParts {
  WizardParts(platform::Platform& platform, std::string licenceRtf, FinishAction finish);
  WizardParts(const WizardParts&) = delete;
  WizardParts& operator=(const WizardParts&) = delete;

  config::DriverConfig modelList;
  pages::LicencePage licence;
  pages::PrinterPage printer;
  pages::ModePage mode;
  pages::OsPage os;
  pages::PortPage port;
  WizardFlow flow;
  SetupWizard wizard;
};

}  // namespace app
