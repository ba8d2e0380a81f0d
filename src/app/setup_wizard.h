// SetupWizard: the wizard frame's logic. It keeps the pages in their fixed order, moves one page
// forward or back, asks a page for its values before leaving it, and keeps the Back and
// Next/Finish buttons in the states the user expects. What is carried from page to page is
// left to WizardRules.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog_view.h"
#include "ui/wizard_page.h"

namespace app {

// The wizard's result after an installation, or a failure that ends it (IDOK).
constexpr int kWizardOk = 1;

// The frame window as the logic sees it.
class WizardHost {
 public:
  virtual ~WizardHost() = default;
  // The frame's own controls: Back, Next/Finish and Cancel.
  virtual ui::DialogView& frameView() = 0;
  virtual ui::DialogView& pageView(int index) = 0;
  virtual void ShowPageWindow(int index, bool visible) = 0;
  // Closes the wizard with a dialog result (IDOK, IDCANCEL).
  virtual void EndWizard(int result) = 0;
};

// The rules between pages, called by the frame at its moments.
class WizardRules {
 public:
  virtual ~WizardRules() = default;
  // Next or Finish was pressed.
  virtual void OnForwardPressed() {}
  // Page `from` has given its values and is hidden; page `to` is about to show. False keeps
  // the wizard on `from`.
  virtual bool OnLeavePage(WizardHost& host, int from, int to) {
    (void)host;
    (void)from;
    (void)to;
    return true;
  }
  // Next has just shown the last page.
  virtual void OnArrivedOnLastPage(WizardHost& host) { (void)host; }
  // Finish on the last page.
  virtual void OnFinish(WizardHost& host) { (void)host; }
};

class SetupWizard {
 public:
  explicit SetupWizard(WizardRules& rules) : rules_(rules) {}

  void AddPage(std::string title, ui::WizardPage& page);
  int pageCount() const { return static_cast<int>(pages_.size()); }
  ui::WizardPage& page(int index) { return *pages_[static_cast<size_t>(index)].page; }
  int currentPage() const { return currentPage_; }

  // After the page windows exist: shows the first page and sets the button captions.
  void OnInitDialog(WizardHost& host);
  // Control 1: Next, or Finish on the last page.
  void OnNextOrFinish(WizardHost& host);
  // Control 1002.
  void GoBack(WizardHost& host);
  void ShowPage(WizardHost& host, int index);

 private:
  struct Entry {
    std::string title;  // kept with the page, shown nowhere
    ui::WizardPage* page;
  };
  bool IsLastPage() const { return currentPage_ == pageCount() - 1; }
  void NextStep(WizardHost& host);

  WizardRules& rules_;
  std::vector<Entry> pages_;
  int currentPage_ = -1;
};

}  // namespace app
