// The read-only rich-text view of the licence page. Its library is loaded once at start from
// the system folder by full path, never by bare name: the program's own folder (a CD, a
// download folder) comes first in the search order and could hold a planted copy.
#pragma once

#include <windows.h>

#include <string>

namespace ui::win32 {

// Loads RichEdit 2.0, or RichEdit 1.0 where only that is present (Windows NT 4 as shipped).
// False when neither can be loaded.
bool LoadRichTextLibrary();

// Puts a read-only rich-text view showing `rtf` in the place of the dialog's control `id` (a
// placeholder in the template), with the same id.
void ShowRichText(HWND dialog, int id, const std::string& rtf);

}  // namespace ui::win32
