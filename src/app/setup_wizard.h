// SetupWizard: the wizard frame's logic. It keeps the pages in their fixed order, moves one page
// forward or back, asks a page for its values before leaving it, and keeps the Back and
// Next/Finish buttons in the states the user expects.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/dialog_view.h"
#include "app/wizard_page.h"

namespace app {

// The frame window as the logic sees it.
class WizardHost {
 public:
  virtual ~WizardHost() = default;
  // The frame's own controls: Back, Next/Finish and Cancel.
  virtual DialogView& frameView() = 0;
  virtual DialogView& pageView(int index) = 0;
  virtual void ShowPageWindow(int index, bool visible) = 0;
};

class SetupWizard {
 public:
  void AddPage(std::string title, WizardPage& page);
  int pageCount() const { return static_cast<int>(pages_.size()); }
  WizardPage& page(int index) { return *pages_[static_cast<size_t>(index)].page; }
  int currentPage() const { return currentPage_; }

  // Finish on the last page runs this (the install sequence).
  void SetFinishAction(std::function<void()> action) { finish_ = std::move(action); }

  // After the page windows exist: shows the first page and sets the button captions.
  void OnInitDialog(WizardHost& host);
  // Control 1: Next, or Finish on the last page.
  void OnNextOrFinish(WizardHost& host);
  // Control 1002.
  void GoBack(WizardHost& host);
  void ShowPage(WizardHost& host, int index);

 private:
  struct Entry {
    std::string title;
    WizardPage* page;
  };
  bool IsLastPage() const { return currentPage_ == pageCount() - 1; }

  std::vector<Entry> pages_;
  int currentPage_ = -1;
  std::function<void()> finish_;
};

}  // namespace app
