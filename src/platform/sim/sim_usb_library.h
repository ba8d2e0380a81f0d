// The printer maker's USB library in the simulated machine: KsUsbInt.dll with its four entry
// points, answering from scripted devices. A test attaches printers (each with its identity,
// and faults such as a descriptor that cannot be read or a write that fails), and afterwards
// reads what happened: the writes each device received, and the devices still open.
//
// Creating a SimUsbLibrary registers "KsUsbInt.dll" with the machine's libraries; the exported
// functions find it again through SimMachine::Active(), since Windows calls them with no
// context. Without a SimUsbLibrary the library cannot be loaded at all.
#pragma once

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"

namespace platform::sim {

struct SimUsbDevice {
  WORD identity = 0;             // the descriptor's bcdDevice, read back as DeviceIdentity
  bool descriptorFails = false;  // GetDescriptor answers 0
  bool writeFails = false;       // uWrite answers 0 and the device receives nothing
};

struct SimUsbWrite {
  int deviceIndex;
  int reserved;  // the second argument of uWrite
  std::vector<BYTE> data;
};

class SimUsbLibrary {
 public:
  static constexpr const char* kFileName = "KsUsbInt.dll";
  static constexpr int kIndexes = 8;
  static constexpr int kDescriptorSize = 20;

  explicit SimUsbLibrary(SimMachine& machine);
  ~SimUsbLibrary();
  SimUsbLibrary(const SimUsbLibrary&) = delete;
  SimUsbLibrary& operator=(const SimUsbLibrary&) = delete;

  // The library of the active machine, or null when it has none.
  static SimUsbLibrary* OfActiveMachine();

  // Scene.
  // A printer at the lowest free index (0 to 7); returns that index.
  int Attach(SimUsbDevice device);
  void AttachAt(int index, SimUsbDevice device);
  // What OpenDeviceX answers for an index without a device: 0 or -1 (both mean none).
  void AnswerEmptyIndexWith(int handle) { emptyAnswer_ = handle; }
  // The library then lacks this export ("OpenDeviceX", "GetDescriptor", "CloseDevice", "uWrite").
  void RemoveExport(const std::string& name);

  // What is there and what happened.
  bool HasDevice(int index) const { return devices_.count(index) != 0; }
  const SimUsbDevice& device(int index) const { return devices_.at(index); }
  // The 20 bytes GetDescriptor gives for the device: a USB device descriptor (18 bytes, with
  // bcdDevice at offset 12) and two zero bytes.
  std::array<BYTE, kDescriptorSize> Descriptor(int index) const;
  const std::vector<SimUsbWrite>& writes() const { return writes_; }
  // Devices opened and not closed again: a leak is a fault.
  size_t openDevices() const { return open_.size(); }
  int openRequests() const { return openRequests_; }
  int descriptorReads() const { return descriptorReads_; }
  // CloseDevice calls with a handle that is not open (0 and -1 excepted, which the program may
  // pass back after an index gave no device).
  int strayCloses() const { return strayCloses_; }

  // The library's entry points, as the exported functions call them.
  int OpenDeviceX(int deviceIndex);
  int CloseDevice(int device);
  int GetDescriptor(int device, BYTE* descriptor);
  int UWrite(int device, int reserved, BYTE* data, int length);

 private:
  void Register();
  const int* IndexOf(int device) const;

  SimMachine& machine_;
  std::map<int, SimUsbDevice> devices_;  // by index
  std::map<int, int> open_;              // handle -> index
  std::set<std::string> removed_;
  std::vector<SimUsbWrite> writes_;
  int emptyAnswer_ = 0;
  int nextHandle_ = 0x51;  // handles are neither indexes nor 0 or -1
  int openRequests_ = 0;
  int descriptorReads_ = 0;
  int strayCloses_ = 0;
};

}  // namespace platform::sim
