#include "app/wizard_flow.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/wizard_parts.h"
#include "fakes/fake_dialog_view.h"
#include "platform/sim/sim_machine.h"
#include "resources/resource_ids.h"

namespace {

using platform::sim::SimMachine;
using testing_support::FakeDialogView;

constexpr const char* kNext = "下一步（&N）>>";
constexpr const char* kFinish = "完成（&F）";

class FakeHost final : public app::WizardHost {
 public:
  FakeHost() {
    frame.Enable(IDC_BACK, false);
    frame.Enable(IDC_NEXT_FINISH, false);
    pages[app::kPortPageIndex].SetSorted(IDC_PORT_LIST);
  }
  ui::DialogView& frameView() override { return frame; }
  ui::DialogView& pageView(int index) override { return pages[index]; }
  void ShowPageWindow(int, bool) override {}
  void EndWizard(int result) override {
    endResult = result;
    ++ends;
  }

  FakeDialogView frame;
  FakeDialogView pages[5];
  int endResult = 0;
  int ends = 0;
};

// The whole wizard over the simulated Windows XP and a two-model package.
class WizardFlowTest : public ::testing::Test {
 public:
  WizardFlowTest() {
    machine.SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup.ini",
                             "[DEVICENAME]\nDEVICENUMBER=2\nDEVICENAME1=A-ReceiptPrinter\n"
                             "DEVICENAME2=B-ReceiptPrinter\nDEFAULTNAME=1\n");
    SetPortOptions("A", "AdvancedSetup=1\nSystem2003Supported=1\nBaudRate=19200\n");
    SetPortOptions("B", "AdvancedSetup=0\nSystem2003Supported=0\nBaudRate=57600\n");
  }
  void SetPortOptions(const std::string& model, const std::string& keys) {
    receiptIni += "[" + model + ".PORT]\n" + keys;
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup_receipt.ini", receiptIni);
  }
  void Start() {
    for (int i = 0; i < wizard.pageCount(); ++i) {
      wizard.page(i).OnInitDialog(host.pages[i]);
    }
    wizard.OnInitDialog(host);
  }
  void Click(int page, int id) {
    wizard.page(page).OnCommand(host.pages[page], host.frame, id, ui::kButtonClicked);
  }
  void Next() { wizard.OnNextOrFinish(host); }
  void Back() { wizard.GoBack(host); }
  FakeDialogView& view(int page) { return host.pages[page]; }
  std::string SelectedBaud() {
    FakeDialogView& port = view(app::kPortPageIndex);
    return port.GetLBText(IDC_BAUD_LIST, port.GetCurSel(IDC_BAUD_LIST));
  }

  SimMachine machine;
  std::string receiptIni;
  std::vector<install::InstallSelection> finished;
  app::FinishOutcome outcome = app::FinishOutcome::kClose;
  bool endsBeforeReturning = false;
  app::WizardParts parts{
      machine.platform(), "{\\rtf1 licence}",
      [this](install::InstallSelection& selection, const std::function<void()>& endWizard) {
        finished.push_back(selection);
        if (endsBeforeReturning) {
          endWizard();
        }
        return outcome;
      }};
  app::SetupWizard& wizard = parts.wizard;
  pages::PrinterPage& printer = parts.printer;
  pages::ModePage& mode = parts.mode;
  pages::PortPage& port = parts.port;
  FakeHost host;
};

TEST_F(WizardFlowTest, ButtonsFollowTheUsersMoves) {
  struct Row {
    const char* moment;
    std::function<void(WizardFlowTest&)> act;
    int page;
    bool back;
    bool next;
    const char* caption;
  };
  const Row rows[] = {
      {"shown", [](WizardFlowTest&) {}, 0, false, false, kNext},
      {"accept", [](WizardFlowTest& t) { t.Click(0, IDC_LICENCE_ACCEPT); }, 0, false, true, kNext},
      {"decline", [](WizardFlowTest& t) { t.Click(0, IDC_LICENCE_DECLINE); }, 0, false, false,
       kNext},
      {"accept again", [](WizardFlowTest& t) { t.Click(0, IDC_LICENCE_ACCEPT); }, 0, false, true,
       kNext},
      {"to printer", [](WizardFlowTest& t) { t.Next(); }, 1, true, true, kNext},
      {"to mode", [](WizardFlowTest& t) { t.Next(); }, 2, true, true, kNext},
      {"to system", [](WizardFlowTest& t) { t.Next(); }, 3, true, true, kNext},
      {"to port", [](WizardFlowTest& t) { t.Next(); }, 4, true, true, kFinish},
      {"back to system", [](WizardFlowTest& t) { t.Back(); }, 3, true, true, kNext},
      {"port again", [](WizardFlowTest& t) { t.Next(); }, 4, true, true, kFinish},
      {"back to licence",
       [](WizardFlowTest& t) {
         for (int i = 0; i < 4; ++i)
           t.Back();
       },
       0, false, true, kNext},
  };
  Start();
  for (const Row& row : rows) {
    row.act(*this);
    EXPECT_EQ(wizard.currentPage(), row.page) << row.moment;
    EXPECT_EQ(host.frame.IsEnabled(IDC_BACK), row.back) << row.moment;
    EXPECT_EQ(host.frame.IsEnabled(IDC_NEXT_FINISH), row.next) << row.moment;
    EXPECT_EQ(host.frame.GetText(IDC_NEXT_FINISH), row.caption) << row.moment;
  }
}

// A package whose models all lack a family: the printer page offers nothing to go on with.
TEST_F(WizardFlowTest, WithoutModelsNextStaysDisabledOnThePrinterPage) {
  machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup.ini",
                           "[DEVICENAME]\nDEVICENUMBER=1\nDEVICENAME1=K-KioskPrinter\n");
  Start();
  Click(0, IDC_LICENCE_ACCEPT);
  EXPECT_TRUE(host.frame.IsEnabled(IDC_NEXT_FINISH));
  Next();
  EXPECT_EQ(wizard.currentPage(), 1);
  EXPECT_TRUE(host.frame.IsEnabled(IDC_BACK));
  EXPECT_FALSE(host.frame.IsEnabled(IDC_NEXT_FINISH));
}

TEST_F(WizardFlowTest, AdvancedFollowsTheChosenModel) {
  Start();
  Click(0, IDC_LICENCE_ACCEPT);
  Next();
  Next();
  EXPECT_TRUE(view(2).IsEnabled(IDC_MODE_ADVANCED));
  Click(2, IDC_MODE_ADVANCED);
  EXPECT_EQ(mode.installMode(), kModeAdvanced);
  Back();
  view(1).SetCurSel(IDC_MODELS_RECEIPT, 1);  // B: Typical only
  printer.OnCommand(view(1), host.frame, IDC_MODELS_RECEIPT, ui::kSelectionChanged);
  Next();
  EXPECT_FALSE(view(2).IsEnabled(IDC_MODE_ADVANCED));
  EXPECT_TRUE(view(2).IsChecked(IDC_MODE_TYPICAL));
  EXPECT_FALSE(view(2).IsChecked(IDC_MODE_ADVANCED));
  EXPECT_FALSE(view(2).IsVisible(IDC_MODE_DESCRIPTION_MORE));
  EXPECT_EQ(mode.installMode(), kModeTypical);
}

// A model with "AdvancedSetup" 1 re-enables the button and leaves the user's choice as it is:
// a chosen Advanced stays chosen, and after a Typical-only model Typical stays.
TEST_F(WizardFlowTest, AModelAllowingAdvancedKeepsTheChoice) {
  Start();
  Click(0, IDC_LICENCE_ACCEPT);
  Next();
  Next();
  view(2).SetCheck(IDC_MODE_TYPICAL, false);
  view(2).SetCheck(IDC_MODE_ADVANCED, true);
  Click(2, IDC_MODE_ADVANCED);
  Back();
  Next();  // A again
  EXPECT_TRUE(view(2).IsEnabled(IDC_MODE_ADVANCED));
  EXPECT_TRUE(view(2).IsChecked(IDC_MODE_ADVANCED));
  EXPECT_FALSE(view(2).IsChecked(IDC_MODE_TYPICAL));
  EXPECT_EQ(mode.installMode(), kModeAdvanced);

  Back();
  view(1).SetCurSel(IDC_MODELS_RECEIPT, 1);  // B: Typical only
  printer.OnCommand(view(1), host.frame, IDC_MODELS_RECEIPT, ui::kSelectionChanged);
  Next();
  Back();
  view(1).SetCurSel(IDC_MODELS_RECEIPT, 0);  // A
  printer.OnCommand(view(1), host.frame, IDC_MODELS_RECEIPT, ui::kSelectionChanged);
  Next();
  EXPECT_TRUE(view(2).IsEnabled(IDC_MODE_ADVANCED));
  EXPECT_TRUE(view(2).IsChecked(IDC_MODE_TYPICAL));
  EXPECT_EQ(mode.installMode(), kModeTypical);
}

// The model's options are read once, when the printer page is left: a configuration changed
// after that does not reach the later pages.
TEST_F(WizardFlowTest, TheModelsOptionsAreReadWhenThePrinterPageIsLeft) {
  receiptIni = "";
  SetPortOptions("A", "AdvancedSetup=1\nBaudRate=19200\nUSBSUPPORTED=1\n");
  Start();
  Click(0, IDC_LICENCE_ACCEPT);
  Next();
  Next();
  receiptIni = "";
  SetPortOptions("A", "AdvancedSetup=0\nBaudRate=57600\nUSBSUPPORTED=0\n");
  Next();
  Next();
  ASSERT_EQ(wizard.currentPage(), app::kPortPageIndex);
  EXPECT_EQ(SelectedBaud(), "19200");
  FakeDialogView& port = view(app::kPortPageIndex);
  EXPECT_NE(port.FindStringExact(IDC_PORT_LIST, ui::DialogView::kNoEntry, "USB_A_1"),
            ui::DialogView::kNoEntry);
}

TEST_F(WizardFlowTest, TheModelsRateAppliesOnFirstArrivalAndAfterGoingBackPastTheModePage) {
  Start();
  Click(0, IDC_LICENCE_ACCEPT);
  for (int i = 0; i < 4; ++i)
    Next();
  EXPECT_EQ(SelectedBaud(), "19200");
  EXPECT_EQ(port.serial().baudRate, 19200);

  view(4).SetCurSel(IDC_BAUD_LIST, 9);
  port.OnCommand(view(4), host.frame, IDC_BAUD_LIST, ui::kSelectionChanged);
  Back();  // to the system page only: the user's rate stays
  Next();
  EXPECT_EQ(SelectedBaud(), "115200");
  EXPECT_EQ(port.serial().baudRate, 115200);

  for (int i = 0; i < 3; ++i)
    Back();  // past the mode page
  for (int i = 0; i < 3; ++i)
    Next();
  EXPECT_EQ(SelectedBaud(), "19200");
  EXPECT_EQ(port.serial().baudRate, 19200);
}

TEST_F(WizardFlowTest, Server2003RefusesAModelWithoutItsSupportOnTheSystemPage) {
  machine.SetVersion(VER_PLATFORM_WIN32_NT, 5, 2);
  Start();
  Click(0, IDC_LICENCE_ACCEPT);
  Next();
  view(1).SetCurSel(IDC_MODELS_RECEIPT, 1);
  printer.OnCommand(view(1), host.frame, IDC_MODELS_RECEIPT, ui::kSelectionChanged);
  Next();
  Next();
  Next();
  Next();
  EXPECT_EQ(wizard.currentPage(), app::kOsPageIndex);
  ASSERT_EQ(machine.messageBoxes().size(), 2u);
  EXPECT_EQ(machine.messageBoxes()[0].text, "此种打印机不支持WINDOWS SEVER 2003系统");
  EXPECT_EQ(host.frame.GetText(IDC_NEXT_FINISH), kNext);
  // The rate was applied on the first refused move all the same, once.
  EXPECT_EQ(SelectedBaud(), "57600");
}

TEST_F(WizardFlowTest, FinishHandsOnEverythingThePagesHoldAndClosesOnlyWhenTold) {
  Start();
  Click(0, IDC_LICENCE_ACCEPT);
  Next();
  view(1).SetCheck(IDC_SET_DEFAULT, true);
  for (int i = 0; i < 3; ++i)
    Next();
  FakeDialogView& portView = view(4);
  ASSERT_EQ(portView.GetLBText(IDC_PORT_LIST, portView.GetCurSel(IDC_PORT_LIST)), "KSCOM1:");
  portView.SetCurSel(IDC_PARITY_LIST, 4);  // Space
  port.OnCommand(portView, host.frame, IDC_PARITY_LIST, ui::kSelectionChanged);

  outcome = app::FinishOutcome::kStay;
  Next();
  ASSERT_EQ(finished.size(), 1u);
  EXPECT_EQ(host.endResult, 0);
  const install::InstallSelection& s = finished[0];
  EXPECT_EQ(s.printerType, kReceiptPrinter);
  EXPECT_EQ(s.targetOs, kTargetWinXp);
  EXPECT_STREQ(s.modelName, "A");
  EXPECT_STREQ(s.portEntry, "KSCOM1:");
  EXPECT_EQ(s.driverFlavor, kFlavorStd);
  EXPECT_EQ(s.setAsDefault, 1);
  EXPECT_EQ(s.installMode, kModeTypical);
  EXPECT_EQ(s.serial.baudRate, 19200);
  EXPECT_EQ(s.serial.parity, 'S');

  portView.SetCurSel(IDC_PORT_LIST, portView.FindStringExact(IDC_PORT_LIST, -1, "LPT1:"));
  port.OnCommand(portView, host.frame, IDC_PORT_LIST, ui::kSelectionChanged);
  outcome = app::FinishOutcome::kClose;
  Next();
  ASSERT_EQ(finished.size(), 2u);
  EXPECT_STREQ(finished[1].portEntry, "LPT1:");
  EXPECT_EQ(finished[1].driverFlavor, kFlavorGdi);
  EXPECT_EQ(host.endResult, app::kWizardOk);
  EXPECT_EQ(host.ends, 1);
}

TEST_F(WizardFlowTest, FinishThatEndsTheWizardItselfClosesItOnce) {
  Start();
  Click(0, IDC_LICENCE_ACCEPT);
  for (int i = 0; i < 4; ++i)
    Next();
  endsBeforeReturning = true;
  Next();
  ASSERT_EQ(finished.size(), 1u);
  EXPECT_EQ(host.endResult, app::kWizardOk);
  EXPECT_EQ(host.ends, 1);
}

}  // namespace
