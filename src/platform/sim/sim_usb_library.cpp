#include "platform/sim/sim_usb_library.h"

#include <cstring>
#include <stdexcept>

#include "platform/set_identity_command.h"

namespace platform::sim {
namespace {

std::map<const SimMachine*, SimUsbLibrary*>& Libraries() {
  static std::map<const SimMachine*, SimUsbLibrary*> libraries;
  return libraries;
}

// What Windows calls: no context, so each finds the active machine's library.
int WINAPI SimOpenDeviceX(int deviceIndex) {
  SimUsbLibrary* usb = SimUsbLibrary::OfActiveMachine();
  return usb == nullptr ? 0 : usb->OpenDeviceX(deviceIndex);
}

int WINAPI SimCloseDevice(int device) {
  SimUsbLibrary* usb = SimUsbLibrary::OfActiveMachine();
  return usb == nullptr ? 0 : usb->CloseDevice(device);
}

int WINAPI SimGetDescriptor(int device, BYTE* descriptor) {
  SimUsbLibrary* usb = SimUsbLibrary::OfActiveMachine();
  return usb == nullptr ? 0 : usb->GetDescriptor(device, descriptor);
}

int WINAPI SimUWrite(int device, int reserved, BYTE* data, int length) {
  SimUsbLibrary* usb = SimUsbLibrary::OfActiveMachine();
  return usb == nullptr ? 0 : usb->UWrite(device, reserved, data, length);
}

// The entry points have exactly the types the program looks them up with.
const OpenDeviceXFn kOpenDeviceX = &SimOpenDeviceX;
const CloseDeviceFn kCloseDevice = &SimCloseDevice;
const GetDescriptorFn kGetDescriptor = &SimGetDescriptor;
const UWriteFn kUWrite = &SimUWrite;

}  // namespace

SimUsbLibrary::SimUsbLibrary(SimMachine& machine) : machine_(machine) {
  Libraries()[&machine_] = this;
  Register();
}

SimUsbLibrary::~SimUsbLibrary() {
  machine_.libraries().UnregisterLibrary(kFileName);
  Libraries().erase(&machine_);
}

SimUsbLibrary* SimUsbLibrary::OfActiveMachine() {
  const auto it = Libraries().find(&SimMachine::Active());
  return it == Libraries().end() ? nullptr : it->second;
}

void SimUsbLibrary::Register() {
  SimLibraries::Exports exports = {
      {"OpenDeviceX", AsFarProc(kOpenDeviceX)},
      {"CloseDevice", AsFarProc(kCloseDevice)},
      {"GetDescriptor", AsFarProc(kGetDescriptor)},
      {"uWrite", AsFarProc(kUWrite)},
  };
  for (const std::string& name : removed_) {
    exports.erase(name);
  }
  machine_.libraries().RegisterLibrary(kFileName, std::move(exports));
}

void SimUsbLibrary::RemoveExport(const std::string& name) {
  removed_.insert(name);
  Register();
}

int SimUsbLibrary::Attach(SimUsbDevice device) {
  for (int index = 0; index < kIndexes; ++index) {
    if (!HasDevice(index)) {
      devices_[index] = device;
      return index;
    }
  }
  throw std::logic_error("SimUsbLibrary: all eight indexes have a device");
}

void SimUsbLibrary::AttachAt(int index, SimUsbDevice device) {
  if (index < 0 || index >= kIndexes) {
    throw std::out_of_range("SimUsbLibrary: device index outside 0..7");
  }
  devices_[index] = device;
}

std::array<BYTE, SimUsbLibrary::kDescriptorSize> SimUsbLibrary::Descriptor(int index) const {
  const WORD identity = devices_.at(index).identity;
  return {18,
          1,  // bLength, bDescriptorType DEVICE
          0x10,
          0x01,  // bcdUSB 1.10
          0,
          0,
          0,   // class, subclass, protocol: per interface
          64,  // bMaxPacketSize0
          0x4B,
          0x53,
          0x01,
          0x00,  // idVendor, idProduct
          static_cast<BYTE>(identity & 0xFF),
          static_cast<BYTE>(identity >> 8),  // bcdDevice
          1,
          2,
          3,
          1,  // strings, bNumConfigurations
          0,
          0};
}

const int* SimUsbLibrary::IndexOf(int device) const {
  const auto it = open_.find(device);
  return it == open_.end() ? nullptr : &it->second;
}

int SimUsbLibrary::OpenDeviceX(int deviceIndex) {
  ++openRequests_;
  if (!HasDevice(deviceIndex)) {
    return emptyAnswer_;
  }
  const int handle = nextHandle_++;
  open_[handle] = deviceIndex;
  return handle;
}

int SimUsbLibrary::CloseDevice(int device) {
  if (open_.erase(device) == 0) {
    if (device != 0 && device != -1) {
      ++strayCloses_;
    }
    return 0;
  }
  return 1;
}

int SimUsbLibrary::GetDescriptor(int device, BYTE* descriptor) {
  ++descriptorReads_;
  const int* index = IndexOf(device);
  if (index == nullptr || descriptor == nullptr || devices_.at(*index).descriptorFails) {
    return 0;
  }
  const auto bytes = Descriptor(*index);
  std::memcpy(descriptor, bytes.data(), bytes.size());
  return 1;
}

int SimUsbLibrary::UWrite(int device, int reserved, BYTE* data, int length) {
  const int* index = IndexOf(device);
  if (index == nullptr || data == nullptr || length <= 0) {
    return 0;
  }
  SimUsbDevice& target = devices_.at(*index);
  if (target.writeFails) {
    return 0;
  }
  writes_.push_back(SimUsbWrite{*index, reserved, std::vector<BYTE>(data, data + length)});
  // The printer keeps the new number in the low three bits of its identity.
  const int n = platform::SetIdentityCommandNumber(data, static_cast<std::size_t>(length));
  if (n != 0) {
    target.identity = static_cast<WORD>((target.identity & ~0x7) | (n - 1));
  }
  return length;
}

}  // namespace platform::sim
