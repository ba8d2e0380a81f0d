#include "config/decimal.h"

#include <cctype>
#include <limits>

namespace config {

std::int32_t ParseDecimal(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  while (std::isspace(*p)) {
    ++p;
  }
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = (*p == '-');
    ++p;
  }
  // Accumulate the magnitude and saturate at 2^31 so that no digit string overflows.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  while (std::isdigit(*p)) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > kLimit) {
      magnitude = kLimit;
    }
    ++p;
  }
  if (negative) {
    return static_cast<std::int32_t>(-magnitude);
  }
  return static_cast<std::int32_t>(magnitude > std::numeric_limits<std::int32_t>::max()
                                       ? std::numeric_limits<std::int32_t>::max()
                                       : magnitude);
}

}  // namespace config
