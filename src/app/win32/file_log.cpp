#include "app/win32/file_log.h"

#include <windows.h>

#include <vector>

namespace app::win32 {
namespace {

std::string TemporaryLogPath() {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathA(sizeof(folder), folder);
  std::string path = (length > 0 && length < sizeof(folder)) ? folder : "";
  if (!path.empty() && path.back() != '\\') {
    path += '\\';
  }
  return path + "Setup.log";
}

std::string Timestamp() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char text[32] = {};
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond);
  return text;
}

}  // namespace

std::string Gbk936ToUtf8(const std::string& text) {
  if (text.empty()) {
    return text;
  }
  const int wide = ::MultiByteToWideChar(kProgramCodePage, 0, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
  std::vector<wchar_t> unicode(static_cast<size_t>(wide));
  ::MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()),
                        unicode.data(), wide);
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, unicode.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, unicode.data(), wide, &utf8[0], size, nullptr, nullptr);
  return utf8;
}

FileLog::FileLog(const std::string& path) : path_(path.empty() ? TemporaryLogPath() : path) {
  file_ = std::fopen(path_.c_str(), "ab");
}

FileLog::~FileLog() {
  if (file_ != nullptr) {
    std::fclose(file_);
  }
}

void FileLog::Line(const std::string& text) {
  if (file_ == nullptr) {
    return;
  }
  std::string line = Timestamp() + "  " + Gbk936ToUtf8(text);
  // One entry a line: a message's own line breaks are written as "\n".
  std::string escaped;
  for (char c : line) {
    if (c == '\n') {
      escaped += "\\n";
    } else if (c != '\r') {
      escaped += c;
    }
  }
  escaped += "\r\n";
  std::fwrite(escaped.data(), 1, escaped.size(), file_);
  std::fflush(file_);
}

}  // namespace app::win32
