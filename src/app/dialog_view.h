// What page logic may do to a dialog's controls, by control id. The Win32 dialog layer
// implements it over the real controls; tests use a fake that behaves like them.
#pragma once

#include <string>

namespace app {

class DialogView {
 public:
  virtual ~DialogView() = default;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string GetText(int id) const = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void Show(int id, bool visible) = 0;
  virtual bool IsVisible(int id) const = 0;
  virtual void SetCheck(int id, bool checked) = 0;
  virtual bool IsChecked(int id) const = 0;
  virtual void SetFocus(int id) = 0;
};

}  // namespace app
