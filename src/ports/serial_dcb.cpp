#include "ports/serial_dcb.h"

namespace ports {
namespace {

constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

// The DCB parity code of a letter; false for a letter that is not one.
bool ParityCode(char letter, BYTE* code) {
  switch (letter) {
    case 'n':
      *code = NOPARITY;
      return true;
    case 'o':
      *code = ODDPARITY;
      return true;
    case 'e':
      *code = EVENPARITY;
      return true;
    case 'm':
      *code = MARKPARITY;
      return true;
    case 's':
      *code = SPACEPARITY;
      return true;
    default:
      return false;
  }
}

BYTE StopBitsCode(double stopBits) {
  if (stopBits == 1.5) {
    return ONE5STOPBITS;
  }
  if (stopBits == 2.0) {
    return TWOSTOPBITS;
  }
  return ONESTOPBIT;  // 1.0, and anything unexpected
}

}  // namespace

DCB BuildSerialDcb(const SerialSettings& settings) {
  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = static_cast<DWORD>(settings.baudRate);
  dcb.fBinary = 1;

  BYTE parity = NOPARITY;
  if (ParityCode(settings.parity, &parity)) {
    dcb.Parity = parity;
    const bool checked = parity != NOPARITY;
    dcb.fParity = checked ? 1 : 0;
    dcb.fErrorChar = checked ? 1 : 0;
  }

  if (settings.flowControl == 'p') {
    dcb.fOutxCtsFlow = 1;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
  }
  if (settings.flowControl == 'x') {
    dcb.fOutX = 1;
    dcb.fInX = 1;
    dcb.XonChar = kXon;
    dcb.XoffChar = kXoff;
  }

  dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
  dcb.StopBits = StopBitsCode(settings.stopBits);
  return dcb;
}

}  // namespace ports
