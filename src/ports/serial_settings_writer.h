// Stores a serial port's line settings where Windows opens the port with them: on Windows
// 98/Me in win.ini [Ports] and as the "DCB" value of the port's Ports class key, on the NT
// family under the registry's Ports key. Nothing is shown: a key or value that cannot be
// written is passed over and the installation goes on; the result says whether the settings
// were stored where the port is opened with them (win.ini on 98/Me, the Ports key on NT).
#pragma once

#include "platform/platform.h"
#include "ports/serial_settings.h"

namespace ports {

// portNumber: the digit after "COM" in the chosen port (1 or 2 find a Ports class key; any
// other number writes win.ini alone). portName: the port from its "COM" on ("COM1:").
bool WriteSerialSettingsWin98(platform::Platform& platform, int portNumber, const char* portName,
                              const SerialSettings& settings);

// portName: the chosen port from its "COM" on ("KSCOM3:" is stored as "COM3:").
bool WriteSerialSettingsNt(platform::Platform& platform, const char* portName,
                           const SerialSettings& settings);

}  // namespace ports
