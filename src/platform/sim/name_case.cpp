#include "platform/sim/name_case.h"

#include <algorithm>

namespace platform::sim {
namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiUpper(x) == AsciiUpper(y);
         });
}

std::string UpperCase(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), AsciiUpper);
  return name;
}

}  // namespace platform::sim
