// The ten bytes that give an attached USB printer a new port number n (1 to 8): the printer
// keeps n - 1 in the low three bits of its identity, which the USB library reads back from its
// descriptor. Shared by the installer and by our USB library, usbsim/, which must recognise
// exactly what the installer sends (see usbsim/README.md).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace platform {

constexpr std::size_t kSetIdentityCommandSize = 10;
using SetIdentityCommandBytes = std::array<std::uint8_t, kSetIdentityCommandSize>;

// Bytes 1 to 5 select the printer's configuration command set: "KSUSB" in ASCII. Chosen once;
// the library compares them byte for byte.
constexpr std::array<std::uint8_t, 5> kCommandSetSelector = {0x4B, 0x53, 0x55, 0x53, 0x42};
constexpr std::uint8_t kCommandIntroducer = 0x1B;  // ESC
constexpr std::uint8_t kIdentityGroup = 0x1D;      // GS
constexpr std::uint8_t kIdentityFunction = 0x49;   // 'I'
constexpr std::uint8_t kIdentitySet = 0x20;

// ESC, the selector, GS 'I' 0x20, then n - 1. Only n from 1 to 8 gives a command that a
// printer accepts; the caller checks n.
constexpr SetIdentityCommandBytes SetIdentityCommand(int n) {
  return {kCommandIntroducer,     kCommandSetSelector[0],
          kCommandSetSelector[1], kCommandSetSelector[2],
          kCommandSetSelector[3], kCommandSetSelector[4],
          kIdentityGroup,         kIdentityFunction,
          kIdentitySet,           static_cast<std::uint8_t>(n - 1)};
}

// The port number (1 to 8) that a well-formed command sets, or 0 for any other data.
constexpr int SetIdentityCommandNumber(const std::uint8_t* data, std::size_t length) {
  if (data == nullptr || length != kSetIdentityCommandSize || data[9] > 7) {
    return 0;
  }
  const SetIdentityCommandBytes expected = SetIdentityCommand(data[9] + 1);
  for (std::size_t i = 0; i + 1 < kSetIdentityCommandSize; ++i) {
    if (data[i] != expected[i]) {
      return 0;
    }
  }
  return data[9] + 1;
}

}  // namespace platform
