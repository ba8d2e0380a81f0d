#include "ports/serial_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ports/serial_dcb.h"

namespace {

using ports::SerialSettings;

SerialSettings Settings(int baud, int dataBits, double stopBits, char parity, char flow) {
  SerialSettings s;
  s.baudRate = baud;
  s.dataBits = dataBits;
  s.stopBits = stopBits;
  s.parity = parity;
  s.flowControl = flow;
  return s;
}

std::vector<BYTE> Bytes(const DCB& dcb) {
  std::vector<BYTE> bytes(sizeof(dcb));
  std::memcpy(bytes.data(), &dcb, sizeof(dcb));
  return bytes;
}

TEST(SerialSettingsString, WholeStopBitsHaveNoDecimals) {
  EXPECT_EQ(ports::SettingsString(Settings(9600, 8, 1.0, 'n', 'p')), "9600,n,8,1,p");
  EXPECT_EQ(ports::SettingsString(Settings(115200, 5, 2.0, 'm', 'x')), "115200,m,5,2,x");
}

TEST(SerialSettingsString, OneAndAHalfStopBitsKeepTheirDecimal) {
  EXPECT_EQ(ports::SettingsString(Settings(19200, 7, 1.5, 'e', 'x')), "19200,e,7,1.5,x");
}

TEST(SerialSettingsString, NoFlowControlEndsInASpace) {
  EXPECT_EQ(ports::SettingsString(Settings(110, 6, 1.0, 's', ' ')), "110,s,6,1, ");
}

TEST(SerialSettingsString, TheDefaultsAreEightDataBitsOneStopBitNoParityHardwareFlow) {
  SerialSettings defaults;
  defaults.baudRate = 9600;
  EXPECT_EQ(ports::SettingsString(defaults), "9600,n,8,1,p");
}

TEST(SerialDcb, HardwareFlowWithoutParityMatchesTheWin32Layout) {
  const DCB dcb = ports::BuildSerialDcb(Settings(9600, 8, 1.0, 'n', 'p'));

  EXPECT_EQ(dcb.DCBlength, 28u);
  EXPECT_EQ(dcb.fOutxCtsFlow, 1u);
  EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));
  EXPECT_EQ(dcb.fOutX, 0u);
  EXPECT_EQ(dcb.fInX, 0u);
  EXPECT_EQ(dcb.XonChar, 0);
  EXPECT_EQ(dcb.XoffChar, 0);
  // The bytes as Windows 98 reads them: 9600 = 0x2580; flags fBinary (bit 0), fOutxCtsFlow
  // (bit 2) and fRtsControl = 1 (bits 12-13); ByteSize 8 at offset 18.
  const std::vector<BYTE> expected = {0x1C, 0, 0, 0, 0x80, 0x25, 0, 0, 0x05, 0x10, 0, 0, 0, 0,
                                      0,    0, 0, 0, 8,    0,    0, 0, 0,    0,    0, 0, 0, 0};
  EXPECT_EQ(Bytes(dcb), expected);
}

TEST(SerialDcb, XonXoffSetsBothDirectionsAndTheCharacters) {
  const DCB dcb = ports::BuildSerialDcb(Settings(4800, 7, 1.5, 's', 'x'));

  EXPECT_EQ(dcb.fOutX, 1u);
  EXPECT_EQ(dcb.fInX, 1u);
  EXPECT_EQ(dcb.XonChar, 0x11);
  EXPECT_EQ(dcb.XoffChar, 0x13);
  EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
  EXPECT_EQ(dcb.fRtsControl, 0u);
  EXPECT_EQ(dcb.Parity, SPACEPARITY);
  EXPECT_EQ(dcb.StopBits, ONE5STOPBITS);
  // fBinary, fParity (bit 1), fOutX (bit 8), fInX (bit 9), fErrorChar (bit 10).
  const std::vector<BYTE> bytes = Bytes(dcb);
  EXPECT_EQ(bytes[8], 0x03);
  EXPECT_EQ(bytes[9], 0x07);
  EXPECT_EQ(bytes[19], 4);
  EXPECT_EQ(bytes[20], 1);
  EXPECT_EQ(bytes[21], 0x11);
  EXPECT_EQ(bytes[22], 0x13);
}

TEST(SerialDcb, ParityLettersGiveTheirCodesAndFlags) {
  struct Case {
    char letter;
    BYTE code;
    bool flags;
  };
  for (const Case& c :
       {Case{'n', NOPARITY, false}, Case{'o', ODDPARITY, true}, Case{'e', EVENPARITY, true},
        Case{'m', MARKPARITY, true}, Case{'s', SPACEPARITY, true}, Case{'E', NOPARITY, false},
        Case{'x', NOPARITY, false}}) {
    const DCB dcb = ports::BuildSerialDcb(Settings(9600, 8, 1.0, c.letter, ' '));
    EXPECT_EQ(dcb.Parity, c.code) << c.letter;
    EXPECT_EQ(dcb.fParity, c.flags ? 1u : 0u) << c.letter;
    EXPECT_EQ(dcb.fErrorChar, c.flags ? 1u : 0u) << c.letter;
  }
}

TEST(SerialDcb, StopBitsAreComparedExactly) {
  EXPECT_EQ(ports::BuildSerialDcb(Settings(9600, 8, 1.0, 'n', 'p')).StopBits, ONESTOPBIT);
  EXPECT_EQ(ports::BuildSerialDcb(Settings(9600, 8, 1.5, 'n', 'p')).StopBits, ONE5STOPBITS);
  EXPECT_EQ(ports::BuildSerialDcb(Settings(9600, 8, 2.0, 'n', 'p')).StopBits, TWOSTOPBITS);
  EXPECT_EQ(ports::BuildSerialDcb(Settings(9600, 8, 1.25, 'n', 'p')).StopBits, ONESTOPBIT);
  EXPECT_EQ(ports::BuildSerialDcb(Settings(9600, 8, 3.0, 'n', 'p')).StopBits, ONESTOPBIT);
}

TEST(SerialDcb, NoFlowControlLeavesEveryOtherFlagClear) {
  const DCB dcb = ports::BuildSerialDcb(Settings(115200, 5, 2.0, 'n', ' '));
  const std::vector<BYTE> bytes = Bytes(dcb);

  EXPECT_EQ(dcb.BaudRate, 115200u);
  EXPECT_EQ(dcb.ByteSize, 5);
  // Only fBinary is set; the reserved words, limits and the other characters stay 0.
  EXPECT_EQ((std::vector<BYTE>(bytes.begin() + 8, bytes.begin() + 18)),
            (std::vector<BYTE>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ((std::vector<BYTE>(bytes.begin() + 21, bytes.end())),
            (std::vector<BYTE>{0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
