// Orders names in a real sorted drop-down list (a combo box created with CBS_SORT) and in the
// unit tests' fake view, for run_usb_wine.py to compare.
//
//   combo_order <file>   the file holds sets of names, one name a line, sets separated by a
//                        line "--"; for each set two lines are printed: "real" and "fake",
//                        each followed by the set's names in that list's order, tab-separated.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/fake_dialog_view.h"

namespace {

constexpr int kList = 1049;

std::vector<std::string> RealOrder(const std::vector<std::string>& names) {
  HWND box = ::CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 200,
                               200, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  std::vector<std::string> order;
  if (box == nullptr) {
    return order;
  }
  for (const std::string& name : names) {
    ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  const int count = static_cast<int>(::SendMessageA(box, CB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    const LRESULT length = ::SendMessageA(box, CB_GETLBTEXTLEN, index, 0);
    std::vector<char> text(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
    ::SendMessageA(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    order.push_back(text.data());
  }
  ::DestroyWindow(box);
  return order;
}

std::vector<std::string> FakeOrder(const std::vector<std::string>& names) {
  testing_support::FakeDialogView view;
  view.SetSorted(kList);
  for (const std::string& name : names) {
    view.AddString(kList, name);
  }
  return view.Entries(kList);
}

void Print(const char* label, const std::vector<std::string>& order) {
  std::printf("%s", label);
  for (const std::string& name : order) {
    std::printf("\t%s", name.c_str());
  }
  std::printf("\n");
}

void Compare(const std::vector<std::string>& names) {
  if (!names.empty()) {
    Print("real", RealOrder(names));
    Print("fake", FakeOrder(names));
  }
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
  std::vector<std::string> names;
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
