#include "app/setup_wizard.h"

#include "resources/resource_ids.h"

namespace app {
namespace {

constexpr const char* kBackCaption = "<<上一步（&B）";
constexpr const char* kNextCaption = "下一步（&N）>>";
constexpr const char* kFinishCaption = "完成（&F）";
constexpr const char* kCancelCaption = "取消（&C）";

}  // namespace

void SetupWizard::AddPage(std::string title, ui::WizardPage& page) {
  pages_.push_back(Entry{std::move(title), &page});
}

void SetupWizard::OnInitDialog(WizardHost& host) {
  if (!pages_.empty()) {
    ShowPage(host, 0);
  }
  ui::DialogView& frame = host.frameView();
  frame.SetText(IDC_BACK, kBackCaption);
  frame.SetText(IDC_NEXT_FINISH, pageCount() >= 2 ? kNextCaption : kFinishCaption);
  frame.SetText(IDC_CANCEL_WIZARD, kCancelCaption);
}

void SetupWizard::ShowPage(WizardHost& host, int index) {
  const int from = currentPage_;
  if (from >= 0 && from < pageCount()) {
    if (!page(from).TakeValues(host.pageView(from))) {
      return;
    }
    host.ShowPageWindow(from, false);
  }
  if (index < 0 || index >= pageCount()) {
    return;
  }
  if (from >= 0 && !rules_.OnLeavePage(host, from, index)) {
    host.ShowPageWindow(from, true);
    return;
  }
  currentPage_ = index;
  host.ShowPageWindow(index, true);
}

void SetupWizard::OnNextOrFinish(WizardHost& host) {
  if (pages_.empty()) {
    return;
  }
  rules_.OnForwardPressed();
  if (IsLastPage()) {
    rules_.OnFinish(host);
    return;
  }
  NextStep(host);
}

void SetupWizard::NextStep(WizardHost& host) {
  ShowPage(host, currentPage_ + 1);
  ui::DialogView& frame = host.frameView();
  if (IsLastPage()) {
    frame.SetText(IDC_NEXT_FINISH, kFinishCaption);
    rules_.OnArrivedOnLastPage(host);
  }
  frame.Enable(IDC_BACK, true);
  frame.SetFocus(IDC_NEXT_FINISH);
}

void SetupWizard::GoBack(WizardHost& host) {
  ui::DialogView& frame = host.frameView();
  if (currentPage_ > 0) {
    frame.SetText(IDC_NEXT_FINISH, kNextCaption);
    ShowPage(host, currentPage_ - 1);
  }
  if (currentPage_ <= 0) {
    frame.Enable(IDC_BACK, false);
    frame.SetFocus(IDC_NEXT_FINISH);
  }
  frame.Enable(IDC_NEXT_FINISH, true);
}

}  // namespace app
