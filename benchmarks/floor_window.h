// What the floor programs share: an in-memory dialog template and an RTF text streamed into a
// rich-text view. Each floor shows a window so that the bench's driver times it from outside,
// exactly as it times Setup.exe.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>
#include <shellapi.h>
#include <winspool.h>

#include <cstring>
#include <vector>

namespace floor_window {

// What any wizard like Setup.exe does before its first window: the same system DLLs loaded,
// common controls, OLE and RichEdit 2.0. Returns 0, or the exit code of what failed.
inline int StartLikeTheWizard() {
  // Setup.exe imports these DLLs; loading them is part of any start-up like its own.
  auto* volatile shell = &::ShellExecuteA;
  auto* volatile spooler = &::EnumPrintersA;
  auto* volatile registry = &::RegCloseKey;
  auto* volatile graphics = &::GetStockObject;
  (void)shell;
  (void)spooler;
  (void)registry;
  (void)graphics;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  if (FAILED(::OleInitialize(nullptr))) {
    return 1;
  }
  return ::LoadLibraryA("riched20.dll") != nullptr ? 0 : 2;
}

// A dialog template built in memory: a caption and child controls, no font of its own.
class DialogTemplate {
 public:
  DialogTemplate(const char* caption, short cx, short cy) {
    DLGTEMPLATE head{};
    head.style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    head.cx = cx;
    head.cy = cy;
    Append(&head, sizeof(head));
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(caption);
  }
  void Item(WORD id, DWORD style, RECT box, const char* windowClass, const char* title = "") {
    while (bytes_.size() % 4 != 0) {
      bytes_.push_back(0);
    }
    DLGITEMTEMPLATE item{};
    item.style = style;
    item.x = static_cast<short>(box.left);
    item.y = static_cast<short>(box.top);
    item.cx = static_cast<short>(box.right);
    item.cy = static_cast<short>(box.bottom);
    item.id = id;
    Append(&item, sizeof(item));
    Text(windowClass);
    Text(title);
    Word(0);  // no creation data
    ++reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit;
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  void Append(const void* data, size_t size) {
    const auto* from = static_cast<const BYTE*>(data);
    bytes_.insert(bytes_.end(), from, from + size);
  }
  void Word(WORD value) { Append(&value, sizeof(value)); }
  void Text(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
      Word(static_cast<WORD>(static_cast<unsigned char>(*c)));
    }
    Word(0);
  }
  std::vector<BYTE> bytes_;
};

struct RtfSource {
  const char* next;
  size_t left;
};

// A stdcall function, as the rich-text view calls it (a lambda would be cdecl on i686).
inline DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
  auto* source = reinterpret_cast<RtfSource*>(cookie);
  const size_t count =
      source->left < static_cast<size_t>(wanted) ? source->left : static_cast<size_t>(wanted);
  std::memcpy(buffer, source->next, count);
  source->next += count;
  source->left -= count;
  *got = static_cast<LONG>(count);
  return 0;
}

// Streams an RTF document held in memory into a rich-text view.
inline void StreamRtf(HWND view, const char* rtf, size_t size) {
  RtfSource source{rtf, size};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = &ReadRtf;
  ::SendMessageA(view, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

}  // namespace floor_window
