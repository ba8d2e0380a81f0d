// Texts in the system's ANSI code page 936 (GBK): a byte from 0x81 to 0xFE leads a two-byte
// character whose second byte may be any byte from 0x40 on, a backslash (0x5C) included. Paths
// are split and texts are cut with that in mind.
#pragma once

#include <cstddef>
#include <string_view>

namespace config {

// True for a byte that begins a two-byte character.
inline bool IsLeadByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

// Names as Windows compares printers, drivers, monitors, ports, registry values, file names and
// keywords: without regard to the case of ASCII letters; the second byte of a two-byte
// character is compared as it is, since it may look like an ASCII letter.
bool SameName(std::string_view a, std::string_view b);

// Position of the last "\" that is a character of its own (not the second byte of a two-byte
// character), or npos.
std::size_t LastPathSeparator(std::string_view path);

// The length of the longest beginning of text, at most limit bytes, that ends on a character
// boundary: a lead byte whose second byte lies beyond the limit (or is missing) is left out.
std::size_t WholeCharacterLength(std::string_view text, std::size_t limit);

// Copies text cut to size - 1 bytes at a character boundary, terminated; false when cut.
bool CopyWholeCharacters(char* out, std::size_t size, std::string_view text);

template <std::size_t N>
bool CopyWholeCharacters(char (&out)[N], std::string_view text) {
  return CopyWholeCharacters(out, N, text);
}

}  // namespace config
