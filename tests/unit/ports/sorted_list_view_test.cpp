// The fake view's drop-down lists, which the port-list tests rely on to behave like the real
// combo boxes (tests/usb/run_usb_wine.py compares the sorted order with a real one).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_dialog_view.h"

namespace {

using testing_support::FakeDialogView;
using Names = std::vector<std::string>;

constexpr int kList = 1049;
constexpr int kNone = ui::DialogView::kNoEntry;

TEST(PortListViewSorted, EntriesTakeTheirSortedPlaceWithoutRegardToCase) {
  FakeDialogView view;
  view.SetSorted(kList);
  for (const char* name : {"usb_m_2", "LPT1:", "KSCOM2:", "USB_M_1", "COM1:", "KSCOM1:"}) {
    view.AddString(kList, name);
  }
  EXPECT_EQ(view.Entries(kList),
            (Names{"COM1:", "KSCOM1:", "KSCOM2:", "LPT1:", "USB_M_1", "usb_m_2"}));
}

TEST(PortListViewSorted, PunctuationSortsBeforeDigitsAndDigitsBeforeLetters) {
  FakeDialogView view;
  view.SetSorted(kList);
  for (const char* name : {"USBA", "USB1", "USB_A", "COM10:", "COM1:", "x+y", "x~y", "x.y"}) {
    view.AddString(kList, name);
  }
  EXPECT_EQ(view.Entries(kList),
            (Names{"COM1:", "COM10:", "USB_A", "USB1", "USBA", "x.y", "x~y", "x+y"}));
}

TEST(PortListViewSorted, HyphensAndApostrophesOnlyBreakTies) {
  FakeDialogView view;
  view.SetSorted(kList);
  for (const char* name : {"x-z", "xy", "x'y", "xz", "x-y"}) {
    view.AddString(kList, name);
  }
  EXPECT_EQ(view.Entries(kList), (Names{"xy", "x'y", "x-y", "xz", "x-z"}));
}

TEST(PortListViewSorted, AddStringReturnsTheNewIndexAndTheSelectionFollowsItsEntry) {
  FakeDialogView view;
  view.SetSorted(kList);
  EXPECT_EQ(view.AddString(kList, "LPT1:"), 0);
  view.SetCurSel(kList, 0);
  EXPECT_EQ(view.AddString(kList, "COM1:"), 0);
  EXPECT_EQ(view.GetCurSel(kList), 1);
  EXPECT_EQ(view.GetText(kList), "LPT1:");
  EXPECT_EQ(view.AddString(kList, "USB_M_1"), 2);
  EXPECT_EQ(view.GetCurSel(kList), 1);
}

TEST(PortListViewSorted, AnEqualEntryGoesBeforeTheOneAlreadyThere) {
  FakeDialogView view;
  view.SetSorted(kList);
  view.AddString(kList, "ab");
  EXPECT_EQ(view.AddString(kList, "AB"), 0);
  EXPECT_EQ(view.Entries(kList), (Names{"AB", "ab"}));
}

TEST(SerialListViewUnsorted, KeepsTheOrderOfAdding) {
  FakeDialogView view;
  for (const char* name : {"9600", "110", "Xon/Xoff", "1.5"}) {
    view.AddString(1041, name);
  }
  EXPECT_EQ(view.Entries(1041), (Names{"9600", "110", "Xon/Xoff", "1.5"}));
  EXPECT_EQ(view.AddString(1041, "0"), 4);
}

TEST(PortListViewEntries, SelectionResetAndOutOfRangeIndexes) {
  FakeDialogView view;
  EXPECT_EQ(view.GetCurSel(kList), kNone);
  view.AddString(kList, "a");
  view.AddString(kList, "b");
  view.SetCurSel(kList, 1);
  EXPECT_EQ(view.GetCurSel(kList), 1);
  view.SetCurSel(kList, 2);
  EXPECT_EQ(view.GetCurSel(kList), kNone);
  EXPECT_EQ(view.GetText(kList), "");
  view.SetCurSel(kList, 0);
  EXPECT_EQ(view.GetLBText(kList, 5), "");
  EXPECT_EQ(view.GetLBText(kList, kNone), "");

  view.ResetContent(kList);
  EXPECT_EQ(view.GetCount(kList), 0);
  EXPECT_EQ(view.GetCurSel(kList), kNone);
}

TEST(PortListViewEntries, FindStringExactIgnoresCaseStartsAfterAndWrapsRound) {
  FakeDialogView view;
  for (const char* name : {"None", "Xon/Xoff", "none", "Hardware"}) {
    view.AddString(1045, name);
  }
  EXPECT_EQ(view.FindStringExact(1045, kNone, "NONE"), 0);
  EXPECT_EQ(view.FindStringExact(1045, 0, "none"), 2);
  EXPECT_EQ(view.FindStringExact(1045, 2, "none"), 0);
  EXPECT_EQ(view.FindStringExact(1045, kNone, "Hard"), kNone);
  EXPECT_EQ(view.FindStringExact(1045, 9, "hardware"), 3);
}

}  // namespace
