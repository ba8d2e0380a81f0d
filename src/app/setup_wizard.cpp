#include "app/setup_wizard.h"

#include "language/language.h"
#include "resources/resource_ids.h"

namespace app {
namespace {

const char* BackCaption() {
  return language::Pick("<<上一步（&B）", "<< &Back");
}
const char* NextCaption() {
  return language::Pick("下一步（&N）>>", "&Next >>");
}
const char* FinishCaption() {
  return language::Pick("完成（&F）", "&Finish");
}
const char* CancelCaption() {
  return language::Pick("取消（&C）", "&Cancel");
}

}  // namespace

void SetupWizard::AddPage(std::string title, ui::WizardPage& page) {
  pages_.push_back(Entry{std::move(title), &page});
}

void SetupWizard::OnInitDialog(WizardHost& host) {
  if (!pages_.empty()) {
    ShowPage(host, 0);
  }
  ui::DialogView& frame = host.frameView();
  frame.SetText(IDC_BACK, BackCaption());
  frame.SetText(IDC_NEXT_FINISH, pageCount() >= 2 ? NextCaption() : FinishCaption());
  frame.SetText(IDC_CANCEL_WIZARD, CancelCaption());
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
    frame.SetText(IDC_NEXT_FINISH, FinishCaption());
    rules_.OnArrivedOnLastPage(host);
  }
  frame.Enable(IDC_BACK, true);
  frame.SetFocus(IDC_NEXT_FINISH);
}

void SetupWizard::GoBack(WizardHost& host) {
  ui::DialogView& frame = host.frameView();
  if (currentPage_ > 0) {
    frame.SetText(IDC_NEXT_FINISH, NextCaption());
    ShowPage(host, currentPage_ - 1);
  }
  if (currentPage_ <= 0) {
    frame.Enable(IDC_BACK, false);
    frame.SetFocus(IDC_NEXT_FINISH);
  }
  frame.Enable(IDC_NEXT_FINISH, true);
}

}  // namespace app
