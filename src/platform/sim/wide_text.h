// Sizes in UTF-16 of what the simulated machine holds in its ANSI code page (936). The NT
// spooler keeps its records in UTF-16, and an A call reports the size its W call needs
// (test_GetPrinter in Wine's winspool.drv/tests/info.c).
#pragma once

#include <cstddef>
#include <string>

namespace platform::sim {

// Bytes of the text in UTF-16 with its terminator: a GBK lead byte (0x81-0xFE) and the byte
// after it are one character, any other byte one.
std::size_t WideTextSize(const std::string& ansi);

// Bytes of a DEVMODEW made from these DEVMODEA bytes (dmSize + dmDriverExtra): the device
// name, and the form name when the structure reaches it, take two bytes a character.
std::size_t WideDevModeSize(const std::string& devMode);

}  // namespace platform::sim
