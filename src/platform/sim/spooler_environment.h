// How the simulated spooler reads an environment argument (test_GetPrinterDriverDirectory and
// test_GetPrintProcessorDirectory in Wine's winspool.drv/tests/info.c): a null or empty one
// means the running system's own; names compare without regard to case; "Windows 4.0" is
// known to every system, "Windows NT x86" only to the NT family.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace platform::sim {

constexpr const char* kEnvironment9x = "Windows 4.0";
constexpr const char* kEnvironmentNt = "Windows NT x86";

// The environment's canonical name, or "" when the running system does not know it.
std::string ResolveEnvironment(LPCSTR requested, bool windows9x);

// The environment's folder below spool\drivers and spool\prtprocs on the NT family.
std::string EnvironmentFolder(const std::string& environment);

}  // namespace platform::sim
