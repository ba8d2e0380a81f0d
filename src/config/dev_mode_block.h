// The device-mode block handed to AddPrinterA: DEVMODEA up to dmReserved2 (148 bytes),
// zero-filled, followed by the zero-filled driver-private area that dmDriverExtra announces,
// so the spooler never reads past the allocation. Freed with its owner on every path.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/win_types.h"

namespace config {

class DevModeBlock {
 public:
  static constexpr std::size_t kPublicSize = 148;

  DevModeBlock() { Allocate(0); }
  DEVMODEA* get() { return reinterpret_cast<DEVMODEA*>(bytes_.get()); }
  const unsigned char* bytes() const { return bytes_.get(); }
  // The bytes the spooler reads: dmSize + dmDriverExtra.
  std::size_t size() const { return kPublicSize + extra_; }
  // Makes room for `extra` private bytes; the public part is kept.
  void ReserveDriverExtra(WORD extra);

 private:
  void Allocate(WORD extra);
  std::unique_ptr<unsigned char[]> bytes_;
  WORD extra_ = 0;
};

// The block is DEVMODEA up to and including dmReserved2, without the panning fields.
static_assert(offsetof(DEVMODEA, dmFormName) == 70, "DEVMODEA layout");
static_assert(offsetof(DEVMODEA, dmBitsPerPel) == 104, "DEVMODEA layout");
static_assert(offsetof(DEVMODEA, dmReserved2) + sizeof(DWORD) == DevModeBlock::kPublicSize,
              "DEVMODEA layout");

}  // namespace config
