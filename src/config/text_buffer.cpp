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

}  // namespace config
