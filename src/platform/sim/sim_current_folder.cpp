// The simulated current folder and full paths, by Windows' rules: a relative path is taken
// from the current folder, "\x" from its drive's root, "." and ".." are worked out, and a
// folder that does not exist or is too long cannot be made current.
#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

// SetCurrentDirectoryA takes at most MAX_PATH - 2 characters (room for "\" and the NUL).
constexpr size_t kCurrentDirectoryLimit = MAX_PATH - 2;

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// "C:" or "\\server\share": the part of a full path that ".." never climbs above.
size_t RootLength(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') {
    return 2;
  }
  size_t separators = 0;
  for (size_t i = 2; i < path.size(); ++i) {
    if (IsSeparator(path[i]) && ++separators == 2) {
      return i;
    }
  }
  return path.size();
}

// The path joined to the current folder as Windows does, before "." and ".." are removed.
std::string Joined(const std::string& current, const std::string& path) {
  const bool unc = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  const bool drive = path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]);
  if (unc || drive) {
    return path;
  }
  if (!path.empty() && IsSeparator(path[0])) {
    return current.substr(0, RootLength(current)) + path;
  }
  return current + "\\" + path;
}

std::string Normalised(const std::string& full) {
  const size_t root = RootLength(full);
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = root; i <= full.size(); ++i) {
    if (i == full.size() || IsSeparator(full[i])) {
      if (part == "..") {
        if (!parts.empty()) {
          parts.pop_back();
        }
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += full[i];
    }
  }
  std::string out = full.substr(0, root);
  for (const std::string& each : parts) {
    out += "\\" + each;
  }
  const bool trailing = full.size() > root && IsSeparator(full.back());
  return parts.empty() || trailing ? out + "\\" : out;
}

}  // namespace

BOOL SimMachine::SetCurrentDirectoryA(LPCSTR path) {
  if (path == nullptr || *path == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string full = Normalised(Joined(currentDirectory_, path));
  if (full.size() > kCurrentDirectoryLimit) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  if (setCurrentDirectoryError_ != 0) {
    SetLastError(setCurrentDirectoryError_);
    return FALSE;
  }
  if (full.size() > 3 && full.back() == '\\') {
    full.pop_back();
  }
  if (full.size() > 3 && !disk_.DirectoryExists(full)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  currentDirectory_ = full;
  return TRUE;
}

DWORD SimMachine::GetFullPathNameA(LPCSTR path, DWORD size, LPSTR out) {
  if (path == nullptr || *path == '\0') {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  const std::string full = Normalised(Joined(currentDirectory_, path));
  if (full.size() + 1 > size) {
    return static_cast<DWORD>(full.size() + 1);
  }
  std::memcpy(out, full.c_str(), full.size() + 1);
  return static_cast<DWORD>(full.size());
}

}  // namespace platform::sim
