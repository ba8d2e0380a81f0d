// The one conversion of INI text to numbers: decimal only, like the C runtime's atoi.
#pragma once

#include <cstdint>

namespace config {

// How a text reads as a decimal number: leading blanks and one sign are allowed, conversion
// stops at the first non-digit, text without leading digits gives 0, "0x10" gives 0.
struct DecimalText {
  bool negative = false;
  // The digits' value, saturated at 2^63 - 1.
  std::uint64_t magnitude = 0;
  // Nothing but blanks, one sign and at least one digit, blanks around: what an author means
  // by a number.
  bool plain = false;
  // The value as a signed number wide enough for every 32-bit field's range checks.
  std::int64_t value() const {
    const auto m = static_cast<std::int64_t>(magnitude);
    return negative ? -m : m;
  }
};
DecimalText ScanDecimal(const char* text);

// Values beyond 32 bits saturate.
std::int32_t ParseDecimal(const char* text);

// For the unsigned 32-bit fields: "2147483648" is 0x80000000; values beyond 32 bits saturate
// at 0xFFFFFFFF; a negative value wraps as in two's complement ("-1" is 0xFFFFFFFF), saturating
// at -2^31.
std::uint32_t ParseUnsignedDecimal(const char* text);

// The low 16 bits of the decimal value, for 16-bit fields.
inline std::uint16_t ParseDecimal16(const char* text) {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(ParseDecimal(text)) & 0xFFFFu);
}

}  // namespace config
