// The floor of the wizard's start-up: what any such wizard must do before its first page shows,
// and nothing else. It imports the same system DLLs as Setup.exe, initialises OLE, loads
// RichEdit 2.0, streams a short RTF text into a rich-text view inside a dialog and shows the
// dialog. The bench's driver times it from process creation to the dialog shown, as it times
// Setup.exe; its OK button ends the program.
#include <windows.h>

#include "floor_window.h"

namespace {

constexpr int kRichTextId = 100;
constexpr char kRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs18 "
    "{\\b Licence agreement}\\par Please read the following licence agreement carefully.\\par}";

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    floor_window::StreamRtf(::GetDlgItem(dialog, kRichTextId), kRtf, sizeof(kRtf) - 1);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
    ::EndDialog(dialog, 0);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (const int failed = floor_window::StartLikeTheWizard()) {
    return failed;
  }
  floor_window::DialogTemplate dialog("Startup floor", 300, 200);
  dialog.Item(kRichTextId,
              WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
              {7, 7, 286, 160}, RICHEDIT_CLASSA);
  dialog.Item(IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {243, 175, 50, 14},
              "Button");
  const INT_PTR result = ::DialogBoxIndirectParamA(instance, dialog.get(), nullptr, FloorProc, 0);
  ::OleUninitialize();
  return result == 0 ? 0 : 3;
}
