// Keeps Enter and Esc inside the wizard's pages from acting on the wizard. The pages are child
// dialogs within the wizard's dialog (DS_CONTROL), so the dialog manager would hand these keys to
// the wizard: Enter to its default button (Next, or Finish on the last page) and Esc to Cancel.
// A page's own OK and Cancel do nothing, and so the keys do nothing inside a page. A key that
// the control itself asks for (an open drop-down list closes on Enter or Esc) still reaches it;
// the wizard's own buttons keep working with the mouse, the keyboard and their mnemonics.
#pragma once

#include <windows.h>

#include <vector>

namespace ui::win32 {

class PageKeyFilter {
 public:
  // Filters the dialog messages of the calling thread while it lives. One at a time.
  explicit PageKeyFilter(std::vector<HWND> pages);
  ~PageKeyFilter();
  PageKeyFilter(const PageKeyFilter&) = delete;
  PageKeyFilter& operator=(const PageKeyFilter&) = delete;

  // True for Enter or Esc pressed in a control of a page that does not want the key itself.
  bool Swallows(const MSG& message) const;

 private:
  static LRESULT CALLBACK FilterDialogMessage(int code, WPARAM wParam, LPARAM lParam);
  bool InPage(HWND window) const;

  std::vector<HWND> pages_;
  HHOOK hook_ = nullptr;
};

}  // namespace ui::win32
