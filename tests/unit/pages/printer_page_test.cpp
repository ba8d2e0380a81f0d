#include "pages/printer_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_dialog_view.h"
#include "platform/sim/sim_machine.h"
#include "resources/resource_ids.h"

namespace {

using platform::sim::SimMachine;
using testing_support::FakeDialogView;

struct DefaultCase {
  const char* name;
  std::vector<std::string> entries;
  const char* model;
  int expected;
};

class DefaultModelSearch : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultModelSearch, FindsTheEntryThatNamesTheDefault) {
  const DefaultCase& c = GetParam();
  FakeDialogView view;
  for (const std::string& entry : c.entries) {
    view.AddString(IDC_MODELS_RECEIPT, entry);
  }
  EXPECT_EQ(pages::FindDefaultModelEntry(view, IDC_MODELS_RECEIPT, c.model), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DefaultModelSearch,
    ::testing::Values(
        // An exact name wins over a longer name that begins with it, in either order.
        DefaultCase{"ExactAfterLonger", {"M100A", "M100"}, "M100", 1},
        DefaultCase{"ExactBeforeLonger", {"M100", "M100A"}, "M100", 0},
        DefaultCase{"ExactIgnoresCase", {"M100A", "m100"}, "M100", 1},
        // No exact name: the first entry it begins, searched from the second entry round.
        DefaultCase{"PrefixFromSecondEntry", {"M100A", "M100B"}, "M100", 1},
        DefaultCase{"PrefixWrapsToFirst", {"M100A", "X"}, "m100", 0},
        DefaultCase{"Nothing", {"A", "B"}, "M100", ui::DialogView::kNoEntry},
        DefaultCase{"EmptyList", {}, "M100", ui::DialogView::kNoEntry}),
    [](const auto& info) { return std::string(info.param.name); });

class PrinterPageTest : public ::testing::Test {
 protected:
  void WriteModelList(const std::string& entries) {
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup.ini", "[DEVICENAME]\n" + entries);
  }
  void Init() {
    config = std::make_unique<config::DriverConfig>(machine.platform());
    page = std::make_unique<pages::PrinterPage>(*config);
    page->OnInitDialog(view);
  }

  SimMachine machine;
  FakeDialogView view;
  FakeDialogView frame;
  std::unique_ptr<config::DriverConfig> config;
  std::unique_ptr<pages::PrinterPage> page;
};

TEST_F(PrinterPageTest, FillsTheFamiliesInListOrderAndPreselectsTheDefault) {
  WriteModelList(
      "DEVICENUMBER=5\nDEVICENAME1=R2-ReceiptPrinter\nDEVICENAME2=K1-KioskPrinter\n"
      "DEVICENAME3=R1-ReceiptPrinter\nDEVICENAME4=T1-TicketPrinter\n"
      "DEVICENAME5=L1-LabelPrinter\nDEFAULTNAME=4\n");
  Init();
  EXPECT_EQ(view.Entries(IDC_MODELS_RECEIPT), (std::vector<std::string>{"R2", "R1"}));
  EXPECT_EQ(view.Entries(IDC_MODELS_TICKET), (std::vector<std::string>{"T1"}));
  EXPECT_EQ(view.GetCount(IDC_MODELS_EMBEDDED), 0);
  EXPECT_FALSE(view.IsEnabled(IDC_FAMILY_EMBEDDED));
  EXPECT_TRUE(view.IsEnabled(IDC_FAMILY_LABEL));
  EXPECT_TRUE(view.IsChecked(IDC_FAMILY_TICKET));
  EXPECT_FALSE(view.IsChecked(IDC_FAMILY_RECEIPT));
  EXPECT_TRUE(view.IsEnabled(IDC_MODELS_TICKET));
  EXPECT_FALSE(view.IsEnabled(IDC_MODELS_RECEIPT));
  EXPECT_EQ(page->family(), kTicketPrinter);
  EXPECT_STREQ(page->modelName(), "T1");
  EXPECT_TRUE(page->modelsAvailable());
  EXPECT_FALSE(page->setAsDefault());

  // Another family's button: its list's selection becomes the model, its list alone enabled.
  page->OnCommand(view, frame, IDC_FAMILY_RECEIPT, ui::kButtonClicked);
  EXPECT_EQ(page->family(), kReceiptPrinter);
  EXPECT_STREQ(page->modelName(), "R2");
  EXPECT_TRUE(view.IsEnabled(IDC_MODELS_RECEIPT));
  EXPECT_FALSE(view.IsEnabled(IDC_MODELS_TICKET));

  view.SetCurSel(IDC_MODELS_RECEIPT, 1);
  page->OnCommand(view, frame, IDC_MODELS_RECEIPT, ui::kSelectionChanged);
  EXPECT_STREQ(page->modelName(), "R1");
  view.SetCurSel(IDC_MODELS_RECEIPT, ui::DialogView::kNoEntry);
  page->OnCommand(view, frame, IDC_MODELS_RECEIPT, ui::kSelectionChanged);
  EXPECT_STREQ(page->modelName(), "");
  EXPECT_EQ(page->family(), kReceiptPrinter);

  view.SetCheck(IDC_SET_DEFAULT, true);
  EXPECT_TRUE(page->TakeValues(view));
  EXPECT_TRUE(page->setAsDefault());
}

TEST_F(PrinterPageTest, WithoutModelsEverythingIsDisabledAndNoFamilyChosen) {
  WriteModelList("DEVICENUMBER=1\nDEVICENAME1=K1-KioskPrinter\nDEFAULTNAME=1\n");
  Init();
  EXPECT_FALSE(page->modelsAvailable());
  EXPECT_EQ(page->family(), pages::PrinterPage::kNoFamily);
  for (int id : {IDC_FAMILY_RECEIPT, IDC_FAMILY_TICKET, IDC_FAMILY_LABEL, IDC_FAMILY_EMBEDDED,
                 IDC_MODELS_RECEIPT, IDC_MODELS_TICKET, IDC_MODELS_LABEL, IDC_MODELS_EMBEDDED}) {
    EXPECT_FALSE(view.IsEnabled(id)) << id;
    EXPECT_FALSE(view.IsChecked(id)) << id;
  }
  EXPECT_STREQ(page->modelName(), "");
}

TEST_F(PrinterPageTest, ADefaultMissingFromItsListLeavesNoModel) {
  WriteModelList(
      "DEVICENUMBER=1\nDEVICENAME1=R1-ReceiptPrinter\nDEVICENAME2=Q9-ReceiptPrinter\n"
      "DEFAULTNAME=2\n");
  Init();
  EXPECT_TRUE(view.IsChecked(IDC_FAMILY_RECEIPT));
  EXPECT_EQ(view.GetCurSel(IDC_MODELS_RECEIPT), ui::DialogView::kNoEntry);
  EXPECT_STREQ(page->modelName(), "");
  EXPECT_EQ(page->family(), kReceiptPrinter);
}

}  // namespace
