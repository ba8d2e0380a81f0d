#include "app/setup_wizard.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fakes/fake_dialog_view.h"
#include "resources/resource_ids.h"

namespace {

using testing_support::FakeDialogView;

constexpr const char* kNext = "下一步（&N）>>";
constexpr const char* kFinish = "完成（&F）";

class StubPage final : public ui::WizardPage {
 public:
  int templateId() const override { return 999; }
  void OnInitDialog(ui::DialogView&) override {}
  bool TakeValues(ui::DialogView&) override {
    ++valuesTaken;
    return !refuse;
  }
  bool refuse = false;
  int valuesTaken = 0;
};

// Records the frame's calls; refuses to leave one page when asked to.
class RecordingRules final : public app::WizardRules {
 public:
  void OnForwardPressed() override { ++forwardPresses; }
  bool OnLeavePage(app::WizardHost&, int from, int to) override {
    moves.push_back({from, to});
    return from != refuseLeaving;
  }
  void OnArrivedOnLastPage(app::WizardHost&) override { ++arrivalsOnLast; }
  void OnFinish(app::WizardHost&) override { ++finishes; }

  std::vector<std::pair<int, int>> moves;
  int refuseLeaving = -1;
  int forwardPresses = 0;
  int arrivalsOnLast = 0;
  int finishes = 0;
};

class FakeHost final : public app::WizardHost {
 public:
  explicit FakeHost(int pages) : pageViews(static_cast<size_t>(pages)), shown(pages, false) {
    // As in the template: Back and Next/Finish start disabled.
    frame.Enable(IDC_BACK, false);
    frame.Enable(IDC_NEXT_FINISH, false);
  }
  ui::DialogView& frameView() override { return frame; }
  ui::DialogView& pageView(int index) override { return pageViews[static_cast<size_t>(index)]; }
  void ShowPageWindow(int index, bool visible) override {
    shown[static_cast<size_t>(index)] = visible;
  }
  void EndWizard(int result) override { endResult = result; }
  int visiblePages() const {
    int count = 0;
    for (bool v : shown) {
      count += v ? 1 : 0;
    }
    return count;
  }

  FakeDialogView frame;
  std::vector<FakeDialogView> pageViews;
  std::vector<bool> shown;
  int endResult = 0;
};

struct Wizard {
  explicit Wizard(int count) : host(count) {
    for (int i = 0; i < count; ++i) {
      pages.push_back(std::make_unique<StubPage>());
      wizard.AddPage("page", *pages.back());
    }
  }
  std::vector<std::unique_ptr<StubPage>> pages;
  RecordingRules rules;
  app::SetupWizard wizard{rules};
  FakeHost host;
};

TEST(SetupWizardFrame, StartsOnTheFirstPageWithCaptionsAndDisabledButtons) {
  Wizard w(3);
  w.wizard.OnInitDialog(w.host);
  EXPECT_EQ(w.wizard.currentPage(), 0);
  EXPECT_TRUE(w.host.shown[0]);
  EXPECT_EQ(w.host.visiblePages(), 1);
  EXPECT_EQ(w.host.frame.GetText(IDC_BACK), "<<上一步（&B）");
  EXPECT_EQ(w.host.frame.GetText(IDC_NEXT_FINISH), kNext);
  EXPECT_EQ(w.host.frame.GetText(IDC_CANCEL_WIZARD), "取消（&C）");
  EXPECT_FALSE(w.host.frame.IsEnabled(IDC_BACK));
  EXPECT_FALSE(w.host.frame.IsEnabled(IDC_NEXT_FINISH));
}

TEST(SetupWizardFrame, SinglePageReadsFinishFromTheStart) {
  Wizard w(1);
  w.wizard.OnInitDialog(w.host);
  EXPECT_EQ(w.host.frame.GetText(IDC_NEXT_FINISH), kFinish);
}

TEST(SetupWizardFrame, NextMovesOnePageAndTurnsIntoFinishOnTheLast) {
  Wizard w(3);
  w.wizard.OnInitDialog(w.host);
  w.wizard.OnNextOrFinish(w.host);
  EXPECT_EQ(w.wizard.currentPage(), 1);
  EXPECT_EQ(w.pages[0]->valuesTaken, 1);
  EXPECT_TRUE(w.host.frame.IsEnabled(IDC_BACK));
  EXPECT_EQ(w.host.frame.GetText(IDC_NEXT_FINISH), kNext);
  EXPECT_EQ(w.host.frame.focus(), IDC_NEXT_FINISH);

  w.wizard.OnNextOrFinish(w.host);
  EXPECT_EQ(w.wizard.currentPage(), 2);
  EXPECT_EQ(w.host.frame.GetText(IDC_NEXT_FINISH), kFinish);
  EXPECT_EQ(w.host.visiblePages(), 1);
  EXPECT_TRUE(w.host.shown[2]);
}

TEST(SetupWizardFrame, FinishOnTheLastPageRunsTheFinishRuleOnly) {
  Wizard w(2);
  w.wizard.OnInitDialog(w.host);
  w.wizard.OnNextOrFinish(w.host);
  EXPECT_EQ(w.rules.finishes, 0);
  EXPECT_EQ(w.rules.arrivalsOnLast, 1);
  w.wizard.OnNextOrFinish(w.host);
  EXPECT_EQ(w.rules.finishes, 1);
  EXPECT_EQ(w.rules.forwardPresses, 2);
  EXPECT_EQ(w.wizard.currentPage(), 1);
  EXPECT_EQ(w.pages[1]->valuesTaken, 0);  // the finish rule takes what it needs itself
}

TEST(SetupWizardFrame, ARuleThatRefusesTheMoveShowsThePageAgain) {
  Wizard w(3);
  w.wizard.OnInitDialog(w.host);
  w.rules.refuseLeaving = 1;
  w.wizard.OnNextOrFinish(w.host);
  w.wizard.OnNextOrFinish(w.host);
  EXPECT_EQ(w.wizard.currentPage(), 1);
  EXPECT_TRUE(w.host.shown[1]);
  EXPECT_FALSE(w.host.shown[2]);
  EXPECT_EQ(w.rules.arrivalsOnLast, 0);
  EXPECT_EQ(w.host.frame.GetText(IDC_NEXT_FINISH), kNext);
  EXPECT_EQ(w.rules.moves, (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}}));
}

TEST(SetupWizardFrame, APageThatRefusesKeepsTheWizardOnIt) {
  Wizard w(2);
  w.wizard.OnInitDialog(w.host);
  w.pages[0]->refuse = true;
  w.wizard.OnNextOrFinish(w.host);
  EXPECT_EQ(w.wizard.currentPage(), 0);
  EXPECT_TRUE(w.host.shown[0]);
  EXPECT_FALSE(w.host.shown[1]);
}

TEST(SetupWizardFrame, BackRestoresNextAndDisablesBackOnTheFirstPage) {
  Wizard w(3);
  w.wizard.OnInitDialog(w.host);
  w.wizard.OnNextOrFinish(w.host);
  w.wizard.OnNextOrFinish(w.host);
  w.host.frame.Enable(IDC_NEXT_FINISH, false);

  w.wizard.GoBack(w.host);
  EXPECT_EQ(w.wizard.currentPage(), 1);
  EXPECT_EQ(w.host.frame.GetText(IDC_NEXT_FINISH), kNext);
  EXPECT_TRUE(w.host.frame.IsEnabled(IDC_BACK));
  EXPECT_TRUE(w.host.frame.IsEnabled(IDC_NEXT_FINISH));

  w.wizard.GoBack(w.host);
  EXPECT_EQ(w.wizard.currentPage(), 0);
  EXPECT_FALSE(w.host.frame.IsEnabled(IDC_BACK));
  EXPECT_EQ(w.host.frame.focus(), IDC_NEXT_FINISH);
}

TEST(SetupWizardFrame, ArrivingOnTheLastPageAgainAfterBackSaysFinishAgain) {
  Wizard w(2);
  w.wizard.OnInitDialog(w.host);
  w.wizard.OnNextOrFinish(w.host);
  w.wizard.GoBack(w.host);
  EXPECT_EQ(w.host.frame.GetText(IDC_NEXT_FINISH), kNext);
  w.wizard.OnNextOrFinish(w.host);
  EXPECT_EQ(w.host.frame.GetText(IDC_NEXT_FINISH), kFinish);
}

}  // namespace
