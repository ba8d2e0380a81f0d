#include "platform/sim/sim_profile_service.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/sim/ini_document.h"

namespace platform::sim {
namespace {

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

// One pair of matching quotes around the whole text is removed ("x" and 'x', not "x').
std::string_view StripOneQuotePair(std::string_view text) {
  if (text.size() >= 2 && IsQuote(text.front()) && text.back() == text.front()) {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

// Copies the text cut to size - 1 bytes (a double-byte character may be split, as Windows
// does for ANSI text) and terminates it; returns the bytes copied. size is at least 1.
DWORD CopyCut(std::string_view text, LPSTR out, DWORD size) {
  const size_t count = std::min<size_t>(text.size(), size - 1);
  std::memcpy(out, text.data(), count);
  out[count] = '\0';
  return static_cast<DWORD>(count);
}

// The default as Windows hands it back: copied, then cut before its trailing spaces by a NUL
// written in the buffer, so the spaces stay behind the terminator. A quoted default loses its
// quotes like a value.
DWORD CopyDefault(LPCSTR defaultValue, LPSTR out, DWORD size) {
  const std::string_view text = defaultValue == nullptr ? "" : defaultValue;
  const size_t kept = text.find_last_not_of(' ') + 1;  // npos + 1 == 0: all spaces
  const std::string_view unquoted = StripOneQuotePair(text.substr(0, kept));
  if (unquoted.size() != kept) {
    return CopyCut(unquoted, out, size);
  }
  const DWORD copied = CopyCut(text, out, size);
  if (kept < copied) {
    out[kept] = '\0';
    return static_cast<DWORD>(kept);
  }
  return copied;
}

// Names each terminated, the list ended by one more NUL. A list that does not fit with both
// terminators is cut to size - 2 bytes and ended by two NULs; size - 2 is returned then. With
// leaveLastByte, a list one byte short of fitting (its names and their NULs fill the buffer)
// is copied whole and the buffer's last byte is left as it was.
DWORD CopyNameList(const std::vector<std::string>& names, LPSTR out, DWORD size,
                   bool leaveLastByte) {
  std::string joined;
  for (const std::string& name : names) {
    joined += name;
    joined.push_back('\0');
  }
  if (joined.size() + 2 <= size) {
    std::memcpy(out, joined.data(), joined.size());
    out[joined.size()] = '\0';
    return static_cast<DWORD>(joined.size());
  }
  if (leaveLastByte && !joined.empty() && joined.size() + 1 == size) {
    std::memcpy(out, joined.data(), joined.size());
    return size - 2;
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

// A bare file name lives in the Windows directory; anything with a path is taken as given.
bool HasFolder(const std::string& name) {
  return name.find_first_of("\\/:") != std::string::npos;
}

}  // namespace

bool SimProfileService::LeavesLastByteOfExactSectionList() const {
  return version_.dwPlatformId == VER_PLATFORM_WIN32_NT &&
         (version_.dwMajorVersion < 5 ||
          (version_.dwMajorVersion == 5 && version_.dwMinorVersion < 2));
}

std::string SimProfileService::Resolve(const std::string& fileName) const {
  return HasFolder(fileName) ? fileName : windowsDirectory_ + "\\" + fileName;
}

std::shared_ptr<const IniDocument> SimProfileService::Document(const std::string& path) {
  if (lastDocument_ != nullptr && lastDiskRevision_ == disk_.Revision() && lastPath_ == path) {
    return lastDocument_;
  }
  const std::uint64_t revision = disk_.Revision(path);
  Parsed& parsed = parsed_[SimFileTree::Key(path)];
  if (parsed.document == nullptr || parsed.revision != revision) {
    const std::optional<std::string> bytes = disk_.ReadFile(path);
    parsed.document = std::make_shared<const IniDocument>(IniDocument::Parse(bytes ? *bytes : ""));
    parsed.revision = revision;
  }
  lastPath_ = path;
  lastDiskRevision_ = disk_.Revision();
  lastDocument_ = parsed.document;
  return parsed.document;
}

DWORD SimProfileService::GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                                  LPSTR out, DWORD size, LPCSTR fileName) {
  if (out == nullptr || size == 0) {
    return 0;
  }
  const std::shared_ptr<const IniDocument> document =
      Document(Resolve(fileName == nullptr ? "win.ini" : fileName));
  const IniDocument& doc = *document;
  if (section == nullptr) {
    return CopyNameList(doc.SectionNames(), out, size, LeavesLastByteOfExactSectionList());
  }
  if (key == nullptr) {
    const std::optional<std::vector<std::string>> names = doc.KeyNames(section);
    if (!names || names->empty()) {
      return CopyDefault(defaultValue, out, size);
    }
    return CopyNameList(*names, out, size, false);
  }
  const size_t entry = doc.FindEntry(doc.FindHeader(section), key);
  if (entry != std::string::npos) {
    return CopyCut(StripOneQuotePair(doc.lines()[entry].value), out, size);
  }
  return CopyDefault(defaultValue, out, size);
}

BOOL SimProfileService::WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  if (section == nullptr) {
    return FALSE;
  }
  const std::string path = Resolve("win.ini");
  const std::optional<std::string> bytes = disk_.ReadFile(path);
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

// test_profile_sections in Wine's kernel32/tests/profile.c: no buffer, no section or no file
// give 0 (ERROR_INVALID_PARAMETER; ERROR_FILE_NOT_FOUND for no file, where Wine differs); a
// missing or empty section gives an empty list; the lines are listed as the key list is, cut
// the same way when they do not fit. Windows 98 leaves the last error alone on those refusals.
DWORD SimProfileService::GetPrivateProfileSectionA(LPCSTR section, LPSTR out, DWORD size,
                                                   LPCSTR fileName) {
  const bool windows9x = version_.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
  if (out == nullptr || size == 0 || section == nullptr || fileName == nullptr) {
    if (!windows9x) {
      lastError_ = fileName == nullptr && out != nullptr && size != 0 && section != nullptr
                       ? ERROR_FILE_NOT_FOUND
                       : ERROR_INVALID_PARAMETER;
    }
    return 0;
  }
  const auto lines = Document(Resolve(fileName))->SectionLines(section);
  lastError_ = ERROR_SUCCESS;
  return CopyNameList(lines ? *lines : std::vector<std::string>(), out, size, false);
}

// The section is replaced by the lines (each terminated, the list ended by one more NUL), or
// added at the end of the file, which is made when missing; no lines removes the section. No
// test records these details (test_profile_directory_readonly only records a refusal): they
// are assumptions, and so is ERROR_PATH_NOT_FOUND for a file in a missing folder.
BOOL SimProfileService::WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR fileName) {
  if (section == nullptr || fileName == nullptr) {
    lastError_ = ERROR_INVALID_PARAMETER;
    return FALSE;
  }
  const std::string path = Resolve(fileName);
  if (!disk_.DirectoryExists(SimFileTree::Parent(path))) {
    lastError_ = ERROR_PATH_NOT_FOUND;
    return FALSE;
  }
  const std::optional<std::string> bytes = disk_.ReadFile(path);
  IniDocument doc = IniDocument::Parse(bytes ? *bytes : std::string());
  if (lines == nullptr) {
    doc.RemoveSection(section);
  } else {
    std::vector<std::string> list;
    for (LPCSTR line = lines; *line != '\0'; line += std::strlen(line) + 1) {
      list.emplace_back(line);
    }
    doc.ReplaceSection(section, list);
  }
  disk_.WriteFile(path, doc.Serialize());
  return TRUE;
}

}  // namespace platform::sim
