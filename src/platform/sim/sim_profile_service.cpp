#include "platform/sim/sim_profile_service.h"

#include <cstring>
#include <string_view>

#include "platform/sim/ini_document.h"

namespace platform::sim {
namespace {

// Copies text cut to size - 1 characters, terminated; returns the characters copied.
DWORD CopyCut(std::string_view text, LPSTR out, DWORD size) {
  const size_t count = std::min<size_t>(text.size(), size - 1);
  std::memcpy(out, text.data(), count);
  out[count] = '\0';
  return static_cast<DWORD>(count);
}

// A list of names, each terminated, the list ended by a second terminator; a list too long
// for the buffer is cut and still double-terminated, and size - 2 is returned.
DWORD CopyNameList(const std::vector<std::string>& names, LPSTR out, DWORD size) {
  std::string joined;
  for (const std::string& name : names) {
    joined += name;
    joined.push_back('\0');
  }
  if (joined.size() + 1 <= size) {
    std::memcpy(out, joined.data(), joined.size());
    out[joined.size()] = '\0';
    return static_cast<DWORD>(joined.size() == 0 ? 0 : joined.size());
  }
  if (size < 2) {
    out[0] = '\0';
    return 0;
  }
  std::memcpy(out, joined.data(), size - 2);
  out[size - 2] = '\0';
  out[size - 1] = '\0';
  return size - 2;
}

std::string_view StripOneQuotePair(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool IsFullPath(const std::string& name) {
  return (name.size() >= 2 && name[1] == ':') || (!name.empty() && (name[0] == '\\' || name[0] == '/'));
}

}  // namespace

std::string SimProfileService::Resolve(const std::string& fileName) const {
  return IsFullPath(fileName) ? fileName : windowsDirectory_ + "\\" + fileName;
}

DWORD SimProfileService::GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                                  LPSTR out, DWORD size, LPCSTR fileName) {
  if (out == nullptr || size == 0) {
    return 0;
  }
  const auto bytes = disk_.ReadFile(Resolve(fileName == nullptr ? "win.ini" : fileName));
  const IniDocument doc = IniDocument::Parse(bytes ? *bytes : std::string());
  if (section == nullptr || key == nullptr) {
    return CopyNameList(section == nullptr ? doc.SectionNames() : doc.KeyNames(section), out, size);
  }
  if (const IniDocument::Entry* entry = doc.Find(section, key)) {
    return CopyCut(StripOneQuotePair(entry->value.value_or("")), out, size);
  }
  std::string_view fallback = defaultValue == nullptr ? "" : defaultValue;
  while (!fallback.empty() && fallback.back() == ' ') {
    fallback.remove_suffix(1);
  }
  return CopyCut(fallback, out, size);
}

BOOL SimProfileService::WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  if (section == nullptr) {
    return FALSE;
  }
  const std::string path = Resolve("win.ini");
  const auto bytes = disk_.ReadFile(path);
  IniDocument doc = IniDocument::Parse(bytes ? *bytes : std::string());
  if (key == nullptr) {
    doc.RemoveSection(section);
  } else if (value == nullptr) {
    doc.RemoveKey(section, key);
  } else {
    doc.Set(section, key, value);
  }
  disk_.WriteFile(path, doc.Serialize());
  return TRUE;
}

}  // namespace platform::sim
