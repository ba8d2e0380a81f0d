// The rule that fixes the target system from the running Windows version. The OS page shows
// its answer; a removal from the command line takes the same answer, so that it looks for what
// the wizard would have installed on this machine.
#pragma once

#include "config/install_types.h"
#include "platform/system_service.h"

namespace install {

constexpr int kNoSystemButton = 0;

struct TargetSystem {
  int button;              // the OS page's radio button, kNoSystemButton when none fits
  int targetOs;            // TargetOs
  bool supportedPlatform;  // false: message 115, the program does not support this system
};

TargetSystem RecogniseTargetSystem(const OSVERSIONINFOA& version);
// The running system's, read with GetVersionExA.
TargetSystem RunningTargetSystem(platform::SystemService& system);

// "Windows 98/Me", "Windows NT 4", ... "Windows Server 2003"; "?" outside TargetOs.
const char* TargetSystemName(int targetOs);

}  // namespace install
