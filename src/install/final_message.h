// The installation's last word, shown once the wizard has been told to close: success on the
// NT family, and on Windows 98/Me the question whether to restart now.
#pragma once

#include "install/port_entry.h"
#include "platform/platform.h"

namespace install {

// NT family: message 133 (reset the printer) after a USB installation, 131 otherwise.
// Windows 98/Me: question 114; Yes restarts the machine, and a refused restart shows 127.
// True when the machine is restarting.
bool ShowFinalMessage(platform::Platform& platform, int targetOs, PortKind kind);

}  // namespace install
