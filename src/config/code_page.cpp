#include "config/code_page.h"

#include <cstring>

namespace config {

std::size_t LastPathSeparator(std::string_view path) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsLeadByte(path[i]) && i + 1 < path.size()) {
      ++i;  // the second byte belongs to the character, whatever its value
    } else if (path[i] == '\\') {
      last = i;
    }
  }
  return last;
}

std::size_t WholeCharacterLength(std::string_view text, std::size_t limit) {
  const std::size_t end = text.size() < limit ? text.size() : limit;
  std::size_t i = 0;
  while (i < end) {
    const std::size_t width = IsLeadByte(text[i]) ? 2 : 1;
    if (i + width > end || (width == 2 && text[i + 1] == '\0')) {
      break;
    }
    i += width;
  }
  return i;
}

bool CopyWholeCharacters(char* out, std::size_t size, std::string_view text) {
  if (size == 0) {
    return text.empty();
  }
  const std::size_t count = WholeCharacterLength(text, size - 1);
  std::memmove(out, text.data(), count);
  out[count] = '\0';
  return count == text.size();
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  const auto folded = [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  };
  bool trailByte = false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (trailByte ? a[i] != b[i] : folded(a[i]) != folded(b[i])) {
      return false;
    }
    trailByte = !trailByte && IsLeadByte(a[i]);
  }
  return true;
}

}  // namespace config
