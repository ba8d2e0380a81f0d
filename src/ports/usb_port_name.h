// The port names offered for a USB printer, "USB_<model>_1" to "USB_<model>_4", and the buffer
// that holds the chosen port's name.
#pragma once

namespace ports {

// PortBuffer: room for 51 characters and the terminator.
constexpr int kPortBufferSize = 52;
using PortText = char[kPortBufferSize];

// Typical mode offers the first USB port of a model, Advanced mode the first four.
constexpr int kAdvancedUsbPorts = 4;

// "USB_%s_%d" for model and n into out. A name that does not fit is cut to the buffer (never
// overrun) and false is returned: such a name is not offered. Models of up to 45 characters fit.
bool FormatUsbPortName(const char* model, int n, PortText& out);

}  // namespace ports
