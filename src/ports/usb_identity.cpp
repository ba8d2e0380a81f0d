#include "ports/usb_identity.h"

#include <cmath>

#include "messages/message_box.h"
#include "platform/loaded_module.h"
#include "platform/set_identity_command.h"
#include "resources/resource_ids.h"

namespace ports {
namespace {

constexpr const char* kUsbLibrary = "KsUsbInt.dll";

// 0 and -1 are the library's "nothing answers at this index".
bool IsDevice(int handle) {
  return handle != 0 && handle != -1;
}

// The first index that gives a device, opened; 0 when none does.
int OpenFirstDevice(platform::OpenDeviceXFn openDevice) {
  for (int index = 0; index < kUsbDeviceIndexes; ++index) {
    const int handle = openDevice(index);
    if (IsDevice(handle)) {
      return handle;
    }
  }
  return 0;
}

}  // namespace

int ProbeUsbDevice(platform::Platform& platform) {
  const platform::LoadedModule library(platform.libraries, kUsbLibrary);
  if (!library.loaded()) {
    messages::ShowText(platform, "Can not load KsUsbInt.dll");
    return kNoUsbDevice;
  }
  const auto openDevice = library.Find<platform::OpenDeviceXFn>("OpenDeviceX");
  const auto getDescriptor = library.Find<platform::GetDescriptorFn>("GetDescriptor");
  if (openDevice == nullptr || getDescriptor == nullptr) {
    messages::ShowText(platform, "open function error");
    return kNoUsbDevice;
  }
  const auto closeDevice = library.Find<platform::CloseDeviceFn>("CloseDevice");
  if (closeDevice == nullptr) {
    return kNoUsbDevice;
  }

  // Counting pass: a second device ends the probe before any descriptor is read.
  int devices = 0;
  for (int index = 0; index < kUsbDeviceIndexes; ++index) {
    const int handle = openDevice(index);
    const bool second = IsDevice(handle) && ++devices == 2;
    closeDevice(handle);
    if (second) {
      messages::ShowMessage(platform, IDS_ONE_PRINTER_ONLY);
      return kSeveralUsbDevices;
    }
  }

  const int device = OpenFirstDevice(openDevice);
  if (!IsDevice(device)) {
    return kNoUsbDevice;
  }
  BYTE descriptor[kDescriptorSize] = {};
  if (getDescriptor(device, descriptor) == 0) {
    messages::ShowText(platform, "Get Device ID error");
    closeDevice(device);
    return kNoUsbDevice;
  }
  closeDevice(device);
  return descriptor[kIdentityOffset] | (descriptor[kIdentityOffset + 1] << 8);
}

bool SetUsbDeviceNumber(platform::Platform& platform, int n) {
  if (n < 1 || n > kHighestUsbPortNumber) {
    return false;
  }
  const platform::LoadedModule library(platform.libraries, kUsbLibrary);
  if (!library.loaded()) {
    // Only reached when the library has gone since the probe that preceded this call.
    messages::ShowText(platform, "Can not load KsUsbInt.dll");
    return false;
  }
  const auto openDevice = library.Find<platform::OpenDeviceXFn>("OpenDeviceX");
  const auto write = library.Find<platform::UWriteFn>("uWrite");
  if (openDevice == nullptr || write == nullptr) {
    messages::ShowText(platform, "open function error");
    return false;
  }
  const auto closeDevice = library.Find<platform::CloseDeviceFn>("CloseDevice");
  if (closeDevice == nullptr) {
    return false;
  }

  const int device = OpenFirstDevice(openDevice);
  if (!IsDevice(device)) {
    messages::ShowText(platform, "Can not find USB device.");
    return false;
  }
  platform::SetIdentityCommandBytes command = platform::SetIdentityCommand(n);
  const int sent = write(device, 0, command.data(), static_cast<int>(command.size()));
  if (sent <= 0) {
    messages::ShowText(platform, "write ID error");
  }
  closeDevice(device);
  return sent > 0;
}

int UsbPortNumber(int probeResult) {
  return static_cast<int>(std::fmod(static_cast<double>(probeResult), 8.0) + 1.0);
}

}  // namespace ports
