// MakeDefaultPrinter: makes a printer the default printer by the method the running Windows
// supports (not the target system chosen in the wizard), then tells every top-level window
// that the default printer changed. It shows no message.
#pragma once

#include "platform/platform.h"

namespace install {

// 1 on success (and on a platform it knows no method for), 0 on any failure or a null or
// empty name.
// Windows 95/98/Me: the printer's default attribute; NT 4: win.ini [windows] "device";
// Windows 2000 and later: "SetDefaultPrinterA" of winspool.drv.
int MakeDefaultPrinter(platform::Platform& platform, const char* printerName);

}  // namespace install
