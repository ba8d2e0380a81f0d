// The simulated machine's file deletion, short names and moves at restart.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/sim/ini_document.h"
#include "platform/sim/name_case.h"
#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

constexpr const char* kSessionManagerKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kPendingRenames = "PendingFileRenameOperations";
constexpr const char* kNtPathPrefix = "\\??\\";

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t slash = path.find('\\', start);
    parts.push_back(
        path.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) {
      break;
    }
    start = slash + 1;
  }
  return parts;
}

bool IsShortNameCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
         std::strchr("!#$%&'()-@^_`{}~", c) != nullptr || static_cast<unsigned char>(c) >= 0x80;
}

// A name that DOS accepts as it is: up to eight characters, a dot and up to three more.
bool IsShortName(const std::string& name) {
  const size_t dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  return !base.empty() && base.size() <= 8 && ext.size() <= 3 &&
         ext.find('.') == std::string::npos &&
         std::all_of(base.begin(), base.end(), IsShortNameCharacter) &&
         std::all_of(ext.begin(), ext.end(), IsShortNameCharacter);
}

std::string ShortNameCharacters(const std::string& text, size_t count) {
  std::string out;
  for (char c : text) {
    if (out.size() == count) {
      break;
    }
    if (IsShortNameCharacter(c)) {
      out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  return out;
}

// The first alias of a long name in its folder: six characters, "~1", the extension's three.
std::string FirstAlias(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  const std::string base = ShortNameCharacters(name.substr(0, dot), 6);
  const std::string ext =
      dot == std::string::npos ? std::string() : ShortNameCharacters(name.substr(dot + 1), 3);
  return base + "~1" + (ext.empty() ? "" : "." + ext);
}

}  // namespace

// test_DeleteFileA in Wine's kernel32/tests/file.c: no path or an empty one is
// ERROR_PATH_NOT_FOUND, a missing file ERROR_FILE_NOT_FOUND, a folder ERROR_ACCESS_DENIED, a
// file another program opened sharing deletion goes, and a loaded DLL (a mapped image) is
// refused with ERROR_ACCESS_DENIED. That a file open without shared deletion is a sharing
// violation and a read-only file is refused are assumptions.
BOOL SimMachine::DeleteFileA(LPCSTR path) {
  if (path == nullptr || *path == '\0') {
    lastError_ = ERROR_PATH_NOT_FOUND;
    return FALSE;
  }
  if (disk_.DirectoryExists(path)) {
    lastError_ = ERROR_ACCESS_DENIED;
    return FALSE;
  }
  if (!disk_.Exists(path)) {
    lastError_ = MissingFileError(path);
    return FALSE;
  }
  if (const DWORD lock = disk_.LockError(path)) {
    lastError_ = lock;
    return FALSE;
  }
  const std::string key = SimFileTree::Key(path);
  const bool heldOpen = std::any_of(fileHandles_.begin(), fileHandles_.end(), [&](const auto& h) {
    return h.second.key == key && (h.second.share & FILE_SHARE_DELETE) == 0;
  });
  if (heldOpen) {
    lastError_ = ERROR_SHARING_VIOLATION;
    return FALSE;
  }
  if (spooler_.HoldsFile(path) || (disk_.Attributes(path) & FILE_ATTRIBUTE_READONLY) != 0) {
    lastError_ = ERROR_ACCESS_DENIED;
    return FALSE;
  }
  disk_.Remove(path);
  return TRUE;
}

// A folder or file that DOS can name as it is keeps its name; a longer one gets its first
// alias, "LONGNA~1.EXT" (which alias a folder of several long names gives each is an
// assumption). A missing file is ERROR_FILE_NOT_FOUND; a buffer too small gets nothing and
// the size needed, terminator included.
DWORD SimMachine::GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) {
  if (longPath == nullptr) {
    lastError_ = ERROR_INVALID_PARAMETER;
    return 0;
  }
  if (!disk_.Exists(longPath) && !disk_.DirectoryExists(longPath)) {
    lastError_ = MissingFileError(longPath);
    return 0;
  }
  if (shortPathError_ != 0) {
    lastError_ = shortPathError_;
    return 0;
  }
  std::string folder;
  std::string result;
  for (const std::string& part : Components(longPath)) {
    const bool drive = folder.empty();
    const std::string name = drive || IsShortName(part) ? part : FirstAlias(part);
    if (name != part) {
      shortNames_[SimFileTree::Key(folder) + "\\" + name] = part;
    }
    folder += (drive ? "" : "\\") + part;
    result += (drive ? "" : "\\") + name;
  }
  if (result.size() + 1 > size || shortPath == nullptr) {
    return static_cast<DWORD>(result.size() + 1);
  }
  std::memcpy(shortPath, result.c_str(), result.size() + 1);
  return static_cast<DWORD>(result.size());
}

std::string SimMachine::LongPath(const std::string& path) const {
  std::string folder;
  for (const std::string& part : Components(path)) {
    if (folder.empty()) {
      folder = part;
      continue;
    }
    const auto it = shortNames_.find(SimFileTree::Key(folder) + "\\" + UpperCase(part));
    folder += "\\" + (it == shortNames_.end() ? part : it->second);
  }
  return folder;
}

// Windows 95/98/Me have no such call (they read WININIT.INI at start-up): they answer
// ERROR_CALL_NOT_IMPLEMENTED, an assumption no test records. The NT family records a move or
// deletion at restart in the Session Manager's PendingFileRenameOperations (Windows' documented
// place; it does not look at the file now). A plain move: test_MoveFileA in Wine's
// kernel32/tests/file.c, an existing destination is ERROR_ALREADY_EXISTS.
BOOL SimMachine::MoveFileEx(LPCSTR existing, LPCSTR newName, DWORD flags) {
  if (IsWindows9x()) {
    lastError_ = ERROR_CALL_NOT_IMPLEMENTED;
    return FALSE;
  }
  if (existing == nullptr) {
    lastError_ = ERROR_INVALID_PARAMETER;
    return FALSE;
  }
  if ((flags & MOVEFILE_DELAY_UNTIL_REBOOT) != 0) {
    HKEY key = nullptr;
    if (LONG error = registry_.RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, nullptr,
                                               REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                               &key, nullptr)) {
      lastError_ = static_cast<DWORD>(error);
      return FALSE;
    }
    std::string list;
    if (const auto pending = registry_.GetValue(kSessionManagerKey, kPendingRenames)) {
      list = pending->data.substr(0, pending->data.size() - 1);  // without the list's last NUL
    }
    list += std::string(kNtPathPrefix) + existing + '\0';
    list += (newName == nullptr ? std::string() : std::string(kNtPathPrefix) + newName) + '\0';
    list += '\0';
    const LONG error = registry_.RegSetValueExA(key, kPendingRenames, 0, REG_MULTI_SZ,
                                                reinterpret_cast<const BYTE*>(list.data()),
                                                static_cast<DWORD>(list.size()));
    registry_.RegCloseKey(key);
    lastError_ = static_cast<DWORD>(error);
    return error == ERROR_SUCCESS;
  }
  const auto bytes = disk_.ReadFile(existing);
  if (!bytes) {
    lastError_ = ERROR_FILE_NOT_FOUND;
    return FALSE;
  }
  if (newName != nullptr && disk_.Exists(newName)) {
    lastError_ = ERROR_ALREADY_EXISTS;
    return FALSE;
  }
  MoveAtRestart(existing, newName == nullptr ? "" : newName);
  return TRUE;
}

void SimMachine::MoveAtRestart(const std::string& from, const std::string& to) {
  const auto bytes = disk_.ReadFile(from);
  if (!bytes) {
    return;
  }
  if (!to.empty()) {
    disk_.WriteFile(to, *bytes);
  }
  disk_.Remove(from);
}

void SimMachine::ApplyPendingRenames() {
  const auto pending = registry_.GetValue(kSessionManagerKey, kPendingRenames);
  if (!pending) {
    return;
  }
  std::vector<std::string> entries;
  for (size_t at = 0; at < pending->data.size();) {
    const size_t end = pending->data.find('\0', at);
    entries.push_back(pending->data.substr(at, end - at));
    at = end == std::string::npos ? pending->data.size() : end + 1;
  }
  const auto strip = [](const std::string& path) {
    return path.rfind(kNtPathPrefix, 0) == 0 ? path.substr(std::strlen(kNtPathPrefix)) : path;
  };
  for (size_t i = 0; i + 1 < entries.size() && !entries[i].empty(); i += 2) {
    MoveAtRestart(strip(entries[i]), entries[i + 1].empty() ? "" : strip(entries[i + 1]));
  }
  HKEY key = nullptr;
  if (registry_.RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_ALL_ACCESS, &key) ==
      ERROR_SUCCESS) {
    registry_.RegDeleteValueA(key, kPendingRenames);
    registry_.RegCloseKey(key);
  }
}

// WININIT.EXE works through [rename] before Windows 95/98/Me start ("NUL=path" deletes, any
// other "to=from" moves), in the file's order, and keeps the file as WININIT.BAK.
void SimMachine::ApplyWininit() {
  const std::string path = windowsDirectory_ + "\\WININIT.INI";
  const auto bytes = disk_.ReadFile(path);
  if (!bytes) {
    return;
  }
  const auto lines = IniDocument::Parse(*bytes).SectionLines("rename");
  for (const std::string& line : lines ? *lines : std::vector<std::string>()) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      continue;
    }
    const std::string to = line.substr(0, equals);
    MoveAtRestart(LongPath(line.substr(equals + 1)),
                  EqualsIgnoringCase(to, "NUL") ? "" : LongPath(to));
  }
  disk_.WriteFile(windowsDirectory_ + "\\WININIT.BAK", *bytes);
  disk_.Remove(path);
}

void SimMachine::Restart() {
  if (IsWindows9x()) {
    ApplyWininit();
  } else {
    ApplyPendingRenames();
  }
  spooler_.Restart();
}

}  // namespace platform::sim
