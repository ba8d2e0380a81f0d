// The one conversion of INI text to numbers: decimal only, like the C runtime's atoi.
#pragma once

#include <cstdint>

namespace config {

// Leading blanks and one sign are allowed; conversion stops at the first non-digit; text
// without leading digits gives 0; "0x10" gives 0. Values beyond 32 bits saturate.
std::int32_t ParseDecimal(const char* text);

// The low 16 bits of the decimal value, for 16-bit fields.
inline std::uint16_t ParseDecimal16(const char* text) {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(ParseDecimal(text)) & 0xFFFFu);
}

}  // namespace config
