#include "platform/sim/name_case.h"

namespace platform::sim {
namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  // A plain loop, quick in unoptimised builds too: every lookup of a name ends here.
  const char* x = a.data();
  const char* y = b.data();
  for (const char* const end = x + a.size(); x != end; ++x, ++y) {
    if (*x != *y && AsciiUpper(*x) != AsciiUpper(*y)) {
      return false;
    }
  }
  return true;
}

std::string UpperCase(std::string name) {
  // A plain loop over the bytes: names are folded for every lookup of a large INI file, and
  // this stays quick in unoptimised (sanitizer) builds too.
  char* c = name.data();
  for (char* const end = c + name.size(); c != end; ++c) {
    if (*c >= 'a' && *c <= 'z') {
      *c = static_cast<char>(*c - 'a' + 'A');
    }
  }
  return name;
}

}  // namespace platform::sim
