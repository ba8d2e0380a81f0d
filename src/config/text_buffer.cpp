#include "config/text_buffer.h"

#include <algorithm>
#include <cstring>

namespace config {

bool CopyText(char* out, std::size_t size, std::string_view text) {
  if (size == 0) {
    return text.empty();
  }
  const std::size_t count = std::min(text.size(), size - 1);
  std::memmove(out, text.data(), count);
  out[count] = '\0';
  return count == text.size();
}

bool AppendText(char* out, std::size_t size, std::string_view text) {
  // The text in out ends at its terminator, or at the last byte when that one is missing.
  const std::size_t used =
      size == 0 ? 0 : static_cast<std::size_t>(std::find(out, out + size - 1, '\0') - out);
  return CopyText(out + used, size - used, text);
}

}  // namespace config
