// How the simulated Windows compares names (files, keys, values, sections, printers): without
// regard to ASCII case; other bytes must be equal.
#pragma once

#include <string>
#include <string_view>

namespace platform::sim {

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// The name with ASCII letters in upper case: a key for maps of names.
std::string UpperCase(std::string name);

}  // namespace platform::sim
