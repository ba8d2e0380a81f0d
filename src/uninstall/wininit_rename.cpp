#include "uninstall/wininit_rename.h"

#include "config/code_page.h"

namespace uninstall {
namespace {

constexpr const char* kNewLine = "\r\n";

// The line starting at `start` without its line end and surrounding blanks.
std::string TrimmedLine(const std::string& text, size_t start) {
  size_t end = text.find('\n', start);
  end = end == std::string::npos ? text.size() : end;
  const size_t first = text.find_first_not_of(" \t", start);
  if (first == std::string::npos || first >= end) {
    return std::string();
  }
  const size_t last = text.find_last_not_of(" \t\r", end - 1);
  return text.substr(first, last + 1 - first);
}

size_t NextLine(const std::string& text, size_t start) {
  const size_t end = text.find('\n', start);
  return end == std::string::npos ? text.size() : end + 1;
}

// Where the text may take a new line: a text not ending its last line gets a line end first.
std::string LineStart(const std::string& before) {
  return before.empty() || before.back() == '\n' ? std::string() : std::string(kNewLine);
}

}  // namespace

std::string WithRenameLine(const std::string& text, const std::string& line) {
  size_t at = 0;
  bool inSection = false;
  for (; at < text.size(); at = NextLine(text, at)) {
    const std::string trimmed = TrimmedLine(text, at);
    const bool header = !trimmed.empty() && trimmed.front() == '[';
    if (inSection && header) {
      break;  // the section ends where the next begins
    }
    if (header && config::SameName(trimmed, "[rename]")) {
      inSection = true;
    }
  }
  const std::string before = text.substr(0, at);
  const std::string added =
      inSection ? line + kNewLine : "[rename]" + std::string(kNewLine) + line + kNewLine;
  return before + LineStart(before) + added + text.substr(at);
}

}  // namespace uninstall
