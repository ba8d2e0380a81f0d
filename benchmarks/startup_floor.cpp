// The floor of the wizard's start-up: what any such wizard must do before its first page shows,
// and nothing else. It imports the same system DLLs as Setup.exe, initialises OLE, loads
// RichEdit 2.0, streams a short RTF text into a rich-text view inside a dialog and shows the
// dialog. The bench's driver times it from process creation to the dialog shown, as it times
// Setup.exe; its OK button ends the program.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>
#include <shellapi.h>
#include <winspool.h>

#include <cstring>
#include <vector>

namespace {

constexpr const char* kCaption = "Startup floor";
constexpr int kRichTextId = 100;
constexpr char kRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs18 "
    "{\\b Licence agreement}\\par Please read the following licence agreement carefully.\\par}";

struct RtfSource {
  const char* next;
  size_t left;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
  auto* source = reinterpret_cast<RtfSource*>(cookie);
  const size_t count =
      source->left < static_cast<size_t>(wanted) ? source->left : static_cast<size_t>(wanted);
  std::memcpy(buffer, source->next, count);
  source->next += count;
  source->left -= count;
  *got = static_cast<LONG>(count);
  return 0;
}

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    RtfSource source{kRtf, sizeof(kRtf) - 1};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadRtf};
    ::SendDlgItemMessageA(dialog, kRichTextId, EM_STREAMIN, SF_RTF,
                          reinterpret_cast<LPARAM>(&stream));
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
    ::EndDialog(dialog, 0);
    return TRUE;
  }
  return FALSE;
}

// An in-memory dialog template: the caption, a rich-text view and an OK button.
class DialogTemplate {
 public:
  DialogTemplate() {
    DLGTEMPLATE head{};
    head.style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    head.cdit = 2;
    head.cx = 300;
    head.cy = 200;
    Append(&head, sizeof(head));
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(kCaption);
    Item(kRichTextId, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
         {7, 7, 286, 160}, RICHEDIT_CLASSA);
    Item(IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {243, 175, 50, 14}, "Button");
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
  void Item(WORD id, DWORD style, RECT box, const char* window_class) {
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
    Text(window_class);
    Word(0);  // no title
    Word(0);  // no creation data
  }
  std::vector<BYTE> bytes_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
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
  if (::LoadLibraryA("riched20.dll") == nullptr) {
    return 2;
  }
  const DialogTemplate dialog;
  const INT_PTR result = ::DialogBoxIndirectParamA(instance, dialog.get(), nullptr, FloorProc, 0);
  ::OleUninitialize();
  return result == 0 ? 0 : 3;
}
