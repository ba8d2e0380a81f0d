#include "setup_windows.h"

#include <vector>

namespace e2e {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

struct TopLevelSearch {
  DWORD processId;
  std::vector<HWND> dialogs;
};

bool IsDialogClass(HWND window) {
  wchar_t className[32] = {};
  ::GetClassNameW(window, className, 32);
  return std::wstring(className) == L"#32770";
}

// EnumWindows needs a plain function with the Win32 calling convention (a lambda is not one
// on i686).
static BOOL CALLBACK CollectDialogs(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopLevelSearch*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && ::IsWindowVisible(window) && IsDialogClass(window)) {
    search->dialogs.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> VisibleDialogs(DWORD processId) {
  TopLevelSearch search{processId, {}};
  ::EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&search));
  return search.dialogs;
}

struct ControlSearch {
  int id;
  HWND visible;
  HWND hidden;
};

static BOOL CALLBACK MatchControl(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ControlSearch*>(context);
  if (::GetDlgCtrlID(window) != search->id) {
    return TRUE;
  }
  if (::IsWindowVisible(window)) {
    search->visible = window;
    return FALSE;
  }
  if (search->hidden == nullptr) {
    search->hidden = window;
  }
  return TRUE;
}

}  // namespace

HWND FindWizard(DWORD processId, const std::wstring& caption) {
  for (HWND dialog : VisibleDialogs(processId)) {
    if (WindowText(dialog) == caption) {
      return dialog;
    }
  }
  return nullptr;
}

HWND FindMessageBox(DWORD processId, HWND wizard) {
  for (HWND dialog : VisibleDialogs(processId)) {
    if (dialog != wizard && ::GetDlgItem(dialog, kMessageBoxTextId) != nullptr) {
      return dialog;
    }
  }
  return nullptr;
}

HWND FindControl(HWND wizard, int id) {
  ControlSearch search{id, nullptr, nullptr};
  ::EnumChildWindows(wizard, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.visible != nullptr ? search.visible : search.hidden;
}

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(window, &text[0], length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

std::wstring MessageBoxText(HWND box) {
  HWND text = ::GetDlgItem(box, kMessageBoxTextId);
  return text != nullptr ? WindowText(text) : std::wstring();
}

}  // namespace e2e
