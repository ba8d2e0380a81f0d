#include "pkgcheck/win32/win32_package.h"

#include <windows.h>

#include "config/text_buffer.h"

namespace pkgcheck {
namespace {

std::string Under(const std::string& folder, const std::string& relative) {
  return relative.empty() ? folder : folder + "\\" + relative;
}

// The text and its length, as the Win32 calls answer: the length without the terminator when
// it fits, the size needed otherwise.
DWORD Answer(const std::string& text, LPSTR out, DWORD size) {
  if (text.size() >= size) {
    return static_cast<DWORD>(text.size() + 1);
  }
  config::CopyText(out, size, text);
  return static_cast<DWORD>(text.size());
}

}  // namespace

DWORD PackageFileService::GetModuleFileNameA(LPSTR out, DWORD size) {
  const std::string program = folder_ + "\\Setup.exe";
  config::CopyText(out, size, program);  // cut like the real call
  return static_cast<DWORD>(program.size() < size ? program.size() : size);
}

DWORD PackageFileService::GetCurrentDirectoryA(DWORD size, LPSTR out) {
  return Answer(folder_, out, size);
}

BOOL PackageFileService::CopyFileA(LPCSTR, LPCSTR, BOOL) {
  ::SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

BOOL PackageFileService::SetFileAttributesA(LPCSTR, DWORD) {
  ::SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

BOOL PackageFileService::DeleteFileA(LPCSTR) {
  ::SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

std::optional<std::string> Win32PackageFolder::Read(const std::string& relative) {
  const HANDLE file = ::CreateFileA(Under(folder_, relative).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  ::CloseHandle(file);
  return bytes;
}

std::optional<std::vector<std::string>> Win32PackageFolder::List(const std::string& relative) {
  const std::string folder = Under(folder_, relative);
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return std::nullopt;
  }
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return names;
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.emplace_back(found.cFileName);
    }
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

}  // namespace pkgcheck
