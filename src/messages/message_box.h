// Message boxes as the program shows them: a text from the message table (or a literal), an OK
// button (Yes and No for a question), and the program file's name without its extension as the
// caption.
#pragma once

#include <string>

#include "platform/platform.h"

namespace messages {

// The program file's name without folder and extension ("Setup" for C:\Disk1\Setup.exe).
std::string ApplicationTitle(platform::Platform& platform);

// The message table's text for id ("" when it has none).
std::string LoadMessage(platform::Platform& platform, unsigned id);

// Shows message id in a modal OK box without an icon, as the program shows its failures.
void ShowMessage(platform::Platform& platform, unsigned id);
// Shows a literal text in a modal OK box without an icon.
void ShowText(platform::Platform& platform, const std::string& text);
// Shows a literal text in a modal OK box with the exclamation icon: a removal's failures.
void ShowWarningText(platform::Platform& platform, const std::string& text);
// Shows message id in a modal OK box with the information icon: news, not a failure.
void ShowInformation(platform::Platform& platform, unsigned id);
void ShowInformationText(platform::Platform& platform, const std::string& text);
// Asks message id in a modal Yes/No box; true when the user answers Yes.
bool AskYesNo(platform::Platform& platform, unsigned id);
bool AskYesNoText(platform::Platform& platform, const std::string& text);

}  // namespace messages
