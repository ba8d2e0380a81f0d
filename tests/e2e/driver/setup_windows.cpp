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

static BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

struct TitleSearch {
  const std::wstring* title;
  int count;
};

static BOOL CALLBACK CountTitled(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TitleSearch*>(context);
  if (::IsWindowVisible(window) && WindowText(window) == *search->title) {
    ++search->count;
  }
  return TRUE;
}

// A list's message without a pointer, with a timeout so that a hung program cannot hang us.
LRESULT AskList(HWND list, UINT message, WPARAM wParam) {
  DWORD_PTR result = static_cast<DWORD_PTR>(CB_ERR);
  if (::SendMessageTimeoutW(list, message, wParam, 0, SMTO_ABORTIFHUNG, 2000, &result) == 0) {
    return CB_ERR;
  }
  return static_cast<LRESULT>(result);
}

// CB_GETLBTEXT carries a pointer; Windows and Wine copy the text across processes for the W
// form (the A form returns UTF-16 bytes in Wine 8).
std::wstring Entry(HWND list, int index) {
  const LRESULT length = AskList(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length < 0) {
    return std::wstring();
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace

std::vector<HWND> WindowAndDescendants(HWND window) {
  std::vector<HWND> windows{window};
  ::EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<std::wstring> ComboEntries(HWND list) {
  std::vector<std::wstring> entries;
  const LRESULT count = AskList(list, CB_GETCOUNT, 0);
  for (int index = 0; index < count; ++index) {
    entries.push_back(Entry(list, index));
  }
  return entries;
}

std::wstring ComboSelection(HWND list) {
  const LRESULT selected = AskList(list, CB_GETCURSEL, 0);
  return selected < 0 ? std::wstring() : Entry(list, static_cast<int>(selected));
}

std::wstring JoinEntries(const std::vector<std::wstring>& entries) {
  std::wstring joined;
  for (size_t i = 0; i < entries.size(); ++i) {
    joined += (i == 0 ? L"" : L"|") + entries[i];
  }
  return joined;
}

int CountTopLevelWindows(const std::wstring& title) {
  TitleSearch search{&title, 0};
  ::EnumWindows(CountTitled, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

HWND FindDialog(DWORD processId, const std::wstring& caption) {
  for (HWND dialog : VisibleDialogs(processId)) {
    if (WindowText(dialog) == caption) {
      return dialog;
    }
  }
  return nullptr;
}

HWND FindWizard(DWORD processId, const std::wstring& caption) {
  return FindDialog(processId, caption);
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
