#include "ports/port_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_dialog_view.h"
#include "pages/port_page.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_usb_library.h"
#include "resources/resource_ids.h"

namespace {

using platform::sim::SimMachine;
using platform::sim::SimUsbDevice;
using platform::sim::SimUsbLibrary;
using testing_support::FakeDialogView;
using namespace ports;

using Names = std::vector<std::string>;

const Names kNtNames = {"KSCOM1:", "KSCOM2:", "KSCOM3:", "KSCOM4:", "KSCOM5:", "KSCOM6:",
                        "KSCOM7:", "KSCOM8:", "LPT1:",   "LPT2:",   "LPT3:"};

Names Plus(Names names, const Names& more) {
  names.insert(names.end(), more.begin(), more.end());
  return names;
}

class PortListTest : public ::testing::Test {
 protected:
  PortListTest() {
    view.SetSorted(IDC_PORT_LIST);
    page.OnInitDialog(view);
  }

  // The model's "%s.PORT" section in the receipt family's file.
  void Configure(const std::string& model, const char* usbSupported, const char* lptDefault) {
    ini += "[" + model + ".PORT]\r\nUSBSUPPORTED=" + usbSupported + "\r\nLPTDEFAULT=" + lptDefault +
           "\r\n";
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup_receipt.ini", ini);
  }
  void Build(const char* model, int targetOs, int mode, int printerType = kReceiptPrinter) {
    config::DriverConfig config(machine.platform());
    config.SetPrinterType(printerType);
    page.BuildPortList(view, model, targetOs, config::ReadPortOptions(config, model), mode);
  }
  void SetSerialLists(bool enabled) {
    for (int id : pages::kSerialListControls) {
      view.Enable(id, enabled);
    }
  }
  // Serial lists all enabled (1), all disabled (0), or mixed (-1).
  int SerialListsEnabled() const {
    int enabled = 0;
    for (int id : pages::kSerialListControls) {
      enabled += view.IsEnabled(id) ? 1 : 0;
    }
    return enabled == 5 ? 1 : (enabled == 0 ? 0 : -1);
  }
  Names Entries() const { return view.Entries(IDC_PORT_LIST); }
  std::string Selected() const {
    return view.GetLBText(IDC_PORT_LIST, view.GetCurSel(IDC_PORT_LIST));
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : machine.messageBoxes()) {
      texts.push_back(box.text);
    }
    return texts;
  }
  // The invariant every build keeps: PortBuffer is the selected entry's text.
  void ExpectPortBufferIsSelection() const {
    EXPECT_EQ(std::string(page.portBuffer()), Selected());
  }

  SimMachine machine;
  SimUsbLibrary usb{machine};
  FakeDialogView view;
  pages::PortPage page{machine.platform()};
  std::string ini;
};

TEST_F(PortListTest, Win98TypicalWithoutPrinterOffersComLptAndOneUsbPortAndPicksCom1) {
  Configure("M", "1", "0");
  SetSerialLists(false);

  Build("M", kTargetWin98Me, kModeTypical);

  EXPECT_EQ(Entries(), (Names{"COM1:", "COM2:", "LPT1:", "USB_M_1"}));
  EXPECT_EQ(Selected(), "COM1:");
  ExpectPortBufferIsSelection();
  EXPECT_EQ(SerialListsEnabled(), 1);
  EXPECT_FALSE(view.IsVisible(IDC_USB_HINT));
  EXPECT_EQ(page.rasterFlag(), 0);
  EXPECT_FALSE(view.IsEnabled(IDC_RASTER_CHECK));
  EXPECT_FALSE(view.IsVisible(IDC_RASTER_CHECK)) << "Typical mode hides the raster box";
  EXPECT_FALSE(view.IsChecked(IDC_RASTER_CHECK));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PortListTest, WinXpTypicalWithParallelDefaultPicksLpt1) {
  Configure("M", "0", "1");

  Build("M", kTargetWinXp, kModeTypical);

  EXPECT_EQ(Entries(), kNtNames);
  EXPECT_EQ(Selected(), "LPT1:");
  ExpectPortBufferIsSelection();
  EXPECT_EQ(page.rasterFlag(), 1);
  EXPECT_EQ(SerialListsEnabled(), 0);
  EXPECT_TRUE(view.IsEnabled(IDC_RASTER_CHECK));
  EXPECT_TRUE(view.IsChecked(IDC_RASTER_CHECK));
  EXPECT_FALSE(view.IsVisible(IDC_USB_HINT));
}

TEST_F(PortListTest, Win98ParallelDefaultPicksItsOneParallelPort) {
  Configure("M", "0", "2");

  Build("M", kTargetWin98Me, kModeAdvanced);

  EXPECT_EQ(Entries(), (Names{"COM1:", "COM2:", "LPT1:"}));
  EXPECT_EQ(Selected(), "LPT1:");
  EXPECT_TRUE(view.IsVisible(IDC_RASTER_CHECK)) << "Advanced mode shows the raster box";
  EXPECT_TRUE(view.IsChecked(IDC_RASTER_CHECK));
}

TEST_F(PortListTest, WinXpAdvancedSelectsTheAttachedPrintersPort) {
  Configure("M", "1", "0");
  usb.Attach(SimUsbDevice{258});  // 0x0102: port number 3

  Build("M", kTargetWinXp, kModeAdvanced);

  EXPECT_EQ(Entries(), Plus(kNtNames, {"USB_M_1", "USB_M_2", "USB_M_3", "USB_M_4"}));
  EXPECT_EQ(Selected(), "USB_M_3");
  ExpectPortBufferIsSelection();
  EXPECT_TRUE(view.IsVisible(IDC_USB_HINT));
  EXPECT_EQ(page.rasterFlag(), 1);
  EXPECT_TRUE(view.IsEnabled(IDC_RASTER_CHECK));
  EXPECT_TRUE(view.IsVisible(IDC_RASTER_CHECK));
  EXPECT_TRUE(view.IsChecked(IDC_RASTER_CHECK));
  EXPECT_EQ(SerialListsEnabled(), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PortListTest, WinXpTypicalSelectsTheOneUsbPortWhateverThePrintersNumber) {
  Configure("M", "1", "0");
  usb.Attach(SimUsbDevice{258});

  Build("M", kTargetWinXp, kModeTypical);

  EXPECT_EQ(Entries(), Plus(kNtNames, {"USB_M_1"}));
  EXPECT_EQ(Selected(), "USB_M_1");
  ExpectPortBufferIsSelection();
  EXPECT_TRUE(view.IsVisible(IDC_USB_HINT));
  EXPECT_FALSE(view.IsVisible(IDC_RASTER_CHECK));
  EXPECT_TRUE(view.IsChecked(IDC_RASTER_CHECK));
}

class PortListIdentityTest : public PortListTest, public ::testing::WithParamInterface<int> {};

TEST_P(PortListIdentityTest, IdentitiesThatAreMultiplesOfEightSelectPortOne) {
  Configure("M", "1", "0");
  usb.Attach(SimUsbDevice{static_cast<WORD>(GetParam())});

  Build("M", kTargetWin2000, kModeAdvanced);

  EXPECT_EQ(Selected(), "USB_M_1");
  ExpectPortBufferIsSelection();
}

INSTANTIATE_TEST_SUITE_P(Identities, PortListIdentityTest, ::testing::Values(0, 8, 65528));

TEST_F(PortListTest, AdvancedWithANumberAboveFourFallsBackToTheFirstEntry) {
  Configure("M", "1", "0");
  usb.Attach(SimUsbDevice{5});  // port number 6: none of the four offered
  SetSerialLists(true);

  Build("M", kTargetWinXp, kModeAdvanced);

  EXPECT_EQ(Selected(), "KSCOM1:");
  ExpectPortBufferIsSelection();
  EXPECT_FALSE(view.IsVisible(IDC_USB_HINT));
  EXPECT_EQ(page.rasterFlag(), 0);
  EXPECT_FALSE(view.IsEnabled(IDC_RASTER_CHECK));
  // A device is present, so the serial lists were disabled; Advanced mode does not re-enable.
  EXPECT_EQ(SerialListsEnabled(), 0);
}

TEST_F(PortListTest, TwoPrintersCountAsAPresentDevice) {
  Configure("M", "1", "0");
  usb.Attach(SimUsbDevice{258});
  usb.Attach(SimUsbDevice{259});

  Build("M", kTargetWinXp, kModeTypical);

  EXPECT_EQ(Messages(), std::vector<std::string>{"安装过程中，请仅连接一台打印机"});
  EXPECT_EQ(Selected(), "USB_M_1");
  ExpectPortBufferIsSelection();
}

TEST_F(PortListTest, TwoPrintersInAdvancedModeLeaveNoPortSelected) {
  Configure("M", "1", "0");
  usb.Attach(SimUsbDevice{258});
  usb.Attach(SimUsbDevice{259});
  SetSerialLists(true);

  Build("M", kTargetWinXp, kModeAdvanced);

  // -2 gives the number -1, which no entry carries: the selection stays empty.
  EXPECT_EQ(view.GetCurSel(IDC_PORT_LIST), ui::DialogView::kNoEntry);
  EXPECT_STREQ(page.portBuffer(), "");
  EXPECT_EQ(page.rasterFlag(), 0);
  EXPECT_EQ(SerialListsEnabled(), 0);
}

TEST_F(PortListTest, Nt4OffersNoUsbPortWhateverIsAttached) {
  Configure("M", "1", "0");

  Build("M", kTargetNt4, kModeAdvanced);
  EXPECT_EQ(Entries(), kNtNames);
  EXPECT_EQ(Selected(), "KSCOM1:");

  usb.Attach(SimUsbDevice{258});
  Build("M", kTargetNt4, kModeTypical);
  EXPECT_EQ(Entries(), kNtNames);
  // The printer is there but has no entry: nothing is selected, and PortBuffer agrees.
  EXPECT_EQ(view.GetCurSel(IDC_PORT_LIST), ui::DialogView::kNoEntry);
  EXPECT_STREQ(page.portBuffer(), "");
  EXPECT_EQ(usb.openRequests(), 16 + 9) << "both builds probed";
}

// A printer on port 4 in Advanced mode: only a number above four falls back to the first entry,
// so without a "_4" entry nothing is selected.
TEST_F(PortListTest, Nt4AdvancedWithAPrinterOnPort4SelectsNothing) {
  Configure("M", "1", "0");
  usb.Attach(SimUsbDevice{3});

  Build("M", kTargetNt4, kModeAdvanced);

  EXPECT_EQ(Entries(), kNtNames);
  EXPECT_EQ(view.GetCurSel(IDC_PORT_LIST), ui::DialogView::kNoEntry);
  EXPECT_STREQ(page.portBuffer(), "");
}

TEST_F(PortListTest, TheSameModelAndModeNeitherRebuildNorProbe) {
  Configure("M", "1", "0");
  Build("M", kTargetWinXp, kModeTypical);
  const int loads = machine.libraries().loadRequests();
  view.SetCurSel(IDC_PORT_LIST, 3);
  usb.Attach(SimUsbDevice{1});
  usb.Attach(SimUsbDevice{2});  // a probe now would show message 144

  Build("M", kTargetWinXp, kModeTypical);

  EXPECT_EQ(machine.libraries().loadRequests(), loads);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(view.GetCurSel(IDC_PORT_LIST), 3);
  EXPECT_STREQ(page.portBuffer(), "KSCOM1:") << "untouched by the second call";
}

TEST_F(PortListTest, OnlyTheModelAndTheModeDecideFreshness) {
  Configure("M", "1", "0");
  Build("M", kTargetWinXp, kModeTypical);

  // Another target system alone keeps the list.
  Build("M", kTargetWin98Me, kModeTypical);
  EXPECT_EQ(Entries(), Plus(kNtNames, {"USB_M_1"}));

  // Another mode rebuilds it.
  Build("M", kTargetWin98Me, kModeAdvanced);
  EXPECT_EQ(Entries(),
            (Names{"COM1:", "COM2:", "LPT1:", "USB_M_1", "USB_M_2", "USB_M_3", "USB_M_4"}));
  EXPECT_EQ(machine.libraries().loadRequests(), 2);
}

TEST_F(PortListTest, AnotherModelReplacesTheWholeList) {
  Configure("M", "1", "0");
  Configure("N", "1", "0");
  Build("M", kTargetWin2000, kModeAdvanced);

  Build("N", kTargetWin2000, kModeAdvanced);

  EXPECT_EQ(Entries(), Plus(kNtNames, {"USB_N_1", "USB_N_2", "USB_N_3", "USB_N_4"}));
  EXPECT_EQ(Selected(), "KSCOM1:");
}

TEST_F(PortListTest, AModelNamedPrinterIsFreshOnTheFirstVisitInTypicalMode) {
  Configure("PRINTER", "1", "0");

  Build("PRINTER", kTargetWinXp, kModeTypical);

  EXPECT_TRUE(Entries().empty());
  EXPECT_STREQ(page.portBuffer(), "");
  EXPECT_EQ(machine.libraries().loadRequests(), 0);

  Build("PRINTER", kTargetWinXp, kModeAdvanced);
  EXPECT_EQ(Entries().size(), kNtNames.size() + 4);
}

TEST_F(PortListTest, ResettingTheFreshnessMakesTheNextBuildRebuild) {
  Configure("M", "0", "0");
  config::DriverConfig config(machine.platform());
  config.SetPrinterType(kReceiptPrinter);
  const config::PortOptions options = config::ReadPortOptions(config, "M");
  PortListFreshness freshness;
  const auto build = [&] {
    return BuildPortList(machine.platform(), freshness, "M", kTargetWinXp, kModeAdvanced, options);
  };
  ASSERT_TRUE(build());
  EXPECT_FALSE(build()) << "the same model and mode are fresh";

  ResetPortListFreshness(freshness);
  EXPECT_EQ(freshness.mode, kModeTypical);
  const std::optional<PortListChoice> rebuilt = build();

  ASSERT_TRUE(rebuilt);
  EXPECT_EQ(rebuilt->entries, kNtNames);
  EXPECT_EQ(rebuilt->selected, "KSCOM1:");
}

TEST_F(PortListTest, AnUnknownFamilyReadsNoOptions) {
  Configure("M", "1", "1");

  Build("M", kTargetWinXp, kModeAdvanced, /*printerType=*/7);

  EXPECT_EQ(Entries(), kNtNames);
  EXPECT_EQ(Selected(), "KSCOM1:");
}

TEST_F(PortListTest, MissingOptionsCountAsZero) {
  Build("M", kTargetWinXp, kModeTypical);

  EXPECT_EQ(Entries(), kNtNames);
  EXPECT_EQ(Selected(), "KSCOM1:");
}

TEST(PortListLibrary, WithoutTheLibraryUsbPortsAreOfferedButNotPreselected) {
  SimMachine machine;
  machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup_ticket.ini",
                           "[T.PORT]\r\nUSBSUPPORTED=1\r\n");
  FakeDialogView view;
  view.SetSorted(IDC_PORT_LIST);
  pages::PortPage page(machine.platform());
  page.OnInitDialog(view);

  config::DriverConfig config(machine.platform());
  config.SetPrinterType(kTicketPrinter);
  page.BuildPortList(view, "T", kTargetWinXp, config::ReadPortOptions(config, "T"), kModeAdvanced);

  ASSERT_EQ(machine.messageBoxes().size(), 1u);
  EXPECT_EQ(machine.messageBoxes()[0].text, "Can not load KsUsbInt.dll");
  EXPECT_EQ(view.GetCount(IDC_PORT_LIST), 15);
  EXPECT_STREQ(page.portBuffer(), "KSCOM1:");
}

TEST_F(PortListTest, SerialPortsInAdvancedModeKeepTheSerialListsAsTheyWere) {
  Configure("M", "0", "0");
  SetSerialLists(false);
  Build("M", kTargetWinXp, kModeAdvanced);
  EXPECT_EQ(SerialListsEnabled(), 0);

  SetSerialLists(true);
  Build("M", kTargetWinXp, kModeTypical);
  Build("M", kTargetWinXp, kModeAdvanced);
  EXPECT_EQ(SerialListsEnabled(), 1);
}

TEST_F(PortListTest, ModelNamesUpToFortyFiveCharactersGetUsbPorts) {
  const std::string longest(45, 'L');
  Configure(longest, "1", "0");
  usb.Attach(SimUsbDevice{3});  // port number 4

  Build(longest.c_str(), kTargetWinXp, kModeAdvanced);

  const std::string expected = "USB_" + longest + "_4";
  ASSERT_EQ(expected.size(), 51u);
  EXPECT_EQ(Selected(), expected);
  EXPECT_EQ(std::string(page.portBuffer()), expected);
}

TEST_F(PortListTest, LongerModelNamesGetNoUsbPortAndNeverOverrun) {
  usb.Attach(SimUsbDevice{0});
  // 46 characters, and the longest name whose "%s.PORT" section name still fits its buffer.
  for (const std::string& model : {std::string(46, 'X'), std::string(kTextSize - 6, 'Y')}) {
    Configure(model, "1", "0");

    Build(model.c_str(), kTargetWinXp, kModeAdvanced);
    EXPECT_EQ(Entries(), kNtNames) << model.size();
    EXPECT_STREQ(page.portBuffer(), "") << "the probe found port 1, which has no entry";

    Build(model.c_str(), kTargetWinXp, kModeTypical);
    EXPECT_EQ(Entries(), kNtNames) << model.size();
    EXPECT_EQ(view.GetCurSel(IDC_PORT_LIST), ui::DialogView::kNoEntry);
  }
}

}  // namespace
