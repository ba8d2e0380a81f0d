#include "config/dev_mode_block.h"

#include <algorithm>
#include <cstring>

namespace config {

void DevModeBlock::Allocate(WORD extra) {
  // Never less than the whole DEVMODEA, so that the pointer always addresses a full structure.
  const std::size_t capacity = std::max(sizeof(DEVMODEA), kPublicSize + extra);
  auto fresh = std::make_unique<unsigned char[]>(capacity);  // zero-filled
  if (bytes_) {
    std::memcpy(fresh.get(), bytes_.get(), kPublicSize);
  }
  bytes_ = std::move(fresh);
  extra_ = extra;
}

void DevModeBlock::ReserveDriverExtra(WORD extra) {
  if (extra != extra_) {
    Allocate(extra);
  }
}

}  // namespace config
