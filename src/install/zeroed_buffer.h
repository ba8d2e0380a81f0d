// Zero-filled memory for the spooler's variable-sized answers (the program's LocalAlloc and
// GlobalAlloc blocks). A failed allocation gives an empty pointer, never an exception, so that
// the caller can report it as the program does.
#pragma once

#include <cstddef>
#include <memory>
#include <new>

#include "platform/win_types.h"

namespace install {

using ZeroedBuffer = std::unique_ptr<BYTE[]>;

inline ZeroedBuffer AllocateZeroed(std::size_t size) {
  // At least one byte, so that a size of 0 still gives a block to hand over.
  return ZeroedBuffer(new (std::nothrow) BYTE[size == 0 ? 1 : size]());
}

}  // namespace install
