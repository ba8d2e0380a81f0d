#include "ports/port_kind.h"

#include <gtest/gtest.h>

namespace {

using ports::KindOfPort;
using ports::PortKind;

// USB first: a model's name may hold "COM" or "LPT" and its USB ports stay USB ports.
TEST(KindOfPort, UsbComesFirstThenSerialThenParallel) {
  const struct {
    const char* port;
    PortKind kind;
  } cases[] = {
      {"USB_TP-R80_1", PortKind::kUsb}, {"USB_ECOMPACT_1", PortKind::kUsb},
      {"USB_LPTX_2", PortKind::kUsb},   {"KSCOM3:", PortKind::kSerial},
      {"COM1:", PortKind::kSerial},     {"LPT2:", PortKind::kParallel},
      {"USB001", PortKind::kUnknown},   {"FILE:", PortKind::kUnknown},
      {"", PortKind::kUnknown},         {"com1:", PortKind::kUnknown},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KindOfPort(c.port), c.kind) << c.port;
  }
}

}  // namespace
