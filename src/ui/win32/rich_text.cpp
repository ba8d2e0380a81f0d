#include "ui/win32/rich_text.h"

#include <richedit.h>

#include <cstring>

namespace ui::win32 {
namespace {

struct RichTextLibrary {
  const char* dll;
  const char* windowClass;
};

// In order of preference.
constexpr RichTextLibrary kLibraries[] = {
    {"riched20.dll", "RichEdit20A"},
    {"riched32.dll", "RICHEDIT"},
};

const char* loadedClass = nullptr;

struct StreamSource {
  const std::string* text;
  std::size_t offset;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const std::size_t left = source->text->size() - source->offset;
  const std::size_t chunk =
      left < static_cast<std::size_t>(size) ? left : static_cast<std::size_t>(size);
  std::memcpy(buffer, source->text->data() + source->offset, chunk);
  source->offset += chunk;
  *read = static_cast<LONG>(chunk);
  return 0;
}

}  // namespace

bool LoadRichTextLibrary() {
  char folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(folder, sizeof(folder));
  if (length == 0 || length >= sizeof(folder)) {
    return false;
  }
  for (const RichTextLibrary& library : kLibraries) {
    const std::string path = std::string(folder) + "\\" + library.dll;
    if (::LoadLibraryA(path.c_str()) != nullptr) {
      loadedClass = library.windowClass;  // stays loaded for the program's lifetime
      return true;
    }
  }
  return false;
}

void ShowRichText(HWND dialog, int id, const std::string& rtf) {
  HWND placeholder = ::GetDlgItem(dialog, id);
  if (placeholder == nullptr || loadedClass == nullptr) {
    return;
  }
  RECT area{};
  ::GetWindowRect(placeholder, &area);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
  HWND view = ::CreateWindowExA(
      WS_EX_CLIENTEDGE, loadedClass, "",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
      area.left, area.top, area.right - area.left, area.bottom - area.top, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
  if (view == nullptr) {
    return;
  }
  ::SetWindowPos(view, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::DestroyWindow(placeholder);
  StreamSource source{&rtf, 0};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = &ReadChunk;
  ::SendMessageA(view, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  ::SendMessageA(view, EM_SETSEL, 0, 0);
}

}  // namespace ui::win32
