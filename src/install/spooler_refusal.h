// The message of a spooler call that failed. Without administrator rights on the NT family
// (elevation declined, or a system that ignores the program's request for them) the spooler
// answers ERROR_ACCESS_DENIED; the message then says what is missing, not only that it failed.
#pragma once

#include <string>

#include "platform/platform.h"

namespace install {

// The message table's text for `id`, then `detail`, then for ERROR_ACCESS_DENIED a sentence on
// administrator rights.
std::string SpoolerFailureText(platform::Platform& platform, unsigned id, DWORD error,
                               const std::string& detail = std::string());

// Shows that text in a modal OK box.
void ShowSpoolerFailure(platform::Platform& platform, unsigned id, DWORD error,
                        const std::string& detail = std::string());

}  // namespace install
