// Copying into the installer's fixed-size text buffers: always terminated, never overrun.
#pragma once

#include <cstddef>
#include <string_view>

namespace config {

// Copies text cut to size - 1 characters, terminated; returns false when it was cut.
bool CopyText(char* out, std::size_t size, std::string_view text);

template <std::size_t N>
bool CopyText(char (&out)[N], std::string_view text) {
  return CopyText(out, N, text);
}

// Appends text to the terminated text in out, cut to what still fits; false when it was cut.
bool AppendText(char* out, std::size_t size, std::string_view text);

template <std::size_t N>
bool AppendText(char (&out)[N], std::string_view text) {
  return AppendText(out, N, text);
}

}  // namespace config
