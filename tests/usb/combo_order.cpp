// Puts names into a real sorted drop-down list (a combo box created with CBS_SORT, driven through
// the Win32 dialog view that Setup.exe uses) and into the unit tests' fake view, and prints what
// each answers, for run_usb_wine.py to compare.
//
//   combo_order <file>   the file holds sets of names, one name a line, sets separated by a
//                        line "--". For each set and each view ("real", then "fake") it prints
//                        three tab-separated lines:
//                          <view> order  the entries in the list's order
//                          <view> find   FindStringExact's index for each name, upper-cased
//                                        (names that another name equals without regard to
//                                        case are left out: either of the two may be found)
//                          <view> select GetCurSel and GetText after selecting the last
//                                        entry, then GetCurSel after selecting kNoEntry
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ui/win32/win32_dialog_view.h"
#include "fakes/fake_dialog_view.h"

namespace {

constexpr int kList = 1049;
using Names = std::vector<std::string>;
using testing_support::FakeDialogView;

void PrintLine(const char* view, const char* what, const Names& items) {
  std::printf("%s %s", view, what);
  for (const std::string& item : items) {
    std::printf("\t%s", item.c_str());
  }
  std::printf("\n");
}

std::string Upper(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return text;
}

bool IsUniqueIgnoringCase(const Names& names, const std::string& name) {
  int equal = 0;
  for (const std::string& other : names) {
    equal += FakeDialogView::CompareLikeListBox(Upper(other), Upper(name)) == 0 ? 1 : 0;
  }
  return equal == 1;
}

// The same questions to either view.
void Report(const char* label, ui::DialogView& view, const Names& names) {
  for (const std::string& name : names) {
    view.AddString(kList, name);
  }
  Names order;
  for (int index = 0; index < view.GetCount(kList); ++index) {
    order.push_back(view.GetLBText(kList, index));
  }
  PrintLine(label, "order", order);

  Names found;
  for (const std::string& name : names) {
    if (IsUniqueIgnoringCase(names, name)) {
      found.push_back(
          std::to_string(view.FindStringExact(kList, ui::DialogView::kNoEntry, Upper(name))));
    }
  }
  PrintLine(label, "find", found);

  view.SetCurSel(kList, view.GetCount(kList) - 1);
  Names selection = {std::to_string(view.GetCurSel(kList)), view.GetText(kList)};
  view.SetCurSel(kList, ui::DialogView::kNoEntry);
  selection.push_back(std::to_string(view.GetCurSel(kList)));
  PrintLine(label, "select", selection);
}

void Compare(const Names& names) {
  if (names.empty()) {
    return;
  }
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                  instance, nullptr);
  HWND box = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 200,
                               200, parent, reinterpret_cast<HMENU>(kList), instance, nullptr);
  if (parent == nullptr || box == nullptr) {
    std::fprintf(stderr, "cannot create a combo box (error %lu)\n", ::GetLastError());
  } else {
    ui::win32::Win32DialogView real(parent);
    Report("real", real, names);
  }
  if (parent != nullptr) {
    ::DestroyWindow(parent);
  }
  FakeDialogView fake;
  fake.SetSorted(kList);
  Report("fake", fake, names);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: combo_order <file>\n");
    return 2;
  }
  std::ifstream input(argv[1]);
  if (!input) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  Names names;
  std::string line;
  while (std::getline(input, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line == "--") {
      Compare(names);
      names.clear();
    } else if (!line.empty()) {
      names.push_back(line);
    }
  }
  Compare(names);
  return 0;
}
