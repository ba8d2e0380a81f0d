#include "pages/port_page.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_dialog_view.h"
#include "platform/sim/sim_machine.h"
#include "resources/resource_ids.h"

namespace {

using platform::sim::SimMachine;
using testing_support::FakeDialogView;

class PortPageTest : public ::testing::Test {
 protected:
  PortPageTest() {
    view.SetSorted(IDC_PORT_LIST);
    page.OnInitDialog(view);
  }
  void Choose(int list, const std::string& entry) {
    view.SetCurSel(list, view.FindStringExact(list, ui::DialogView::kNoEntry, entry));
    ASSERT_NE(view.GetCurSel(list), ui::DialogView::kNoEntry) << entry;
    page.OnCommand(view, frame, list, ui::kSelectionChanged);
  }

  SimMachine machine;
  FakeDialogView view;
  FakeDialogView frame;
  pages::PortPage page{machine.platform()};
};

TEST_F(PortPageTest, StartsWithTheUsualLineSettings) {
  EXPECT_EQ(view.GetLBText(IDC_DATA_BITS_LIST, view.GetCurSel(IDC_DATA_BITS_LIST)), "8");
  EXPECT_EQ(view.GetLBText(IDC_STOP_BITS_LIST, view.GetCurSel(IDC_STOP_BITS_LIST)), "1");
  EXPECT_EQ(view.GetLBText(IDC_PARITY_LIST, view.GetCurSel(IDC_PARITY_LIST)), "None");
  EXPECT_EQ(view.GetLBText(IDC_FLOW_CONTROL_LIST, view.GetCurSel(IDC_FLOW_CONTROL_LIST)),
            "Hardware");
  EXPECT_EQ(view.GetCurSel(IDC_BAUD_LIST), ui::DialogView::kNoEntry);
  EXPECT_EQ(view.GetCount(IDC_BAUD_LIST), 10);
  EXPECT_EQ(page.serial().dataBits, 8);
  EXPECT_EQ(page.serial().stopBits, 1.0);
  EXPECT_EQ(page.serial().parity, 'n');
  EXPECT_EQ(page.serial().flowControl, 'p');
  EXPECT_EQ(page.rasterFlag(), 0);
  EXPECT_EQ(view.ToolTip(IDC_RASTER_CHECK), "按“F1”查看帮助");
  const ui::LabelStyle hint = view.LabelStyleOf(IDC_USB_HINT);
  EXPECT_EQ(hint.textColor, 0xFF0000u);
  EXPECT_EQ(hint.backColor, 0x00FFFFu);
  EXPECT_EQ(hint.fontHeight, 14);
  EXPECT_EQ(hint.fontFace, "Arial");
}

TEST_F(PortPageTest, SerialListsSetTheLineSettings) {
  Choose(IDC_BAUD_LIST, "115200");
  Choose(IDC_DATA_BITS_LIST, "7");
  Choose(IDC_PARITY_LIST, "Space");
  Choose(IDC_STOP_BITS_LIST, "1.5");
  Choose(IDC_FLOW_CONTROL_LIST, "Xon/Xoff");
  EXPECT_EQ(page.serial().baudRate, 115200);
  EXPECT_EQ(page.serial().dataBits, 7);
  EXPECT_EQ(page.serial().parity, 'S');
  EXPECT_EQ(page.serial().stopBits, 1.5);
  EXPECT_EQ(page.serial().flowControl, 'x');
  Choose(IDC_FLOW_CONTROL_LIST, "None");
  EXPECT_EQ(page.serial().flowControl, ' ');
}

struct PortKindCase {
  const char* port;
  bool serialLists;
  bool rasterEnabled;
  bool rasterChecked;
  bool usbHint;
};

class PortChoice : public PortPageTest, public ::testing::WithParamInterface<PortKindCase> {};

TEST_P(PortChoice, ControlsFollowTheKindOfPort) {
  const PortKindCase& c = GetParam();
  for (const char* port : {"KSCOM1:", "KSCOM4:", "LPT2:", "USB_TP-R80_2", "USB_ECOMPACT_1"}) {
    view.AddString(IDC_PORT_LIST, port);
  }
  // From a ticked, enabled box with the serial lists disabled, so that every state must change.
  Choose(IDC_PORT_LIST, "LPT2:");
  ASSERT_TRUE(view.IsChecked(IDC_RASTER_CHECK));
  Choose(IDC_PORT_LIST, c.port);
  EXPECT_STREQ(page.portBuffer(), c.port);
  for (int list : pages::kSerialListControls) {
    EXPECT_EQ(view.IsEnabled(list), c.serialLists) << list;
  }
  EXPECT_EQ(view.IsEnabled(IDC_RASTER_CHECK), c.rasterEnabled);
  EXPECT_EQ(view.IsChecked(IDC_RASTER_CHECK), c.rasterChecked);
  EXPECT_EQ(page.rasterFlag(), c.rasterChecked ? 1 : 0);
  EXPECT_EQ(view.IsVisible(IDC_USB_HINT), c.usbHint);
  // The serial lists keep showing the page's values whatever the port.
  EXPECT_EQ(view.GetLBText(IDC_PARITY_LIST, view.GetCurSel(IDC_PARITY_LIST)), "None");
}

INSTANTIATE_TEST_SUITE_P(Table, PortChoice,
                         ::testing::Values(PortKindCase{"KSCOM4:", true, false, false, false},
                                           PortKindCase{"LPT2:", false, true, true, false},
                                           PortKindCase{"USB_TP-R80_2", false, true, true, true},
                                           // A USB port of a model whose name holds "COM".
                                           PortKindCase{"USB_ECOMPACT_1", false, true, true,
                                                        true}));

TEST(BaudEntryIndex, ListedRatesSelectTheirEntryAnyOtherSelects38400) {
  const std::pair<std::int32_t, int> table[] = {
      {110, 0},   {300, 1},   {1200, 2},   {2400, 3}, {4800, 4},  {9600, 5},  {19200, 6},
      {38400, 7}, {57600, 8}, {115200, 9}, {0, 7},    {14400, 7}, {-9600, 7}, {2147483647, 7}};
  for (const auto& [rate, entry] : table) {
    EXPECT_EQ(pages::BaudEntryIndex(rate), entry) << rate;
  }
}

TEST_F(PortPageTest, AConfiguredRateShowsAndIsKeptAsShown) {
  page.ApplyConfiguredBaudRate(view, 9600);
  EXPECT_EQ(view.GetLBText(IDC_BAUD_LIST, view.GetCurSel(IDC_BAUD_LIST)), "9600");
  EXPECT_EQ(page.serial().baudRate, 9600);
  // An unlisted or missing rate: the list shows 38400 and the page keeps 38400, not 0.
  page.ApplyConfiguredBaudRate(view, 0);
  EXPECT_EQ(view.GetLBText(IDC_BAUD_LIST, view.GetCurSel(IDC_BAUD_LIST)), "38400");
  EXPECT_EQ(page.serial().baudRate, 38400);
}

}  // namespace
