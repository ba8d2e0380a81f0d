// The device-control block (Win32 DCB, 28 bytes) that Windows 98/Me keeps in the registry for a
// serial port, built from SerialSettings.
#pragma once

#include "platform/win_types.h"
#include "ports/serial_settings.h"

static_assert(sizeof(DCB) == 28, "the registry's DCB value is 28 bytes");

namespace ports {

// A DCB built from zero: binary mode, the parity and error-character flags for any parity but
// None, CTS flow and RTS enabled for hardware flow control ('p'), XON/XOFF in both directions
// with 0x11/0x13 for 'x'. Stop bits other than exactly 1, 1.5 or 2 and unknown parity letters
// give 0.
DCB BuildSerialDcb(const SerialSettings& settings);

}  // namespace ports
