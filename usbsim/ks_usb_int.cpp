// Our KsUsbInt.dll: the printer maker's USB library behind its four entry points, reporting the
// printers that KsUsbInt.ini beside it describes. A set-identity command written to a printer
// changes its identity in the file, so the next probe reports the new port number.
#include <windows.h>

#include <type_traits>

#include "device_file.h"
#include "platform/library_service.h"
#include "platform/set_identity_command.h"

namespace {

HMODULE thisModule = nullptr;

// A device handle is the index plus this base: never 0 or -1, and never a bare index.
constexpr int kHandleBase = 0x4B00;
constexpr int kMaxDevices = 8;
bool opened[kMaxDevices] = {};

constexpr BYTE kDescriptorLength = 18;
constexpr int kDescriptorBuffer = 20;

// The index of an open handle, or -1.
int IndexOf(int handle) {
  const int index = handle - kHandleBase;
  return (index >= 0 && index < kMaxDevices && opened[index]) ? index : -1;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    thisModule = instance;
  }
  return TRUE;
}

int WINAPI OpenDeviceX(int deviceIndex) {
  const usbsim::DeviceFile file(thisModule);
  if (deviceIndex < 0 || deviceIndex >= file.Count()) {
    return 0;
  }
  opened[deviceIndex] = true;
  return kHandleBase + deviceIndex;
}

int WINAPI CloseDevice(int device) {
  const int index = IndexOf(device);
  if (index < 0) {
    return 0;
  }
  opened[index] = false;
  return 1;
}

// A USB device descriptor (18 bytes) and two zero bytes; bcdDevice (offset 12) is the identity.
int WINAPI GetDescriptor(int device, BYTE* descriptor) {
  const usbsim::DeviceFile file(thisModule);
  const int index = IndexOf(device);
  if (index < 0 || descriptor == nullptr || file.DescriptorFails()) {
    return 0;
  }
  const WORD identity = file.Identity(index);
  const BYTE bytes[kDescriptorBuffer] = {kDescriptorLength,
                                         1,
                                         0x10,
                                         0x01,
                                         0,
                                         0,
                                         0,
                                         64,
                                         0x4B,
                                         0x53,
                                         0x01,
                                         0x00,
                                         static_cast<BYTE>(identity & 0xFF),
                                         static_cast<BYTE>(identity >> 8),
                                         1,
                                         2,
                                         3,
                                         1,
                                         0,
                                         0};
  ::CopyMemory(descriptor, bytes, sizeof(bytes));
  return 1;
}

int WINAPI uWrite(int device, int /*reserved*/, BYTE* data, int length) {
  const usbsim::DeviceFile file(thisModule);
  const int index = IndexOf(device);
  if (index < 0 || data == nullptr || length <= 0 || file.WriteFails()) {
    return 0;
  }
  file.RecordWrite(index, data, length);
  const int n = platform::SetIdentityCommandNumber(data, static_cast<size_t>(length));
  if (n != 0) {
    // The printer keeps the number in the low three bits; the higher bits stay.
    file.SetIdentity(index, static_cast<WORD>((file.Identity(index) & ~0x7) | (n - 1)));
  }
  return length;
}

}  // extern "C"

// The installer looks the entry points up with exactly these types.
static_assert(std::is_same<decltype(&OpenDeviceX), platform::OpenDeviceXFn>::value, "OpenDeviceX");
static_assert(std::is_same<decltype(&CloseDevice), platform::CloseDeviceFn>::value, "CloseDevice");
static_assert(std::is_same<decltype(&GetDescriptor), platform::GetDescriptorFn>::value,
              "GetDescriptor");
static_assert(std::is_same<decltype(&uWrite), platform::UWriteFn>::value, "uWrite");
