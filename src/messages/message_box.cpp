#include "messages/message_box.h"
#include "language/language.h"

#include <array>

namespace messages {

std::string ApplicationTitle(platform::Platform& platform) {
  std::array<char, 260> path{};
  // A path that fills the buffer comes back without a terminator (Windows XP and later).
  const DWORD length =
      platform.files.GetModuleFileNameA(path.data(), static_cast<DWORD>(path.size()));
  std::string title(path.data(), length < path.size() ? length : path.size());
  const size_t slash = title.find_last_of("\\/");
  if (slash != std::string::npos) {
    title.erase(0, slash + 1);
  }
  const size_t dot = title.rfind('.');
  if (dot != std::string::npos) {
    title.erase(dot);
  }
  return title;
}

std::string LoadMessage(platform::Platform& platform, unsigned id) {
  // The longest message is well under 512 bytes in code page 936.
  std::array<char, 512> text{};
  platform.user.LoadStringA(language::ResourceId(id), text.data(), static_cast<int>(text.size()));
  return text.data();
}

void ShowMessage(platform::Platform& platform, unsigned id) {
  ShowText(platform, LoadMessage(platform, id));
}

void ShowText(platform::Platform& platform, const std::string& text) {
  platform.user.MessageBoxA(text.c_str(), ApplicationTitle(platform).c_str(), MB_OK);
}

void ShowWarningText(platform::Platform& platform, const std::string& text) {
  platform.user.MessageBoxA(text.c_str(), ApplicationTitle(platform).c_str(),
                            MB_OK | MB_ICONEXCLAMATION);
}

void ShowInformation(platform::Platform& platform, unsigned id) {
  ShowInformationText(platform, LoadMessage(platform, id));
}

void ShowInformationText(platform::Platform& platform, const std::string& text) {
  platform.user.MessageBoxA(text.c_str(), ApplicationTitle(platform).c_str(),
                            MB_OK | MB_ICONINFORMATION);
}

bool AskYesNo(platform::Platform& platform, unsigned id) {
  return AskYesNoText(platform, LoadMessage(platform, id));
}

bool AskYesNoText(platform::Platform& platform, const std::string& text) {
  return platform.user.MessageBoxA(text.c_str(), ApplicationTitle(platform).c_str(),
                                   MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace messages
