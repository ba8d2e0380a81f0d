// A dialog held in memory: each control keeps its text, enabled, visible and check state as a
// real control would. The unattended installation walks the wizard's pages through it, and the
// page tests use it in place of a window. Controls spring into existence, enabled and visible,
// when first touched.
//
// Drop-down lists are unsorted unless declared sorted with SetSorted, as a dialog template does
// with CBS_SORT (on the port page only the port list, 1049, is sorted). A sorted list keeps its
// entries in the order a sorted Windows combo box gives them (CompareLikeListBox).
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "ui/dialog_view.h"

namespace ui {

class MemoryDialogView final : public DialogView {
 public:
  struct Control {
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool sorted = false;
    std::vector<std::string> entries;
    int selection = kNoEntry;
  };

  void SetText(int id, const std::string& text) override { controls_[id].text = text; }
  std::string GetText(int id) const override { return Find(id).text; }
  void Enable(int id, bool enabled) override { controls_[id].enabled = enabled; }
  bool IsEnabled(int id) const override { return Find(id).enabled; }
  void Show(int id, bool visible) override { controls_[id].visible = visible; }
  bool IsVisible(int id) const override { return Find(id).visible; }
  void SetCheck(int id, bool checked) override { controls_[id].checked = checked; }
  bool IsChecked(int id) const override { return Find(id).checked; }
  void SetFocus(int id) override { focus_ = id; }

  void ResetContent(int id) override {
    Control& list = controls_[id];
    list.entries.clear();
    Select(list, kNoEntry);
  }
  int AddString(int id, const std::string& text) override {
    Control& list = controls_[id];
    auto at = list.entries.end();
    if (list.sorted) {
      // A new entry goes before the entries it compares equal to, as the real list puts it.
      at = std::lower_bound(list.entries.begin(), list.entries.end(), text,
                            [](const std::string& entry, const std::string& added) {
                              return CompareLikeListBox(entry, added) < 0;
                            });
    }
    const int index = static_cast<int>(at - list.entries.begin());
    list.entries.insert(at, text);
    if (list.selection >= index) {
      ++list.selection;  // the selected entry keeps its selection as it moves down
    }
    return index;
  }
  void SetCurSel(int id, int index) override { Select(controls_[id], index); }
  int GetCurSel(int id) const override { return Find(id).selection; }
  int GetCount(int id) const override { return static_cast<int>(Find(id).entries.size()); }
  std::string GetLBText(int id, int index) const override {
    const Control list = Find(id);
    return IsEntry(list, index) ? list.entries[static_cast<size_t>(index)] : std::string();
  }
  int FindStringExact(int id, int after, const std::string& text) const override {
    const Control list = Find(id);
    const int count = static_cast<int>(list.entries.size());
    const int start = (after < 0 || after >= count) ? 0 : after + 1;
    for (int step = 0; step < count; ++step) {
      const int index = (start + step) % count;
      if (CompareLikeListBox(list.entries[static_cast<size_t>(index)], text) == 0) {
        return index;
      }
    }
    return kNoEntry;
  }

  int FindString(int id, int after, const std::string& text) const override {
    const Control list = Find(id);
    const int count = static_cast<int>(list.entries.size());
    const int start = (after < 0 || after >= count) ? 0 : after + 1;
    for (int step = 0; step < count; ++step) {
      const int index = (start + step) % count;
      const std::string& entry = list.entries[static_cast<size_t>(index)];
      if (entry.size() >= text.size() &&
          CompareLikeListBox(entry.substr(0, text.size()), text) == 0) {
        return index;
      }
    }
    return kNoEntry;
  }

  void SetRichText(int id, const std::string& rtf) override { controls_[id].text = rtf; }
  void SetToolTip(int id, const std::string& text) override { toolTips_[id] = text; }
  void SetLabelStyle(int id, const LabelStyle& style) override { labelStyles_[id] = style; }
  std::string ToolTip(int id) const {
    const auto it = toolTips_.find(id);
    return it == toolTips_.end() ? std::string() : it->second;
  }
  LabelStyle LabelStyleOf(int id) const {
    const auto it = labelStyles_.find(id);
    return it == labelStyles_.end() ? LabelStyle{} : it->second;
  }

  // The list is created sorted (CBS_SORT). Set before entries are added.
  void SetSorted(int id) { controls_[id].sorted = true; }
  // The entries in the list's order.
  std::vector<std::string> Entries(int id) const { return Find(id).entries; }
  int focus() const { return focus_; }

  // The comparison of a sorted Windows list box or combo box (lstrcmpi's word sort), for the
  // ASCII texts the installer puts into lists: case does not count; blanks and punctuation sort
  // before digits and digits before letters; the hyphen and the apostrophe are passed over and
  // only break ties. Bytes from 0x80 on sort after the letters by value. The order of the
  // punctuation marks is the one a real sorted combo box gives (measured under Wine).
  static int CompareLikeListBox(const std::string& a, const std::string& b) {
    const std::string keyA = PrimaryKey(a);
    const std::string keyB = PrimaryKey(b);
    if (keyA != keyB) {
      return keyA < keyB ? -1 : 1;
    }
    const std::string tieA = IgnoredMarks(a);
    const std::string tieB = IgnoredMarks(b);
    return tieA == tieB ? 0 : (tieA < tieB ? -1 : 1);
  }

 private:
  static bool IsIgnoredMark(unsigned char c) { return c == '\'' || c == '-'; }
  // Each byte becomes one weight byte: punctuation 0x01.., digits 0x40.., letters 0x50..,
  // others 0x80.. (by value).
  static std::string PrimaryKey(const std::string& text) {
    static const std::string kPunctuation = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";
    std::string key;
    for (unsigned char c : text) {
      if (IsIgnoredMark(c)) {
        continue;
      }
      const size_t mark = kPunctuation.find(static_cast<char>(c));
      if (c < 0x80 && mark != std::string::npos) {
        key += static_cast<char>(0x01 + mark);
      } else if (std::isdigit(c)) {
        key += static_cast<char>(0x40 + (c - '0'));
      } else if (std::isalpha(c)) {
        key += static_cast<char>(0x50 + (std::tolower(c) - 'a'));
      } else {
        key += static_cast<char>(c < 0x80 ? 0x7F : c);
      }
    }
    return key;
  }
  static std::string IgnoredMarks(const std::string& text) {
    std::string marks;
    for (unsigned char c : text) {
      if (IsIgnoredMark(c)) {
        marks += c == '\'' ? '1' : '2';
      }
    }
    return marks;
  }

  static bool IsEntry(const Control& list, int index) {
    return index >= 0 && index < static_cast<int>(list.entries.size());
  }
  // The selected entry is also the list's text, as a drop-down list shows it.
  static void Select(Control& list, int index) {
    list.selection = IsEntry(list, index) ? index : kNoEntry;
    list.text = list.selection == kNoEntry ? std::string()
                                           : list.entries[static_cast<size_t>(list.selection)];
  }
  Control Find(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? Control{} : it->second;
  }
  std::map<int, Control> controls_;
  std::map<int, std::string> toolTips_;
  std::map<int, LabelStyle> labelStyles_;
  int focus_ = 0;
};

}  // namespace ui
