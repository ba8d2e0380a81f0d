#include "pages/mode_page.h"

#include <gtest/gtest.h>

#include "fakes/fake_dialog_view.h"
#include "messages/message_box.h"
#include "platform/sim/sim_machine.h"
#include "resources/resource_ids.h"

namespace {

using platform::sim::SimMachine;
using testing_support::FakeDialogView;

class ModePageTest : public ::testing::Test {
 protected:
  ModePageTest() { page.OnInitDialog(view); }
  void Click(int id, int code = ui::kButtonClicked) { page.OnCommand(view, frame, id, code); }
  std::string Text(unsigned id) { return messages::LoadMessage(machine.platform(), id); }

  SimMachine machine;
  FakeDialogView view;
  FakeDialogView frame;
  pages::ModePage page{machine.platform()};
};

TEST_F(ModePageTest, StartsTypicalAndEachButtonShowsItsDescription) {
  EXPECT_EQ(page.installMode(), kModeTypical);
  EXPECT_TRUE(view.IsChecked(IDC_MODE_TYPICAL));
  EXPECT_EQ(view.GetText(IDC_MODE_DESCRIPTION), Text(IDS_MODE_TYPICAL));

  Click(IDC_MODE_ADVANCED, ui::kSelectionChanged);  // not a click: nothing changes
  EXPECT_EQ(page.installMode(), kModeTypical);

  Click(IDC_MODE_ADVANCED);
  EXPECT_EQ(page.installMode(), kModeAdvanced);
  EXPECT_EQ(view.GetText(IDC_MODE_DESCRIPTION), Text(IDS_MODE_ADVANCED));
  EXPECT_EQ(view.GetText(IDC_MODE_DESCRIPTION_MORE), Text(IDS_MODE_ADVANCED_MORE));
  EXPECT_TRUE(view.IsVisible(IDC_MODE_DESCRIPTION_MORE));

  Click(IDC_MODE_TYPICAL);
  EXPECT_EQ(page.installMode(), kModeTypical);
  EXPECT_EQ(view.GetText(IDC_MODE_DESCRIPTION), Text(IDS_MODE_TYPICAL));
  EXPECT_FALSE(view.IsVisible(IDC_MODE_DESCRIPTION_MORE));
}

// Allowing Advanced keeps whatever was chosen; refusing it brings back Typical.
TEST_F(ModePageTest, TheModelDecidesWhetherAdvancedMayBeChosen) {
  view.SetCheck(IDC_MODE_TYPICAL, false);
  view.SetCheck(IDC_MODE_ADVANCED, true);
  Click(IDC_MODE_ADVANCED);
  page.AllowAdvanced(view, true);
  EXPECT_TRUE(view.IsEnabled(IDC_MODE_ADVANCED));
  EXPECT_TRUE(view.IsChecked(IDC_MODE_ADVANCED));
  EXPECT_EQ(page.installMode(), kModeAdvanced);

  page.AllowAdvanced(view, false);
  EXPECT_FALSE(view.IsEnabled(IDC_MODE_ADVANCED));
  EXPECT_TRUE(view.IsChecked(IDC_MODE_TYPICAL));
  EXPECT_FALSE(view.IsChecked(IDC_MODE_ADVANCED));
  EXPECT_EQ(page.installMode(), kModeTypical);
  EXPECT_EQ(view.GetText(IDC_MODE_DESCRIPTION), Text(IDS_MODE_TYPICAL));

  page.AllowAdvanced(view, true);
  EXPECT_TRUE(view.IsEnabled(IDC_MODE_ADVANCED));
  EXPECT_EQ(page.installMode(), kModeTypical);
}

}  // namespace
