// The device-control block (Win32 DCB, 28 bytes) that Windows 98/Me keeps in the registry for a
// serial port, built from SerialSettings. The Windows build takes DCB from <windows.h>; the
// native build declares a look-alike here with the same fields, bit fields and order.
#pragma once

#include "platform/win_types.h"
#include "ports/serial_settings.h"

#ifndef _WIN32
struct DCB {
  DWORD DCBlength;
  DWORD BaudRate;
  DWORD fBinary : 1;
  DWORD fParity : 1;
  DWORD fOutxCtsFlow : 1;
  DWORD fOutxDsrFlow : 1;
  DWORD fDtrControl : 2;
  DWORD fDsrSensitivity : 1;
  DWORD fTXContinueOnXoff : 1;
  DWORD fOutX : 1;
  DWORD fInX : 1;
  DWORD fErrorChar : 1;
  DWORD fNull : 1;
  DWORD fRtsControl : 2;
  DWORD fAbortOnError : 1;
  DWORD fDummy2 : 17;
  WORD wReserved;
  WORD XonLim;
  WORD XoffLim;
  BYTE ByteSize;
  BYTE Parity;
  BYTE StopBits;
  char XonChar;
  char XoffChar;
  char ErrorChar;
  char EofChar;
  char EvtChar;
  WORD wReserved1;
};

constexpr BYTE NOPARITY = 0;
constexpr BYTE ODDPARITY = 1;
constexpr BYTE EVENPARITY = 2;
constexpr BYTE MARKPARITY = 3;
constexpr BYTE SPACEPARITY = 4;
constexpr BYTE ONESTOPBIT = 0;
constexpr BYTE ONE5STOPBITS = 1;
constexpr BYTE TWOSTOPBITS = 2;
constexpr DWORD RTS_CONTROL_ENABLE = 1;
#endif

static_assert(sizeof(DCB) == 28, "the registry's DCB value is 28 bytes");

namespace ports {

// A DCB built from zero: binary mode, the parity and error-character flags for any parity but
// None, CTS flow and RTS enabled for hardware flow control ('p'), XON/XOFF in both directions
// with 0x11/0x13 for 'x'. Stop bits other than exactly 1, 1.5 or 2 and unknown parity letters
// give 0.
DCB BuildSerialDcb(const SerialSettings& settings);

}  // namespace ports
