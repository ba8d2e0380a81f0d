// Finds the windows of the program under test from outside it: the wizard, its message boxes
// and the controls inside its child pages. Texts are read as Unicode so that Chinese captions
// compare correctly whatever the driver's own code page is.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The visible top-level dialog of the process whose caption is exactly `caption`, or null.
HWND FindWizard(DWORD processId, const std::wstring& caption);

// The visible top-level dialog of the process captioned `caption`, or null.
HWND FindDialog(DWORD processId, const std::wstring& caption);

// A visible top-level dialog of the process, other than the wizard, that holds a message
// box's text control (id 0xFFFF); null when there is none.
HWND FindMessageBox(DWORD processId, HWND wizard);

// The control with `id` among all descendants of the wizard (page dialogs included),
// preferring a visible one; null when no descendant has that id.
HWND FindControl(HWND wizard, int id);

// The window itself and all its descendants (the wizard's pages and their controls).
std::vector<HWND> WindowAndDescendants(HWND window);

// The window's text, read with the W call.
std::wstring WindowText(HWND window);

// The text of a message box's text control.
std::wstring MessageBoxText(HWND box);

// The entries of a drop-down list, read with CB_GETLBTEXTW, and the selected one ("" if none).
std::vector<std::wstring> ComboEntries(HWND list);
std::wstring ComboSelection(HWND list);
// The entries joined by "|", as scenario files write them.
std::wstring JoinEntries(const std::vector<std::wstring>& entries);

// Visible top-level windows of any process whose title is exactly `title`.
int CountTopLevelWindows(const std::wstring& title);

}  // namespace e2e
