// The check of the attached USB printer before a USB installation: its port number must match
// the chosen port, or the user agrees to give it that number. Typical mode lets an installation
// without an attached printer go on; Advanced mode needs exactly one printer.
#pragma once

#include "platform/platform.h"

namespace install {

// True: the installation goes on (the printer may have been renumbered). False: it stays on the
// port page; the reason has been shown (message 139, the probe's own messages, or message 143
// answered No), except for several printers, which the probe has already reported.
bool CheckUsbPrinter(platform::Platform& platform, int installMode, const char* portEntry);

}  // namespace install
