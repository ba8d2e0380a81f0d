// A dialog's controls for page tests: each control keeps its text, enabled, visible and check
// state as a real control would. Controls spring into existence, enabled and visible, when
// first touched, so a test states only what matters to it.
#pragma once

#include <map>
#include <string>

#include "app/dialog_view.h"

namespace testing_support {

class FakeDialogView final : public app::DialogView {
 public:
  struct Control {
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
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

  int focus() const { return focus_; }

 private:
  Control Find(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? Control{} : it->second;
  }
  std::map<int, Control> controls_;
  int focus_ = 0;
};

}  // namespace testing_support
