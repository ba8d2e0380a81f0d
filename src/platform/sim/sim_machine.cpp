#include "platform/sim/sim_machine.h"

#include <algorithm>
#include <cstring>

#include "messages/message_table.h"

namespace platform::sim {
namespace {

// GetModuleFileNameA's contract: the path cut to size - 1 and terminated, length returned.
DWORD CopyPath(const std::string& path, LPSTR out, DWORD size) {
  if (size == 0) {
    return 0;
  }
  const size_t count = std::min<size_t>(path.size(), size - 1);
  std::memcpy(out, path.data(), count);
  out[count] = '\0';
  return static_cast<DWORD>(count);
}

// The directory queries' contract: the length needed (terminator included) when the buffer is
// too small, else the path and its length.
DWORD CopyDirectory(const std::string& path, LPSTR out, DWORD size) {
  if (path.size() + 1 > size) {
    return static_cast<DWORD>(path.size() + 1);
  }
  std::memcpy(out, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

}  // namespace

SimMachine::SimMachine() {
  SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  for (const messages::MessageText& message : messages::kMessageTable) {
    strings_[message.id] = message.text;
  }
}

void SimMachine::SetVersion(DWORD platformId, DWORD major, DWORD minor) {
  version_ = OSVERSIONINFOA{};
  version_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  version_.dwPlatformId = platformId;
  version_.dwMajorVersion = major;
  version_.dwMinorVersion = minor;
}

DWORD SimMachine::GetModuleFileNameA(LPSTR out, DWORD size) {
  return CopyPath(moduleFileName_, out, size);
}

DWORD SimMachine::GetCurrentDirectoryA(DWORD size, LPSTR out) {
  return CopyDirectory(currentDirectory_, out, size);
}

UINT SimMachine::GetSystemDirectoryA(LPSTR out, UINT size) {
  return CopyDirectory(systemDirectory_, out, size);
}

UINT SimMachine::GetWindowsDirectoryA(LPSTR out, UINT size) {
  return CopyDirectory(windowsDirectory_, out, size);
}

BOOL SimMachine::GetVersionExA(OSVERSIONINFOA* info) {
  *info = version_;
  return TRUE;
}

int SimMachine::MessageBoxA(LPCSTR text, LPCSTR caption, UINT type) {
  int answer = ((type & 0xF) == MB_YESNO) ? IDNO : IDOK;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  journal_.push_back(MessageBoxRecord{text == nullptr ? "" : text,
                                      caption == nullptr ? "" : caption, type, answer});
  return answer;
}

int SimMachine::LoadStringA(UINT id, LPSTR out, int size) {
  if (out == nullptr || size <= 0) {
    return 0;
  }
  const auto it = strings_.find(id);
  const std::string text = it == strings_.end() ? std::string() : it->second;
  return static_cast<int>(CopyPath(text, out, static_cast<DWORD>(size)));
}

}  // namespace platform::sim
