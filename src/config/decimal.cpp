#include "config/decimal.h"

#include <cctype>
#include <limits>

namespace config {
namespace {

bool IsBlank(unsigned char c) {
  return std::isspace(c) != 0;
}

// Saturates the unsigned 64-bit magnitude well before it could overflow.
constexpr std::uint64_t kMagnitudeLimit =
    static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

}  // namespace

DecimalText ScanDecimal(const char* text) {
  DecimalText scanned;
  if (text == nullptr) {
    return scanned;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  while (IsBlank(*p)) {
    ++p;
  }
  if (*p == '+' || *p == '-') {
    scanned.negative = (*p == '-');
    ++p;
  }
  const unsigned char* digits = p;
  while (std::isdigit(*p)) {
    const std::uint64_t digit = static_cast<std::uint64_t>(*p - '0');
    scanned.magnitude = scanned.magnitude > (kMagnitudeLimit - digit) / 10
                            ? kMagnitudeLimit
                            : scanned.magnitude * 10 + digit;
    ++p;
  }
  const bool anyDigit = p != digits;
  while (IsBlank(*p)) {
    ++p;
  }
  scanned.plain = anyDigit && *p == '\0';
  return scanned;
}

std::int32_t ParseDecimal(const char* text) {
  const std::int64_t value = ScanDecimal(text).value();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

std::uint32_t ParseUnsignedDecimal(const char* text) {
  const DecimalText scanned = ScanDecimal(text);
  if (scanned.negative) {
    return static_cast<std::uint32_t>(ParseDecimal(text));
  }
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(scanned.magnitude > kMax ? kMax : scanned.magnitude);
}

}  // namespace config
