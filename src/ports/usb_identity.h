// The identity of the one USB printer attached during the installation, read and rewritten
// through the printer maker's library KsUsbInt.dll, which is loaded by name for each operation
// and unloaded again before it returns. Failures are shown to the user in OK boxes here; the
// callers decide from the results alone.
#pragma once

#include "platform/platform.h"

namespace ports {

// ProbeUsbDevice's results besides a DeviceIdentity (0 to 65535).
constexpr int kNoUsbDevice = -1;        // no library, entry point, device or descriptor
constexpr int kSeveralUsbDevices = -2;  // more than one printer attached

// The library is asked for devices at the indexes 0 to kUsbDeviceIndexes - 1.
constexpr int kUsbDeviceIndexes = 8;
// A printer's port number, as UsbPortNumber gives it, is 1 to kHighestUsbPortNumber.
constexpr int kHighestUsbPortNumber = 8;
// GetDescriptor fills this many bytes; the identity is the little-endian word at the offset.
constexpr int kDescriptorSize = 20;
constexpr int kIdentityOffset = 12;

// Reads the attached printer's DeviceIdentity, or kNoUsbDevice / kSeveralUsbDevices. Every
// device it opens is closed again and the library is unloaded on every path.
int ProbeUsbDevice(platform::Platform& platform);

// Gives the attached printer the UsbPortNumber n; n outside 1..8 does nothing at all. False
// when the number was not sent (its message shown), so that the caller does not go on as if the
// printer answered on the new port.
bool SetUsbDeviceNumber(platform::Platform& platform, int n);

// The port number 1 to 8 of a DeviceIdentity: (identity mod 8) + 1, computed as the floating
// remainder so that every probe result has one (kSeveralUsbDevices gives -1, which matches no
// port, and kNoUsbDevice 0).
int UsbPortNumber(int probeResult);

}  // namespace ports
