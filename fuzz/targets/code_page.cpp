// Code page 936 texts: the last path separator is never the second byte of a character, and a
// cut text never ends in half a character.
#include <string>

#include "config/code_page.h"
#include "fuzz/fuzz_target.h"

namespace {

// Whether position `at` begins a character, walking from the start.
bool StartsCharacter(const std::string& text, std::size_t at) {
  std::size_t i = 0;
  while (i < at) {
    i += config::IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
  }
  return i == at;
}

}  // namespace

FUZZ_TARGET(code_page) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t slash = config::LastPathSeparator(text);
  if (slash != std::string::npos) {
    FUZZ_CHECK(text[slash] == '\\' && StartsCharacter(text, slash));
  }
  for (std::size_t limit : {std::size_t{0}, std::size_t{1}, size / 2, size}) {
    const std::size_t length = config::WholeCharacterLength(text, limit);
    FUZZ_CHECK(length <= limit && StartsCharacter(text, length));
    char out[32];
    config::CopyWholeCharacters(out, text);
    FUZZ_CHECK(out[config::WholeCharacterLength(text, sizeof(out) - 1)] == '\0');
  }
  return 0;
}
