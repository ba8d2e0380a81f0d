#include "app/wizard_parts.h"

namespace app {

WizardParts::WizardParts(platform::Platform& platform, std::string licenceRtf, FinishAction finish)
    : modelList(platform),
      licence(std::move(licenceRtf)),
      printer(modelList),
      mode(platform),
      os(platform),
      port(platform),
      flow(platform, WizardPages{printer, mode, os, port}, std::move(finish)),
      wizard(flow) {
  // The titles are kept with the pages and shown nowhere.
  wizard.AddPage("阅读版权声明", licence);
  wizard.AddPage("STEP 2\tSelect Install Module", printer);
  wizard.AddPage("选择安装模式", mode);
  wizard.AddPage("STEP 1\tSelect Install OS", os);
  wizard.AddPage("STEP 3\tSet Printer Port and Confirm Setup", port);
}

}  // namespace app
