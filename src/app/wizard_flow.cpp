#include "app/wizard_flow.h"

#include "config/text_buffer.h"
#include "messages/message_box.h"
#include "resources/resource_ids.h"

namespace app {

WizardFlow::WizardFlow(platform::Platform& platform, WizardPages pages, FinishAction finish)
    : platform_(platform), pages_(pages), finish_(std::move(finish)) {}

void WizardFlow::OnForwardPressed() {
  selection_.updateFlags = 0;
}

bool WizardFlow::OnLeavePage(WizardHost& host, int from, int to) {
  if (from == kModePageIndex && to < kModePageIndex) {
    baudResetPending_ = true;
  }
  if (from == kLicencePageIndex) {
    host.frameView().Enable(IDC_NEXT_FINISH, pages_.printer.modelsAvailable());
  }
  if (to <= from) {
    return true;
  }
  if (from == kPrinterPageIndex) {
    LeavePrinterPage(host);
  } else if (from == kOsPageIndex) {
    return LeaveOsPage(host);
  }
  return true;
}

void WizardFlow::LeavePrinterPage(WizardHost& host) {
  selection_.printerType = pages_.printer.family();
  config::DriverConfig config(platform_);
  config.SetPrinterType(pages_.printer.family());
  portOptions_ = config::ReadPortOptions(config, pages_.printer.modelName());
  pages_.mode.AllowAdvanced(host.pageView(kModePageIndex), portOptions_.advancedSetup);
}

bool WizardFlow::LeaveOsPage(WizardHost& host) {
  if (baudResetPending_) {
    pages_.port.ApplyConfiguredBaudRate(host.pageView(kPortPageIndex), portOptions_.baudRate);
    baudResetPending_ = false;
  }
  if (pages_.os.targetOs() == kTargetServer2003 && !portOptions_.system2003Supported) {
    messages::ShowMessage(platform_, IDS_NO_SERVER2003);
    return false;
  }
  return true;
}

void WizardFlow::OnArrivedOnLastPage(WizardHost& host) {
  selection_.printerType = pages_.printer.family();
  config::CopyText(selection_.modelName, pages_.printer.modelName());
  selection_.installMode = pages_.mode.installMode();
  selection_.targetOs = pages_.os.targetOs();
  pages_.port.BuildPortList(host.pageView(kPortPageIndex), selection_.modelName,
                            selection_.targetOs, portOptions_, selection_.installMode);
}

void WizardFlow::TakeSelection(WizardHost& host) {
  pages_.printer.TakeValues(host.pageView(kPrinterPageIndex));
  pages_.port.TakeValues(host.pageView(kPortPageIndex));
  selection_.installMode = pages_.mode.installMode();
  selection_.targetOs = pages_.os.targetOs();
  selection_.printerType = pages_.printer.family();
  config::CopyText(selection_.modelName, pages_.printer.modelName());
  selection_.setAsDefault = pages_.printer.setAsDefault() ? 1 : 0;
  config::CopyText(selection_.portEntry, pages_.port.portBuffer());
  selection_.driverFlavor = pages_.port.rasterFlag() != 0 ? kFlavorGdi : kFlavorStd;
  selection_.serial = pages_.port.serial();
}

void WizardFlow::OnFinish(WizardHost& host) {
  TakeSelection(host);
  if (!finish_) {
    return;
  }
  bool ended = false;
  const std::function<void()> endWizard = [&host, &ended] {
    if (!ended) {
      ended = true;
      host.EndWizard(kWizardOk);
    }
  };
  if (finish_(selection_, endWizard) == FinishOutcome::kClose) {
    endWizard();
  }
}

}  // namespace app
