#include "ui/win32/page_key_filter.h"

#include <utility>

namespace ui::win32 {
namespace {

// The hook procedure has no context of its own; the wizard runs one filter per thread.
PageKeyFilter* activeFilter = nullptr;

}  // namespace

PageKeyFilter::PageKeyFilter(std::vector<HWND> pages) : pages_(std::move(pages)) {
  activeFilter = this;
  // The dialog manager offers every message to this hook (MSGF_DIALOGBOX) before it acts on it.
  hook_ = ::SetWindowsHookExA(WH_MSGFILTER, FilterDialogMessage, nullptr, ::GetCurrentThreadId());
}

PageKeyFilter::~PageKeyFilter() {
  if (hook_ != nullptr) {
    ::UnhookWindowsHookEx(hook_);
  }
  activeFilter = nullptr;
}

bool PageKeyFilter::Swallows(const MSG& message) const {
  if (message.message != WM_KEYDOWN ||
      (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) {
    return false;
  }
  if (!InPage(message.hwnd)) {
    return false;
  }
  const LRESULT wanted = ::SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam,
                                        reinterpret_cast<LPARAM>(&message));
  return (wanted & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) == 0;
}

bool PageKeyFilter::InPage(HWND window) const {
  for (HWND page : pages_) {
    if (window == page || ::IsChild(page, window)) {
      return true;
    }
  }
  return false;
}

LRESULT CALLBACK PageKeyFilter::FilterDialogMessage(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && activeFilter != nullptr &&
      activeFilter->Swallows(*reinterpret_cast<const MSG*>(lParam))) {
    return TRUE;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace ui::win32
